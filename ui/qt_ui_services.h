// The UI services on real Qt boxes and dialogs: QMessageBox for the
// information box and the questions, QFileDialog for opening and saving.
#pragma once

#include "report/ui_services.h"

// Turns a filter of "description|pattern" pairs ("工程文件(*.prj)|*.prj|所有文件(*.*)|*.*")
// into QFileDialog's form ("工程文件(*.prj);;所有文件(*)"). A description keeps
// its text without a trailing pattern list, the patterns follow in brackets,
// separated by blanks; "*.*" means every file, as on the instrument's home platform.
QString qt_file_filter(const QString& filter);

class Qt_UI_Services : public UI_Services {
 public:
  void information(const QString& text) override;
  Answer ask_yes_no(const QString& text) override;
  Answer ask_yes_no_cancel(const QString& text) override;
  QStringList open_files(const QString& filter, bool several) override;
  QString save_file(const QString& filter) override;
  int show_modal(QDialog& dialog) override;
};
