// Rebound_Tester_Config and Setting/Config.ini: the first start, reading the
// five keys, and saving into an existing file byte for byte.
#include <gtest/gtest.h>

#include <climits>

#include "model/gbk_codec.h"
#include "report/rebound_tester_config.h"
#include "tests/model/test_support.h"

using namespace test_support;

namespace {

// The GBK bytes of the section, the keys and the default template name, as
// Python's gbk codec gives them.
const std::string SECTION = bytes({0xCF, 0xB5, 0xCD, 0xB3, 0xC9, 0xE8, 0xD6, 0xC3});  // 系统设置
const std::string AREA_KEY =
    bytes({0xB2, 0xE2, 0xC7, 0xF8, 0xB4, 0xF2, 0xD3, 0xA1, 0xC4, 0xA3, 0xB0, 0xE6});  // 测区打印模版
const std::string COMPONENT_KEY =
    bytes({0xB9, 0xB9, 0xBC, 0xFE, 0xB4, 0xF2, 0xD3, 0xA1, 0xC4, 0xA3, 0xB0, 0xE5});   // 构件打印模板
const std::string KIND_KEY = bytes({0xC4, 0xAC, 0xC8, 0xCF, 0xC4, 0xA3, 0xB0, 0xE5});  // 默认模板
const std::string HEADER_KEY = bytes({0xD2, 0xB3, 0xC3, 0xBC});                        // 页眉
const std::string FOOTER_KEY = bytes({0xD2, 0xB3, 0xBD, 0xC5});                        // 页脚
const std::string DEFAULT_NAME = bytes({0xC4, 0xAC, 0xC8, 0xCF, 0xC4, 0xA3, 0xB0, 0xE6});  // 默认模版

class Config_File : public ::testing::Test {
 protected:
  void SetUp() override { config.Set_Start_Dir(dir.path().string()); }
  std::filesystem::path file() const { return dir.path() / "Setting" / "Config.ini"; }
  void write_file(const std::string& content) { put_file(file(), content); }

  Temp_Dir dir;
  Rebound_Tester_Config config;
};

TEST(Rebound_Tester_Config, Construction) {
  Rebound_Tester_Config c;
  EXPECT_EQ(hex(c.area_template_key), hex(AREA_KEY));
  EXPECT_EQ(hex(c.component_template_key), hex(COMPONENT_KEY));
  EXPECT_EQ(hex(c.default_template_key), hex(KIND_KEY));
  EXPECT_EQ(hex(c.page_header_key), hex(HEADER_KEY));
  EXPECT_EQ(hex(c.page_footer_key), hex(FOOTER_KEY));
  EXPECT_EQ(hex(c.area_template.bytes()), hex(DEFAULT_NAME));
  EXPECT_EQ(hex(c.component_template.bytes()), hex(DEFAULT_NAME));
  EXPECT_EQ(c.default_print_template, 0);
  EXPECT_EQ(c.page_header, "");
  EXPECT_EQ(c.start_dir, "");
  EXPECT_EQ(&Tester_Config(), &Tester_Config());
}

TEST_F(Config_File, FirstStartWritesTheFiveKeysInOrder) {
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Setting"));
  EXPECT_EQ(config.Get_Start_Dir(), dir.path().string());
  EXPECT_FALSE(config.Load());
  const std::string expected = "[" + SECTION + "]\n" + AREA_KEY + "=" + DEFAULT_NAME + "\n" + COMPONENT_KEY +
                               "=" + DEFAULT_NAME + "\n" + KIND_KEY + "=0\n" + HEADER_KEY + "=\n" +
                               FOOTER_KEY + "=\n";
  EXPECT_EQ(hex(file_bytes(file())), hex(expected));
  // The next start reads the file it wrote.
  Rebound_Tester_Config next;
  next.Set_Start_Dir(dir.path().string());
  EXPECT_TRUE(next.Load());
  EXPECT_EQ(next.Get_Area_Template(), DEFAULT_NAME);
}

TEST_F(Config_File, MissingSettingFolderIsMadeAndDefaultsWritten) {
  std::filesystem::remove(dir.path() / "Setting");
  config.area_template.assign("A");
  config.default_print_template = 1;
  config.page_header.assign("kept");
  EXPECT_FALSE(config.Load());
  EXPECT_TRUE(std::filesystem::exists(file()));
  EXPECT_EQ(config.area_template, DEFAULT_NAME);
  EXPECT_EQ(config.default_print_template, 0);
  EXPECT_EQ(config.page_header, "kept");
  EXPECT_NE(file_bytes(file()).find(HEADER_KEY + "=kept\n"), std::string::npos);
}

TEST_F(Config_File, OnlyThePageHeader) {
  write_file("[" + SECTION + "]\n" + HEADER_KEY + "=abc\n");
  EXPECT_TRUE(config.Load());
  EXPECT_EQ(config.page_header, "abc");
  EXPECT_EQ(config.Get_Area_Template(), DEFAULT_NAME);
  EXPECT_EQ(config.Get_Component_Template(), DEFAULT_NAME);
  EXPECT_EQ(config.Get_Default_Print_Template(), 0);
  ASSERT_TRUE(config.Save());
  const std::string expected = "[" + SECTION + "]\n" + HEADER_KEY + "=abc\n" + AREA_KEY + "=" + DEFAULT_NAME +
                               "\n" + COMPONENT_KEY + "=" + DEFAULT_NAME + "\n" + KIND_KEY + "=0\n" +
                               FOOTER_KEY + "=\n";
  EXPECT_EQ(hex(file_bytes(file())), hex(expected));
}

TEST_F(Config_File, ReportKindValues) {
  const std::pair<const char*, int32_t> cases[] = {
      {"1", 1},
      {"7", 7},
      {"x", 0},
      {"", 0},
      {"  1  ", 1},
      {"0", 0},
      {"-1", -1},
      {"3abc", 3},
      // Beyond int32: held at the end of the range, so it still selects the
      // test-area report.
      {"99999999999", INT32_MAX},
      {"4294967296", INT32_MAX},
  };
  for (auto [value, kind] : cases) {
    write_file("[" + SECTION + "]\n" + KIND_KEY + "=" + value + "\n");
    config.default_print_template = 5;
    EXPECT_TRUE(config.Load());
    EXPECT_EQ(config.Get_Default_Print_Template(), kind) << "value '" << value << "'";
  }
}

TEST_F(Config_File, EmptyValueGivesAnEmptyName) {
  write_file("[" + SECTION + "]\n" + AREA_KEY + "=\n");
  EXPECT_TRUE(config.Load());
  EXPECT_EQ(config.Get_Area_Template(), "");
  EXPECT_EQ(config.Get_Component_Template(), DEFAULT_NAME);
}

TEST_F(Config_File, BlanksAroundKeysAndValues) {
  const std::string name = utf8_to_gbk("回弹 报表");
  write_file("[" + SECTION + "]\r\n  " + AREA_KEY + " \t=  " + name + " \t\r\n" + FOOTER_KEY + "= f \r\n");
  EXPECT_TRUE(config.Load());
  EXPECT_EQ(config.Get_Area_Template(), name);
  EXPECT_EQ(config.page_footer, "f");
}

TEST_F(Config_File, SaveKeepsEveryOtherLineByteForByte) {
  const std::string other = utf8_to_gbk("[其他]");
  const std::string head = "; " + utf8_to_gbk("注释") + "\r\n" + other + "\r\n" + HEADER_KEY +
                           "=other section\r\n\r\n" + "[" + SECTION + "]\r\n";
  const std::string tail = "\r\n[last]\r\nx = y ";
  write_file(head + " " + AREA_KEY + " = old \r\nextra = 1\r\n" + KIND_KEY + "=1\r\n" + tail);
  EXPECT_TRUE(config.Load());
  EXPECT_EQ(config.page_header, "");  // the other section's key is not ours
  EXPECT_EQ(config.default_print_template, 1);
  config.area_template.assign("A");
  config.default_print_template = 0;
  config.page_header.assign("H");
  ASSERT_TRUE(config.Save());
  const std::string expected = head + AREA_KEY + "=A\r\nextra = 1\r\n" + KIND_KEY + "=0\r\n" + COMPONENT_KEY +
                               "=" + DEFAULT_NAME + "\r\n" + HEADER_KEY + "=H\r\n" + FOOTER_KEY + "=\r\n" +
                               tail;
  EXPECT_EQ(hex(file_bytes(file())), hex(expected));
}

TEST_F(Config_File, UnreadableFileIsLeftAlone) {
  std::filesystem::create_directory(file());  // a folder where the file should be
  config.area_template.assign("A");
  EXPECT_FALSE(config.Load());
  EXPECT_EQ(config.area_template, "A");
  EXPECT_FALSE(config.Save());
  EXPECT_TRUE(std::filesystem::is_directory(file()));
}

TEST_F(Config_File, ResetDefaultsKeepsHeaderAndFooter) {
  config.area_template.assign("A");
  config.component_template.assign("B");
  config.default_print_template = 1;
  config.page_header.assign("H");
  config.page_footer.assign("F");
  config.Reset_Defaults();
  EXPECT_EQ(config.area_template, DEFAULT_NAME);
  EXPECT_EQ(config.component_template, DEFAULT_NAME);
  EXPECT_EQ(config.default_print_template, 0);
  EXPECT_EQ(config.page_header, "H");
  EXPECT_EQ(config.page_footer, "F");
}

TEST_F(Config_File, LineBreakInAValueStaysOnItsLine) {
  EXPECT_FALSE(config.Load());
  config.page_header.assign("a\r\n[" + SECTION + "]");
  ASSERT_TRUE(config.Save());
  Rebound_Tester_Config back;
  back.Set_Start_Dir(dir.path().string());
  EXPECT_TRUE(back.Load());
  EXPECT_EQ(back.page_header, "a  [" + SECTION + "]");
  EXPECT_EQ(back.page_footer, "");
}

TEST(Rebound_Tester_Config, StartDirectoryWithAChineseName) {
  Temp_Dir dir;
  const std::filesystem::path start = dir.path() / "检测";
  std::filesystem::create_directory(start);
  Rebound_Tester_Config config;
  config.Set_Start_Dir(start);
  EXPECT_FALSE(config.Load());
  EXPECT_TRUE(std::filesystem::exists(start / "Setting" / "Config.ini"));
  EXPECT_EQ(config.config_file, start / "Setting" / "Config.ini");
}

}  // namespace
