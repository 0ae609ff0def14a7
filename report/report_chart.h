// Report_Chart: a bar chart of a report's records, drawn as vectors. Each
// record gives one bar, as tall as the number its field shows, with its label
// under it and the number on it (where every number fits its bar); marks are horizontal lines at numbers of the first record (a mean,
// an estimated value), labelled at the right; the value axis is on the left.
// A value the report shows only as a text ("-.-", ">100.0") draws nothing.
#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "report/report_drawing.h"
#include "report/report_text.h"

struct Report_Chart_Mark {
  Report_Text value;  // the field whose number the line marks
  Report_Text label;
};

struct Report_Chart {
  Report_Text value;  // the field whose number each bar shows
  Report_Text label;  // the text under each bar
  Report_Text axis;   // the caption of the value axis
  std::vector<Report_Chart_Mark> marks;
  double width = 0.0;  // mm; 0 for the whole width it stands in
  double height = 60.0;
  double font_size = 7.5;  // pt, of every text of the chart

  // The chart of records in a box of size (device pixels at dpi_x, dpi_y),
  // its texts set in font (of font_size, made for the device); first holds
  // the first record and the page, for the marks and the caption.
  std::shared_ptr<const Report_Drawing> drawing(const std::vector<std::vector<QString>>& records,
                                                const Report_Text_Values& first, const QFont& font,
                                                QSizeF size, double dpi_x, double dpi_y) const;
};

// The number a chart draws for a value text: "32.5 MPa" and "37.5" give
// their numbers; a text that is no number followed by at most a unit gives
// none.
std::optional<double> chart_number(const QString& text);
