// display_width: how many columns a UTF-8 text fills on a terminal or in a
// spreadsheet column: two for a wide (CJK) character, one for others, none for
// a combining mark.
#pragma once

#include <cstddef>
#include <string_view>

// A byte that starts no valid character counts as one column.
size_t display_width(std::string_view utf8);
