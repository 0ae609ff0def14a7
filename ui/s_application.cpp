#include "s_application.h"

#include <exception>

#include "report/s_qt_text.h"
#include "report/ui_services.h"

bool deliver_guarded(const std::function<bool()>& deliver, UI_Services& services) {
  try {
    return deliver();
  } catch (const std::exception& e) {
    services.information(utf8_to_qstring(e.what()));
  } catch (...) {
    services.information(QString());
  }
  return false;
}

S_Application::S_Application(int& argc, char** argv, UI_Services& services)
    : QApplication(argc, argv), services_(services) {}

bool S_Application::notify(QObject* receiver, QEvent* event) {
  return deliver_guarded([&] { return QApplication::notify(receiver, event); }, services_);
}
