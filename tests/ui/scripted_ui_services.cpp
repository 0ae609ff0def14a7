#include "scripted_ui_services.h"

#include <gtest/gtest.h>

#include <QDialog>

namespace {

template <typename T>
T take(std::deque<T>& script, const T& otherwise, const QString& what) {
  if (script.empty()) {
    ADD_FAILURE() << "unscripted: " << what.toStdString();
    return otherwise;
  }
  T next = script.front();
  script.pop_front();
  return next;
}

}  // namespace

void Scripted_UI_Services::information(const QString& text) { asked.push_back({Kind::Information, text}); }

UI_Services::Answer Scripted_UI_Services::ask_yes_no(const QString& text) {
  asked.push_back({Kind::Yes_No, text});
  const Answer answer = take(answers, Answer::No, text);
  EXPECT_NE(answer, Answer::Cancel) << "a Yes/No question has no Cancel";
  return answer;
}

UI_Services::Answer Scripted_UI_Services::ask_yes_no_cancel(const QString& text) {
  asked.push_back({Kind::Yes_No_Cancel, text});
  return take(answers, Answer::Cancel, text);
}

QStringList Scripted_UI_Services::open_files(const QString& filter, bool) {
  asked.push_back({Kind::Open_Files, filter});
  return take(files_to_open, QStringList(), filter);
}

QString Scripted_UI_Services::save_file(const QString& filter) {
  asked.push_back({Kind::Save_File, filter});
  return take(files_to_save, QString(), filter);
}

int Scripted_UI_Services::show_modal(QDialog& dialog) {
  asked.push_back({Kind::Modal, dialog.objectName()});
  const std::function<void(QDialog&)> step =
      take(dialog_steps, std::function<void(QDialog&)>([](QDialog& d) { d.reject(); }), dialog.objectName());
  dialog.setResult(QDialog::Rejected);
  dialog.show();
  step(dialog);
  if (dialog.isVisible()) ADD_FAILURE() << "the dialog was left open: " << dialog.objectName().toStdString();
  return dialog.result();
}

QStringList Scripted_UI_Services::informations() const {
  QStringList texts;
  for (const Asked& a : asked) {
    if (a.kind == Kind::Information) texts << a.text;
  }
  return texts;
}
