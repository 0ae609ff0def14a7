// The Qt report engine: the fetch loop and the fields, and real PDF files
// read back with pdftotext, pdfinfo and pdffonts.
#include "report/qt_report_engine.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <map>

#include "model/gbk_codec.h"
#include "report/report_pdf_file.h"
#include "report/report_template.h"
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
  ASSERT_TRUE(Report_Pdf_File::write(qstring_to_path(pdf), [&](Report_Pdf_File& file) {
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

// Every character of GB2312 reads back from the PDF as the character that
// was printed, also those whose glyph a radical or a compatibility form
// shares (胶 and 㬵, ～ and 〜, ／ and ∕).
TEST_F(Qt_Report_Engine_Test, EveryGb2312CharacterReadsBackAsItself) {
  // The cells of GB2312 that hold a character, as ranges of code pairs.
  const struct {
    int first, last;
  } cells[] = {{0xA1A1, 0xA1FE}, {0xA2B1, 0xA2E2}, {0xA2E5, 0xA2EE}, {0xA2F1, 0xA2FC}, {0xA3A1, 0xA3FE},
               {0xA4A1, 0xA4F3}, {0xA5A1, 0xA5F6}, {0xA6A1, 0xA6B8}, {0xA6C1, 0xA6D8}, {0xA7A1, 0xA7C1},
               {0xA7D1, 0xA7F1}, {0xA8A1, 0xA8BA}, {0xA8C5, 0xA8E9}, {0xA9A4, 0xA9EF}};
  std::vector<int> codes;
  for (const auto& range : cells)
    for (int code = range.first; code <= range.last; ++code) codes.push_back(code);
  for (int lead = 0xB0; lead <= 0xF7; ++lead)
    for (int trail = 0xA1; trail <= (lead == 0xD7 ? 0xF9 : 0xFE); ++trail) codes.push_back(lead << 8 | trail);
  ASSERT_EQ(codes.size(), 7445u);
  QString all;
  for (const int code : codes) {
    const std::string gbk{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    const QString character = QString::fromStdString(gbk_to_utf8(gbk));
    ASSERT_EQ(character.size(), 1) << std::hex << code;
    if (!character[0].isSpace()) all += character;  // all but the ideographic space
  }
  Qt_Report_Engine engine;
  load(engine, "<report><report-header><text font-size=\"8\">{备注信息}</text></report-header></report>");
  bool given = false;
  engine.set_fetch_record([&](bool& end) {
    end = given;
    if (!given) set(engine, "备注信息", all);
    given = true;
  });
  engine.fetch_records();
  const QString pdf = dir.filePath("gb2312.pdf");
  ASSERT_TRUE(engine.write_pdf(pdf));
  QString read = pdf_text(pdf);
  read.removeIf([](QChar c) { return c.isSpace(); });
  ASSERT_EQ(read.size(), all.size());
  for (qsizetype i = 0; i < all.size(); ++i)
    EXPECT_EQ(read[i], all[i]) << "U+" << QString::number(all[i].unicode(), 16).toStdString() << " reads U+"
                               << QString::number(read[i].unicode(), 16).toStdString();
}

// A page header too tall for the page is cut short with "…" and the engine
// says so; a report header taller than a page goes on over the next pages.
TEST_F(Qt_Report_Engine_Test, BandsTallerThanThePageAreShortenedOrGoOn) {
  QString remark;
  for (int i = 1; i <= 400; ++i) remark += QStringLiteral("备注第%1句。").arg(i);
  Qt_Report_Engine engine;
  for (const bool in_page_header : {true, false}) {
    SCOPED_TRACE(in_page_header);
    const char* band = in_page_header ? "page-header" : "report-header";
    load(engine,
         QStringLiteral("<report><%1><text font-size=\"14\">{备注信息}</text><text>表头之后</text></%1>"
                        "<detail><column label=\"名称列\" width=\"1\" field=\"构件名称\"/></detail></report>")
             .arg(QLatin1String(band))
             .toUtf8()
             .constData());
    int fetched = 0;
    engine.set_fetch_record([&](bool& end) {
      end = fetched++ == 1;
      if (!end) set(engine, "备注信息", remark), set(engine, "构件名称", QStringLiteral("构件甲"));
    });
    engine.fetch_records();
    const QString pdf = dir.filePath(QStringLiteral("%1.pdf").arg(QLatin1String(band)));
    ASSERT_TRUE(engine.write_pdf(pdf));
    QString text = pdf_text(pdf);
    text.removeIf([](QChar c) { return c.isSpace(); });
    EXPECT_TRUE(text.contains(QStringLiteral("构件甲")));
    if (in_page_header) {
      EXPECT_EQ(engine.layout_warning(),
                QStringLiteral("页眉过高，页面放不下，超出的文字已截短（以“…”标出）。"));
      EXPECT_TRUE(text.contains(QStringLiteral("…")));
      EXPECT_FALSE(text.contains(QStringLiteral("第400句")));
    } else {
      EXPECT_TRUE(engine.layout_warning().isEmpty());
      EXPECT_GT(pdf_pages(pdf), 1);
      EXPECT_TRUE(text.contains(remark + QStringLiteral("表头之后名称列构件甲"))) << text.toStdString();
    }
  }
}

// A font the system lacks gives way to a Chinese face it has, and the
// engine says which.
TEST_F(Qt_Report_Engine_Test, AMissingFontFallsBackToAChineseFace) {
  Qt_Report_Engine engine;
  load(engine,
       "<report><page font=\"没有这种字体\"/><report-header><text>混凝土</text></report-header></report>");
  EXPECT_EQ(engine.definition().page.font_family, QStringLiteral("Noto Sans CJK SC"));
  EXPECT_EQ(engine.last_warning(), QStringLiteral("本机没有字体“没有这种字体”，已改用“Noto Sans CJK SC”。"));
  engine.fetch_records();
  const QString pdf = dir.filePath("fallback.pdf");
  ASSERT_TRUE(engine.write_pdf(pdf));
  EXPECT_TRUE(pdf_text(pdf).contains(QStringLiteral("混凝土")));
  EXPECT_TRUE(run_tool("pdffonts", {pdf}).contains(QStringLiteral("NotoSansCJK")));
  load(engine, TABLE_TEMPLATE);
  EXPECT_TRUE(engine.last_warning().isEmpty());
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
