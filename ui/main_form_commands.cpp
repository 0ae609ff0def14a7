// The project commands of the main window: new project, open, save, import
// from the instrument, exit, and the commands that show a dialog.
#include <QCloseEvent>
#include <filesystem>
#include <optional>
#include <vector>

#include "about_form_unit.h"
#include "main_form_unit.h"
#include "model/project_workflows.h"
#include "model/s_messages.h"
#include "permission_setting_form_unit.h"
#include "project_info_form_unit.h"
#include "report/s_qt_text.h"
#include "report/ui_services.h"

void TMain_Form::New_Project_ActExecute() {
  switch (services.ask_yes_no_cancel(utf8_to_qstring(message_text(SAVE_PROJECT_QUESTION)))) {
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
  Open_Project_File(qstring_to_path(paths.first()));
}

void TMain_Form::Open_Project_File(const std::filesystem::path& file) {
  if (const std::optional<S_Failure> failed = open_project(project, file))
    services.information(utf8_to_qstring(failed->text));
  // What a failed load read stays in the project; the views show it, so that
  // nothing is saved later that the user has not seen.
  Show_Project();
}

void TMain_Form::Save_ActExecute() { Save_Project(); }

TMain_Form::Save_Result TMain_Form::Save_Project() {
  if (const std::optional<S_Failure> nothing = check_something_to_save(project)) {
    services.information(utf8_to_qstring(nothing->text));
    return Save_Result::Nothing_To_Save;
  }
  const QString chosen = services.save_file(PROJECT_FILE_FILTER);
  if (chosen.isEmpty()) return Save_Result::Not_Saved;
  Store_Project_Info();
  const std::filesystem::path file = project_file_path(qstring_to_path(chosen));
  if (!Confirm_Replacing(file)) return Save_Result::Not_Saved;
  if (const std::optional<S_Failure> failed = save_project(project, file)) {
    services.information(utf8_to_qstring(failed->text));
    return Save_Result::Not_Saved;
  }
  return Save_Result::Saved;
}

bool TMain_Form::Confirm_Replacing(const std::filesystem::path& file) {
  std::error_code ec;
  return !std::filesystem::exists(file, ec) ||
         services.ask_yes_no(utf8_to_qstring(message_text(FILE_EXISTS_QUESTION, path_text(file)))) ==
             UI_Services::Answer::Yes;
}

void TMain_Form::Import_Data_From_Dev_ActExecute() {
  const QStringList paths = services.open_files(DEVICE_FILE_FILTER, true);
  std::vector<std::filesystem::path> files;
  for (const QString& path : paths) files.push_back(qstring_to_path(path));
  if (!files.empty()) Import_Device_Files(files);
}

void TMain_Form::Import_Device_Files(const std::vector<std::filesystem::path>& files) {
  const std::vector<S_Failure> failures = import_device_files(project, files);
  for (const S_Failure& failed : failures) services.information(utf8_to_qstring(failed.text));
  // When no component could be made the import ended there, and the views
  // are not rebuilt.
  if (!failures.empty() && failures.back().message == NEW_COMPONENT_FAILED_MSG) return;
  Show_Project();
}

void TMain_Form::Exit_ActExecute() { close(); }

void TMain_Form::closeEvent(QCloseEvent* event) { FormClose(event); }

void TMain_Form::FormClose(QCloseEvent* event) {
  if (services.ask_yes_no(utf8_to_qstring(message_text(SAVE_BEFORE_EXIT_QUESTION))) ==
          UI_Services::Answer::Yes &&
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
