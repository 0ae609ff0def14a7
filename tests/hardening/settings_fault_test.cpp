// A settings file that cannot be written: Save reports false and nothing else
// happens. The file stays as it was byte for byte, no temporary file is left
// in the settings folder, and the values in memory stand.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <memory>

#include "fault_support.h"
#include "report/rebound_tester_config.h"
#include "tests/model/test_support.h"

using namespace test_support;

namespace {

// Every member of the settings, as one comparable list.
std::vector<std::string> members(const Rebound_Tester_Config& c) {
  return {c.area_template_key,  c.area_template,        c.component_template_key,
          c.component_template, c.default_template_key, std::to_string(c.default_print_template),
          c.page_header_key,    c.page_header,          c.page_footer_key,
          c.page_footer,        c.setting_dir.string(), c.config_file.string(),
          c.start_dir.string()};
}

struct Fault {
  const char* name;
  // Prepares the folder and returns what holds the fault while Save runs.
  std::function<std::shared_ptr<void>(const std::filesystem::path& setting_dir)> apply;
};

std::shared_ptr<void> as_unprivileged() { return std::make_shared<fault_support::Unprivileged_Scope>(); }

const Fault FAULTS[] = {
    {"read-only settings folder",
     [](const std::filesystem::path& setting) {
       ::chmod(setting.c_str(), 0555);
       return as_unprivileged();
     }},
    {"read-only settings file in a folder open to all",
     [](const std::filesystem::path& setting) {
       ::chmod(setting.c_str(), 0777);
       ::chmod((setting / "Config.ini").c_str(), 0444);
       return as_unprivileged();
     }},
    {"full disk",
     [](const std::filesystem::path&) -> std::shared_ptr<void> {
       return std::make_shared<fault_support::Full_Disk_Scope>();
     }},
};

TEST(Settings_That_Cannot_Be_Written, SaveFailsAndNothingElseChanges) {
  for (const Fault& fault : FAULTS) {
    SCOPED_TRACE(fault.name);
    Temp_Dir dir;
    fault_support::open_to_everyone(dir.path());
    Rebound_Tester_Config config;
    config.Set_Start_Dir(dir.path().string());
    ASSERT_FALSE(config.Load());  // the first start writes the defaults
    const std::filesystem::path setting = dir / "Setting";
    ::chmod(setting.c_str(), 0755);
    const std::string written = file_bytes(setting / "Config.ini");
    ASSERT_NE(written, "");

    config.area_template = "A.xml";
    config.component_template = "B.xml";
    config.default_print_template = 1;
    config.page_header = "H";
    const std::vector<std::string> in_memory = members(config);
    bool saved = true;
    {
      const std::shared_ptr<void> held = fault.apply(setting);
      saved = config.Save();
    }
    ::chmod(setting.c_str(), 0755);
    EXPECT_FALSE(saved);
    EXPECT_EQ(members(config), in_memory);
    EXPECT_EQ(hex(file_bytes(setting / "Config.ini")), hex(written));
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(setting)) names.push_back(e.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{"Config.ini"});
  }
}

}  // namespace
