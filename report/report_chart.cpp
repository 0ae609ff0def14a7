#include "report/report_chart.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QRectF>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

// A label under a bar shows at most this much of its text.
constexpr qsizetype MAX_LABEL_CHARACTERS = 40;
// Labels turned upright take at most this share of the chart's height.
constexpr double MAX_LABEL_SHARE = 0.35;

const QColor BAR_FILL(0xa9, 0xbc, 0xd0);
const QColor GRID_LINE(0xc8, 0xc8, 0xc8);

// A text of the chart in box; a turned one reads upwards, its box standing
// for the text laid down with its top left corner at the box's bottom left.
struct Chart_Text {
  QString text;
  QRectF box;
  Qt::Alignment align;
  bool turned = false;
  bool backed = false;  // on white, so that a mark's line does not strike it through
};

// The step of the value axis: 1, 2, 2.5 or 5 times a power of ten, so that
// about five steps reach top.
double axis_step(double top) {
  const double raw = top / 5.0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 2.5, 5.0})
    if (factor * power >= raw) return factor * power;
  return 10.0 * power;
}

class Chart_Drawing : public Report_Drawing {
 public:
  void paint(QPainter& painter, const QRectF& box) const override {
    painter.save();
    painter.translate(box.topLeft());
    painter.setPen(QPen(GRID_LINE, thin));
    for (const QLineF& line : grid) painter.drawLine(line);
    painter.setPen(QPen(Qt::black, thin));
    painter.setBrush(BAR_FILL);
    for (const QRectF& bar : bars) painter.drawRect(bar);
    painter.setPen(QPen(Qt::black, thick, Qt::SolidLine, Qt::FlatCap));
    for (const QLineF& line : axes) painter.drawLine(line);
    painter.setPen(QPen(Qt::black, thick, Qt::DashLine, Qt::FlatCap));
    for (const QLineF& line : marks) painter.drawLine(line);
    painter.setPen(Qt::black);
    painter.setFont(font);
    for (const Chart_Text& text : texts) {
      if (!text.turned) {
        if (text.backed)
          painter.fillRect(painter.boundingRect(text.box, int(text.align), text.text)
                               .adjusted(-2 * thin, -thin, 2 * thin, 2 * thin),
                           Qt::white);
        painter.drawText(text.box, int(text.align), text.text);
        continue;
      }
      painter.save();
      painter.translate(text.box.bottomLeft());
      painter.rotate(-90.0);
      painter.drawText(QRectF(0.0, 0.0, text.box.height(), text.box.width()), int(text.align), text.text);
      painter.restore();
    }
    painter.restore();
  }

  QFont font;
  double thin = 1.0;   // pixels
  double thick = 1.0;  // pixels
  std::vector<QLineF> grid, axes, marks;
  std::vector<QRectF> bars;
  std::vector<Chart_Text> texts;
};

}  // namespace

std::optional<double> chart_number(const QString& text) {
  static const QRegularExpression number(QStringLiteral("^\\s*(\\d+(?:\\.\\d+)?)(?:\\s+[^\\s\\d]+)?\\s*$"));
  const QRegularExpressionMatch match = number.match(text);
  if (!match.hasMatch()) return std::nullopt;
  const double value = match.captured(1).toDouble();
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::shared_ptr<const Report_Drawing> Report_Chart::drawing(const std::vector<std::vector<QString>>& records,
                                                            const Report_Text_Values& first,
                                                            const QFont& font, QSizeF size, double dpi_x,
                                                            double dpi_y) const {
  const auto mm_x = [dpi_x](double mm) { return mm * dpi_x / 25.4; };
  const auto mm_y = [dpi_y](double mm) { return mm * dpi_y / 25.4; };
  auto chart = std::make_shared<Chart_Drawing>();
  chart->font = font;
  chart->thin = mm_y(0.15);
  chart->thick = mm_y(0.3);
  const QFontMetricsF metrics(font);
  const double line_height = metrics.height();
  const double gap_x = mm_x(1.5), gap_y = mm_y(1.0);

  // The numbers of the bars and their labels, and the marks' numbers (those
  // above 0).
  std::vector<std::optional<double>> values;
  std::vector<QString> labels, numbers;  // numbers: each bar's number as the report shows it
  double highest = 0.0, widest = 0.0, widest_number = 0.0;
  for (const std::vector<QString>& record : records) {
    Report_Text_Values at = first;
    at.record = &record;
    const QString shown = value.expand(at);
    values.push_back(chart_number(shown));
    numbers.push_back(values.back() ? shown.simplified().section(u' ', 0, 0) : QString());
    widest_number = std::max(widest_number, metrics.horizontalAdvance(numbers.back()));
    if (values.back()) highest = std::max(highest, *values.back());
    labels.push_back(label.expand(at).left(MAX_LABEL_CHARACTERS).simplified());
    widest = std::max(widest, metrics.horizontalAdvance(labels.back()));
  }
  struct Drawn_Mark {
    double value;
    QString label;
  };
  std::vector<Drawn_Mark> drawn_marks;
  double mark_width = 0.0;
  for (const Report_Chart_Mark& mark : marks) {
    const std::optional<double> number = chart_number(mark.value.expand(first));
    if (!number || *number <= 0.0) continue;
    drawn_marks.push_back({*number, mark.label.expand(first).simplified()});
    highest = std::max(highest, *number);
    mark_width = std::max(mark_width, metrics.horizontalAdvance(drawn_marks.back().label));
  }
  const double step = axis_step(highest > 0.0 ? highest * 1.05 : 10.0);
  const int steps = std::max(1, static_cast<int>(std::ceil((highest > 0.0 ? highest * 1.05 : 10.0) / step)));
  const double top_value = steps * step;

  // The room of the texts around the plot.
  double tick_width = 0.0;
  for (int i = 0; i <= steps; ++i)
    tick_width = std::max(tick_width, metrics.horizontalAdvance(QString::number(i * step)));
  const QString caption = axis.expand(first).simplified();
  const double left = tick_width + gap_x;
  const double right = drawn_marks.empty() ? mm_x(2.0) : mark_width + 2 * gap_x;
  const double slot = records.empty() ? 0.0 : std::max(size.width() - left - right, 1.0) / records.size();
  // Each bar's number stands on it where every number fits its bar's room.
  const double label_gap = mm_x(0.8);
  const bool numbered = widest_number > 0.0 && widest_number + label_gap <= slot;
  // The caption stands clear above the top tick's number, which is centred on
  // its line, and above the number on a bar reaching the top.
  const double top = std::max(line_height / 2, numbered ? line_height + gap_y : 0.0) +
                     (caption.isEmpty() ? 0.0 : line_height + gap_y);

  // The labels under the bars: side by side when they fit their bars' room,
  // otherwise turned upright; every k-th one where even so they would touch.
  const bool turned = widest + label_gap > slot;
  // Turned labels stand a character's height apart, less than a line's.
  const double needed = (turned ? metrics.horizontalAdvance(QChar(0x6D4B)) : widest) + label_gap;
  const size_t every = slot > 0.0 ? static_cast<size_t>(std::max(1.0, std::ceil(needed / slot))) : 1;
  const double label_length = turned ? std::min(widest, size.height() * MAX_LABEL_SHARE) : widest;
  const double bottom = widest > 0.0 ? gap_y + (turned ? label_length : line_height) + gap_y : gap_y;

  const QRectF plot(QPointF(left, top), QPointF(std::max(left + 1.0, size.width() - right),
                                                std::max(top + 1.0, size.height() - bottom)));
  const auto y_of = [&](double number) { return plot.bottom() - number / top_value * plot.height(); };

  // The value axis with its caption, ticks and grid.
  if (!caption.isEmpty())
    chart->texts.push_back(
        {caption, QRectF(0.0, 0.0, size.width(), line_height), Qt::AlignLeft | Qt::AlignTop});
  for (int i = 0; i <= steps; ++i) {
    const double y = y_of(i * step);
    if (i > 0) chart->grid.emplace_back(plot.left(), y, plot.right(), y);
    chart->texts.push_back({QString::number(i * step),
                            QRectF(0.0, y - line_height / 2, tick_width, line_height),
                            Qt::AlignRight | Qt::AlignVCenter});
  }
  chart->axes.emplace_back(plot.bottomLeft(), plot.topLeft());
  chart->axes.emplace_back(plot.bottomLeft(), plot.bottomRight());

  // The bars and their labels.
  const double bar_width = std::min(slot * 0.6, mm_x(12.0));
  for (size_t i = 0; i < records.size(); ++i) {
    const double centre = plot.left() + (i + 0.5) * slot;
    if (values[i] && *values[i] > 0.0) {
      const double bar_top = y_of(*values[i]);
      chart->bars.emplace_back(QPointF(centre - bar_width / 2, bar_top),
                               QPointF(centre + bar_width / 2, plot.bottom()));
      if (numbered)
        chart->texts.push_back({numbers[i],
                                QRectF(centre - slot / 2, bar_top - gap_y - line_height, slot, line_height),
                                Qt::AlignHCenter | Qt::AlignBottom, false, true});
    }
    if (i % every != 0 || labels[i].isEmpty()) continue;
    const double below = plot.bottom() + gap_y;
    if (turned)
      chart->texts.push_back({metrics.elidedText(labels[i], Qt::ElideRight, label_length),
                              QRectF(centre - line_height / 2, below, line_height, label_length),
                              Qt::AlignRight | Qt::AlignVCenter, true});
    else
      chart->texts.push_back(
          {labels[i], QRectF(centre - slot / 2, below, slot, line_height), Qt::AlignHCenter | Qt::AlignTop});
  }

  // The marks, their labels at the right moved apart where they would touch.
  std::sort(drawn_marks.begin(), drawn_marks.end(),
            [](const Drawn_Mark& a, const Drawn_Mark& b) { return a.value > b.value; });
  double free_from = 0.0;
  for (const Drawn_Mark& mark : drawn_marks) {
    const double y = y_of(mark.value);
    chart->marks.emplace_back(plot.left(), y, plot.right(), y);
    const double label_top = std::max(y - line_height / 2, free_from);
    chart->texts.push_back({mark.label,
                            QRectF(plot.right() + gap_x, label_top, mark_width + gap_x, line_height),
                            Qt::AlignLeft | Qt::AlignVCenter});
    free_from = label_top + line_height;
  }
  return chart;
}
