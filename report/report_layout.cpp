#include "report/report_layout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <new>
#include <numeric>
#include <optional>

#include "report/report_figure_layout.h"

void Report_Block::append(const Report_Block& other, QPointF offset) {
  for (const Text& text : other.texts)
    texts.push_back({text.layout, text.position + offset, text.first_line, text.end_line});
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

// A text laid out once at its width: its lines and where each starts, with
// tops[count] the height of them all. An empty text has one empty line and
// no layout.
struct Laid_Text {
  std::shared_ptr<const QTextLayout> layout;
  std::vector<double> tops;
  int line_count() const { return static_cast<int>(tops.size()) - 1; }
  double span(int from, int to) const { return tops[to] - tops[from]; }
};

// A row of cells laid out once, which may be placed in pieces of lines. A
// cell's figure counts as its one line.
struct Laid_Row {
  struct Cell {
    Laid_Text text;
    std::shared_ptr<const Report_Block> figure;
    double width = 0.0;
    Report_Border border = Report_Border::none;
  };
  std::vector<Cell> cells;
  double pad_x = 0.0;
  double pad_y = 0.0;
  double min_height = 0.0;
  double line = 0.0;  // the width of the borders
};

// A line of every cell, from which a piece of a row starts or where it ends.
using Row_Lines = std::vector<int>;

// Whether the text has a run longer than any line without a place to break
// it. Wrapping at word boundaries searches such a run to its end for every
// line it gives, so it would take time in the square of the run's length.
bool has_long_unbreakable_run(const QString& text) {
  constexpr qsizetype LONGEST_RUN = 256;
  if (text.size() <= LONGEST_RUN) return false;
  QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
  qsizetype last = 0;
  for (qsizetype at = breaks.toNextBoundary(); at >= 0; at = breaks.toNextBoundary()) {
    if (at - last > LONGEST_RUN) return true;
    last = at;
  }
  return text.size() - last > LONGEST_RUN;
}

// Laying a text out does not survive memory running out: the text engine
// writes through the null pointer of an allocation that failed. So the
// memory a layout takes (about a hundred bytes for each character) is first
// asked for and given back; when it cannot be had, std::bad_alloc fails the
// report instead.
void make_room_for_layout(qsizetype characters) {
  constexpr size_t BYTES_PER_CHARACTER = 128;
  constexpr size_t SMALL = size_t(1) << 20;
  const size_t bytes = static_cast<size_t>(characters) * BYTES_PER_CHARACTER;
  if (bytes < SMALL) return;
  void* volatile room = std::malloc(bytes);
  const bool had = room != nullptr;
  std::free(room);
  if (!had) throw std::bad_alloc();
}

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
    if (body.height() < 1.0) body.setHeight(1.0);
    if (definition.detail) {
      bool by_page = false;
      for (const Report_Column& column : definition.detail->columns)
        by_page = by_page || column.value.uses(Report_Text::Part::Kind::page) ||
                  column.value.uses(Report_Text::Part::Kind::pages);
      rows_depend_on_page = by_page;
    }
  }

  // Lays the pages out; when a text shows the page count, again with the
  // count found until it no longer changes.
  std::vector<Report_Laid_Out_Page> run(Report_Layout_Notes& notes_out) {
    int pages_total = 1;
    for (int pass = 0; pass < 4; ++pass) {
      paginate(pages_total);
      const int found = static_cast<int>(pages.size());
      if (!definition.uses_page_count || found == pages_total) break;
      pages_total = found;
    }
    notes_out = notes;
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
    return {records, values(first_record()), sheet, [this](double size) { return font(size, false); },
            &notes.qrcode_too_long};
  }

  // A text wrapped at width.
  Laid_Text lay_text(QString text, const QFont& font, double width, Report_Align align) const {
    Laid_Text laid;
    laid.tops.push_back(0.0);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    text.replace(u'\n', QChar::LineSeparator);
    if (text.isEmpty()) {
      laid.tops.push_back(QFontMetricsF(font, sheet.device).height());
      return laid;
    }
    make_room_for_layout(text.size());
    auto layout = std::make_shared<QTextLayout>(text, font, sheet.device);
    QTextOption option(qt_alignment(align));
    option.setWrapMode(has_long_unbreakable_run(text) ? QTextOption::WrapAnywhere
                                                      : QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    double height = 0.0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
      line.setLineWidth(std::max(width, 1.0));
      line.setPosition(QPointF(0.0, height));
      height += line.height();
      laid.tops.push_back(height);
    }
    layout->endLayout();
    if (laid.tops.size() == 1) laid.tops.push_back(QFontMetricsF(font, sheet.device).height());
    laid.layout = std::move(layout);
    return laid;
  }

  Laid_Row lay_row(const std::vector<Row_Cell>& cells, const Report_Row_Style& style) const {
    Laid_Row row;
    row.pad_x = mm_x(style.padding);
    row.pad_y = mm_y(style.padding);
    row.min_height = mm_y(style.row_height);
    row.line = mm_y(style.line);
    for (const Row_Cell& cell : cells) {
      if (cell.figure) {
        auto figure = std::make_shared<const Report_Block>(
            figure_block(*cell.figure, cell.align, cell.width - 2 * row.pad_x, figure_context()));
        row.cells.push_back({Laid_Text{nullptr, {0.0, figure->height}}, figure, cell.width, cell.border});
        continue;
      }
      row.cells.push_back(
          {lay_text(cell.text, font(style.font_size, cell.bold), cell.width - 2 * row.pad_x, cell.align),
           nullptr, cell.width, cell.border});
    }
    return row;
  }

  static Row_Lines first_lines(const Laid_Row& row) { return Row_Lines(row.cells.size(), 0); }

  static Row_Lines last_lines(const Laid_Row& row) {
    Row_Lines ends;
    for (const Laid_Row::Cell& cell : row.cells) ends.push_back(cell.text.line_count());
    return ends;
  }

  static double piece_height(const Laid_Row& row, const Row_Lines& from, const Row_Lines& to) {
    double height = row.min_height;
    for (size_t i = 0; i < row.cells.size(); ++i)
      height = std::max(height, row.cells[i].text.span(from[i], to[i]) + 2 * row.pad_y);
    return height;
  }

  // The lines from up to to of every cell, each cell's lines centred in the
  // piece's height, with the cells' borders.
  static Report_Block row_piece(const Laid_Row& row, const Row_Lines& from, const Row_Lines& to) {
    Report_Block piece;
    piece.height = piece_height(row, from, to);
    double x = 0.0;
    for (size_t i = 0; i < row.cells.size(); ++i) {
      const Laid_Row::Cell& cell = row.cells[i];
      const double top = (piece.height - cell.text.span(from[i], to[i])) / 2 - cell.text.tops[from[i]];
      if (cell.text.layout && to[i] > from[i])
        piece.texts.push_back({cell.text.layout, QPointF(x + row.pad_x, top), from[i], to[i]});
      if (cell.figure && from[i] == 0 && to[i] > 0) piece.append(*cell.figure, QPointF(x + row.pad_x, top));
      const QRectF box(x, 0.0, cell.width, piece.height);
      if (cell.border != Report_Border::none)
        piece.lines.push_back({QLineF(box.bottomLeft(), box.bottomRight()), row.line});
      if (cell.border == Report_Border::all) {
        piece.lines.push_back({QLineF(box.topLeft(), box.topRight()), row.line});
        piece.lines.push_back({QLineF(box.topLeft(), box.bottomLeft()), row.line});
        piece.lines.push_back({QLineF(box.topRight(), box.bottomRight()), row.line});
      }
      x += cell.width;
    }
    return piece;
  }

  // The lines of each cell after from that fit into height; false when not
  // one line of any cell does.
  static bool lines_that_fit(const Laid_Row& row, const Row_Lines& from, double height, Row_Lines& to) {
    to = from;
    bool progress = false;
    for (size_t i = 0; i < row.cells.size(); ++i) {
      const Laid_Text& text = row.cells[i].text;
      while (to[i] < text.line_count() && text.span(from[i], to[i] + 1) + 2 * row.pad_y <= height) ++to[i];
      progress = progress || to[i] > from[i];
    }
    return progress;
  }

  // The widths of the columns in pixels: the shares scaled to the body.
  std::vector<double> column_widths(const std::vector<double>& shares) const {
    const double total = std::accumulate(shares.begin(), shares.end(), 0.0);
    std::vector<double> widths;
    for (double share : shares) widths.push_back(share / total * body.width());
    return widths;
  }

  std::vector<Laid_Row> grid_rows(const Report_Grid& grid) const {
    const std::vector<double> widths = column_widths(grid.widths);
    std::vector<Laid_Row> laid;
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
      laid.push_back(lay_row(cells, grid.style));
    }
    return laid;
  }

  // A paragraph is a row of one borderless cell as wide as the body.
  Laid_Row paragraph_row(const Report_Paragraph& paragraph) const {
    Laid_Row row;
    row.cells.push_back(
        {lay_text(paragraph.text.expand(values(first_record())),
                  font(paragraph.font.size, paragraph.font.bold), body.width(), paragraph.align),
         nullptr, body.width(), Report_Border::none});
    return row;
  }

  // An item as the pieces it is stacked from: rows, or a block for a rule, a
  // space or a figure.
  struct Item_Pieces {
    std::vector<Laid_Row> rows;
    Report_Block block;
    double before = 0.0;
    double after = 0.0;
  };

  Item_Pieces item_pieces(const Report_Item& item) const {
    Item_Pieces pieces;
    if (const auto* paragraph = std::get_if<Report_Paragraph>(&item)) {
      pieces.rows.push_back(paragraph_row(*paragraph));
      pieces.before = mm_y(paragraph->space_before);
      pieces.after = mm_y(paragraph->space_after);
    } else if (const auto* grid = std::get_if<Report_Grid>(&item)) {
      pieces.rows = grid_rows(*grid);
    } else if (const auto* rule = std::get_if<Report_Rule>(&item)) {
      pieces.block.height = mm_y(rule->weight);
      pieces.block.lines.push_back(
          {QLineF(0.0, pieces.block.height / 2, body.width(), pieces.block.height / 2), pieces.block.height});
    } else if (const auto* space = std::get_if<Report_Space>(&item)) {
      pieces.block.height = mm_y(space->height);
    } else if (const auto* figure = std::get_if<Report_Figure>(&item)) {
      pieces.block = figure_block(*figure, figure->align, body.width(), figure_context());
    }
    return pieces;
  }

  // A band as one block, every row whole.
  Report_Block band_block(const Report_Band& band) const {
    Report_Block block;
    const auto add = [&](const Report_Block& piece) {
      block.append(piece, QPointF(0.0, block.height));
      block.height += piece.height;
    };
    for (const Report_Item& item : band) {
      const Item_Pieces pieces = item_pieces(item);
      block.height += pieces.before;
      for (const Laid_Row& row : pieces.rows) add(row_piece(row, first_lines(row), last_lines(row)));
      add(pieces.block);
      block.height += pieces.after;
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
    const Laid_Row row = lay_row(detail_cells(nullptr, true), definition.detail->style);
    return row_piece(row, first_lines(row), last_lines(row));
  }

  // Places a row kept whole on one page where it fits on one, under the
  // column header when one is due; a row taller than a page starts where it
  // stands and goes on over the next pages, each piece under the header.
  void place_row(const Laid_Row& row, bool with_header) {
    Row_Lines from = first_lines(row);
    const Row_Lines ends = last_lines(row);
    for (;;) {
      const Report_Block header = with_header && header_due ? column_header() : Report_Block();
      const double rest = piece_height(row, from, ends);
      Row_Lines to;
      if (fits_now(header.height + rest)) {
        to = ends;
      } else if (body_used && header_height(with_header) + rest <= body_bottom - body_top) {
        start_page();
        continue;
      } else if (!lines_that_fit(row, from, body_bottom - y - header.height, to)) {
        if (body_used) {
          start_page();
          continue;
        }
        // Not one line fits on an empty page: one line of each cell goes on
        // it all the same, cut off at the page's body.
        for (size_t i = 0; i < to.size(); ++i) to[i] = std::min(to[i] + 1, ends[i]);
      }
      put(header);
      header_due = false;
      put(row_piece(row, from, to));
      if (to == ends) return;
      start_page();
      from = std::move(to);
    }
  }

  double header_height(bool with_header) const {
    if (!with_header) return 0.0;
    if (!column_header_height) column_header_height = column_header().height;
    return *column_header_height;
  }

  // The rows of the records, each laid out once however many pages it takes.
  void place_detail() {
    const Report_Row_Style& style = definition.detail->style;
    header_due = true;
    for (size_t r = 0; r < records.size(); ++r) {
      if (rows_depend_on_page) {
        place_row(lay_row(detail_cells(&records[r], false), style), true);
        continue;
      }
      if (r == detail_rows.size()) detail_rows.push_back(lay_row(detail_cells(&records[r], false), style));
      place_row(detail_rows[r], true);
    }
    if (records.empty()) put_whole([&] { return column_header(); });
  }

  // A report header or footer: whole on one page where it fits on one (on the
  // next page when it does not fit on this one), otherwise item by item, its
  // rows and paragraphs going on over the next pages.
  void place_band(const Report_Band& band) {
    const Report_Block whole = band_block(band);
    if (fits_now(whole.height) || whole.height <= body_bottom - body_top) {
      put_whole([&] { return band_block(band); });
      return;
    }
    header_due = false;
    for (const Report_Item& item : band) {
      const Item_Pieces pieces = item_pieces(item);
      put_space(pieces.before);
      for (const Laid_Row& row : pieces.rows) place_row(row, false);
      if (!fits_now(pieces.block.height) && body_used) start_page();
      put(pieces.block);
      put_space(pieces.after);
    }
  }

  // Space that does not fit on this page is not carried to the next one.
  void put_space(double height) {
    if (fits_now(height))
      y += height;
    else
      start_page();
  }

  // The page header and footer may each take a third of the page between
  // the margins; the body keeps the rest.
  // A band without the page number or count is laid out once for all pages.
  struct Page_Band {
    const Report_Band& band;
    bool by_page = false;
    std::optional<Report_Block> laid_out;
  };

  static bool shows_page(const Report_Band& band) {
    const auto by_page = [](const Report_Text& text) {
      return text.uses(Report_Text::Part::Kind::page) || text.uses(Report_Text::Part::Kind::pages);
    };
    const auto figure_by_page = [&](const Report_Figure& figure) {
      if (const auto* code = std::get_if<Report_Qrcode>(&figure.content)) return by_page(code->text);
      if (const auto* chart = std::get_if<Report_Chart>(&figure.content)) {
        bool marks_by_page = false;
        for (const Report_Chart_Mark& mark : chart->marks)
          marks_by_page = marks_by_page || by_page(mark.label);
        return marks_by_page || by_page(chart->label) || by_page(chart->axis);
      }
      return false;
    };
    for (const Report_Item& item : band) {
      if (const auto* paragraph = std::get_if<Report_Paragraph>(&item); paragraph && by_page(paragraph->text))
        return true;
      if (const auto* figure = std::get_if<Report_Figure>(&item); figure && figure_by_page(*figure))
        return true;
      if (const auto* grid = std::get_if<Report_Grid>(&item))
        for (const auto& row : grid->rows)
          for (const Report_Cell& cell : row)
            if (by_page(cell.text) || (cell.figure && figure_by_page(*cell.figure))) return true;
    }
    return false;
  }

  const Report_Block& page_band(Page_Band& band, bool& cut) const {
    if (band.by_page || !band.laid_out) band.laid_out = page_band(band.band, cut);
    return *band.laid_out;
  }

  Report_Block page_band(const Report_Band& band, bool& cut) const {
    Report_Block block = band_block(band);
    const double allowed = body.height() / 3;
    if (block.height > allowed) {
      shorten(block, allowed);
      cut = true;
    }
    return block;
  }

  // "…" in the font, placed with its top left at position but never past
  // the right of the body.
  Report_Block::Text ellipsis(const QFont& font, QPointF position) const {
    auto layout = std::make_shared<QTextLayout>(QString(QChar(0x2026)), font, sheet.device);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    line.setLineWidth(body.width());
    layout->endLayout();
    position.setX(std::min(position.x(), body.width() - line.naturalTextWidth()));
    return {std::move(layout), position, 0, INT_MAX};
  }

  // Keeps the lines of the block's texts that end above height, ending each
  // text that lost lines with "…" (the block's bottom right shows one when no
  // text kept a line to end so), and the rules above height.
  void shorten(Report_Block& block, double height) const {
    std::vector<Report_Block::Text> ellipses;
    std::optional<QFont> cut_font;
    for (Report_Block::Text& text : block.texts) {
      const int end = std::min(text.end_line, text.layout->lineCount());
      int kept = text.first_line;
      while (kept < end && text.position.y() + text.layout->lineAt(kept).rect().bottom() <= height) ++kept;
      if (kept == end) continue;
      text.end_line = kept;
      if (!cut_font) cut_font = text.layout->font();
      if (kept == text.first_line) continue;
      const QTextLine last = text.layout->lineAt(kept - 1);
      ellipses.push_back(
          ellipsis(text.layout->font(), text.position + QPointF(last.naturalTextRect().right(), last.y())));
    }
    if (ellipses.empty() && cut_font) {
      const double line_height = QFontMetricsF(*cut_font, sheet.device).height();
      ellipses.push_back(ellipsis(*cut_font, QPointF(body.width(), std::max(0.0, height - line_height))));
    }
    block.texts.insert(block.texts.end(), ellipses.begin(), ellipses.end());
    std::erase_if(block.lines, [&](const Report_Block::Line& line) {
      return std::min(line.line.y1(), line.line.y2()) > height;
    });
    for (Report_Block::Line& line : block.lines)
      line.line = QLineF(line.line.x1(), std::min(line.line.y1(), height), line.line.x2(),
                         std::min(line.line.y2(), height));
    std::erase_if(block.figures,
                  [&](const Report_Block::Figure& figure) { return figure.box.bottom() > height; });
    block.height = height;
  }

  void start_page() {
    pages.emplace_back();
    page_number = static_cast<int>(pages.size());
    header_due = true;
    Report_Laid_Out_Page& page = pages.back();
    const Report_Block& header = page_band(page_header, notes.page_header_cut);
    const Report_Block& footer = page_band(page_footer, notes.page_footer_cut);
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
    if (block.texts.empty() && block.lines.empty() && block.figures.empty() && block.height == 0.0) return;
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
    if (!definition.report_header.empty()) place_band(definition.report_header);
    if (definition.detail) place_detail();
    if (!definition.report_footer.empty()) place_band(definition.report_footer);
  }

  const Report_Definition& definition;
  const std::vector<Record>& records;
  const Report_Sheet& sheet;
  const QString date;
  QRectF body;
  bool rows_depend_on_page = false;
  Page_Band page_header{definition.page_header, shows_page(definition.page_header), std::nullopt};
  Page_Band page_footer{definition.page_footer, shows_page(definition.page_footer), std::nullopt};
  // The detail rows laid out so far, kept for the next pass unless a row
  // shows the page number.
  std::vector<Laid_Row> detail_rows;
  mutable std::optional<double> column_header_height;
  std::vector<Report_Laid_Out_Page> pages;
  mutable Report_Layout_Notes notes;  // figures note what they could not draw while laid out
  int page_number = 1;
  int pages_total = 1;
  double y = 0.0;
  double body_top = 0.0;  // the body of the current page
  double body_bottom = 0.0;
  bool body_used = false;
  bool header_due = true;  // the column header goes above the next detail row
};

void paint_block(const Report_Block& block, QPainter& painter) {
  for (const Report_Block::Line& line : block.lines) {
    QPen pen(Qt::black, line.width, Qt::SolidLine, Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(line.line);
  }
  painter.setPen(Qt::black);
  for (const Report_Block::Text& text : block.texts) {
    const int end = std::min(text.end_line, text.layout->lineCount());
    for (int line = text.first_line; line < end; ++line)
      text.layout->lineAt(line).draw(&painter, text.position);
  }
  for (const Report_Block::Figure& figure : block.figures) figure.drawing->paint(painter, figure.box);
}

}  // namespace

std::vector<Report_Laid_Out_Page> lay_out_report(const Report_Definition& definition,
                                                 const std::vector<std::vector<QString>>& records,
                                                 const Report_Sheet& sheet, const QString& date,
                                                 Report_Layout_Notes* notes) {
  Report_Layout_Notes found;
  std::vector<Report_Laid_Out_Page> pages = Report_Layouter(definition, records, sheet, date).run(found);
  if (notes) *notes = found;
  return pages;
}

void paint_report_page(const Report_Laid_Out_Page& page, QPainter& painter) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  paint_block(page.margins, painter);
  painter.setClipRect(page.body_rect, Qt::IntersectClip);
  paint_block(page.body, painter);
  painter.restore();
}
