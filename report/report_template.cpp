#include "report/report_template.h"

#include <QHash>
#include <QXmlStreamReader>
#include <cmath>
#include <initializer_list>

#include "report/report_data.h"

namespace {

constexpr double MAX_LENGTH = 1000.0;    // mm
constexpr double MAX_FONT_SIZE = 200.0;  // pt
constexpr int MAX_SPAN = 100;
// Limits far above any real layout that keep the work of a report bounded
// whatever a template holds: the columns of one table, the cells and items
// of all bands together, and the placeholders of all texts together.
constexpr int MAX_COLUMNS = 64;
constexpr int MAX_CELLS = 4000;
constexpr int MAX_ITEMS = 4000;
constexpr int MAX_PLACEHOLDERS = 4000;

// Keeps each line of a text without its surrounding blanks and drops the
// empty lines at both ends, so that a text may be indented in the file;
// dropped tells how many lines were dropped at the start.
QString tidy_lines(const QString& text, qint64& dropped) {
  QStringList lines = text.split(u'\n');
  for (QString& line : lines) line = line.trimmed();
  dropped = 0;
  while (!lines.isEmpty() && lines.front().isEmpty()) {
    lines.removeFirst();
    ++dropped;
  }
  while (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines.join(u'\n');
}

// The report fields by name: the only names a placeholder may use.
const QHash<QString, int>& known_fields() {
  static const QHash<QString, int> fields = [] {
    QHash<QString, int> by_name;
    for (int i = 0; i < REPORT_FIELD_COUNT; ++i) by_name.insert(QString::fromUtf8(REPORT_FIELD_NAMES[i]), i);
    return by_name;
  }();
  return fields;
}

class Template_Reader {
 public:
  Template_Reader(const QByteArray& xml, const QString& folder) : xml(xml), folder(folder) {}

  bool read(Report_Definition& out, QString& error_out) {
    const bool ok = read_document();
    if (!ok) {
      error_out = error;
      return false;
    }
    out = std::move(result);
    return true;
  }

 private:
  bool fail(const QString& message) { return fail_at(xml.lineNumber(), message); }

  bool fail_at(qint64 line, const QString& message) {
    if (error.isEmpty()) error = QStringLiteral("第 %1 行：%2").arg(line).arg(message);
    return false;
  }

  bool xml_failed() { return fail(QStringLiteral("不是有效的 XML（%1）").arg(xml.errorString())); }

  QString element() const { return xml.name().toString(); }

  // Moves to the next child element of the current one; false at its end or
  // on an error (then error is set). Text other than blanks is an error.
  bool next_child(bool& found) {
    found = false;
    while (!xml.atEnd()) {
      switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
          found = true;
          return true;
        case QXmlStreamReader::EndElement:
          return true;
        case QXmlStreamReader::Characters:
          if (!xml.isWhitespace()) {
            // The reader stands at the end of the text: name the line of its last word.
            const QStringView text = xml.text();
            const QStringView word = text.trimmed();
            const qsizetype word_end = (word.data() - text.data()) + word.size();
            return fail_at(xml.lineNumber() - text.sliced(word_end).count(u'\n'),
                           QStringLiteral("此处不应有文字“%1”").arg(word));
          }
          break;
        case QXmlStreamReader::Invalid:
          return xml_failed();
        default:
          break;
      }
    }
    return xml_failed();
  }

  bool check_attributes(std::initializer_list<const char*> allowed) {
    for (const QXmlStreamAttribute& attribute : xml.attributes()) {
      bool known = false;
      for (const char* name : allowed) known = known || attribute.name() == QLatin1String(name);
      if (!known)
        return fail(QStringLiteral("元素 <%1> 没有属性“%2”").arg(element(), attribute.name().toString()));
    }
    return true;
  }

  bool has(const char* name) const { return xml.attributes().hasAttribute(QLatin1String(name)); }
  QString value(const char* name) const { return xml.attributes().value(QLatin1String(name)).toString(); }

  bool bad_value(const char* name) {
    return fail(QStringLiteral("属性 %1 的值“%2”无效").arg(QLatin1String(name), value(name)));
  }

  bool parse_number(const char* name, const QString& text, double low, bool low_inclusive, double high,
                    double& out) {
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok || !std::isfinite(number) || number > high || number < low || (!low_inclusive && number == low))
      return fail(QStringLiteral("属性 %1 的值“%2”不是有效的数字").arg(QLatin1String(name), text));
    out = number;
    return true;
  }

  // A length in millimetres from 0 up.
  bool length(const char* name, double& out) {
    return !has(name) || parse_number(name, value(name), 0.0, true, MAX_LENGTH, out);
  }

  // A length in millimetres above 0.
  bool positive_length(const char* name, double& out) {
    return !has(name) || parse_number(name, value(name), 0.0, false, MAX_LENGTH, out);
  }

  bool font_size(const char* name, double& out) {
    return !has(name) || parse_number(name, value(name), 0.0, false, MAX_FONT_SIZE, out);
  }

  bool flag(const char* name, bool& out) {
    if (!has(name)) return true;
    const QString text = value(name);
    if (text != QLatin1String("true") && text != QLatin1String("false")) return bad_value(name);
    out = text == QLatin1String("true");
    return true;
  }

  template <typename T>
  bool choice(const char* name, std::initializer_list<std::pair<const char*, T>> choices, T& out) {
    if (!has(name)) return true;
    const QString text = value(name);
    for (const auto& [word, meaning] : choices) {
      if (text == QLatin1String(word)) {
        out = meaning;
        return true;
      }
    }
    return bad_value(name);
  }

  bool align(Report_Align& out) {
    return choice<Report_Align>(
        "align",
        {{"left", Report_Align::left}, {"center", Report_Align::center}, {"right", Report_Align::right}},
        out);
  }

  bool border(Report_Border& out) {
    return choice<Report_Border>(
        "border",
        {{"all", Report_Border::all}, {"bottom", Report_Border::bottom}, {"none", Report_Border::none}}, out);
  }

  // The index of a report field in the template's field names, where it is
  // added when first used; -1 for a name that is no report field.
  int field_index(const QString& name) {
    if (!known_fields().contains(name)) return -1;
    const int index = result.field_names.indexOf(name);
    if (index >= 0) return index;
    result.field_names.append(name);
    return result.field_names.size() - 1;
  }

  // Parses a text that starts at line; an error is told at the line of the
  // text where it is.
  bool text(const QString& source, qint64 line, Report_Text& out) {
    QString message;
    qsizetype error_at = 0;
    if (!Report_Text::parse(
            source, [this](const QString& name) { return field_index(name); }, out, message, error_at))
      return fail_at(line + source.first(std::min(error_at, source.size())).count(u'\n'), message);
    result.uses_page_count = result.uses_page_count || out.uses(Report_Text::Part::Kind::pages);
    placeholders += out.placeholder_count();
    if (placeholders > MAX_PLACEHOLDERS)
      return fail_at(line, QStringLiteral("占位符超过 %1 个").arg(MAX_PLACEHOLDERS));
    return true;
  }

  // Counts one more cell or item against its limit.
  bool count(int& counter, int limit, const char* what) {
    if (++counter <= limit) return true;
    return fail(QStringLiteral("%1超过 %2 个").arg(QString::fromUtf8(what)).arg(limit));
  }

  // The character content of a <text>, <cell> or <qrcode>, which holds no
  // elements; with figure (a cell's), one figure may stand in place of it.
  bool content(Report_Text& out, std::optional<Report_Figure>* figure = nullptr) {
    const qint64 line = xml.lineNumber();
    const QString name = element();
    QString collected;
    while (!xml.atEnd()) {
      switch (xml.readNext()) {
        case QXmlStreamReader::Characters:
          collected += xml.text();
          break;
        case QXmlStreamReader::StartElement:
          if (!figure || !is_figure(xml.name()))
            return fail(QStringLiteral("<%1> 中不能有元素 <%2>").arg(name, element()));
          if (figure->has_value()) return fail(QStringLiteral("<%1> 中只能有一个图形").arg(name));
          if (!read_figure(figure->emplace(), true)) return false;
          break;
        case QXmlStreamReader::EndElement: {
          qint64 dropped = 0;
          const QString tidy = tidy_lines(collected, dropped);
          if (figure && figure->has_value() && !tidy.isEmpty())
            return fail_at(line, QStringLiteral("<%1> 中不能既有文字又有图形").arg(name));
          return text(tidy, line + dropped, out);
        }
        case QXmlStreamReader::Invalid:
          return xml_failed();
        default:
          break;
      }
    }
    return xml_failed();
  }

  bool no_children() {
    const QString parent = element();
    bool found = false;
    if (!next_child(found)) return false;
    return !found || fail(QStringLiteral("<%1> 中不能有元素 <%2>").arg(parent, element()));
  }

  bool row_style(Report_Row_Style& style) {
    style.font_size = result.page.font_size;
    return font_size("font-size", style.font_size) && length("padding", style.padding) &&
           length("row-height", style.row_height) && length("line", style.line);
  }

  bool read_page() {
    Report_Page& page = result.page;
    if (!check_attributes({"size", "orientation", "margin-left", "margin-top", "margin-right",
                           "margin-bottom", "font", "font-size"}))
      return false;
    double left = page.margins.left(), top = page.margins.top();
    double right = page.margins.right(), bottom = page.margins.bottom();
    if (!choice<QPageSize::PageSizeId>("size",
                                       {{"A3", QPageSize::A3},
                                        {"A4", QPageSize::A4},
                                        {"A5", QPageSize::A5},
                                        {"B5", QPageSize::B5},
                                        {"Letter", QPageSize::Letter},
                                        {"Legal", QPageSize::Legal}},
                                       page.size) ||
        !choice<QPageLayout::Orientation>(
            "orientation", {{"portrait", QPageLayout::Portrait}, {"landscape", QPageLayout::Landscape}},
            page.orientation) ||
        !length("margin-left", left) || !length("margin-top", top) || !length("margin-right", right) ||
        !length("margin-bottom", bottom) || !font_size("font-size", page.font_size))
      return false;
    page.margins = QMarginsF(left, top, right, bottom);
    if (has("font")) {
      page.font_family = value("font").trimmed();
      if (page.font_family.isEmpty()) return bad_value("font");
    }
    return no_children();
  }

  bool read_paragraph(Report_Band& band) {
    Report_Paragraph paragraph;
    paragraph.font.size = result.page.font_size;
    if (!check_attributes({"align", "font-size", "bold", "space-before", "space-after"}) ||
        !align(paragraph.align) || !font_size("font-size", paragraph.font.size) ||
        !flag("bold", paragraph.font.bold) || !length("space-before", paragraph.space_before) ||
        !length("space-after", paragraph.space_after) || !content(paragraph.text))
      return false;
    band.push_back(std::move(paragraph));
    return true;
  }

  bool widths(std::vector<double>& out) {
    if (!has("widths")) return fail(QStringLiteral("<grid> 缺少属性 widths"));
    const QStringList items = value("widths").split(u' ', Qt::SkipEmptyParts);
    if (items.isEmpty()) return bad_value("widths");
    if (items.size() > MAX_COLUMNS) return fail(QStringLiteral("表格超过 %1 列").arg(MAX_COLUMNS));
    for (const QString& item : items) {
      double width = 0.0;
      if (!parse_number("widths", item, 0.0, false, MAX_LENGTH, width)) return false;
      out.push_back(width);
    }
    return true;
  }

  bool read_cell(std::vector<Report_Cell>& row, Report_Border grid_border) {
    if (!count(cells, MAX_CELLS, "单元格")) return false;
    Report_Cell cell;
    cell.border = grid_border;
    double span = 1.0;
    if (!check_attributes({"span", "align", "bold", "border"})) return false;
    if (has("span") &&
        (!parse_number("span", value("span"), 1.0, true, MAX_SPAN, span) || span != std::floor(span)))
      return fail(QStringLiteral("属性 span 的值“%1”不是有效的列数").arg(value("span")));
    cell.span = static_cast<int>(span);
    if (!align(cell.align) || !flag("bold", cell.bold) || !border(cell.border) ||
        !content(cell.text, &cell.figure))
      return false;
    row.push_back(std::move(cell));
    return true;
  }

  bool read_row(Report_Grid& grid, Report_Border grid_border) {
    const qint64 line = xml.lineNumber();
    if (!check_attributes({})) return false;
    std::vector<Report_Cell> row;
    int columns = 0;
    for (bool found = true;;) {
      if (!next_child(found)) return false;
      if (!found) break;
      if (xml.name() != QLatin1String("cell"))
        return fail(QStringLiteral("<row> 中不能有元素 <%1>").arg(element()));
      if (!read_cell(row, grid_border)) return false;
      columns += row.back().span;
    }
    if (columns != static_cast<int>(grid.widths.size()))
      return fail_at(line,
                     QStringLiteral("这一行占 %1 列，表格有 %2 列").arg(columns).arg(grid.widths.size()));
    grid.rows.push_back(std::move(row));
    return true;
  }

  bool read_grid(Report_Band& band) {
    Report_Grid grid;
    Report_Border grid_border = Report_Border::all;
    if (!check_attributes({"widths", "font-size", "padding", "row-height", "line", "border"}) ||
        !widths(grid.widths) || !row_style(grid.style) || !border(grid_border))
      return false;
    for (bool found = true;;) {
      if (!next_child(found)) return false;
      if (!found) break;
      if (xml.name() != QLatin1String("row"))
        return fail(QStringLiteral("<grid> 中不能有元素 <%1>").arg(element()));
      if (!read_row(grid, grid_border)) return false;
    }
    band.push_back(std::move(grid));
    return true;
  }

  bool read_rule(Report_Band& band) {
    Report_Rule rule;
    if (!check_attributes({"weight"}) || !length("weight", rule.weight) || !no_children()) return false;
    band.push_back(rule);
    return true;
  }

  bool read_space(Report_Band& band) {
    Report_Space space;
    if (!check_attributes({"height"}) || !length("height", space.height) || !no_children()) return false;
    band.push_back(space);
    return true;
  }

  static bool is_figure(QStringView name) {
    return name == QLatin1String("image") || name == QLatin1String("qrcode") ||
           name == QLatin1String("chart");
  }

  // An <image>, <qrcode> or <chart>; in a cell the cell's align places it.
  bool read_figure(Report_Figure& figure, bool in_cell) {
    if (in_cell && has("align"))
      return fail(QStringLiteral("单元格中的 <%1> 没有属性“align”（由单元格的 align 对齐）").arg(element()));
    if (!align(figure.align)) return false;
    if (xml.name() == QLatin1String("image")) return read_image(figure);
    if (xml.name() == QLatin1String("qrcode")) return read_qrcode(figure);
    return read_chart(figure);
  }

  bool read_image(Report_Figure& figure) {
    Report_Image image;
    if (!check_attributes({"file", "width", "height", "align"})) return false;
    image.file = value("file");
    if (image.file.isEmpty()) return fail(QStringLiteral("<image> 缺少属性 file"));
    if (!length("width", image.width) || !length("height", image.height)) return false;
    if (image.width <= 0.0 && image.height <= 0.0)
      return fail(QStringLiteral("<image> 要有大于 0 的 width 或 height"));
    QString message;
    if (!image.load(folder, message)) return fail(message);
    figure.content = std::move(image);
    return no_children();
  }

  bool read_qrcode(Report_Figure& figure) {
    const qint64 line = xml.lineNumber();
    Report_Qrcode code;
    if (!check_attributes({"size", "align"}) || !positive_length("size", code.size) || !content(code.text))
      return false;
    // The fields are not known yet: the text without them must fit already.
    Report_Qr_Modules modules;
    if (!encode_qrcode(code.text.expand({}), modules))
      return fail_at(line, QStringLiteral("二维码的文字过长，放不进一个二维码"));
    figure.content = std::move(code);
    return true;
  }

  bool read_mark(Report_Chart& chart) {
    const qint64 line = xml.lineNumber();
    Report_Chart_Mark mark;
    if (!count(items, MAX_ITEMS, "报表项") || !check_attributes({"field", "label"}) ||
        !field("mark", line, mark.value) || !text(value("label"), line, mark.label) || !no_children())
      return false;
    chart.marks.push_back(std::move(mark));
    return true;
  }

  bool read_chart(Report_Figure& figure) {
    const qint64 line = xml.lineNumber();
    Report_Chart chart;
    if (!check_attributes({"field", "label", "axis", "width", "height", "font-size", "align"}) ||
        !field("chart", line, chart.value) || !text(value("label"), line, chart.label) ||
        !text(value("axis"), line, chart.axis) || !length("width", chart.width) ||
        !positive_length("height", chart.height) || !font_size("font-size", chart.font_size))
      return false;
    for (bool found = true;;) {
      if (!next_child(found)) return false;
      if (!found) break;
      if (xml.name() != QLatin1String("mark"))
        return fail(QStringLiteral("<chart> 中不能有元素 <%1>").arg(element()));
      if (!read_mark(chart)) return false;
    }
    figure.content = std::move(chart);
    return true;
  }

  bool read_band(Report_Band& band) {
    if (!check_attributes({})) return false;
    for (bool found = true;;) {
      if (!next_child(found)) return false;
      if (!found) return true;
      if (!count(items, MAX_ITEMS, "报表项")) return false;
      const auto name = xml.name();
      bool ok = false;
      if (name == QLatin1String("text"))
        ok = read_paragraph(band);
      else if (name == QLatin1String("grid"))
        ok = read_grid(band);
      else if (name == QLatin1String("line"))
        ok = read_rule(band);
      else if (name == QLatin1String("space"))
        ok = read_space(band);
      else if (is_figure(name))
        ok = read_figure(std::get<Report_Figure>(band.emplace_back(Report_Figure())), false);
      else
        ok = fail(QStringLiteral("未知元素 <%1>").arg(element()));
      if (!ok) return false;
    }
  }

  // The attribute field of an element: the name of the field it shows, as
  // the text of that one placeholder.
  bool field(const char* element_name, qint64 line, Report_Text& out) {
    const QString name = value("field");
    if (name.isEmpty()) return fail(QStringLiteral("<%1> 缺少属性 field").arg(QLatin1String(element_name)));
    if (name.contains(u'{') || name.contains(u'}'))
      return fail(QStringLiteral("字段名“%1”中不能有花括号").arg(name));
    return text(u'{' + name + u'}', line, out);
  }

  bool read_column(Report_Detail& detail) {
    const qint64 line = xml.lineNumber();
    if (detail.columns.size() >= MAX_COLUMNS)
      return fail(QStringLiteral("<detail> 超过 %1 列").arg(MAX_COLUMNS));
    if (!count(cells, MAX_CELLS, "单元格")) return false;
    Report_Column column;
    if (!check_attributes({"label", "width", "field", "align"}) ||
        !text(value("label"), line, column.label) || !align(column.align))
      return false;
    if (!has("width")) return fail(QStringLiteral("<column> 缺少属性 width"));
    if (!parse_number("width", value("width"), 0.0, false, MAX_LENGTH, column.width) ||
        !field("column", line, column.value) || !no_children())
      return false;
    detail.columns.push_back(std::move(column));
    return true;
  }

  bool read_detail() {
    const qint64 line = xml.lineNumber();
    Report_Detail detail;
    if (!check_attributes({"font-size", "padding", "row-height", "line"}) || !row_style(detail.style))
      return false;
    for (bool found = true;;) {
      if (!next_child(found)) return false;
      if (!found) break;
      if (xml.name() != QLatin1String("column"))
        return fail(QStringLiteral("<detail> 中不能有元素 <%1>").arg(element()));
      if (!read_column(detail)) return false;
    }
    if (detail.columns.empty()) return fail_at(line, QStringLiteral("<detail> 中没有 <column>"));
    result.detail = std::move(detail);
    return true;
  }

  bool read_document() {
    bool found = false;
    while (!found && !xml.atEnd()) {
      const auto token = xml.readNext();
      if (token == QXmlStreamReader::StartElement) found = true;
      if (token == QXmlStreamReader::Invalid) return xml_failed();
    }
    if (!found) return xml_failed();
    if (xml.name() != QLatin1String("report"))
      return fail(QStringLiteral("根元素应为 <report>，而不是 <%1>").arg(element()));
    if (!check_attributes({})) return false;

    QStringList seen;
    for (;;) {
      if (!next_child(found)) return false;
      if (!found) break;
      const QString name = element();
      if (seen.contains(name)) return fail(QStringLiteral("<%1> 只能有一个").arg(name));
      seen.append(name);
      bool ok = false;
      if (name == QLatin1String("page")) {
        if (seen.size() > 1) return fail(QStringLiteral("<page> 应写在最前面"));
        ok = read_page();
      } else if (name == QLatin1String("page-header")) {
        ok = read_band(result.page_header);
      } else if (name == QLatin1String("report-header")) {
        ok = read_band(result.report_header);
      } else if (name == QLatin1String("detail")) {
        ok = read_detail();
      } else if (name == QLatin1String("report-footer")) {
        ok = read_band(result.report_footer);
      } else if (name == QLatin1String("page-footer")) {
        ok = read_band(result.page_footer);
      } else {
        ok = fail(QStringLiteral("未知元素 <%1>").arg(name));
      }
      if (!ok) return false;
    }
    while (!xml.atEnd()) xml.readNext();
    return !xml.hasError() || xml_failed();
  }

  QXmlStreamReader xml;
  const QString folder;  // where the template's pictures are
  Report_Definition result;
  QString error;
  int placeholders = 0;
  int cells = 0;
  int items = 0;
};

}  // namespace

QPageLayout Report_Definition::page_layout() const {
  return QPageLayout(QPageSize(page.size), page.orientation, QMarginsF(), QPageLayout::Millimeter);
}

bool read_report_template(const QByteArray& xml, Report_Definition& out, QString& error,
                          const QString& folder) {
  return Template_Reader(xml, folder).read(out, error);
}
