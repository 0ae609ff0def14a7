#include "text_table.h"

#include <algorithm>

#include "model/s_text_width.h"

namespace {

std::string one_line(std::string cell) {
  for (char& c : cell) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return cell;
}

std::string padded(const std::string& cell, size_t width, Text_Table::Align align) {
  const std::string fill(width - std::min(width, display_width(cell)), ' ');
  return align == Text_Table::Align::left ? cell + fill : fill + cell;
}

}  // namespace

void Text_Table::add_column(std::string header, Align align) {
  columns_.push_back({std::move(header), align});
}

void Text_Table::add_row(std::vector<std::string> cells) {
  cells.resize(columns_.size());
  for (std::string& cell : cells) cell = one_line(std::move(cell));
  rows_.push_back(std::move(cells));
}

std::string Text_Table::text() const {
  std::vector<size_t> widths;
  for (size_t c = 0; c < columns_.size(); ++c) {
    size_t width = display_width(columns_[c].header);
    for (const auto& row : rows_) width = std::max(width, display_width(row[c]));
    widths.push_back(width);
  }
  std::string out;
  const auto add_line = [&](const auto& cell_of) {
    std::string line;
    for (size_t c = 0; c < columns_.size(); ++c) {
      if (c > 0) line += "  ";
      line += padded(cell_of(c), widths[c], columns_[c].align);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out += line + "\n";
  };
  add_line([&](size_t c) { return columns_[c].header; });
  add_line([&](size_t c) { return std::string(widths[c], '-'); });
  for (const auto& row : rows_) add_line([&](size_t c) { return row[c]; });
  return out;
}
