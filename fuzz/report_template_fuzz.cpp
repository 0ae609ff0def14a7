// Reads arbitrary bytes as a report template. A template that reads must
// hold only what the layout can rely on, and every one of its texts must
// expand; one that does not read must say where and why.
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <variant>
#include <vector>

#include "report/report_data.h"
#include "report/report_template.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

void check_length(double mm) { check(mm >= 0.0 && mm <= 1000.0); }
void check_font_size(double pt) { check(pt > 0.0 && pt <= 200.0); }

void check_style(const Report_Row_Style& style) {
  check_font_size(style.font_size);
  check_length(style.padding);
  check_length(style.row_height);
  check_length(style.line);
}

void expand(const Report_Text& text, const Report_Text_Values& values) { (void)text.expand(values); }

// A figure has a size the layout can draw and texts that expand. No
// picture reads: the fuzzed template has no folder.
void check_figure(const Report_Figure& figure, const Report_Text_Values& values) {
  check(!std::holds_alternative<Report_Image>(figure.content));
  if (const auto* code = std::get_if<Report_Qrcode>(&figure.content)) {
    check(code->size > 0.0 && code->size <= 1000.0);
    expand(code->text, values);
  } else {
    const Report_Chart& chart = std::get<Report_Chart>(figure.content);
    check_length(chart.width);
    check(chart.height > 0.0 && chart.height <= 1000.0);
    check_font_size(chart.font_size);
    for (const Report_Text* text : {&chart.value, &chart.label, &chart.axis}) expand(*text, values);
    for (const Report_Chart_Mark& mark : chart.marks) {
      expand(mark.value, values);
      expand(mark.label, values);
    }
  }
}

void check_band(const Report_Band& band, const Report_Text_Values& values) {
  for (const Report_Item& item : band) {
    if (const auto* paragraph = std::get_if<Report_Paragraph>(&item)) {
      check_font_size(paragraph->font.size);
      check_length(paragraph->space_before);
      check_length(paragraph->space_after);
      expand(paragraph->text, values);
    } else if (const auto* grid = std::get_if<Report_Grid>(&item)) {
      check(!grid->widths.empty() && grid->widths.size() <= 64);
      for (double w : grid->widths) check(w > 0.0 && w <= 1000.0);
      check_style(grid->style);
      for (const auto& row : grid->rows) {
        size_t columns = 0;
        for (const Report_Cell& cell : row) {
          check(cell.span >= 1 && cell.span <= 100);
          columns += static_cast<size_t>(cell.span);
          expand(cell.text, values);
          if (cell.figure) {
            check(cell.text.expand(values).isEmpty());
            check_figure(*cell.figure, values);
          }
        }
        check(columns == grid->widths.size());
      }
    } else if (const auto* rule = std::get_if<Report_Rule>(&item)) {
      check_length(rule->weight);
    } else if (const auto* figure = std::get_if<Report_Figure>(&item)) {
      check_figure(*figure, values);
    } else {
      check_length(std::get<Report_Space>(item).height);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray xml(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  Report_Definition definition;
  QString error;
  if (!read_report_template(xml, definition, error)) {
    check(error.startsWith(QStringLiteral("第 ")));
    return 0;
  }
  check(error.isEmpty());

  const Report_Page& page = definition.page;
  check_length(page.margins.left());
  check_length(page.margins.top());
  check_length(page.margins.right());
  check_length(page.margins.bottom());
  check_font_size(page.font_size);
  check(!page.font_family.trimmed().isEmpty());
  check(definition.page_layout().isValid());

  // Field names are distinct report fields.
  const std::set<QString> distinct(definition.field_names.begin(), definition.field_names.end());
  check(distinct.size() == static_cast<size_t>(definition.field_names.size()));
  for (const QString& name : definition.field_names)
    check(std::find_if(std::begin(REPORT_FIELD_NAMES), std::end(REPORT_FIELD_NAMES), [&](const char* known) {
            return name == QString::fromUtf8(known);
          }) != std::end(REPORT_FIELD_NAMES));

  // Every text expands with one value per field, and with a record that
  // lacks some of them.
  std::vector<QString> record;
  for (const QString& name : definition.field_names) record.push_back(name + QStringLiteral("值"));
  std::vector<QString> short_record(record.begin(), record.begin() + record.size() / 2);
  for (const std::vector<QString>* values : {&record, &short_record}) {
    const Report_Text_Values at{values, 2, 3, QStringLiteral("2013-05-07")};
    check_band(definition.page_header, at);
    check_band(definition.report_header, at);
    check_band(definition.report_footer, at);
    check_band(definition.page_footer, at);
    if (definition.detail) {
      check(!definition.detail->columns.empty() && definition.detail->columns.size() <= 64);
      check_style(definition.detail->style);
      for (const Report_Column& column : definition.detail->columns) {
        check(column.width > 0.0 && column.width <= 1000.0);
        expand(column.label, at);
        expand(column.value, at);
      }
    }
  }
  // A column shows the value of its one field (or of the page, the page count
  // or the date).
  if (definition.detail) {
    const Report_Text_Values at{&record, 2, 3, QStringLiteral("2013-05-07")};
    for (const Report_Column& column : definition.detail->columns) {
      const QString shown = column.value.expand(at);
      check(shown == QStringLiteral("2") || shown == QStringLiteral("3") || shown == at.date ||
            std::find(record.begin(), record.end(), shown) != record.end());
    }
  }

  // Reading is a function of the bytes alone.
  Report_Definition again;
  check(read_report_template(xml, again, error) && again.field_names == definition.field_names &&
        again.uses_page_count == definition.uses_page_count);
  return 0;
}
