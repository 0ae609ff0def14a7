// Lays a report out on one output device: the template's bands and the
// records become pages of positioned texts and lines, measured in the
// device's pixels, which can then be painted as often as needed. Each text is
// laid out once, in time proportional to its length; a row or a band taller
// than the space of a page goes on over the next pages.
#pragma once

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <climits>
#include <memory>
#include <vector>

#include "report/report_drawing.h"
#include "report/report_template.h"

class QPaintDevice;
class QPainter;
class QTextLayout;

// A piece of a page; positions are device pixels from the sheet's top left.
struct Report_Block {
  // The lines first_line up to end_line of a laid-out text, drawn at
  // position (where the text's own origin lies).
  struct Text {
    std::shared_ptr<const QTextLayout> layout;
    QPointF position;
    int first_line = 0;
    int end_line = INT_MAX;
  };
  struct Line {
    QLineF line;
    double width = 0.0;
  };
  struct Figure {
    std::shared_ptr<const Report_Drawing> drawing;
    QRectF box;
  };
  std::vector<Text> texts;
  std::vector<Line> lines;
  std::vector<Figure> figures;
  double height = 0.0;

  // Adds other's texts, lines and figures moved by offset.
  void append(const Report_Block& other, QPointF offset);
};

struct Report_Laid_Out_Page {
  Report_Block margins;  // the page header and footer
  Report_Block body;     // drawn clipped to body_rect
  QRectF body_rect;
};

// The sheet the report is laid out on: the device whose font metrics are
// used, its resolution and the whole sheet in device pixels.
struct Report_Sheet {
  const QPaintDevice* device = nullptr;
  double dpi_x = 72.0;
  double dpi_y = 72.0;
  QRectF paper;
};

// What the layout had to cut short: a page header or page footer that would
// leave too little of the page for the body has its texts shortened, the
// last line shown ending in "…".
struct Report_Layout_Notes {
  bool page_header_cut = false;
  bool page_footer_cut = false;
  bool qrcode_too_long = false;  // a QR code's text, filled, was too long: a crossed box stands for it
};

// One page at least. Field values come from records (by field index); texts
// outside the detail band take those of the first record.
std::vector<Report_Laid_Out_Page> lay_out_report(const Report_Definition& definition,
                                                 const std::vector<std::vector<QString>>& records,
                                                 const Report_Sheet& sheet, const QString& date,
                                                 Report_Layout_Notes* notes = nullptr);

// Paints a page with the painter in sheet coordinates.
void paint_report_page(const Report_Laid_Out_Page& page, QPainter& painter);
