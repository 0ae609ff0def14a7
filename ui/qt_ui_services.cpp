#include "qt_ui_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QRegularExpression>

#include "s_file_dialog.h"

namespace {

QString qt_patterns(const QString& patterns) {
  QStringList out;
  for (const QString& p : patterns.split(u';', Qt::SkipEmptyParts)) {
    const QString trimmed = p.trimmed();
    out << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
  }
  return out.join(u' ');
}

// The buttons carry the Chinese captions of the program's own language,
// whatever translations Qt finds on the machine.
void set_button_texts(QMessageBox& box) {
  const std::pair<QMessageBox::StandardButton, QString> texts[] = {
      {QMessageBox::Ok, QStringLiteral("确定")},
      {QMessageBox::Yes, QStringLiteral("是(&Y)")},
      {QMessageBox::No, QStringLiteral("否(&N)")},
      {QMessageBox::Cancel, QStringLiteral("取消")},
  };
  for (const auto& [which, caption] : texts) {
    if (QAbstractButton* button = box.button(which)) button->setText(caption);
  }
}

UI_Services::Answer ask(const QString& text, QMessageBox::StandardButtons buttons,
                        QMessageBox::StandardButton escape) {
  QMessageBox box(QMessageBox::NoIcon, QUESTION_CAPTION, text, buttons, QApplication::activeWindow());
  box.setEscapeButton(escape);
  set_button_texts(box);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return UI_Services::Answer::Yes;
    case QMessageBox::No:
      return UI_Services::Answer::No;
    default:
      return UI_Services::Answer::Cancel;
  }
}

}  // namespace

QString qt_file_filter(const QString& filter) {
  static const QRegularExpression trailing_patterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
  const QStringList parts = filter.split(u'|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    description.remove(trailing_patterns);
    out << description + u'(' + qt_patterns(parts[i + 1]) + u')';
  }
  return out.join(QStringLiteral(";;"));
}

void Qt_UI_Services::information(const QString& text) {
  QMessageBox box(QMessageBox::Information, APPLICATION_TITLE, text, QMessageBox::Ok,
                  QApplication::activeWindow());
  set_button_texts(box);
  box.exec();
}

UI_Services::Answer Qt_UI_Services::ask_yes_no(const QString& text) {
  return ask(text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
}

UI_Services::Answer Qt_UI_Services::ask_yes_no_cancel(const QString& text) {
  return ask(text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
}

QStringList Qt_UI_Services::open_files(const QString& filter, bool several) {
  S_File_Dialog dialog(QApplication::activeWindow(), filter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

QString Qt_UI_Services::save_file(const QString& filter) {
  S_File_Dialog dialog(QApplication::activeWindow(), filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

int Qt_UI_Services::show_modal(QDialog& dialog) { return dialog.exec(); }
