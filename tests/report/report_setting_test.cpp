// The report settings dialog: its controls, how it brings the stored template
// names into line with the template folders, and what OK stores.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <fstream>

#include "model/gbk_codec.h"
#include "report/report_setting_form_unit.h"
#include "tests/ui/scripted_ui_services.h"

namespace {

const QString FIRST_CHOSEN = QStringLiteral("选用默认的第一个模版。");
const QString NO_FILE = QStringLiteral("没有发现测区模版文件文件");

std::string gbk(const char* utf8) { return utf8_to_gbk(utf8); }

class Report_Setting_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    config.Set_Start_Dir(dir.path().toStdString());
    config.Load();  // creates Config.ini with the defaults
  }

  // Creates the file (or, with a trailing '/', the folder) under Report/.
  void make(const std::string& relative) {
    const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "Report" / relative;
    if (relative.back() == '/') {
      std::filesystem::create_directories(path);
    } else {
      std::filesystem::create_directories(path.parent_path());
      std::ofstream(path) << "<report/>";
    }
  }

  // The settings as the next start reads them from Config.ini.
  Rebound_Tester_Config reloaded() {
    Rebound_Tester_Config again;
    again.Set_Start_Dir(config.Get_Start_Dir());
    EXPECT_TRUE(again.Load());
    return again;
  }

  static QStringList items(const QComboBox* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->itemText(i);
    return names;
  }

  QTemporaryDir dir;
  Rebound_Tester_Config config;
  // The dialog asks nothing but information: any other question fails the test.
  Scripted_UI_Services ui;
};

TEST_F(Report_Setting_Test, ControlsAndLabels) {
  TReport_Setting_Form form(ui, nullptr, config);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("报表设置"));
  EXPECT_EQ(form.size(), QSize(478, 226));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(form.sButton2->text(), QStringLiteral("确   定"));
  EXPECT_EQ(items(form.Default_Print_Template_Cb),
            (QStringList{QStringLiteral("只打印构件"), QStringLiteral("只打印测区")}));
  EXPECT_EQ(form.Default_Print_Template_Cb->currentIndex(), -1);
  for (const QComboBox* list :
       {form.Area_Template_Cb, form.Component_Template_Cb, form.Default_Print_Template_Cb})
    EXPECT_FALSE(list->isEditable());
  for (const char* name : {"Area_Template_Cb", "Component_Template_Cb", "Default_Print_Template_Cb"})
    EXPECT_NE(form.findChild<QComboBox*>(name), nullptr) << name;
  EXPECT_NE(form.findChild<QPushButton*>("sButton2"), nullptr);
  for (const QLineEdit* edit : {form.Page_Header_Txt, form.Page_Footer_Txt}) {
    EXPECT_TRUE(edit->isHidden());
    EXPECT_FALSE(edit->isEnabled());
  }
  QStringList labels;
  for (const QLabel* label : form.findChildren<QLabel*>()) labels << label->text();
  for (const char* text : {"测区模版：", "构件模版：", "默认模版：", "页    眉：", "页    脚："})
    EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
}

TEST_F(Report_Setting_Test, FirstStartChoosesTheFirstFileOfEachFolderAndSavesIt) {
  // Created out of order: the lists are sorted by name.
  for (const char* file :
       {"测区/回弹2.xml", "测区/回弹1.xml", "构件/b.xml", "构件/a.xml", "构件/子目录/", "构件/.hidden"})
    make(file);
  TReport_Setting_Form form(ui, nullptr, config);
  EXPECT_TRUE(form.Init_Report_Settings());

  EXPECT_EQ(ui.informations(), (QStringList{FIRST_CHOSEN, FIRST_CHOSEN}));
  EXPECT_EQ(items(form.Area_Template_Cb),
            (QStringList{QStringLiteral("回弹1.xml"), QStringLiteral("回弹2.xml")}));
  EXPECT_EQ(items(form.Component_Template_Cb),
            (QStringList{QStringLiteral("a.xml"), QStringLiteral("b.xml")}));
  EXPECT_EQ(config.area_template, gbk("回弹1.xml"));
  EXPECT_EQ(config.component_template, gbk("a.xml"));
  const Rebound_Tester_Config saved = reloaded();
  EXPECT_EQ(saved.area_template, gbk("回弹1.xml"));
  EXPECT_EQ(saved.component_template, gbk("a.xml"));
}

TEST_F(Report_Setting_Test, StoredNamesAreMatchedByteForByte) {
  struct Case {
    const char* stored;  // UTF-8
    const char* chosen;
    QStringList messages;
  };
  const Case cases[] = {
      {"b.xml", "b.xml", {}},
      {"B.XML", "a.xml", {FIRST_CHOSEN}},
      {"默认模版", "a.xml", {FIRST_CHOSEN}},
      {"", "a.xml", {FIRST_CHOSEN}},
  };
  for (const char* file : {"测区/b.xml", "构件/b.xml", "构件/a.xml"}) make(file);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    config.area_template.assign(gbk("b.xml"));
    config.component_template.assign(gbk(c.stored));
    ui.asked.clear();
    TReport_Setting_Form form(ui, nullptr, config);
    form.Init_Report_Settings();
    EXPECT_EQ(ui.informations(), c.messages);
    EXPECT_EQ(form.Component_Template_Cb->currentText(), QString::fromUtf8(c.chosen));
    EXPECT_EQ(reloaded().component_template, gbk(c.chosen));
  }
}

TEST_F(Report_Setting_Test, EmptyOrMissingFolderKeepsTheListAndEmptiesTheName) {
  make("测区/");  // empty; the component folder does not exist
  TReport_Setting_Form form(ui, nullptr, config);
  form.Init_Report_Settings();
  EXPECT_EQ(ui.informations(), (QStringList{NO_FILE, NO_FILE}));
  EXPECT_EQ(form.Area_Template_Cb->count(), 0);
  EXPECT_EQ(config.area_template, "");
  EXPECT_EQ(reloaded().component_template, "");

  // A later fill that finds nothing leaves the entries of the earlier one.
  make("测区/甲.xml");
  form.Init_Report_Settings();
  std::filesystem::remove(std::filesystem::path(dir.path().toStdString()) / "Report/测区/甲.xml");
  ui.asked.clear();
  form.Init_Report_Settings();
  EXPECT_EQ(ui.informations(), (QStringList{NO_FILE, NO_FILE}));
  EXPECT_EQ(items(form.Area_Template_Cb), QStringList{QStringLiteral("甲.xml")});
  EXPECT_EQ(config.area_template, gbk("甲.xml"));
}

TEST_F(Report_Setting_Test, ReportKindShownAndStoredByOk) {
  struct Case {
    int32_t stored;
    int shown;
    int chosen;  // -1: left as shown
    int32_t saved;
  };
  const Case cases[] = {{0, 0, -1, 0},    {1, 1, -1, 1}, {5, -1, -1, -1},
                        {-1, -1, -1, -1}, {5, -1, 0, 0}, {0, 0, 1, 1}};
  make("测区/a.xml");
  make("构件/a.xml");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    config.default_print_template = c.stored;
    config.page_header.assign(gbk("页眉文字"));
    config.page_footer.assign(gbk("页脚文字"));
    config.Save();
    TReport_Setting_Form form(ui, nullptr, config);
    form.Init_Report_Settings();
    EXPECT_EQ(form.Default_Print_Template_Cb->currentIndex(), c.shown);
    if (c.chosen >= 0) form.Default_Print_Template_Cb->setCurrentIndex(c.chosen);
    config.page_header.assign("");
    config.page_footer.assign("");  // OK writes back what the dialog shows
    form.sButton2->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const Rebound_Tester_Config saved = reloaded();
    EXPECT_EQ(saved.default_print_template, c.saved);
    EXPECT_EQ(saved.page_header, gbk("页眉文字"));
    EXPECT_EQ(saved.page_footer, gbk("页脚文字"));
    EXPECT_EQ(saved.area_template, gbk("a.xml"));
  }
}

}  // namespace
