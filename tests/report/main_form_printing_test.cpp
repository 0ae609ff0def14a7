// The main window's report commands on the real windows: Print through the
// print dialog into a PDF file, Print preview once per report, the report
// settings dialog, and the settings brought into line when the window shows.
#include <QComboBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/gbk_codec.h"
#include "report/rebound_tester_config.h"
#include "report/report_print_preview_unit.h"
#include "report/report_setting_form_unit.h"
#include "tests/report/pdf_reader.h"
#include "tests/ui/main_window_fixture.h"

namespace {

namespace fs = std::filesystem;
using Kind = Scripted_UI_Services::Kind;

const char* const AREA_TEMPLATE = "测区强度检测报告.xml";
const char* const COMPONENT_TEMPLATE = "构件强度检测报告.xml";
const char* const NAMES[] = {"柱甲", "梁乙", "板丙"};

class Main_Form_Printing_Test : public Main_Window_Test {
 protected:
  void SetUp() override {
    Main_Window_Test::SetUp();
    copy_templates();
    Tester_Config().area_template.assign(utf8_to_gbk(AREA_TEMPLATE));
    Tester_Config().component_template.assign(utf8_to_gbk(COMPONENT_TEMPLATE));
    import_samples({3, 4, 2});
    for (int i = 0; i < 3; ++i) form().project.component(i)->component_name.assign(utf8_to_gbk(NAMES[i]));
    // The first and the third ticked.
    tick(0, true);
    tick(2, true);
    ui.asked.clear();
  }

  void copy_templates() {
    for (const auto& [folder, file, shipped] : {std::tuple{"Report/测区", AREA_TEMPLATE, "area"},
                                                std::tuple{"Report/构件", COMPONENT_TEMPLATE, "component"}}) {
      const fs::path target = fs::path(path(QString::fromUtf8(folder)).toStdString());
      fs::create_directories(target);
      fs::copy_file(fs::path(RV820_TEMPLATES_DIR) / shipped / file, target / file,
                    fs::copy_options::overwrite_existing);
    }
  }

  TReport_Print_Preview& preview() { return *windows.dialogs.print_preview; }
  std::vector<Scripted_UI_Services::Asked> modals() const {
    std::vector<Scripted_UI_Services::Asked> shown;
    for (const auto& a : ui.asked)
      if (a.kind == Kind::Modal) shown.push_back(a);
    return shown;
  }
};

TEST_F(Main_Form_Printing_Test, PreviewShowsOneWindowPerTickedComponentInTheTestAreaReport) {
  Tester_Config().default_print_template = 1;
  std::vector<std::string> shown;
  for (int i = 0; i < 2; ++i) {
    ui.dialog_steps.push_back([&, i](QDialog& d) {
      EXPECT_GE(preview().Gr_Print_Preview->pageCount(), 1);
      const QString pdf = path(QStringLiteral("preview%1.pdf").arg(i));
      EXPECT_TRUE(preview().Grid_Report.write_pdf(pdf));
      shown.push_back(pdf_reader::blank_free_text(pdf.toStdString()));
      d.close();
    });
  }
  child<QAction>("Print_Preview_Act")->trigger();
  EXPECT_EQ(modals().size(), 2u);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_NE(shown[0].find(std::string("构件名称：") + NAMES[0]), std::string::npos);
  EXPECT_NE(shown[1].find(std::string("构件名称：") + NAMES[2]), std::string::npos);
  EXPECT_TRUE(ui.informations().isEmpty());
}

TEST_F(Main_Form_Printing_Test, PrintWritesTheComponentReportThroughThePrintDialog) {
  Tester_Config().default_print_template = 0;
  const QString pdf = path(QStringLiteral("printed.pdf"));
  ui.dialog_steps.push_back([&](QDialog& d) {
    auto& dialog = dynamic_cast<QPrintDialog&>(d);
    dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
    dialog.printer()->setOutputFileName(pdf);
    // done() keeps the printer as set here; accept() would take the settings
    // of the dialog's own widgets.
    dialog.done(QDialog::Accepted);
  });
  child<QAction>("Print_Act")->trigger();
  const std::string text = pdf_reader::blank_free_text(pdf.toStdString());
  EXPECT_NE(text.find(NAMES[0]), std::string::npos);
  EXPECT_NE(text.find(NAMES[2]), std::string::npos);
  EXPECT_EQ(text.find(NAMES[1]), std::string::npos);
  EXPECT_TRUE(ui.informations().isEmpty()) << ui.informations().join(',').toStdString();
}

// After a preview of a one-page report, printing a longer one offers all of
// its pages.
TEST_F(Main_Form_Printing_Test, PrintDialogOffersThePagesOfTheReportPrinted) {
  Tester_Config().default_print_template = 1;
  tick(0, false);
  ui.dialog_steps.push_back([&](QDialog& d) {
    EXPECT_EQ(preview().Gr_Print_Preview->pageCount(), 1);
    d.close();
  });
  child<QAction>("Print_Preview_Act")->trigger();

  QString long_name;
  for (int i = 0; i < 400; ++i) long_name += QStringLiteral("混凝土框架柱第%1段").arg(i);
  form().project.component(2)->component_name.assign(utf8_to_gbk(long_name.toStdString()));
  Tester_Config().default_print_template = 0;
  int offered = 0;
  ui.dialog_steps.push_back([&](QDialog& d) {
    offered = dynamic_cast<QPrintDialog&>(d).maxPage();
    d.reject();
  });
  child<QAction>("Print_Act")->trigger();
  EXPECT_GT(offered, 3);
  EXPECT_EQ(offered, preview().Grid_Report.page_count());
}

TEST_F(Main_Form_Printing_Test, ATemplateThatCannotBeLoadedIsToldWithTheReasonAndLine) {
  Tester_Config().default_print_template = 0;
  std::ofstream(fs::path(path(QStringLiteral("Report/构件")).toStdString()) / COMPONENT_TEMPLATE)
      << "<report>\n<page-header>\n<text>{测试人}</text>\n</page-header>\n</report>\n";
  child<QAction>("Print_Act")->trigger();
  EXPECT_EQ(ui.informations(),
            QStringList{QStringLiteral("模版文件[%1]无法加载，请在[报表设置]中选择其他模版。\n"
                                       "第 3 行：没有名为“测试人”的字段")
                            .arg(QString::fromUtf8(COMPONENT_TEMPLATE))});
  EXPECT_TRUE(modals().empty());
}

TEST_F(Main_Form_Printing_Test, CancellingThePrintDialogEndsTheCommand) {
  Tester_Config().default_print_template = 1;
  ui.dialog_steps.push_back([](QDialog& d) { d.reject(); });
  child<QAction>("Print_Act")->trigger();
  EXPECT_EQ(modals().size(), 1u);
  EXPECT_TRUE(ui.informations().isEmpty());
}

TEST_F(Main_Form_Printing_Test, PrintingWithoutATickedComponentSaysSo) {
  tick(0, false);
  tick(2, false);
  for (int32_t kind : {0, 1}) {
    ui.asked.clear();
    Tester_Config().default_print_template = kind;
    child<QAction>("Print_Act")->trigger();
    EXPECT_EQ(ui.informations(), QStringList{QStringLiteral("请至少选取一个构件进行此操作。")});
    EXPECT_TRUE(modals().empty());
  }
}

TEST_F(Main_Form_Printing_Test, ReportSettingsDialogStoresTheChosenKind) {
  Tester_Config().default_print_template = 0;
  ui.dialog_steps.push_back([](QDialog& d) {
    auto& dialog = dynamic_cast<TReport_Setting_Form&>(d);
    dialog.Default_Print_Template_Cb->setCurrentIndex(1);
    dialog.sButton2->click();
  });
  child<QAction>("Report_Setting_Act")->trigger();
  EXPECT_EQ(
      modals(),
      (std::vector<Scripted_UI_Services::Asked>{{Kind::Modal, QStringLiteral("TReport_Setting_Form")}}));
  EXPECT_EQ(Tester_Config().default_print_template, 1);
}

TEST_F(Main_Form_Printing_Test, ShowingTheWindowListsTheTemplateFolders) {
  // At start-up the folders were empty, so the names were emptied.
  Tester_Config().area_template.assign("");
  Tester_Config().component_template.assign("");
  form().hide();
  form().show();
  EXPECT_EQ(ui.informations(), (QStringList{QStringLiteral("选用默认的第一个模版。"),
                                            QStringLiteral("选用默认的第一个模版。")}));
  EXPECT_EQ(Tester_Config().area_template, utf8_to_gbk(AREA_TEMPLATE));
  EXPECT_EQ(Tester_Config().component_template, utf8_to_gbk(COMPONENT_TEMPLATE));
  EXPECT_EQ(windows.dialogs.report_setting->Area_Template_Cb->currentText(),
            QString::fromUtf8(AREA_TEMPLATE));
}

}  // namespace
