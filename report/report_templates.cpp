#include "report_templates.h"

#include <QDir>

#include "model/gbk_codec.h"
#include "model/s_messages.h"
#include "report/rebound_tester_config.h"

Report_Kind report_kind_of(int32_t default_print_template) {
  return default_print_template == 0 ? Report_Kind::Component : Report_Kind::Area;
}

std::string template_folder(const Rebound_Tester_Config& config, Report_Kind kind) {
  return config.Get_Start_Dir() + utf8_to_gbk(kind == Report_Kind::Area ? "/Report/测区/" : "/Report/构件/");
}

Report_Template_File configured_template(const Rebound_Tester_Config& config, Report_Kind kind) {
  const std::string name =
      kind == Report_Kind::Area ? config.Get_Area_Template() : config.Get_Component_Template();
  return {Rebound_Tester_Config::fs_path(template_folder(config, kind) + name),
          QString::fromStdString(gbk_to_utf8(name))};
}

QStringList list_template_files(const std::string& pattern) {
  const std::filesystem::path path = Rebound_Tester_Config::fs_path(pattern);
  const QDir folder(QString::fromStdString(path.parent_path().string()),
                    QString::fromStdString(path.filename().string()), QDir::Name, QDir::Files);
  return folder.entryList();
}

int find_template(const QStringList& names, const std::string& wanted) {
  for (int i = 0; i < names.size(); ++i) {
    if (utf8_to_gbk(names[i].toStdString()) == wanted) return i;
  }
  return -1;
}

Template_Choice choose_template_file(const std::string& wanted, const std::string& pattern) {
  Template_Choice choice;
  choice.files = list_template_files(pattern);
  if (choice.files.isEmpty()) {
    choice.note = NO_TEMPLATE_FILE_MSG;
    return choice;
  }
  choice.chosen = find_template(choice.files, wanted);
  if (choice.chosen < 0) {
    choice.chosen = 0;
    choice.note = FIRST_TEMPLATE_CHOSEN_MSG;
  }
  return choice;
}

Template_Choice choose_template(const Rebound_Tester_Config& config, Report_Kind kind) {
  const std::string& stored =
      kind == Report_Kind::Area ? config.Get_Area_Template() : config.Get_Component_Template();
  return choose_template_file(stored, template_folder(config, kind) + "*");
}
