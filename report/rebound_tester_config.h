// Rebound_Tester_Config: the program-wide report settings, kept in
// Setting/Config.ini under the start directory (or, for an installed program,
// in the user's own settings folder). The values are GBK texts (S_String), the
// section and key names the GBK bytes of the file; the folders are file-system
// paths exactly as the system gave them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "model/s_string.h"

class Rebound_Tester_Config {
 public:
  Rebound_Tester_Config();
  virtual ~Rebound_Tester_Config() = default;

  // Sets the start directory and the settings paths derived from it and
  // creates the settings folder (a failure is ignored). The templates are
  // those of its Report folder.
  void Set_Start_Dir(const std::filesystem::path& dir);
  // Keeps the settings in setting_dir (made with its parents where missing)
  // and looks the templates up in each of the report folders in turn; the
  // start directory stays unset.
  void Set_Folders(const std::filesystem::path& setting_dir, std::vector<std::filesystem::path> report_dirs);
  // True when the file was read; false when it was missing (the defaults are
  // then written) or could not be used.
  bool Load();
  // True when all five keys were written. A file that cannot be read is not
  // replaced (its other lines must survive); one too large to be a settings
  // file is replaced by one that holds the five keys.
  bool Save();
  // True when the last Load found a settings file that could not be used
  // (unreadable, or larger than any settings file): the defaults stand.
  bool Config_Unusable() const { return config_unusable; }
  void Reset_Defaults();
  // True when the settings folder and file exist; creates a missing folder.
  bool Prepare_Setting_Dir();

  std::filesystem::path Get_Start_Dir() const { return start_dir; }
  // The folders that hold the template folders (测区, 构件), in lookup order.
  const std::vector<std::filesystem::path>& Get_Report_Dirs() const { return report_dirs; }
  const S_String& Get_Area_Template() const { return area_template; }
  const S_String& Get_Component_Template() const { return component_template; }
  int32_t Get_Default_Print_Template() const { return default_print_template; }

  std::string area_template_key;
  S_String area_template;
  std::string component_template_key;
  S_String component_template;
  std::string default_template_key;
  int32_t default_print_template = 0;
  std::string page_header_key;
  S_String page_header;
  std::string page_footer_key;
  S_String page_footer;
  std::filesystem::path setting_dir;
  std::filesystem::path config_file;
  std::filesystem::path start_dir;
  std::vector<std::filesystem::path> report_dirs;
  bool config_unusable = false;
};

// The one instance of the program.
Rebound_Tester_Config& Tester_Config();

// The GBK name of the settings section.
const std::string& settings_section();
