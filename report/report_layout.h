// Lays a report out on one output device: the template's bands and the
// records become pages of positioned texts and lines, measured in the
// device's pixels, which can then be painted as often as needed.
#pragma once

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

#include "report/report_drawing.h"
#include "report/report_template.h"

class QPaintDevice;
class QPainter;
class QTextLayout;

// A piece of a page; positions are device pixels from the sheet's top left.
struct Report_Block {
  struct Text {
    std::shared_ptr<const QTextLayout> layout;
    QPointF position;
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

// One page at least. Field values come from records (by field index); texts
// outside the detail band take those of the first record.
std::vector<Report_Laid_Out_Page> lay_out_report(const Report_Definition& definition,
                                                 const std::vector<std::vector<QString>>& records,
                                                 const Report_Sheet& sheet, const QString& date);

// Paints a page with the painter in sheet coordinates.
void paint_report_page(const Report_Laid_Out_Page& page, QPainter& painter);
