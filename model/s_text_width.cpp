#include "s_text_width.h"

#include <algorithm>
#include <iterator>

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

}  // namespace

size_t display_width(std::string_view utf8) {
  size_t width = 0;
  for (size_t at = 0; at < utf8.size();) {
    const char32_t c = next_character(utf8, at);
    width += in_ranges(c, ZERO_WIDTH) ? 0 : in_ranges(c, WIDE) ? 2 : 1;
  }
  return width;
}
