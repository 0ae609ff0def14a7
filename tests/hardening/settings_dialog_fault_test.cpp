// The report settings dialog under file faults. A template folder that
// cannot be read shows "没有发现测区模版文件文件" once and keeps the list and
// the stored name as they were; settings that cannot be written are a silent
// failure: OK closes the dialog and the values in memory are the dialog's.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QComboBox>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "fault_support.h"
#include "model/gbk_codec.h"
#include "report/report_setting_form_unit.h"
#include "tests/model/test_support.h"
#include "tests/ui/scripted_ui_services.h"

using test_support::file_bytes;

namespace {

const QString NO_FILE = QStringLiteral("没有发现测区模版文件文件");

class Settings_Dialog_Fault : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    root = dir.path().toStdString();
    fault_support::open_to_everyone(root);
    for (const char* file :
         {"Report/测区/甲.xml", "Report/测区/乙.xml", "Report/构件/丙.xml", "Report/构件/丁.xml"}) {
      std::filesystem::create_directories((root / file).parent_path());
      std::ofstream(root / file) << "<report/>";
    }
    config.Set_Start_Dir(root);
    config.Load();
    // The first start chooses the first file of each folder.
    form.Init_Report_Settings();
    ui.asked.clear();
  }

  static QStringList items(const QComboBox* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->itemText(i);
    return names;
  }

  QTemporaryDir dir;
  std::filesystem::path root;
  Rebound_Tester_Config config;
  Scripted_UI_Services ui;
  TReport_Setting_Form form{ui, nullptr, config};
};

struct Unreadable {
  const char* name;
  void (*apply)(const std::filesystem::path& folder);
  bool unprivileged;
};

const Unreadable UNREADABLES[] = {
    {"no permission to read", [](const std::filesystem::path& f) { ::chmod(f.c_str(), 0); }, true},
    {"a file where the folder should be",
     [](const std::filesystem::path& f) {
       std::filesystem::remove_all(f);
       std::ofstream(f) << "x";
     },
     false},
    {"a symbolic link to itself",
     [](const std::filesystem::path& f) {
       std::filesystem::remove_all(f);
       std::filesystem::create_directory_symlink(f, f);
     },
     false},
};

TEST_F(Settings_Dialog_Fault, UnreadableTemplateFolderKeepsTheListAndTheName) {
  const std::filesystem::path area = root / "Report/测区";
  const QStringList area_items = items(form.Area_Template_Cb);
  const QStringList component_items = items(form.Component_Template_Cb);
  ASSERT_EQ(area_items.size(), 2);
  form.Area_Template_Cb->setCurrentIndex(1);
  form.sButton2Click();
  const S_String chosen = config.area_template;
  const std::string file = file_bytes(root / "Setting/Config.ini");
  ui.asked.clear();

  for (const Unreadable& u : UNREADABLES) {
    SCOPED_TRACE(u.name);
    u.apply(area);
    {
      std::unique_ptr<fault_support::Unprivileged_Scope> unprivileged;
      if (u.unprivileged) unprivileged = std::make_unique<fault_support::Unprivileged_Scope>();
      form.Init_Report_Settings();
    }
    EXPECT_EQ(ui.informations(), QStringList{NO_FILE});
    EXPECT_EQ(items(form.Area_Template_Cb), area_items);
    EXPECT_EQ(form.Area_Template_Cb->currentIndex(), 1);
    EXPECT_EQ(config.area_template, chosen);
    EXPECT_EQ(items(form.Component_Template_Cb), component_items);
    EXPECT_EQ(file_bytes(root / "Setting/Config.ini"), file);
    // Back to a readable folder for the next case.
    std::filesystem::remove_all(area);
    std::filesystem::create_directories(area);
    ::chmod(area.c_str(), 0755);
    ui.asked.clear();
  }
}

TEST_F(Settings_Dialog_Fault, OkWithSettingsThatCannotBeWrittenIsSilent) {
  const std::filesystem::path setting = root / "Setting";
  const std::string file = file_bytes(setting / "Config.ini");
  form.Area_Template_Cb->setCurrentIndex(1);
  form.Default_Print_Template_Cb->setCurrentIndex(1);
  ::chmod(setting.c_str(), 0555);
  {
    fault_support::Unprivileged_Scope unprivileged;
    form.show();
    form.sButton2Click();
  }
  ::chmod(setting.c_str(), 0755);
  EXPECT_TRUE(ui.asked.empty());
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(config.area_template, utf8_to_gbk(items(form.Area_Template_Cb)[1].toStdString()));
  EXPECT_EQ(config.default_print_template, 1);
  EXPECT_EQ(file_bytes(setting / "Config.ini"), file);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(setting), {}), 1);
}

}  // namespace
