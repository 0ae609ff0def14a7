// Reading exported files back with readers that are not ours: openpyxl for
// workbooks and Python's csv module for CSV files, run by Debian's Python.
// Each gives what it read as a JSON document.
#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>

// {"sheets": [names], "content": {name: {"cells": [[{"value", "format"}]],
// "header_bold", "freeze_panes", "widths", "orientation", "paper_size",
// "print_title_rows", "print_grid_lines", "fit_to_page", "fit_to_width",
// "fit_to_height"}}}; null when the file cannot be read.
nlohmann::json read_workbook(const std::filesystem::path& path);
// The records as lists of texts; null when the file cannot be read.
nlohmann::json read_csv(const std::filesystem::path& path);
