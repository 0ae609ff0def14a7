// The Qt report engine: the fetch loop and the fields, and real PDF files
// read back with pdftotext, pdfinfo and pdffonts.
#include "report/qt_report_engine.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <map>

#include "report/report_pdf_file.h"
#include "tests/report/engine_test_support.h"

namespace {

// A table of components over pages: a page header with a field, a column
// header, rows of two lines each, a report footer and the page numbers.
const char* const TABLE_TEMPLATE = R"(<?xml version="1.0" encoding="UTF-8"?>
<report>
  <page size="A4" margin-left="20" margin-top="15" margin-right="15" margin-bottom="15"/>
  <page-header><text>页眉 {工程名称}</text></page-header>
  <report-header><text font-size="16" bold="true">混凝土报告标题</text></report-header>
  <detail>
    <column label="序号列" width="10" field="序号" align="center"/>
    <column label="名称列" width="40" field="构件名称"/>
    <column label="备注列" width="50" field="备注信息"/>
  </detail>
  <report-footer><text>报告结尾 {{完}}</text></report-footer>
  <page-footer><text align="center">第 {page} 页 共 {pages} 页</text></page-footer>
</report>
)";

const char* const ONE_PAGE_TEMPLATE = R"(<report>
  <page size="A4" orientation="landscape"/>
  <detail><column label="名称列" width="1" field="构件名称"/></detail>
  <page-footer><text>第 {page} 页 共 {pages} 页</text></page-footer>
</report>
)";

void set(Qt_Report_Engine& engine, const char* field, const QString& text) {
  if (const Report_Field_Handle handle = engine.field_by_name(field)) handle->set_text(text);
}

class Qt_Report_Engine_Test : public ::testing::Test {
 protected:
  void load(Qt_Report_Engine& engine, const char* xml) {
    ASSERT_TRUE(engine.load_from_file(write_test_file(dir, "template.xml", xml)))
        << engine.last_error().toStdString();
  }

  // Records 1 to count: 序号, a name and a two-line remark, and in every
  // record another project name (only the first one's is shown).
  void fetch_components(Qt_Report_Engine& engine, int count) {
    int fetched = 0;
    engine.set_fetch_record([&engine, &fetched, count](bool& end) {
      end = fetched == count;
      if (end) return;
      ++fetched;
      set(engine, "序号", QString::number(fetched));
      set(engine, "构件名称", QStringLiteral("构件R%1号").arg(fetched));
      set(engine, "备注信息", QStringLiteral("首行R%1\n末行R%1").arg(fetched));
      set(engine, "工程名称", QStringLiteral("混凝土工程%1号").arg(fetched));
    });
    engine.fetch_records();
  }

  QTemporaryDir dir;
};

TEST_F(Qt_Report_Engine_Test, TablePdfOverSeveralPages) {
  Qt_Report_Engine engine;
  load(engine, TABLE_TEMPLATE);
  const int rows = 90;
  fetch_components(engine, rows);
  const QString pdf = dir.filePath("table.pdf");
  ASSERT_TRUE(engine.write_pdf(pdf));

  const int pages = pdf_pages(pdf);
  EXPECT_EQ(pages, engine.page_count());
  ASSERT_GT(pages, 2);
  std::map<int, int> row_page;
  for (int page = 1; page <= pages; ++page) {
    const QString text = pdf_text(pdf, page);
    EXPECT_TRUE(text.contains(QStringLiteral("页眉 混凝土工程1号"))) << page;
    EXPECT_FALSE(text.contains(QStringLiteral("混凝土工程2号"))) << page;
    EXPECT_TRUE(text.contains(QStringLiteral("第 %1 页 共 %2 页").arg(page).arg(pages))) << page;
    EXPECT_EQ(text.contains(QStringLiteral("混凝土报告标题")), page == 1) << page;
    EXPECT_EQ(text.contains(QStringLiteral("报告结尾 {完}")), page == pages) << page;
    EXPECT_EQ(text.count(QStringLiteral("名称列")), 1) << page;
    for (auto match = QRegularExpression("构件R(\\d+)号").globalMatch(text); match.hasNext();) {
      const int row = match.next().captured(1).toInt();
      EXPECT_EQ(row_page.count(row), 0u) << "row " << row << " twice";
      row_page[row] = page;
      // A row is kept whole: both lines of its remark are on its page.
      EXPECT_TRUE(text.contains(QStringLiteral("首行R%1\n").arg(row))) << row;
      EXPECT_TRUE(text.contains(QStringLiteral("末行R%1\n").arg(row))) << row;
    }
  }
  ASSERT_EQ(row_page.size(), static_cast<size_t>(rows));
  EXPECT_EQ(row_page.begin()->first, 1);
  EXPECT_EQ(row_page.rbegin()->first, rows);
  // The rows follow each other from page to page.
  for (auto row = row_page.begin(); std::next(row) != row_page.end(); ++row)
    EXPECT_LE(row->second, std::next(row)->second);

  // Both faces of the CJK font are embedded (the column "emb", fifth from the end).
  QStringList embedded;
  for (const QString& line : run_tool("pdffonts", {pdf}).split(u'\n')) {
    const QStringList columns = line.split(u' ', Qt::SkipEmptyParts);
    if (columns.size() > 5 && columns.front().startsWith("NotoSansCJKsc-") &&
        columns[columns.size() - 5] == "yes")
      embedded << columns.front();
  }
  embedded.sort();
  EXPECT_EQ(embedded, QStringList({"NotoSansCJKsc-Bold", "NotoSansCJKsc-Regular"}));
}

TEST_F(Qt_Report_Engine_Test, RowTallerThanAPageGoesOnOverTheNextPages) {
  Qt_Report_Engine engine;
  load(engine, TABLE_TEMPLATE);
  const int words = 800;
  QStringList remark;
  for (int word = 1; word <= words; ++word)
    remark << QStringLiteral("R%1").arg(word, 4, 10, QLatin1Char('0'));
  int calls = 0;
  engine.set_fetch_record([&](bool& end) {
    end = ++calls > 2;
    set(engine, "构件名称", calls == 1 ? QStringLiteral("长构件") : QStringLiteral("后构件"));
    set(engine, "备注信息", calls == 1 ? remark.join(u' ') : QString());
  });
  engine.fetch_records();
  const QString pdf = dir.filePath("tall.pdf");
  ASSERT_TRUE(engine.write_pdf(pdf));

  const int pages = pdf_pages(pdf);
  ASSERT_GT(pages, 2);
  QStringList found;
  for (int page = 1; page <= pages; ++page) {
    const QString text = pdf_text(pdf, page);
    EXPECT_EQ(text.count(QStringLiteral("名称列")), 1) << page;
    for (auto match = QRegularExpression("R\\d{4}").globalMatch(text); match.hasNext();)
      found << match.next().captured();
  }
  EXPECT_EQ(found, remark);
  EXPECT_TRUE(pdf_text(pdf, pages).contains(QStringLiteral("后构件")));
}

TEST_F(Qt_Report_Engine_Test, FetchLoopKeepsWhatEachRecordWasGiven) {
  Qt_Report_Engine engine;
  load(engine, TABLE_TEMPLATE);
  engine.field_by_name("构件名称")->set_text(QStringLiteral("场外值"));  // no record yet: dropped
  int calls = 0;
  engine.set_fetch_record([&](bool& end) {
    ++calls;
    end = false;
    if (calls == 1) {
      engine.field_by_name("序号")->set_integer(-7);
      engine.field_by_name("构件名称")->set_text(QStringLiteral("甲构件"));
    } else if (calls == 2) {
      engine.field_by_name("构件名称")->set_text(QStringLiteral("乙构件"));
    } else {
      engine.field_by_name("构件名称")->set_text(QStringLiteral("丢弃值"));
      end = true;
    }
  });
  engine.fetch_records();
  EXPECT_EQ(calls, 3);
  const QString pdf = dir.filePath("records.pdf");
  ASSERT_TRUE(engine.write_pdf(pdf));
  const QString text = pdf_text(pdf);
  EXPECT_TRUE(text.contains(QRegularExpression("-7\\s+甲构件"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("乙构件")));
  EXPECT_FALSE(text.contains(QStringLiteral("丢弃值")));
  EXPECT_FALSE(text.contains(QStringLiteral("场外值")));
  EXPECT_FALSE(text.contains(QStringLiteral("-7\n乙构件")));
}

TEST_F(Qt_Report_Engine_Test, FieldsAreTheNamesTheTemplateUses) {
  Qt_Report_Engine engine;
  EXPECT_FALSE(engine.field_by_name("构件名称"));
  load(engine, "<report><page-footer><text>{检测环境} {page} {{构件名称}}</text></page-footer></report>");
  const Report_Field_Handle own = engine.field_by_name("检测环境");
  ASSERT_TRUE(own);
  EXPECT_EQ(own->name(), QStringLiteral("检测环境"));
  EXPECT_FALSE(engine.field_by_name("构件名称"));
  EXPECT_FALSE(engine.field_by_name("page"));

  // A failed load keeps the template and its fields, and says where it broke.
  const QString broken = write_test_file(dir, "broken.xml", "<report>\n<page-footer>\n<text>{a</text>");
  EXPECT_FALSE(engine.load_from_file(broken));
  EXPECT_TRUE(engine.last_error().startsWith(QStringLiteral("第 3 行：")))
      << engine.last_error().toStdString();
  EXPECT_EQ(engine.field_by_name("检测环境"), own);
  EXPECT_FALSE(engine.load_from_file(dir.filePath("missing.xml")));

  // After the next load the old handle writes nowhere.
  load(engine, TABLE_TEMPLATE);
  EXPECT_FALSE(engine.field_by_name("检测环境"));
  int calls = 0;
  engine.set_fetch_record([&](bool& end) {
    own->set_text(QStringLiteral("旧字段值"));
    engine.field_by_name("构件名称")->set_text(QStringLiteral("新字段值"));
    end = ++calls > 1;
  });
  engine.fetch_records();
  const QString pdf = dir.filePath("reloaded.pdf");
  ASSERT_TRUE(engine.write_pdf(pdf));
  const QString text = pdf_text(pdf);
  EXPECT_TRUE(text.contains(QStringLiteral("新字段值")));
  EXPECT_FALSE(text.contains(QStringLiteral("旧字段值")));
}

TEST_F(Qt_Report_Engine_Test, ReportsInOnePdfKeepTheirOwnPagesAndPaper) {
  Qt_Report_Engine table, single;
  load(table, TABLE_TEMPLATE);
  fetch_components(table, 40);
  ASSERT_TRUE(single.load_from_file(write_test_file(dir, "single.xml", ONE_PAGE_TEMPLATE)));
  fetch_components(single, 2);

  const QString pdf = dir.filePath("two.pdf");
  int first_pages = 0;
  ASSERT_TRUE(Report_Pdf_File::write(pdf, [&](Report_Pdf_File& file) {
    if (!file.add(table)) return false;
    first_pages = table.page_count();
    return file.add(single);
  }));
  ASSERT_GT(first_pages, 1);

  ASSERT_EQ(pdf_pages(pdf), first_pages + 1);
  EXPECT_TRUE(pdf_text(pdf, first_pages).contains(QStringLiteral("第 %1 页 共 %1 页").arg(first_pages)));
  EXPECT_TRUE(pdf_text(pdf, first_pages + 1).contains(QStringLiteral("第 1 页 共 1 页")));
  const QStringList portrait = pdf_page_size(pdf, 1).split(" x ");
  const QStringList landscape = pdf_page_size(pdf, first_pages + 1).split(" x ");
  ASSERT_EQ(portrait.size(), 2);
  ASSERT_EQ(landscape.size(), 2);
  EXPECT_LT(portrait[0].toDouble(), portrait[1].toDouble());
  EXPECT_EQ(landscape[0], portrait[1]);
  EXPECT_EQ(landscape[1], portrait[0]);
}

TEST_F(Qt_Report_Engine_Test, LayoutFollowsTheDeviceResolution) {
  Qt_Report_Engine engine;
  load(engine, TABLE_TEMPLATE);
  fetch_components(engine, 60);
  std::vector<QString> texts;
  for (const int dpi : {300, 600, 1200}) {
    const QString pdf = dir.filePath(QStringLiteral("dpi%1.pdf").arg(dpi));
    {
      QPdfWriter writer(pdf);
      writer.setResolution(dpi);
      writer.setPageLayout(engine.page_layout());
      QPainter painter(&writer);
      ASSERT_TRUE(engine.paint(painter, writer));
    }
    texts.push_back(pdf_text(pdf));
  }
  EXPECT_EQ(texts[0].toStdString(), texts[1].toStdString());
  EXPECT_EQ(texts[1].toStdString(), texts[2].toStdString());
}

TEST_F(Qt_Report_Engine_Test, FailedPdfLeavesTheOldFile) {
  const QString pdf = write_test_file(dir, "old.pdf", "previous report");
  Qt_Report_Engine engine;  // no template
  EXPECT_FALSE(engine.write_pdf(pdf));
  load(engine, TABLE_TEMPLATE);
  EXPECT_FALSE(engine.write_pdf(dir.filePath("no-such-folder/new.pdf")));
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("previous report"));
}

}  // namespace
