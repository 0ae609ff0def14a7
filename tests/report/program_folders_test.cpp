// Where the program finds its folders: a start directory with Setting or
// Report is used as it stands; anywhere else the settings are the user's own
// (starting as a copy of the installed file) and the templates are the
// user's first, then the installed ones. Paths are kept byte for byte.
#include "report/program_folders.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTemporaryDir>
#include <fstream>

#include "model/gbk_codec.h"
#include "model/project_workflows.h"
#include "model/s_file.h"
#include "report/rebound_tester_config.h"
#include "report/report_setting_form_unit.h"
#include "report/report_templates.h"
#include "report/s_qt_text.h"
#include "tests/ui/scripted_ui_services.h"

namespace fs = std::filesystem;

namespace {

void put(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

std::string bytes_of(const fs::path& file) {
  std::string bytes;
  read_file(file, bytes, 1 << 20);
  return bytes;
}

const fs::path AREA(u8"测区");
const fs::path COMPONENT(u8"构件");

class Program_Folders_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    root = dir.path().toStdString();
    installed = {root / "home/.config/rv820", root / "home/.local/share/rv820/Report",
                 root / "usr/share/rv820"};
    fs::create_directories(root / "here");
  }

  QStringList items(const QComboBox* list) const {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->itemText(i);
    return names;
  }

  QTemporaryDir dir;
  fs::path root;
  Installed_Folders installed;
  Rebound_Tester_Config config;
  Scripted_UI_Services ui;
};

TEST_F(Program_Folders_Test, StartDirectoryWithSettingOrReportIsUsedAsItStands) {
  for (const char* folder : {"Setting", "Report"}) {
    SCOPED_TRACE(folder);
    const fs::path start = root / (std::string("start-") + folder);
    fs::create_directories(start / folder);
    Use_Program_Folders(config, start, installed);
    EXPECT_EQ(config.Get_Start_Dir(), start);
    EXPECT_EQ(config.config_file, start / "Setting" / "Config.ini");
    EXPECT_EQ(config.Get_Report_Dirs(), std::vector<fs::path>{start / "Report"});
  }
  EXPECT_FALSE(fs::exists(installed.user_settings));
}

TEST_F(Program_Folders_Test, ElsewhereTheUsersSettingsStartAsACopyOfTheInstalledOnes) {
  const std::string shipped =
      utf8_to_gbk("[系统设置]\n测区打印模版=甲.xml\n构件打印模板=乙.xml\n默认模板=1\n");
  put(installed.shared / "Config.ini", shipped);
  Use_Program_Folders(config, root / "here", installed);
  EXPECT_EQ(config.Get_Start_Dir(), fs::path());
  EXPECT_EQ(config.config_file, installed.user_settings / "Config.ini");
  EXPECT_EQ(config.Get_Report_Dirs(),
            (std::vector<fs::path>{installed.user_reports, installed.shared / "Report"}));
  EXPECT_TRUE(config.Load());
  EXPECT_EQ(config.Get_Area_Template(), utf8_to_gbk("甲.xml"));
  EXPECT_EQ(config.Get_Default_Print_Template(), 1);
  // Nothing is scattered into the current directory.
  EXPECT_TRUE(fs::is_empty(root / "here"));

  // A user's own file is never replaced by the installed one.
  config.area_template.assign(utf8_to_gbk("丙.xml"));
  ASSERT_TRUE(config.Save());
  Rebound_Tester_Config next;
  Use_Program_Folders(next, root / "here", installed);
  EXPECT_TRUE(next.Load());
  EXPECT_EQ(next.Get_Area_Template(), utf8_to_gbk("丙.xml"));
}

TEST_F(Program_Folders_Test, WithoutAnInstalledFileTheFirstStartWritesTheDefaults) {
  Use_Program_Folders(config, root / "here", installed);
  EXPECT_FALSE(config.Load());
  EXPECT_NE(bytes_of(installed.user_settings / "Config.ini").find(utf8_to_gbk("默认模版")),
            std::string::npos);
}

TEST_F(Program_Folders_Test, TemplatesOfBothPlacesAreListedAndTheUsersFileWins) {
  put(installed.user_reports / AREA / u8"自定义.xml", "<user/>");
  put(installed.user_reports / AREA / u8"测区强度检测报告.xml", "<user/>");
  put(installed.user_reports / AREA / ".hidden.xml", "<user/>");
  fs::create_directories(installed.user_reports / AREA / "folder.xml");
  put(installed.shared / "Report" / AREA / u8"测区强度检测报告.xml", "<shared/>");
  put(installed.shared / "Report" / COMPONENT / u8"构件强度检测报告.xml", "<shared/>");
  put(installed.shared / "Config.ini",
      utf8_to_gbk("[系统设置]\n测区打印模版=测区强度检测报告.xml\n构件打印模板=构件强度检测报告.xml\n"));
  Use_Program_Folders(config, root / "here", installed);
  config.Load();

  TReport_Setting_Form form(ui, nullptr, config);
  form.Init_Report_Settings();
  EXPECT_TRUE(ui.informations().isEmpty()) << ui.informations().join(u'|').toStdString();
  EXPECT_EQ(items(form.Area_Template_Cb), QStringList({"测区强度检测报告.xml", "自定义.xml"}));
  EXPECT_EQ(items(form.Component_Template_Cb), QStringList({"构件强度检测报告.xml"}));

  EXPECT_EQ(configured_template(config, Report_Kind::Area).path,
            installed.user_reports / AREA / u8"测区强度检测报告.xml");
  EXPECT_EQ(configured_template(config, Report_Kind::Component).path,
            installed.shared / "Report" / COMPONENT / u8"构件强度检测报告.xml");
  // Choosing a template stores its bare file name, as in a start directory.
  form.Area_Template_Cb->setCurrentIndex(1);
  form.sButton2Click();
  EXPECT_EQ(config.Get_Area_Template(), utf8_to_gbk("自定义.xml"));
  EXPECT_EQ(configured_template(config, Report_Kind::Area).path,
            installed.user_reports / AREA / u8"自定义.xml");
}

TEST_F(Program_Folders_Test, AStartDirectoryWhoseNameIsNotUtf8KeepsItsBytes) {
  const fs::path start = root / "\xBC\xEC\xB2\xE2";  // 检测 in GBK, as unpacked from another system
  put(start / "Report" / AREA / "a.xml", "<report/>");
  put(start / "Report" / COMPONENT / "b.xml", "<report/>");
  Use_Program_Folders(config, start, installed);
  EXPECT_EQ(config.Get_Start_Dir().native(), start.native());
  config.Load();
  TReport_Setting_Form form(ui, nullptr, config);
  form.Init_Report_Settings();
  EXPECT_EQ(ui.informations(), QStringList({"选用默认的第一个模版。", "选用默认的第一个模版。"}));
  EXPECT_EQ(items(form.Area_Template_Cb), QStringList({"a.xml"}));
  EXPECT_NE(bytes_of(start / "Setting" / "Config.ini").find("b.xml"), std::string::npos);
  EXPECT_EQ(configured_template(config, Report_Kind::Component).path, start / "Report" / COMPONENT / "b.xml");
  // Shown as text, the undecodable bytes become U+FFFD and the rest stays.
  EXPECT_EQ(utf8_to_qstring(path_text(start / "x")),
            utf8_to_qstring(path_text(root)) + QStringLiteral("/\uFFFD\uFFFD\uFFFD\uFFFD/x"));
}

}  // namespace
