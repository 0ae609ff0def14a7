#include "report_templates.h"

#include <algorithm>
#include <system_error>

#include "model/s_messages.h"
#include "report/rebound_tester_config.h"
#include "report/s_qt_text.h"

namespace {

bool is_hidden(const std::filesystem::path& name) { return name.native().starts_with('.'); }

// The name of the kind's template that the settings store.
const S_String& stored_template(const Rebound_Tester_Config& config, Report_Kind kind) {
  return kind == Report_Kind::Area ? config.Get_Area_Template() : config.Get_Component_Template();
}

}  // namespace

Report_Kind report_kind_of(int32_t default_print_template) {
  return default_print_template == 0 ? Report_Kind::Component : Report_Kind::Area;
}

std::vector<std::filesystem::path> template_folders(const Rebound_Tester_Config& config, Report_Kind kind) {
  const std::filesystem::path sub(kind == Report_Kind::Area ? u8"测区" : u8"构件");
  std::vector<std::filesystem::path> folders;
  for (const std::filesystem::path& dir : config.Get_Report_Dirs()) folders.push_back(dir / sub);
  return folders;
}

Report_Template_File configured_template(const Rebound_Tester_Config& config, Report_Kind kind) {
  const QString name = to_qstring(stored_template(config, kind));
  const std::vector<std::filesystem::path> folders = template_folders(config, kind);
  // An empty name leads to the folder itself, which is no template either.
  const std::filesystem::path file = qstring_to_path(name);
  std::error_code ec;
  for (const std::filesystem::path& folder : folders) {
    if (std::filesystem::is_regular_file(folder / file, ec)) return {folder / file, name};
  }
  return {folders.empty() ? file : folders.front() / file, name};
}

QStringList list_template_files(const std::vector<std::filesystem::path>& folders) {
  QStringList names;
  for (const std::filesystem::path& folder : folders) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const std::filesystem::path name = it->path().filename();
      std::error_code status_ec;
      if (is_hidden(name) || !it->is_regular_file(status_ec)) continue;
      names << path_to_qstring(name);
    }
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

int find_template(const QStringList& names, const S_String& wanted) {
  for (int i = 0; i < names.size(); ++i) {
    if (to_s_string(names[i]) == wanted) return i;
  }
  return -1;
}

Template_Choice choose_template_file(const S_String& wanted,
                                     const std::vector<std::filesystem::path>& folders) {
  Template_Choice choice;
  choice.files = list_template_files(folders);
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
  return choose_template_file(stored_template(config, kind), template_folders(config, kind));
}
