// The report template and the definition read from it: page setup, bands and
// the detail table, from a small XML file. Lengths are millimetres, font
// sizes points.
//
//   <report>
//     <page size="A4" orientation="portrait" margin-left="20" margin-top="15"
//           margin-right="15" margin-bottom="15" font="Noto Sans CJK SC" font-size="10"/>
//     <page-header> items </page-header>       on every page, at the top
//     <report-header> items </report-header>   on the first page
//     <detail font-size="9" padding="1" row-height="7" line="0.2">
//       <column label="序号" width="8" field="序号" align="center"/> ...
//     </detail>                                 one row per record; the column
//                                               header repeats on every page
//     <report-footer> items </report-footer>   after the last row
//     <page-footer> items </page-footer>       on every page, at the bottom
//   </report>
//
// Items of a band, stacked top to bottom over the width between the margins:
//   <text align="center" font-size="16" bold="true" space-before="0" space-after="2">…</text>
//   <grid widths="20 30 20 30" font-size="9" padding="1" row-height="7" line="0.2" border="all">
//     <row><cell span="1" align="left" bold="false" border="all">…</cell>…</row>
//   </grid>
//   <line weight="0.3"/>
//   <space height="4"/>
//   <image file="logo.png" width="30" height="12" align="left"/>
//   <qrcode size="20" align="right">…</qrcode>
//   <chart field="修正后强度" label="{序号}" axis="MPa" width="170" height="60" font-size="7.5">
//     <mark field="强度平均值" label="平均值 {强度平均值}"/> …
//   </chart>
// Widths are shares of the width between the margins. A cell's text wraps
// inside its cell and a row is as tall as its tallest cell. border is "all",
// "bottom" (a line to write on) or "none". Every text may hold the
// placeholders of Report_Text; in a <text> or <cell> each line is trimmed.
// A cell may hold one <image>, <qrcode> or <chart> (without align: the
// cell's align places it) in place of its text. docs/templates.md is the
// users' reference of the format.
#pragma once

#include <QByteArray>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>
#include <vector>

#include "report/report_chart.h"
#include "report/report_image.h"
#include "report/report_qrcode.h"
#include "report/report_text.h"

enum class Report_Align { left, center, right };
enum class Report_Border { all, bottom, none };

struct Report_Font {
  double size = 10.0;
  bool bold = false;
};

struct Report_Page {
  QPageSize::PageSizeId size = QPageSize::A4;
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  QMarginsF margins{20.0, 15.0, 15.0, 15.0};
  QString font_family = QStringLiteral("Noto Sans CJK SC");
  double font_size = 10.0;
};

struct Report_Paragraph {
  Report_Text text;
  Report_Align align = Report_Align::left;
  Report_Font font;
  double space_before = 0.0;
  double space_after = 0.0;
};

// A picture, a QR code or a chart, of a fixed size in millimetres.
struct Report_Figure {
  std::variant<Report_Image, Report_Qrcode, Report_Chart> content;
  Report_Align align = Report_Align::left;  // in a band; in a cell the cell's align counts
};

struct Report_Cell {
  Report_Text text;
  std::optional<Report_Figure> figure;  // shown in place of the text
  int span = 1;
  Report_Align align = Report_Align::left;
  bool bold = false;
  Report_Border border = Report_Border::all;
};

// The look shared by the rows of a grid and of the detail table.
struct Report_Row_Style {
  double font_size = 10.0;
  double padding = 1.0;
  double row_height = 0.0;  // the least height of a row
  double line = 0.2;        // the width of the cell borders
};

struct Report_Grid {
  std::vector<double> widths;
  std::vector<std::vector<Report_Cell>> rows;
  Report_Row_Style style;
};

struct Report_Rule {
  double weight = 0.3;
};

struct Report_Space {
  double height = 0.0;
};

using Report_Item = std::variant<Report_Paragraph, Report_Grid, Report_Rule, Report_Space, Report_Figure>;
using Report_Band = std::vector<Report_Item>;

struct Report_Column {
  Report_Text label;
  Report_Text value;  // the column's field
  double width = 1.0;
  Report_Align align = Report_Align::left;
};

struct Report_Detail {
  std::vector<Report_Column> columns;
  Report_Row_Style style;
};

struct Report_Definition {
  Report_Page page;
  Report_Band page_header;
  Report_Band report_header;
  std::optional<Report_Detail> detail;
  Report_Band report_footer;
  Report_Band page_footer;
  // Every field name the template uses; a field's index is its position.
  QStringList field_names;
  // Whether some text shows the page count (the layout then needs it first).
  bool uses_page_count = false;

  // The page setup for a printer or a PDF writer: the template's paper and
  // orientation with no margins (the layout places the margins itself).
  QPageLayout page_layout() const;
};

// Reads a template; its pictures are looked up in folder (the template's
// own; without one a picture is missing). False with the reason, starting
// with the line where the template is broken, when it is not XML, its root
// is not <report>, or it has an unknown element or attribute, a bad value,
// an unbalanced brace, a placeholder that names none of the report fields
// (nor page, pages or date), more than 64 columns in a table, 4000 cells,
// 4000 items or 4000 placeholders in all, a picture that cannot be read or a
// QR code text that is too long.
bool read_report_template(const QByteArray& xml, Report_Definition& out, QString& error,
                          const QString& folder = QString());
