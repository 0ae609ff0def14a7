// The print-preview window over the real engine: it builds the report when
// it is shown, pages through it and prints it through the print dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <functional>

#include "report/report_print_preview_unit.h"
#include "tests/report/engine_test_support.h"
#include "tests/ui/scripted_ui_services.h"

namespace {

const char* const PREVIEW_TEMPLATE = R"(<report>
  <detail row-height="12"><column label="名称列" width="1" field="构件名称"/></detail>
  <page-footer><text>第 {page} 页 共 {pages} 页</text></page-footer>
</report>
)";

class Preview_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(preview.Grid_Report.load_from_file(write_test_file(dir, "preview.xml", PREVIEW_TEMPLATE)));
    preview.Grid_Report.set_fetch_record([this](bool& end) {
      ++calls;
      end = records == ROWS;
      if (!end)
        preview.Grid_Report.field_by_name("构件名称")->set_text(QStringLiteral("构件%1").arg(++records));
    });
  }

  // Shows the window as the user opens it: one report per showing.
  void open() {
    records = 0;
    preview.show();
    QCoreApplication::processEvents();
  }

  void trigger(const char* action) { preview.findChild<QAction*>(action)->trigger(); }
  QString page_label() { return preview.findChild<QLabel*>("Page_Number_Lbl")->text(); }

  // Chooses the PDF file in the print dialog and accepts it.
  void print_to(const QString& pdf) {
    services.dialog_steps.push_back([pdf, this](QDialog& dialog) {
      auto* print_dialog = qobject_cast<QPrintDialog*>(&dialog);
      EXPECT_TRUE(print_dialog);
      if (!print_dialog) return dialog.reject();
      print_dialog->printer()->setOutputFileName(pdf);
      ++dialogs;
      // done() keeps the printer as set here; accept() would take the
      // dialog's own fields.
      dialog.done(QDialog::Accepted);
    });
    trigger("Print_Act");
  }

  static constexpr int ROWS = 60;
  QTemporaryDir dir;
  // Answers the print dialog by the test's step; the preview asks nothing else.
  Scripted_UI_Services services;
  TReport_Print_Preview preview{services};
  int dialogs = 0;
  int calls = 0;
  int records = 0;
};

TEST_F(Preview_Test, Window) {
  EXPECT_EQ(preview.windowTitle(), QStringLiteral("RV820-数显回弹仪 - 打印预览"));
  EXPECT_TRUE(preview.windowState() & Qt::WindowMaximized);
  EXPECT_EQ(preview.size(), QSize(783, 452));
  EXPECT_EQ(preview.findChild<QPrintPreviewWidget*>("Gr_Print_Preview"), preview.Gr_Print_Preview);
}

TEST_F(Preview_Test, BuildsOncePerShowingAndPages) {
  open();
  EXPECT_EQ(calls, ROWS + 1);
  const int pages = preview.Grid_Report.page_count();
  ASSERT_GT(pages, 2);
  EXPECT_EQ(preview.Gr_Print_Preview->pageCount(), pages);
  EXPECT_EQ(page_label(), QStringLiteral("第 1 页 / 共 %1 页").arg(pages));

  trigger("Next_Page_Act");
  EXPECT_EQ(preview.Gr_Print_Preview->currentPage(), 2);
  trigger("Last_Page_Act");
  EXPECT_EQ(preview.Gr_Print_Preview->currentPage(), pages);
  EXPECT_FALSE(preview.findChild<QAction*>("Next_Page_Act")->isEnabled());
  trigger("Prior_Page_Act");
  EXPECT_EQ(page_label(), QStringLiteral("第 %1 页 / 共 %2 页").arg(pages - 1).arg(pages));
  trigger("First_Page_Act");
  EXPECT_EQ(preview.Gr_Print_Preview->currentPage(), 1);

  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(&preview, &activate);
  EXPECT_EQ(calls, ROWS + 1);

  preview.hide();
  open();
  EXPECT_EQ(calls, 2 * (ROWS + 1));
  EXPECT_TRUE(preview.windowState() & Qt::WindowMaximized);
}

TEST_F(Preview_Test, PrintsToThePdfFileChosenInTheDialog) {
  open();
  const QString pdf = dir.filePath("printed.pdf");
  print_to(pdf);
  EXPECT_EQ(dialogs, 1);
  ASSERT_EQ(pdf_pages(pdf), preview.Grid_Report.page_count());
  EXPECT_TRUE(pdf_text(pdf).contains(QStringLiteral("构件%1").arg(ROWS)));
  EXPECT_EQ(calls, ROWS + 1);
  EXPECT_TRUE(services.informations().isEmpty());
}

TEST_F(Preview_Test, FailedPrintIsTold) {
  open();
  const QString pdf = dir.filePath("no-such-folder/printed.pdf");
  print_to(pdf);
  EXPECT_EQ(services.informations(), QStringList({QStringLiteral("报表文件[%1]导出失败！").arg(pdf)}));
}

TEST_F(Preview_Test, CancelledPrintDialogPrintsNothing) {
  open();
  const QString pdf = dir.filePath("cancelled.pdf");
  services.dialog_steps.push_back([&](QDialog& dialog) {
    qobject_cast<QPrintDialog*>(&dialog)->printer()->setOutputFileName(pdf);
    dialog.reject();
  });
  trigger("Print_Act");
  EXPECT_FALSE(QFile::exists(pdf));
  EXPECT_TRUE(services.informations().isEmpty());
}

}  // namespace
