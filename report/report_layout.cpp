#include "report/report_layout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <functional>
#include <numeric>

#include "report/report_figure_layout.h"

void Report_Block::append(const Report_Block& other, QPointF offset) {
  for (const Text& text : other.texts) texts.push_back({text.layout, text.position + offset});
  for (const Line& line : other.lines) lines.push_back({line.line.translated(offset), line.width});
  for (const Figure& figure : other.figures)
    figures.push_back({figure.drawing, figure.box.translated(offset)});
}

namespace {

using Record = std::vector<QString>;

Qt::Alignment qt_alignment(Report_Align align) {
  switch (align) {
    case Report_Align::center:
      return Qt::AlignHCenter;
    case Report_Align::right:
      return Qt::AlignRight;
    case Report_Align::left:
      break;
  }
  return Qt::AlignLeft;
}

// One cell of a row, its text already expanded.
struct Row_Cell {
  QString text;
  const Report_Figure* figure = nullptr;  // shown in place of the text
  double width = 0.0;                     // pixels
  Report_Align align = Report_Align::left;
  bool bold = false;
  Report_Border border = Report_Border::all;
};

class Report_Layouter {
 public:
  Report_Layouter(const Report_Definition& definition, const std::vector<Record>& records,
                  const Report_Sheet& sheet, const QString& date)
      : definition(definition), records(records), sheet(sheet), date(date) {
    const QMarginsF& margins = definition.page.margins;
    body = QRectF(
        QPointF(sheet.paper.left() + mm_x(margins.left()), sheet.paper.top() + mm_y(margins.top())),
        QPointF(sheet.paper.right() - mm_x(margins.right()), sheet.paper.bottom() - mm_y(margins.bottom())));
    if (body.width() < 1.0) body.setWidth(1.0);
  }

  // Lays the pages out; when a text shows the page count, again with the
  // count found until it no longer changes.
  std::vector<Report_Laid_Out_Page> run() {
    int pages_total = 1;
    for (int pass = 0; pass < 4; ++pass) {
      paginate(pages_total);
      const int found = static_cast<int>(pages.size());
      if (!definition.uses_page_count || found == pages_total) break;
      pages_total = found;
    }
    return std::move(pages);
  }

 private:
  double mm_x(double mm) const { return mm * sheet.dpi_x / 25.4; }
  double mm_y(double mm) const { return mm * sheet.dpi_y / 25.4; }

  QFont font(double size, bool bold) const {
    QFont base(definition.page.font_family);
    base.setPointSizeF(size);
    base.setBold(bold);
    base.setHintingPreference(QFont::PreferNoHinting);
    // Without shaping every character is drawn with the glyph the font's
    // character map gives it, which the PDF's text can map back: shaped Latin
    // runs take alternate digit glyphs that would read back as nothing.
    base.setStyleStrategy(QFont::PreferNoShaping);
    return QFont(base, sheet.device);
  }

  Report_Text_Values values(const Record* record) const { return {record, page_number, pages_total, date}; }

  const Record* first_record() const { return records.empty() ? nullptr : &records.front(); }

  Report_Figure_Context figure_context() const {
    return {records, values(first_record()), sheet, [this](double size) { return font(size, false); }};
  }

  // A text wrapped at width; the block's height is that of its lines (one
  // line for an empty text).
  Report_Block text_block(QString text, const QFont& font, double width, Report_Align align) const {
    Report_Block block;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    text.replace(u'\n', QChar::LineSeparator);
    if (text.isEmpty()) {
      block.height = QFontMetricsF(font, sheet.device).height();
      return block;
    }
    auto layout = std::make_shared<QTextLayout>(text, font, sheet.device);
    QTextOption option(qt_alignment(align));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
      line.setLineWidth(std::max(width, 1.0));
      line.setPosition(QPointF(0.0, block.height));
      block.height += line.height();
    }
    layout->endLayout();
    block.texts.push_back({std::move(layout), QPointF()});
    return block;
  }

  Report_Block row_block(const std::vector<Row_Cell>& cells, const Report_Row_Style& style) const {
    const double pad_x = mm_x(style.padding), pad_y = mm_y(style.padding);
    const double line = mm_y(style.line);
    Report_Block row;
    row.height = mm_y(style.row_height);
    std::vector<Report_Block> contents;
    for (const Row_Cell& cell : cells) {
      contents.push_back(
          cell.figure
              ? figure_block(*cell.figure, cell.align, cell.width - 2 * pad_x, figure_context())
              : text_block(cell.text, font(style.font_size, cell.bold), cell.width - 2 * pad_x, cell.align));
      row.height = std::max(row.height, contents.back().height + 2 * pad_y);
    }
    double x = 0.0;
    for (size_t i = 0; i < cells.size(); ++i) {
      const Row_Cell& cell = cells[i];
      row.append(contents[i], QPointF(x + pad_x, (row.height - contents[i].height) / 2));
      const QRectF box(x, 0.0, cell.width, row.height);
      if (cell.border != Report_Border::none)
        row.lines.push_back({QLineF(box.bottomLeft(), box.bottomRight()), line});
      if (cell.border == Report_Border::all) {
        row.lines.push_back({QLineF(box.topLeft(), box.topRight()), line});
        row.lines.push_back({QLineF(box.topLeft(), box.bottomLeft()), line});
        row.lines.push_back({QLineF(box.topRight(), box.bottomRight()), line});
      }
      x += cell.width;
    }
    return row;
  }

  // The widths of the columns in pixels: the shares scaled to the body.
  std::vector<double> column_widths(const std::vector<double>& shares) const {
    const double total = std::accumulate(shares.begin(), shares.end(), 0.0);
    std::vector<double> widths;
    for (double share : shares) widths.push_back(share / total * body.width());
    return widths;
  }

  Report_Block grid_block(const Report_Grid& grid) const {
    const std::vector<double> widths = column_widths(grid.widths);
    Report_Block block;
    for (const auto& row : grid.rows) {
      std::vector<Row_Cell> cells;
      size_t column = 0;
      for (const Report_Cell& cell : row) {
        const double width =
            std::accumulate(widths.begin() + column, widths.begin() + column + cell.span, 0.0);
        column += cell.span;
        cells.push_back({cell.text.expand(values(first_record())), cell.figure ? &*cell.figure : nullptr,
                         width, cell.align, cell.bold, cell.border});
      }
      const Report_Block laid = row_block(cells, grid.style);
      block.append(laid, QPointF(0.0, block.height));
      block.height += laid.height;
    }
    return block;
  }

  Report_Block item_block(const Report_Item& item) const {
    if (const auto* paragraph = std::get_if<Report_Paragraph>(&item)) {
      const Report_Block text =
          text_block(paragraph->text.expand(values(first_record())),
                     font(paragraph->font.size, paragraph->font.bold), body.width(), paragraph->align);
      Report_Block block;
      block.append(text, QPointF(0.0, mm_y(paragraph->space_before)));
      block.height = mm_y(paragraph->space_before) + text.height + mm_y(paragraph->space_after);
      return block;
    }
    if (const auto* grid = std::get_if<Report_Grid>(&item)) return grid_block(*grid);
    if (const auto* figure = std::get_if<Report_Figure>(&item))
      return figure_block(*figure, figure->align, body.width(), figure_context());
    Report_Block block;
    if (const auto* rule = std::get_if<Report_Rule>(&item)) {
      block.height = mm_y(rule->weight);
      block.lines.push_back({QLineF(0.0, block.height / 2, body.width(), block.height / 2), block.height});
    } else if (const auto* space = std::get_if<Report_Space>(&item)) {
      block.height = mm_y(space->height);
    }
    return block;
  }

  Report_Block band_block(const Report_Band& band) const {
    Report_Block block;
    for (const Report_Item& item : band) {
      const Report_Block laid = item_block(item);
      block.append(laid, QPointF(0.0, block.height));
      block.height += laid.height;
    }
    return block;
  }

  // The cells of the column header (header true) or of a record's row.
  std::vector<Row_Cell> detail_cells(const Record* record, bool header) const {
    const Report_Detail& detail = *definition.detail;
    std::vector<double> shares;
    for (const Report_Column& column : detail.columns) shares.push_back(column.width);
    const std::vector<double> widths = column_widths(shares);
    std::vector<Row_Cell> cells;
    for (size_t i = 0; i < detail.columns.size(); ++i) {
      const Report_Column& column = detail.columns[i];
      if (header)
        cells.push_back({column.label.expand(values(first_record())), nullptr, widths[i],
                         Report_Align::center, true, Report_Border::all});
      else
        cells.push_back({column.value.expand(values(record)), nullptr, widths[i], column.align, false,
                         Report_Border::all});
    }
    return cells;
  }

  Report_Block column_header() const {
    return row_block(detail_cells(nullptr, true), definition.detail->style);
  }

  // Splits a row too tall for any page at height: head keeps the lines of
  // each cell that fit, rest the text that follows them. False when not one
  // line fits.
  bool split_cells(const std::vector<Row_Cell>& cells, const Report_Row_Style& style, double height,
                   std::vector<Row_Cell>& head, std::vector<Row_Cell>& rest) const {
    const double pad_x = mm_x(style.padding), pad_y = mm_y(style.padding);
    head = rest = cells;
    bool progress = false;
    for (size_t i = 0; i < cells.size(); ++i) {
      rest[i].text.clear();
      const Report_Block laid = text_block(cells[i].text, font(style.font_size, cells[i].bold),
                                           cells[i].width - 2 * pad_x, cells[i].align);
      if (laid.texts.empty()) continue;
      const QTextLayout& layout = *laid.texts.front().layout;
      int cut = -1;
      for (int l = 0; l < layout.lineCount() && cut < 0; ++l) {
        const QTextLine line = layout.lineAt(l);
        if (line.y() + line.height() + 2 * pad_y > height) cut = line.textStart();
      }
      if (cut != 0) progress = true;
      if (cut > 0) {
        head[i].text = layout.text().left(cut);
        rest[i].text = layout.text().mid(cut);
      } else if (cut == 0) {
        head[i].text.clear();
        rest[i].text = cells[i].text;
      }
    }
    return progress;
  }

  // The rows of the records, each kept whole on one page under the column
  // header; only a row taller than a whole page is split, starting where it
  // stands and going on over the next pages.
  void place_detail() {
    const Report_Row_Style& style = definition.detail->style;
    bool header_due = true;
    for (const Record& record : records) {
      std::vector<Row_Cell> cells = detail_cells(&record, false);
      for (;;) {
        const Report_Block header = header_due ? column_header() : Report_Block();
        const Report_Block row = row_block(cells, style);
        if (!fits_now(header.height + row.height)) {
          const bool fits_a_page = header.height + row.height <= body_bottom - body_top;
          std::vector<Row_Cell> head, rest;
          if (body_used && fits_a_page) {
            start_page();
            header_due = true;
            continue;
          }
          if (split_cells(cells, style, body_bottom - y - header.height, head, rest)) {
            put(header);
            put(row_block(head, style));
            start_page();
            header_due = true;
            cells = std::move(rest);
            continue;
          }
          if (body_used) {
            start_page();
            header_due = true;
            continue;
          }
        }
        if (header_due) put(header);
        header_due = false;
        put(row);
        break;
      }
    }
    if (records.empty()) put_whole([&] { return column_header(); });
  }

  void start_page() {
    pages.emplace_back();
    page_number = static_cast<int>(pages.size());
    Report_Laid_Out_Page& page = pages.back();
    const Report_Block header = band_block(definition.page_header);
    const Report_Block footer = band_block(definition.page_footer);
    page.margins.append(header, body.topLeft());
    page.margins.append(footer, QPointF(body.left(), body.bottom() - footer.height));
    y = body_top = body.top() + header.height;
    body_bottom = body.bottom() - footer.height;
    // The clip lets the borders of the first and last rows show whole and
    // keeps an oversized row off the page footer.
    const double slack = mm_y(0.5);
    page.body_rect =
        QRectF(QPointF(sheet.paper.left(), y - slack), QPointF(sheet.paper.right(), body_bottom + slack));
    body_used = false;
  }

  bool fits_now(double height) const { return y + height <= body_bottom; }

  void put(const Report_Block& block) {
    pages.back().body.append(block, QPointF(body.left(), y));
    y += block.height;
    body_used = true;
  }

  // Places what make lays out, whole, on a new page when it does not fit on
  // this one; it is laid out again there, with that page's number.
  void put_whole(const std::function<Report_Block()>& make) {
    Report_Block block = make();
    if (body_used && !fits_now(block.height)) {
      start_page();
      block = make();
    }
    put(block);
  }

  void paginate(int total) {
    pages.clear();
    pages_total = total;
    start_page();
    if (!definition.report_header.empty()) put_whole([&] { return band_block(definition.report_header); });
    if (definition.detail) place_detail();
    if (!definition.report_footer.empty()) put_whole([&] { return band_block(definition.report_footer); });
  }

  const Report_Definition& definition;
  const std::vector<Record>& records;
  const Report_Sheet& sheet;
  const QString date;
  QRectF body;
  std::vector<Report_Laid_Out_Page> pages;
  int page_number = 1;
  int pages_total = 1;
  double y = 0.0;
  double body_top = 0.0;  // the body of the current page
  double body_bottom = 0.0;
  bool body_used = false;
};

void paint_block(const Report_Block& block, QPainter& painter) {
  for (const Report_Block::Line& line : block.lines) {
    QPen pen(Qt::black, line.width, Qt::SolidLine, Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(line.line);
  }
  painter.setPen(Qt::black);
  for (const Report_Block::Text& text : block.texts) text.layout->draw(&painter, text.position);
  for (const Report_Block::Figure& figure : block.figures) figure.drawing->paint(painter, figure.box);
}

}  // namespace

std::vector<Report_Laid_Out_Page> lay_out_report(const Report_Definition& definition,
                                                 const std::vector<std::vector<QString>>& records,
                                                 const Report_Sheet& sheet, const QString& date) {
  return Report_Layouter(definition, records, sheet, date).run();
}

void paint_report_page(const Report_Laid_Out_Page& page, QPainter& painter) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  paint_block(page.margins, painter);
  painter.setClipRect(page.body_rect, Qt::IntersectClip);
  paint_block(page.body, painter);
  painter.restore();
}
