// The application object: an exception that escapes an event handler is
// shown in a box with its text, and the program goes on.
#pragma once

#include <QApplication>
#include <functional>

class UI_Services;

// Runs the delivery; an exception that escapes it is shown through the
// services (its message, or an empty text for one that carries none) and
// the delivery counts as not handled.
bool deliver_guarded(const std::function<bool()>& deliver, UI_Services& services);

class S_Application : public QApplication {
 public:
  S_Application(int& argc, char** argv, UI_Services& services);

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  UI_Services& services_;
};
