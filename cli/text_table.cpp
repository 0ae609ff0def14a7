#include "text_table.h"

#include <algorithm>
#include <cstdint>

namespace {

struct Code_Range {
  char32_t first;
  char32_t last;
};

// Characters that take two columns: the East Asian wide and full-width blocks.
constexpr Code_Range WIDE[] = {
    {0x1100, 0x115F}, {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF}, {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE30, 0xFE4F},   {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x3FFFD},
};
// Characters that take none: combining marks, zero-width blanks, variation selectors.
constexpr Code_Range ZERO_WIDTH[] = {{0x0300, 0x036F}, {0x200B, 0x200F}, {0xFE00, 0xFE0F}};

bool in_ranges(char32_t c, const auto& ranges) {
  return std::any_of(std::begin(ranges), std::end(ranges),
                     [c](const Code_Range& r) { return c >= r.first && c <= r.last; });
}

// Decodes the character at text[at] and advances at past it; a byte that
// starts no valid sequence counts as one character of its own.
char32_t next_character(std::string_view text, size_t& at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  size_t length = lead < 0x80           ? 1
                  : (lead >> 5) == 0x6  ? 2
                  : (lead >> 4) == 0xE  ? 3
                  : (lead >> 3) == 0x1E ? 4
                                        : 0;
  if (length == 0 || at + length > text.size()) {
    ++at;
    return 0xFFFD;
  }
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) {
      ++at;
      return 0xFFFD;
    }
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  at += length;
  return c;
}

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

size_t display_width(std::string_view utf8) {
  size_t width = 0;
  for (size_t at = 0; at < utf8.size();) {
    const char32_t c = next_character(utf8, at);
    width += in_ranges(c, ZERO_WIDTH) ? 0 : in_ranges(c, WIDE) ? 2 : 1;
  }
  return width;
}

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
