// A plain-text table whose columns line up on a terminal: widths are counted
// in display columns, two for a wide (CJK) character, one for others.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class Text_Table {
 public:
  enum class Align { left, right };

  void add_column(std::string header, Align align);
  // One cell per column, UTF-8. A control character (a line break in a name)
  // is shown as a blank so that each row stays one line.
  void add_row(std::vector<std::string> cells);

  // The header, a rule under each header, then the rows; two blanks between
  // columns and none at the end of a line.
  std::string text() const;

 private:
  struct Column {
    std::string header;
    Align align;
  };
  std::vector<Column> columns_;
  std::vector<std::vector<std::string>> rows_;
};
