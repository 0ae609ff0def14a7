// The figures of a template: pictures, QR codes and charts, rendered to PDF
// and read back with pdfimages, zbarimg (on the page as PNG) and pdftotext,
// and the template errors they give.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

#include "report/qt_report_engine.h"
#include "report/report_chart.h"
#include "tests/report/engine_test_support.h"

namespace {

void set(Qt_Report_Engine& engine, const char* field, const QString& text) {
  if (const Report_Field_Handle handle = engine.field_by_name(field)) handle->set_text(text);
}

// The images of a PDF as pdfimages lists them: type, pixel size and the
// resolution they are drawn at.
struct Pdf_Image {
  QString type;
  int width = 0, height = 0;
  double x_ppi = 0.0, y_ppi = 0.0;
};

std::vector<Pdf_Image> pdf_images(const QString& pdf) {
  std::vector<Pdf_Image> images;
  const QStringList lines = run_tool("pdfimages", {"-list", pdf}).split(u'\n', Qt::SkipEmptyParts);
  for (qsizetype i = 2; i < lines.size(); ++i) {  // after the heading and its rule
    const QStringList columns = lines[i].split(u' ', Qt::SkipEmptyParts);
    if (columns.size() < 14) continue;
    images.push_back(
        {columns[2], columns[3].toInt(), columns[4].toInt(), columns[12].toDouble(), columns[13].toDouble()});
  }
  return images;
}

// The texts of the QR codes on the first page of a PDF.
QStringList qr_codes(const QString& pdf) {
  QStringList codes;
  for (const std::string& code : pdf_reader::qr_codes(pdf.toStdString()))
    codes.push_back(QString::fromStdString(code));
  return codes;
}

class Report_Figure_Test : public ::testing::Test {
 protected:
  void load(Qt_Report_Engine& engine, const QByteArray& xml) {
    ASSERT_TRUE(engine.load_from_file(write_test_file(dir, "template.xml", xml)))
        << engine.last_error().toStdString();
  }

  // A logo drawn by the test: a wide picture of four colours, so that a
  // stretched or cut copy shows.
  void write_logo(const QString& name, int width, int height, const char* format) {
    QImage logo(width, height, QImage::Format_RGB32);
    logo.fill(Qt::white);
    QPainter painter(&logo);
    painter.fillRect(0, 0, width / 2, height / 2, QColor(0x1f, 0x4e, 0x9a));
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, QColor(0xc0, 0x20, 0x20));
    painter.setPen(QPen(Qt::black, 3));
    painter.drawEllipse(QRect(0, 0, width, height).adjusted(4, 4, -4, -4));
    painter.end();
    ASSERT_TRUE(logo.save(dir.filePath(name), format));
  }

  QString pdf_of(Qt_Report_Engine& engine) {
    const QString pdf = dir.filePath("report.pdf");
    EXPECT_TRUE(engine.write_pdf(pdf));
    return pdf;
  }

  QTemporaryDir dir;
};

TEST_F(Report_Figure_Test, PicturesAreDrawnAtTheirSizeKeepingTheirShape) {
  write_logo("logo.png", 400, 100, "PNG");
  QDir(dir.path()).mkdir("stamps");
  write_logo("stamps/stamp.jpg", 200, 200, "JPEG");
  Qt_Report_Engine engine;
  // The logo is given a box taller than its shape: it is drawn 40 × 10 mm.
  // The stamp, in a cell of a grid, only by its height.
  load(engine, R"(<report>
  <report-header>
    <image file="logo.png" width="40" height="20" align="center"/>
    <grid widths="1 1"><row><cell>盖章</cell><cell align="right"><image file="stamps/stamp.jpg" height="25.4"/></cell></row></grid>
  </report-header>
</report>)");
  const std::vector<Pdf_Image> images = pdf_images(pdf_of(engine));
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].width, 400);
  EXPECT_EQ(images[0].height, 100);
  EXPECT_NEAR(images[0].x_ppi, 400 / (40 / 25.4), 2.0);
  EXPECT_NEAR(images[0].y_ppi, images[0].x_ppi, 2.0);
  EXPECT_EQ(images[1].width, 200);
  EXPECT_NEAR(images[1].x_ppi, 200.0, 2.0);
  EXPECT_NEAR(images[1].y_ppi, 200.0, 2.0);
}

TEST_F(Report_Figure_Test, QrCodesHoldTheirTextsWithTheFieldsFilled) {
  Qt_Report_Engine engine;
  load(engine, R"(<report>
  <page-header>
    <grid widths="3 1" border="none"><row><cell>{检测单位}</cell><cell align="right"><qrcode size="22">{报告编号}</qrcode></cell></row></grid>
  </page-header>
  <report-footer><qrcode size="30" align="right">报告编号：{报告编号}
工程：{工程名称}</qrcode></report-footer>
</report>)");
  engine.set_fetch_record([&engine, fetched = false](bool& end) mutable {
    end = fetched;
    fetched = true;
    set(engine, "报告编号", QStringLiteral("JC-2024-0815"));
    set(engine, "工程名称", QStringLiteral("滨江花园三期"));
    set(engine, "检测单位", QStringLiteral("检测中心"));
  });
  engine.fetch_records();
  const QString pdf = pdf_of(engine);
  EXPECT_EQ(qr_codes(pdf), QStringList({QStringLiteral("JC-2024-0815"),
                                        QStringLiteral("报告编号：JC-2024-0815\n工程：滨江花园三期")}));
  // Drawn as vectors: the PDF holds no picture.
  EXPECT_TRUE(pdf_images(pdf).empty());
}

TEST_F(Report_Figure_Test, QrCodeTooLongOnceFilledIsCrossedOutWithANotice) {
  Qt_Report_Engine engine;
  load(engine, "<report><report-header><qrcode>{备注信息}</qrcode></report-header></report>");
  engine.set_fetch_record([&engine, fetched = false](bool& end) mutable {
    end = fetched;
    fetched = true;
    set(engine, "备注信息", QString(1000, QChar(0x6D4B)));  // 3,000 bytes of UTF-8
  });
  engine.fetch_records();
  const QString pdf = pdf_of(engine);
  EXPECT_TRUE(pdf_text(pdf).contains(QStringLiteral("二维码内容过长")));
  EXPECT_TRUE(qr_codes(pdf).isEmpty());
  // The print command is told.
  EXPECT_TRUE(engine.layout_warning().contains(QStringLiteral("二维码的文字过长")))
      << engine.layout_warning().toStdString();
}

// A component of five areas: two strengths the report shows as text only.
const char* const AREA_CHART_TEMPLATE = R"(<report>
  <report-header><text>{构件名称}</text></report-header>
  <detail><column label="测区" width="1" field="序号"/><column label="强度" width="1" field="修正后强度"/></detail>
  <report-footer>
    <chart field="修正后强度" label="{序号}" axis="换算强度（MPa）" height="60">
      <mark field="强度平均值" label="平均值 {强度平均值}"/>
      <mark field="强度推定值" label="推定值 {强度推定值}"/>
      <mark field="强度标准差" label="标准差 {强度标准差}"/>
    </chart>
  </report-footer>
</report>)";

TEST_F(Report_Figure_Test, ChartLabelsAreInThePageText) {
  Qt_Report_Engine engine;
  load(engine, AREA_CHART_TEMPLATE);
  const QStringList strengths = {"31.2 MPa", ">100.0", "28.4 MPa", "0.0", "35.9 MPa"};
  engine.set_fetch_record([&engine, &strengths, n = 0](bool& end) mutable {
    end = n == strengths.size();
    if (end) return;
    set(engine, "序号", QString::number(n + 1));
    set(engine, "修正后强度", strengths[n++]);
    set(engine, "构件名称", QStringLiteral("三层梁KL7"));
    set(engine, "强度平均值", QStringLiteral("31.8 MPa"));
    set(engine, "强度推定值", QStringLiteral("27.3 MPa"));
    set(engine, "强度标准差", QStringLiteral("-.-"));
  });
  engine.fetch_records();
  const QString text = pdf_text(pdf_of(engine));
  for (const char* label : {"换算强度（MPa）", "平均值 31.8 MPa", "推定值 27.3 MPa"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(label))) << label << "\n" << text.toStdString();
  EXPECT_FALSE(text.contains(QStringLiteral("标准差")));  // a mark of "-.-" is not drawn
  // The area numbers under the bars and the axis ticks, each a word of its own.
  const QStringList words = text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
  for (const char* word : {"1", "2", "3", "4", "5", "0", "10", "20", "30", "40"})
    EXPECT_GE(words.count(QString::fromLatin1(word)), 1) << word;
  // Each bar's number stands on it, besides the table's "31.2 MPa"; a text
  // value and a strength shown as "0.0" have no bar and no number.
  for (const char* word : {"31.2", "28.4", "35.9"})
    EXPECT_EQ(words.count(QString::fromLatin1(word)), 2) << word;
  EXPECT_EQ(words.count(QStringLiteral(">100.0")), 1);
  EXPECT_EQ(words.count(QStringLiteral("0.0")), 1);
}

TEST(Report_Chart_Test, NumbersOfValueTexts) {
  const struct {
    const char* text;
    std::optional<double> number;
  } cases[] = {
      {"32.5 MPa", 32.5}, {"37.5", 37.5},           {"0.0 MPa", 0.0},
      {"12", 12.0},       {">100.0", std::nullopt}, {"-.-", std::nullopt},
      {"", std::nullopt}, {"约 30", std::nullopt},  {"30 40", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(chart_number(QString::fromUtf8(c.text)), c.number) << c.text;
}

// The bars of a chart painted on an image: the runs of bar colour along a
// line just above the axis.
TEST(Report_Chart_Test, OneBarForEveryValueShownAsANumber) {
  Report_Chart chart;
  QString error;
  qsizetype error_at = 0;
  ASSERT_TRUE(Report_Text::parse(
      QStringLiteral("{修正后强度}"), [](const QString&) { return 0; }, chart.value, error, error_at));
  std::vector<std::vector<QString>> records;
  for (const char* value : {"20.0 MPa", ">100.0", "35.0 MPa", "-.-", "0.0", "41.5 MPa"})
    records.push_back({QString::fromUtf8(value)});
  QImage image(800, 300, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);  // 96 dpi
  image.setDotsPerMeterY(3780);
  image.fill(Qt::white);
  const QFont font(QFont(QStringLiteral("Noto Sans CJK SC"), 8), &image);
  const auto drawing = chart.drawing(records, {&records.front(), 1, 1, {}}, font, image.size(), 96, 96);
  {
    QPainter painter(&image);
    drawing->paint(painter, QRectF(QPointF(), QSizeF(image.size())));
  }
  // The lowest row that is mostly bar colour lies just above the axis.
  const QRgb bar = qRgb(0xa9, 0xbc, 0xd0);
  int runs = 0;
  for (int y = image.height() - 1; y >= 0 && runs == 0; --y) {
    bool inside = false;
    for (int x = 0; x < image.width(); ++x) {
      const bool is_bar = image.pixel(x, y) == bar;
      if (is_bar && !inside) ++runs;
      inside = is_bar;
    }
  }
  EXPECT_EQ(runs, 3);
}

struct Broken_Figure {
  const char* what;
  std::string xml;
  int line;
  const char* says;
};
// Listed by its what (test names stay the same from run to run).
void PrintTo(const Broken_Figure& c, std::ostream* os) { *os << c.what; }

const Broken_Figure BROKEN_FIGURES[] = {
    {"missing picture",
     "<report>\n<report-header>\n<image file=\"nowhere.png\" width=\"20\"/>\n</report-header>\n</report>", 3,
     "nowhere.png"},
    {"text that is not a picture",
     "<report>\n<page-header>\n\n<image file=\"notes.png\" width=\"20\"/>\n</page-header>\n</report>", 4,
     "PNG"},
    {"cut picture",
     "<report>\n<page-header>\n<image file=\"cut.png\" height=\"20\"/>\n</page-header>\n</report>", 3,
     "cut.png"},
    {"BMP picture",
     "<report>\n<page-header>\n<image file=\"logo.bmp\" height=\"20\"/>\n</page-header>\n</report>", 3,
     "PNG"},
    {"picture without size", "<report>\n<page-header>\n<image file=\"logo.png\"/>\n</page-header>\n</report>",
     3, "width"},
    {"picture without file", "<report>\n<page-header>\n<image width=\"3\"/>\n</page-header>\n</report>", 3,
     "file"},
    {"QR code too long",
     "<report>\n<report-footer>\n<qrcode size=\"30\">\n{报告编号}" + std::string(2400, 'x') +
         "\n</qrcode>\n</report-footer>\n</report>",
     3, "二维码"},
    {"QR code of no size",
     "<report>\n<report-footer>\n<qrcode size=\"0\">a</qrcode>\n</report-footer>\n</report>", 3, "size"},
    {"element in a QR code",
     "<report>\n<report-footer>\n<qrcode>a\n<text/></qrcode>\n</report-footer>\n</report>", 4, "<text>"},
    {"chart without field", "<report>\n<report-footer>\n<chart height=\"40\"/>\n</report-footer>\n</report>",
     3, "field"},
    {"chart of no height",
     "<report>\n<report-footer>\n<chart field=\"修正后强度\" height=\"0\"/>\n</report-footer>\n</report>", 3,
     "height"},
    {"mark without field",
     "<report>\n<report-footer>\n<chart field=\"修正后强度\">\n<mark "
     "label=\"平均值\"/>\n</chart>\n</report-footer>\n</report>",
     4, "field"},
    {"unknown element in a chart",
     "<report>\n<report-footer>\n<chart "
     "field=\"修正后强度\">\n\n<bar/>\n</chart>\n</report-footer>\n</report>",
     5, "<bar>"},
    {"brace in a chart label",
     "<report>\n<report-footer>\n<chart field=\"修正后强度\" label=\"{序号\"/>\n</report-footer>\n</report>",
     3, "“{”"},
    {"text beside a figure in a cell",
     "<report>\n<page-header>\n<grid widths=\"1\">\n<row><cell>编号<qrcode>a</qrcode></cell></row>\n</grid>\n"
     "</page-header>\n</report>",
     4, "文字"},
    {"two figures in a cell",
     "<report>\n<page-header>\n<grid "
     "widths=\"1\">\n<row><cell>\n<qrcode>a</qrcode>\n<qrcode>b</qrcode>\n</cell></row>\n"
     "</grid>\n</page-header>\n</report>",
     6, "一个"},
    {"figure aligned in a cell",
     "<report>\n<page-header>\n<grid widths=\"1\">\n<row><cell><qrcode "
     "align=\"right\">a</qrcode></cell></row>\n"
     "</grid>\n</page-header>\n</report>",
     4, "align"},
    {"figure in a column",
     "<report>\n<detail>\n<column width=\"1\" field=\"序号\"><qrcode/></column>\n</detail>\n</report>", 3,
     "<qrcode>"},
};

class Broken_Figure_Test : public ::testing::TestWithParam<Broken_Figure> {};

TEST_P(Broken_Figure_Test, IsATemplateErrorWithItsLine) {
  const Broken_Figure& broken = GetParam();
  QTemporaryDir dir;
  write_test_file(dir, "notes.png", "这不是图片");
  QImage logo(60, 20, QImage::Format_RGB32);
  logo.fill(Qt::darkBlue);
  ASSERT_TRUE(logo.save(dir.filePath("logo.png"), "PNG"));
  ASSERT_TRUE(logo.save(dir.filePath("logo.bmp"), "BMP"));
  QFile png(dir.filePath("logo.png"));
  ASSERT_TRUE(png.open(QIODevice::ReadOnly));
  write_test_file(dir, "cut.png", png.read(png.size() / 2));
  Qt_Report_Engine engine;
  ASSERT_FALSE(
      engine.load_from_file(write_test_file(dir, "broken.xml", QByteArray::fromStdString(broken.xml))));
  const QString error = engine.last_error();
  EXPECT_TRUE(error.startsWith(QStringLiteral("第 %1 行：").arg(broken.line))) << error.toStdString();
  EXPECT_TRUE(error.contains(QString::fromUtf8(broken.says))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Figures, Broken_Figure_Test, ::testing::ValuesIn(BROKEN_FIGURES), Case_Name());

}  // namespace
