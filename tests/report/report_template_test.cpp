// The template reader: what a broken template is told, the placeholders and
// braces of its texts, and the shipped templates.
#include "report/report_template.h"

#include <gtest/gtest.h>

#include <QDir>

#include "report/qt_report_engine.h"
#include "report/report_text.h"
#include "tests/report/engine_test_support.h"

namespace {

struct Broken_Template {
  const char* what;
  const char* xml;
  int line;
  const char* says;  // a part of the message
};
// Listed by its what (test names stay the same from run to run).
void PrintTo(const Broken_Template& c, std::ostream* os) { *os << c.what; }

const Broken_Template BROKEN_TEMPLATES[] = {
    {"empty file", "", 1, "XML"},
    {"not XML", "<report>\n<report-header>\n<text>a</txet>\n</report-header>\n</report>", 3, "XML"},
    {"unclosed root", "<report>\n<report-header>\n</report-header>\n", 4, "XML"},
    {"wrong root", "<?xml version=\"1.0\"?>\n<bericht/>", 2, "<report>"},
    {"unknown element", "<report>\n<report-header>\n  <picture/>\n</report-header>\n</report>", 3,
     "<picture>"},
    {"unknown band", "<report>\n<summary/>\n</report>", 2, "<summary>"},
    {"unknown attribute",
     "<report>\n<report-header>\n<text colour=\"red\">a</text>\n</report-header>\n</report>", 3, "colour"},
    {"text in a band", "<report>\n<page-footer>\n  stray\n</page-footer>\n</report>", 3, "stray"},
    {"element in a text", "<report>\n<page-footer>\n<text>a<space/></text>\n</page-footer>\n</report>", 3,
     "<space>"},
    {"width not a number", "<report>\n<detail>\n<column width=\"abc\" field=\"序号\"/>\n</detail>\n</report>",
     3, "abc"},
    {"negative margin", "<report>\n<page margin-left=\"-3\"/>\n</report>", 2, "-3"},
    {"zero font size", "<report>\n<page font-size=\"0\"/>\n</report>", 2, "font-size"},
    {"huge length", "<report>\n<report-header>\n<space height=\"1e400\"/>\n</report-header>\n</report>", 3,
     "1e400"},
    {"fractional span",
     "<report>\n<report-header>\n<grid widths=\"1 1\">\n<row><cell span=\"1.5\"/></row>\n</grid>\n"
     "</report-header>\n</report>",
     4, "1.5"},
    {"bad widths", "<report>\n<report-header>\n<grid widths=\"1 x\"/>\n</report-header>\n</report>", 3, "x"},
    {"unknown alignment",
     "<report>\n<detail>\n<column width=\"1\" field=\"a\" align=\"middle\"/>\n</detail>\n</report>", 3,
     "middle"},
    {"unknown paper", "<report>\n<page size=\"A7\"/>\n</report>", 2, "A7"},
    {"unclosed brace",
     "<report>\n<report-header>\n<text>\n工程：{工程名称\n</text>\n</report-header>\n</report>", 4, "“{”"},
    {"misspelled field", "<report>\n<page-footer>\n<text>{测试人}</text>\n</page-footer>\n</report>", 3,
     "“测试人”"},
    {"misspelled field deep in a text",
     "<report>\n<report-header>\n<text>\n\n  甲\n  乙 {测试人}\n  丙\n</text>\n</report-header>\n</report>",
     6, "“测试人”"},
    {"misspelled column field",
     "<report>\n<detail>\n<column width=\"1\" field=\"测试人\"/>\n</detail>\n</report>", 3, "“测试人”"},
    {"lone closing brace", "<report>\n<page-footer>\n<text>a}b</text>\n</page-footer>\n</report>", 3, "“}”"},
    {"brace in a brace", "<report>\n<page-footer>\n<text>{a{b}}</text>\n</page-footer>\n</report>", 3, "“{”"},
    {"empty placeholder", "<report>\n<page-footer>\n<text>a{}b</text>\n</page-footer>\n</report>", 3, "{}"},
    {"brace in a label",
     "<report>\n<detail>\n<column label=\"序号}\" width=\"1\" field=\"序号\"/>\n</detail>\n</report>", 3,
     "“}”"},
    {"brace in a field name",
     "<report>\n<detail>\n<column width=\"1\" field=\"{序号}\"/>\n</detail>\n</report>", 3, "花括号"},
    {"column without field", "<report>\n<detail>\n<column width=\"1\"/>\n</detail>\n</report>", 3, "field"},
    {"row too wide",
     "<report>\n<report-header>\n<grid widths=\"1 1\">\n<row><cell span=\"2\"/><cell/></row>\n</grid>\n"
     "</report-header>\n</report>",
     4, "3 列"},
    {"two details", "<report>\n<detail><column width=\"1\" field=\"序号\"/></detail>\n<detail/>\n</report>",
     3, "<detail>"},
    {"detail without columns", "<report>\n<detail>\n</detail>\n</report>", 2, "<column>"},
    {"page after a band", "<report>\n<page-header/>\n<page/>\n</report>", 3, "<page>"},
};

class Broken_Template_Test : public ::testing::TestWithParam<Broken_Template> {};

TEST_P(Broken_Template_Test, FailsWithTheLine) {
  const Broken_Template& broken = GetParam();
  Report_Definition definition;
  QString error;
  ASSERT_FALSE(read_report_template(QByteArray(broken.xml), definition, error));
  EXPECT_TRUE(error.startsWith(QStringLiteral("第 %1 行：").arg(broken.line))) << error.toStdString();
  EXPECT_TRUE(error.contains(QString::fromUtf8(broken.says))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Templates, Broken_Template_Test, ::testing::ValuesIn(BROKEN_TEMPLATES), Case_Name());

TEST(Report_Text_Test, PlaceholdersAndBraces) {
  const std::vector<QString> record = {QStringLiteral("甲"), QStringLiteral("乙")};
  const Report_Text_Values values{&record, 2, 5, QStringLiteral("2024-06-12")};
  const struct {
    const char* text;
    const char* expanded;
  } cases[] = {
      {"{工程名称}", "甲"},
      {"{{工程名称}}", "{工程名称}"},
      {"{{{工程名称}}}", "{甲}"},
      {"a}}b{{c", "a}b{c"},
      {"{工程名称}/{构件名称}/{工程名称}", "甲/乙/甲"},
      {"第 {page} 页 共 {pages} 页", "第 2 页 共 5 页"},
      {"打印日期：{date}", "打印日期：2024-06-12"},
      {"{未设置}", ""},
      {"", ""},
  };
  const QStringList names = {QStringLiteral("工程名称"), QStringLiteral("构件名称"),
                             QStringLiteral("未设置")};
  const auto index = [&](const QString& name) { return static_cast<int>(names.indexOf(name)); };
  for (const auto& c : cases) {
    Report_Text text;
    QString error;
    qsizetype at = -1;
    ASSERT_TRUE(Report_Text::parse(QString::fromUtf8(c.text), index, text, error, at)) << c.text;
    EXPECT_EQ(text.expand(values), QString::fromUtf8(c.expanded)) << c.text;
  }
}

TEST(Report_Text_Test, APlaceholderThatNamesNoFieldIsAnErrorWhereItStands) {
  Report_Text text;
  QString error;
  qsizetype at = -1;
  const auto index = [](const QString& name) { return name == QLatin1String("a") ? 0 : -1; };
  ASSERT_FALSE(Report_Text::parse(QStringLiteral("{a} {{x}} {page} {b}"), index, text, error, at));
  EXPECT_EQ(at, 17);
  EXPECT_EQ(error, QStringLiteral("没有名为“b”的字段"));
}

// Templates far past any real layout end as template errors, quickly and
// without building what they ask for.
TEST(Hostile_Template_Test, PastALimitIsATemplateErrorWithItsLine) {
  const auto repeat = [](const QString& part, int times) {
    QString text;
    for (int i = 0; i < times; ++i) text += QString(part).replace(QLatin1String("%n"), QString::number(i));
    return text;
  };
  const struct {
    const char* what;
    QString xml;
    int line;
    const char* says;
  } cases[] = {
      {"distinct placeholders", "<report>\n<page-header>\n<text>" + repeat("{f%n}", 380000) + "</text>", 3,
       "“f0”"},
      {"columns of a grid",
       "<report>\n<page-header>\n<grid widths=\"" + repeat("1 ", 90000) + "\"/>\n</page-header>\n</report>",
       3, "64 列"},
      {"columns of the detail",
       "<report>\n<detail>\n" + repeat("<column width=\"1\" field=\"序号\"/>", 90000) + "\n</detail>", 3,
       "64 列"},
      {"cells", "<report>\n<page-header>\n<grid widths=\"1\">\n" + repeat("<row><cell/></row>", 5000), 4,
       "单元格超过 4000 个"},
      {"placeholders", "<report>\n<page-header>\n<text>" + repeat("{序号}", 40000) + "</text>", 3,
       "占位符超过 4000 个"},
      {"items", "<report>\n<page-header>\n" + repeat("<space/>", 5000), 3, "报表项超过 4000 个"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Report_Definition definition;
    QString error;
    ASSERT_FALSE(read_report_template(c.xml.toUtf8(), definition, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("第 %1 行：").arg(c.line))) << error.toStdString();
    EXPECT_TRUE(error.contains(QString::fromUtf8(c.says))) << error.toStdString();
  }
}

QStringList shipped_templates(const char* folder) {
  QDir dir(QStringLiteral(RV820_TEMPLATES_DIR "/") + QLatin1String(folder));
  QStringList paths;
  for (const QString& name : dir.entryList({"*.xml"}, QDir::Files)) paths << dir.filePath(name);
  return paths;
}

// The texts of a band's paragraphs and cells, expanded.
QString band_texts(const Report_Band& band, const Report_Text_Values& values) {
  QString texts;
  for (const Report_Item& item : band) {
    if (const auto* paragraph = std::get_if<Report_Paragraph>(&item)) texts += paragraph->text.expand(values);
    if (const auto* grid = std::get_if<Report_Grid>(&item))
      for (const auto& row : grid->rows)
        for (const Report_Cell& cell : row) texts += cell.text.expand(values);
  }
  return texts;
}

// The fields whose values a report takes from the project.
const QStringList PROJECT_FIELDS = {"工程名称", "工程地址", "施工单位",       "施工日期", "委托单位",
                                    "委托日期", "设计单位", "报告日期",       "监理单位", "报告编号",
                                    "监督单位", "检测编号", "混凝土生产单位", "检测单位", "检测单位地址",
                                    "资质证号", "邮编",     "电话",           "传真"};

TEST(Shipped_Template_Test, ComponentReportsShowTheProjectAndEveryComponentField) {
  const QStringList templates = shipped_templates("component");
  ASSERT_FALSE(templates.isEmpty());
  const QStringList component_fields = {"序号",       "构件名称",   "强度等级",   "检测日期",   "测区数",
                                        "强度平均值", "强度标准差", "强度最小值", "强度推定值", "备注信息",
                                        "测试人员",   "上岗证号",   "仪器型号",   "仪器编号",   "检测依据"};
  for (const QString& path : templates) {
    Qt_Report_Engine engine;
    ASSERT_TRUE(engine.load_from_file(path))
        << path.toStdString() << ": " << engine.last_error().toStdString();
    // Each component's own values stand in its row of the detail: a field
    // outside it would show the first component's value for all of them.
    const Report_Definition& definition = engine.definition();
    ASSERT_TRUE(definition.detail);
    std::vector<QString> record;
    for (const QString& name : definition.field_names) record.push_back(u'«' + name + u'»');
    const Report_Text_Values values{&record, 1, 1, {}};
    QStringList in_detail;
    for (const Report_Column& column : definition.detail->columns) in_detail << column.value.expand(values);
    const QString outside =
        band_texts(definition.page_header, values) + band_texts(definition.report_header, values) +
        band_texts(definition.report_footer, values) + band_texts(definition.page_footer, values);
    for (const QString& field : component_fields) {
      EXPECT_TRUE(in_detail.contains(u'«' + field + u'»'))
          << path.toStdString() << " lacks " << field.toStdString();
      EXPECT_FALSE(outside.contains(u'«' + field + u'»'))
          << path.toStdString() << " shows " << field.toStdString() << " outside the detail";
    }
    for (const QString& field : PROJECT_FIELDS)
      EXPECT_TRUE(engine.field_by_name(field)) << path.toStdString() << " lacks " << field.toStdString();
    EXPECT_EQ(definition.page.size, QPageSize::A4);
  }
}

TEST(Shipped_Template_Test, AreaReportsShowTheComponentAndTheAreasButNoProjectField) {
  const QStringList templates = shipped_templates("area");
  ASSERT_FALSE(templates.isEmpty());
  const QStringList area_fields = {"序号",     "测区值",     "平均回弹值", "修正后强度", "构件名称",
                                   "强度等级", "强度平均值", "强度标准差", "强度最小值", "强度推定值"};
  for (const QString& path : templates) {
    Qt_Report_Engine engine;
    ASSERT_TRUE(engine.load_from_file(path))
        << path.toStdString() << ": " << engine.last_error().toStdString();
    for (const QString& field : area_fields)
      EXPECT_TRUE(engine.field_by_name(field)) << path.toStdString() << " lacks " << field.toStdString();
    for (const QString& field : PROJECT_FIELDS)
      EXPECT_FALSE(engine.field_by_name(field)) << path.toStdString() << " shows " << field.toStdString();
    EXPECT_EQ(engine.definition().page.size, QPageSize::A4);
  }
}

}  // namespace
