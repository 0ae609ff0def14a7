// Everything modal that a handler asks of the user goes through this one
// interface: the Qt implementation shows real boxes and dialogs, the tests
// answer from a script and record what was asked.
#pragma once

#include <QString>
#include <QStringList>

class QDialog;

class UI_Services {
 public:
  enum class Answer { Yes, No, Cancel };

  virtual ~UI_Services() = default;

  // An information box with one OK button, captioned with the application title.
  virtual void information(const QString& text) = 0;
  // A question captioned "提示" with Yes and No, without an icon.
  virtual Answer ask_yes_no(const QString& text) = 0;
  // A question captioned "提示" with Yes, No and Cancel; closing it is Cancel.
  virtual Answer ask_yes_no_cancel(const QString& text) = 0;
  // An open-file dialog; filter in the form "描述(*.x)|*.x|所有文件(*.*)|*.*".
  // Empty when cancelled.
  virtual QStringList open_files(const QString& filter, bool several) = 0;
  // A save-file dialog that does not ask about overwriting. Empty when cancelled.
  virtual QString save_file(const QString& filter) = 0;
  // Shows the dialog modally and returns its result (QDialog::Accepted or Rejected).
  virtual int show_modal(QDialog& dialog) = 0;
};

// The application title, the caption of every information box.
inline const QString APPLICATION_TITLE = QStringLiteral("RV820 数显回弹仪");
// The caption of every question.
inline const QString QUESTION_CAPTION = QStringLiteral("提示");
