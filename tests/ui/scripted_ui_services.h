// UI services for the window tests: every box and dialog is recorded, and
// every answer comes from the test's script. A question or a dialog that the
// script did not expect fails the test instead of waiting for a user.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "report/ui_services.h"

class Scripted_UI_Services : public UI_Services {
 public:
  enum class Kind { Information, Yes_No, Yes_No_Cancel, Open_Files, Save_File, Modal };
  struct Asked {
    Kind kind;
    QString text;  // the message, the filter, or the dialog's objectName
    friend bool operator==(const Asked&, const Asked&) = default;
  };

  void information(const QString& text) override;
  Answer ask_yes_no(const QString& text) override;
  Answer ask_yes_no_cancel(const QString& text) override;
  QStringList open_files(const QString& filter, bool several) override;
  QString save_file(const QString& filter) override;
  // Shows the dialog without a loop of its own, runs the next scripted step
  // on it (which presses its buttons or closes it) and returns its result.
  int show_modal(QDialog& dialog) override;

  // The texts of the information boxes shown, in order.
  QStringList informations() const;

  std::vector<Asked> asked;
  std::deque<Answer> answers;
  std::deque<QStringList> files_to_open;  // an empty list cancels the dialog
  std::deque<QString> files_to_save;      // an empty text cancels the dialog
  std::deque<std::function<void(QDialog&)>> dialog_steps;
};
