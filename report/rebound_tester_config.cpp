#include "rebound_tester_config.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <system_error>

#include "model/gbk_codec.h"
#include "model/s_platform.h"
#include "s_ini_file.h"

namespace {

const S_String& default_template_name() {
  static const S_String name = S_String::from_utf8("默认模版");
  return name;
}

// A decimal integer at the start of the text, or 0 when there is none; a
// number beyond the int32 range is held at its nearest end, so that a large
// report kind is not taken as 0.
int32_t leading_integer(const std::string& text) {
  const long long v = std::strtoll(text.c_str(), nullptr, 10);
  return static_cast<int32_t>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

const std::string& settings_section() {
  static const std::string section = utf8_to_gbk("系统设置");
  return section;
}

Rebound_Tester_Config::Rebound_Tester_Config()
    : area_template_key(utf8_to_gbk("测区打印模版")),
      area_template(default_template_name()),
      component_template_key(utf8_to_gbk("构件打印模板")),
      component_template(default_template_name()),
      default_template_key(utf8_to_gbk("默认模板")),
      page_header_key(utf8_to_gbk("页眉")),
      page_footer_key(utf8_to_gbk("页脚")) {}

void Rebound_Tester_Config::Set_Start_Dir(const std::filesystem::path& dir) {
  start_dir = dir;
  setting_dir = dir / "Setting";
  config_file = setting_dir / "Config.ini";
  report_dirs = {dir / "Report"};
  std::error_code ec;
  std::filesystem::create_directory(setting_dir, ec);
}

void Rebound_Tester_Config::Set_Folders(const std::filesystem::path& setting,
                                        std::vector<std::filesystem::path> reports) {
  start_dir.clear();
  setting_dir = setting;
  config_file = setting_dir / "Config.ini";
  report_dirs = std::move(reports);
  std::error_code ec;
  std::filesystem::create_directories(setting_dir, ec);
}

bool Rebound_Tester_Config::Prepare_Setting_Dir() {
  if (s_platform::entry_kind(setting_dir) != s_platform::Entry::folder) {
    s_platform::create_folder(setting_dir);
    return false;
  }
  return s_platform::entry_kind(config_file) != s_platform::Entry::none;
}

void Rebound_Tester_Config::Reset_Defaults() {
  area_template = default_template_name();
  component_template = default_template_name();
  default_print_template = 0;
}

bool Rebound_Tester_Config::Load() {
  config_unusable = false;
  if (!Prepare_Setting_Dir()) {
    Reset_Defaults();
    Save();
    return false;
  }
  S_Ini_File ini;
  const S_Ini_File::Load_Result result = ini.load(config_file);
  if (result == S_Ini_File::Load_Result::unreadable || result == S_Ini_File::Load_Result::too_large) {
    config_unusable = true;
    return false;
  }
  const std::string& section = settings_section();
  std::string value;
  if (ini.get(section, area_template_key, value)) area_template.assign(value);
  if (ini.get(section, component_template_key, value)) component_template.assign(value);
  if (ini.get(section, default_template_key, value)) default_print_template = leading_integer(value);
  if (ini.get(section, page_header_key, value)) page_header.assign(value);
  if (ini.get(section, page_footer_key, value)) page_footer.assign(value);
  return true;
}

bool Rebound_Tester_Config::Save() {
  S_Ini_File ini;
  // Another line of an existing file must survive, so a file that exists but
  // cannot be read is not overwritten. A file too large to be a settings file
  // holds nothing worth keeping: it is replaced.
  if (ini.load(config_file) == S_Ini_File::Load_Result::unreadable) return false;
  const std::string& section = settings_section();
  ini.set(section, area_template_key, area_template.bytes());
  ini.set(section, component_template_key, component_template.bytes());
  ini.set(section, default_template_key, std::to_string(default_print_template));
  ini.set(section, page_header_key, page_header.bytes());
  ini.set(section, page_footer_key, page_footer.bytes());
  return ini.save(config_file);
}

Rebound_Tester_Config& Tester_Config() {
  static Rebound_Tester_Config config;
  return config;
}
