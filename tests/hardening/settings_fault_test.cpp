// A settings file that cannot be written: Save reports false and nothing else
// happens. The file stays as it was byte for byte, no temporary file is left
// in the settings folder, and the values in memory stand. A settings file far
// larger than any settings file: reading it takes bounded time and memory,
// the defaults stand, and the next Save replaces it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <memory>

#include "fault_support.h"
#include "report/rebound_tester_config.h"
#include "report/s_ini_file.h"
#include "tests/model/allocation_probe.h"
#include "tests/model/test_support.h"

using namespace test_support;

namespace {

// Every member of the settings, as one comparable list.
std::vector<std::string> members(const Rebound_Tester_Config& c) {
  return {c.area_template_key,      c.area_template.bytes(),
          c.component_template_key, c.component_template.bytes(),
          c.default_template_key,   std::to_string(c.default_print_template),
          c.page_header_key,        c.page_header.bytes(),
          c.page_footer_key,        c.page_footer.bytes(),
          c.setting_dir.string(),   c.config_file.string(),
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

    config.area_template.assign("A.xml");
    config.component_template.assign("B.xml");
    config.default_print_template = 1;
    config.page_header.assign("H");
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

TEST(Giant_Settings_File, IsNotReadAndTheNextSaveReplacesIt) {
  struct Case {
    const char* what;
    size_t size;
    bool sparse;  // zeros the file system does not store
  };
  const Case cases[] = {
      {"10 MB of blank lines", 10u << 20, false},
      {"one byte more than a settings file may hold", S_Ini_File::MAX_BYTES + 1, false},
      {"100 MB", 100u << 20, true},
      {"4 GB", 4ull << 30, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Temp_Dir dir;
    const std::filesystem::path setting = dir / "Setting";
    std::filesystem::create_directory(setting);
    // Keys that a read would take stand at the start of the file.
    const std::string keys =
        "[" + settings_section() + "]\n" + Rebound_Tester_Config().default_template_key + "=1\n";
    put_file(setting / "Config.ini", c.sparse ? keys : keys + std::string(c.size - keys.size(), '\n'));
    std::filesystem::resize_file(setting / "Config.ini", c.size);

    Rebound_Tester_Config config;
    config.Set_Start_Dir(dir.path().string());
    Allocation_Probe probe;
    EXPECT_FALSE(config.Load());
    EXPECT_LE(probe.largest(), 2 * S_Ini_File::MAX_BYTES);
    EXPECT_TRUE(config.Config_Unusable());
    EXPECT_EQ(config.Get_Default_Print_Template(), 0);

    ASSERT_TRUE(config.Save());
    const std::string saved = file_bytes(setting / "Config.ini");
    EXPECT_LT(saved.size(), 1000u);
    EXPECT_NE(saved.find(config.default_template_key + "=0"), std::string::npos);
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(setting)) names.push_back(e.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{"Config.ini"});
    EXPECT_TRUE(config.Load());
    EXPECT_FALSE(config.Config_Unusable());
  }
}

TEST(Giant_Settings_File, TheLargestThatMayBeIsRead) {
  Temp_Dir dir;
  const std::filesystem::path setting = dir / "Setting";
  std::filesystem::create_directory(setting);
  const std::string keys =
      "[" + settings_section() + "]\n" + Rebound_Tester_Config().default_template_key + "=1\n";
  put_file(setting / "Config.ini", keys + std::string(S_Ini_File::MAX_BYTES - keys.size(), '\n'));
  Rebound_Tester_Config config;
  config.Set_Start_Dir(dir.path().string());
  EXPECT_TRUE(config.Load());
  EXPECT_FALSE(config.Config_Unusable());
  EXPECT_EQ(config.Get_Default_Print_Template(), 1);
}

}  // namespace
