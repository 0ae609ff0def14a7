#include "report/report_figure_layout.h"

#include <algorithm>

namespace {

struct Figure_Maker {
  const Report_Figure_Context& context;
  double width;  // the width available, pixels

  double mm_x(double mm) const { return mm * context.sheet.dpi_x / 25.4; }
  double mm_y(double mm) const { return mm * context.sheet.dpi_y / 25.4; }

  // A size in mm as pixels, scaled down whole to fit the width.
  QSizeF fitted(QSizeF mm) const {
    QSizeF pixels(mm_x(mm.width()), mm_y(mm.height()));
    if (pixels.width() > width) pixels *= width / pixels.width();
    return pixels;
  }

  std::pair<QSizeF, std::shared_ptr<const Report_Drawing>> operator()(const Report_Image& image) const {
    return {fitted(image.size()), image.drawing()};
  }

  std::pair<QSizeF, std::shared_ptr<const Report_Drawing>> operator()(const Report_Qrcode& code) const {
    bool too_long = false;
    auto drawing = code.drawing(context.first, context.font(7.0), too_long);
    if (too_long) *context.qrcode_too_long = true;
    return {fitted(QSizeF(code.size, code.size)), std::move(drawing)};
  }

  std::pair<QSizeF, std::shared_ptr<const Report_Drawing>> operator()(const Report_Chart& chart) const {
    const QSizeF size =
        chart.width > 0.0 ? fitted(QSizeF(chart.width, chart.height)) : QSizeF(width, mm_y(chart.height));
    return {size, chart.drawing(context.records, context.first, context.font(chart.font_size), size,
                                context.sheet.dpi_x, context.sheet.dpi_y)};
  }
};

}  // namespace

Report_Block figure_block(const Report_Figure& figure, Report_Align align, double width,
                          const Report_Figure_Context& context) {
  const auto [size, drawing] = std::visit(Figure_Maker{context, std::max(width, 1.0)}, figure.content);
  Report_Block block;
  block.height = size.height();
  double x = 0.0;
  if (align == Report_Align::center) x = (width - size.width()) / 2;
  if (align == Report_Align::right) x = width - size.width();
  if (drawing) block.figures.push_back({drawing, QRectF(QPointF(std::max(x, 0.0), 0.0), size)});
  return block;
}
