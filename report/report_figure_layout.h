// Lays a figure of a template (a picture, a QR code, a chart) out as a block
// of the page: its size in millimetres turned into device pixels, scaled down
// to the width it stands in, placed by its alignment.
#pragma once

#include <QFont>
#include <functional>
#include <vector>

#include "report/report_layout.h"

struct Report_Figure_Context {
  const std::vector<std::vector<QString>>& records;  // every record, for a chart
  Report_Text_Values first;                          // the first record and the page
  const Report_Sheet& sheet;
  std::function<QFont(double size)> font;  // the report's face at a size, for the device
  bool* qrcode_too_long;                   // set when a QR code's filled text is too long
};

// The figure in a block as wide as width (pixels) and as tall as the figure.
Report_Block figure_block(const Report_Figure& figure, Report_Align align, double width,
                          const Report_Figure_Context& context);
