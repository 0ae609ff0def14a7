// The rule for a reading typed into the test-area grid, apart from the grid:
// a decimal integer with an optional sign; a plain reading lies in 10..98,
// and a trailing "n" or "N" forces any value of one byte (0..255).
#pragma once

#include <cstdint>
#include <string_view>

struct S_Typed_Reading {
  enum class Verdict {
    Not_A_Number,  // the cell shows the stored reading again (and a trace line is written)
    Out_Of_Range,  // beyond one byte: the cell shows the stored reading again
    Not_Forced,    // a plain number outside 10..98: nothing changes
    Accepted,      // stored as value; the cell shows it and the cursor moves on
  };
  Verdict verdict;
  uint8_t value = 0;
  friend bool operator==(const S_Typed_Reading&, const S_Typed_Reading&) = default;
};

// What the text typed into a reading cell (UTF-8) does.
S_Typed_Reading typed_reading(std::string_view text);
