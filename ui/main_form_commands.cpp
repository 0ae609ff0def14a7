// The project commands of the main window: new project, open, save, import
// from the instrument, exit, and the commands that show a dialog.
#include <QCloseEvent>
#include <QFileInfo>
#include <filesystem>
#include <string>

#include "about_form_unit.h"
#include "main_form_unit.h"
#include "model/device_file.h"
#include "model/s_byte_stream.h"
#include "model/s_file.h"
#include "permission_setting_form_unit.h"
#include "project_info_form_unit.h"
#include "report/ui_services.h"

namespace {

std::filesystem::path fs_path(const QString& path) { return std::filesystem::path(path.toStdString()); }

// The path with ".prj" appended unless its extension (from the last "." of
// the file name, dot included) is exactly ".prj".
QString with_project_extension(const QString& path) {
  static const QString extension = QStringLiteral(".prj");
  const qsizetype name_start = path.lastIndexOf(u'/') + 1;
  const qsizetype dot = path.lastIndexOf(u'.');
  const bool has_extension = dot >= name_start && path.mid(dot) == extension;
  return has_extension ? path : path + extension;
}

}  // namespace

void TMain_Form::New_Project_ActExecute() {
  switch (services.ask_yes_no_cancel(QStringLiteral("是否保存当前工程？"))) {
    case UI_Services::Answer::Cancel:
      return;
    case UI_Services::Answer::Yes:
      // A project that was to be saved but was not is kept.
      if (Save_Project() == Save_Result::Not_Saved) return;
      break;
    case UI_Services::Answer::No:
      break;
  }
  project.clear();
  Show_Project();
  Clear_Component_Panel();
}

void TMain_Form::Open_ActExecute() {
  const QStringList paths = services.open_files(PROJECT_FILE_FILTER, true);
  if (paths.isEmpty()) return;
  const QString& path = paths.first();
  if (!project.load(fs_path(path))) {
    services.information(QStringLiteral("工程文件[%1]导入失败！").arg(path));
  }
  // What a failed load read stays in the project; the views show it, so that
  // nothing is saved later that the user has not seen.
  Show_Project();
}

void TMain_Form::Save_ActExecute() { Save_Project(); }

TMain_Form::Save_Result TMain_Form::Save_Project() {
  if (project.component_count() == 0) {
    services.information(QStringLiteral("没有要保存的数据！"));
    return Save_Result::Nothing_To_Save;
  }
  const QString chosen = services.save_file(PROJECT_FILE_FILTER);
  if (chosen.isEmpty()) return Save_Result::Not_Saved;
  Store_Project_Info();
  const QString path = with_project_extension(chosen);
  if (QFileInfo::exists(path) &&
      services.ask_yes_no(QStringLiteral("文件%1已存在，是否覆盖？").arg(path)) != UI_Services::Answer::Yes) {
    return Save_Result::Not_Saved;
  }
  if (!project.save(fs_path(path))) {
    services.information(QStringLiteral("工程文件[%1]导出失败！").arg(path));
    return Save_Result::Not_Saved;
  }
  return Save_Result::Saved;
}

void TMain_Form::Import_Data_From_Dev_ActExecute() {
  const QStringList paths = services.open_files(DEVICE_FILE_FILTER, true);
  if (paths.isEmpty()) return;
  for (const QString& path : paths) {
    std::string bytes;
    if (!read_file(fs_path(path), bytes, DEVICE_FILE_MAX_BYTES)) {
      services.information(QStringLiteral("构件文件[%1]打开失败！").arg(path));
      continue;
    }
    R_Component* component = project.new_component();
    if (!component) {
      services.information(QStringLiteral("构件新建失败！"));
      break;
    }
    S_Byte_Reader in(bytes);
    if (!import_device_file(*component, in)) {
      services.information(QStringLiteral("构件文件[%1]导入失败！").arg(path));
    }
  }
  Show_Project();
}

void TMain_Form::Exit_ActExecute() { close(); }

void TMain_Form::closeEvent(QCloseEvent* event) { FormClose(event); }

void TMain_Form::FormClose(QCloseEvent* event) {
  if (services.ask_yes_no(QStringLiteral("退出前是否保存当前工程？")) == UI_Services::Answer::Yes &&
      Save_Project() == Save_Result::Not_Saved) {
    // The user wanted the project saved and it was not: the window stays.
    event->ignore();
    return;
  }
  closing = true;
  event->accept();
}

void TMain_Form::About_ActExecute() {
  if (dialogs_.about) services.show_modal(*dialogs_.about);
}

void TMain_Form::Project_Info_ActExecute() {
  if (dialogs_.project_info) services.show_modal(*dialogs_.project_info);
}

void TMain_Form::Permission_ActExecute() {
  if (dialogs_.permission) services.show_modal(*dialogs_.permission);
}
