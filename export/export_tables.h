// The tables that a project is exported as: "构件", one row per component,
// and "测区", one row per test area of every component. Each cell is a
// figure or a text, as the window shows the value, so that a workbook, a
// CSV file, the window and the reports agree.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

class Rebound_Project;

struct Export_Cell {
  // UTF-8. For a figure, its shortest decimal text ("." as the decimal point).
  std::string text;
  // Set for a figure: the value that text reads back as.
  std::optional<double> number;
};

struct Export_Column {
  std::string header;  // UTF-8
  // The decimals the window shows the column's figures with (0: as they are).
  int decimals;
};

struct Export_Table {
  using Row = std::vector<Export_Cell>;
  const char* name;  // UTF-8, the name of its sheet
  std::vector<Export_Column> columns;
  // Hands every row, in order, to the sink; stops with false as soon as the
  // sink returns false. The rows are made afresh on each call.
  std::function<bool(const std::function<bool(const Row&)>& sink)> for_each_row;
};

// The tables read the project when their rows are walked: it must outlive them.
Export_Table component_table(const Rebound_Project& project);
Export_Table area_table(const Rebound_Project& project);
