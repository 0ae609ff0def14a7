#include "workbook_export.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "export_tables.h"
#include "model/s_file.h"
#include "model/s_text_width.h"

namespace {

// The most characters a cell of a workbook holds.
constexpr size_t CELL_TEXT_LIMIT = 32767;
// Column widths, in the width of a digit: room beside the widest text, and
// the most a column of long remarks takes.
constexpr double COLUMN_PADDING = 2;
constexpr double COLUMN_WIDTH_LIMIT = 60;
constexpr uint8_t PAPER_A4 = 9;

// A folder of this export's own under the system's temporary folder, where
// libxlsxwriter writes the workbook (it writes only by file name) before the
// bytes go to their target; it is removed with everything in it.
class Temporary_Folder {
 public:
  Temporary_Folder() {
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec) return;
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const std::filesystem::path candidate = base / ("rv820-export-" + std::to_string(random()));
      if (std::filesystem::create_directory(candidate, ec)) path_ = candidate;
    }
    if (!path_.empty()) std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
  }
  ~Temporary_Folder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  Temporary_Folder(const Temporary_Folder&) = delete;
  Temporary_Folder& operator=(const Temporary_Folder&) = delete;

  // Empty when no folder could be made.
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The text cut after the characters a cell can hold (UTF-8, whole characters).
std::string_view cell_text(std::string_view text) {
  size_t characters = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && characters++ == CELL_TEXT_LIMIT)
      return text.substr(0, at);
  }
  return text;
}

// The text a cell shows: a figure with its column's decimals.
std::string shown_text(const Export_Cell& cell, int decimals) {
  if (!cell.number || decimals == 0) return cell.text;
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, *cell.number);
  return text;
}

class Workbook_Writer {
 public:
  explicit Workbook_Writer(lxw_workbook* workbook) : workbook_(workbook) {
    bold_ = workbook_add_format(workbook_);
    format_set_bold(bold_);
    format_set_align(bold_, LXW_ALIGN_CENTER);
    for (int decimals = 1; decimals <= 2; ++decimals) {
      figures_[decimals] = workbook_add_format(workbook_);
      format_set_num_format(figures_[decimals], decimals == 1 ? "0.0" : "0.00");
    }
  }

  // False at the first cell or setting the workbook refuses.
  bool add_sheet(const Export_Table& table) {
    lxw_worksheet* sheet = workbook_add_worksheet(workbook_, table.name);
    if (!sheet) return false;
    const std::vector<double> widths = column_widths(table);
    for (size_t c = 0; c < widths.size(); ++c) {
      if (!ok(worksheet_set_column(sheet, col(c), col(c), widths[c], nullptr))) return false;
    }
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_set_landscape(sheet);
    worksheet_set_paper(sheet, PAPER_A4);
    worksheet_fit_to_pages(sheet, 1, 0);
    // Printed rows of figures are read along their grid lines.
    worksheet_gridlines(sheet, LXW_SHOW_ALL_GRIDLINES);
    if (!ok(worksheet_repeat_rows(sheet, 0, 0))) return false;
    for (size_t c = 0; c < table.columns.size(); ++c) {
      if (!ok(worksheet_write_string(sheet, 0, col(c), table.columns[c].header.c_str(), bold_))) return false;
    }
    lxw_row_t row_number = 0;
    return table.for_each_row([&](const Export_Table::Row& row) {
      ++row_number;
      for (size_t c = 0; c < row.size(); ++c) {
        if (!write_cell(sheet, row_number, col(c), row[c], table.columns[c].decimals)) return false;
      }
      return true;
    });
  }

 private:
  static lxw_col_t col(size_t c) { return static_cast<lxw_col_t>(c); }
  static bool ok(lxw_error error) { return error == LXW_NO_ERROR; }

  bool write_cell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, const Export_Cell& cell, int decimals) {
    if (cell.number) return ok(worksheet_write_number(sheet, row, col, *cell.number, figures_[decimals]));
    if (cell.text.empty()) return true;
    const std::string text(cell_text(cell.text));
    return ok(worksheet_write_string(sheet, row, col, text.c_str(), nullptr));
  }

  static std::vector<double> column_widths(const Export_Table& table) {
    std::vector<size_t> widest;
    for (const Export_Column& column : table.columns) widest.push_back(display_width(column.header));
    table.for_each_row([&](const Export_Table::Row& row) {
      for (size_t c = 0; c < row.size(); ++c)
        widest[c] = std::max(widest[c], display_width(shown_text(row[c], table.columns[c].decimals)));
      return true;
    });
    std::vector<double> widths;
    for (const size_t width : widest)
      widths.push_back(std::min(static_cast<double>(width) + COLUMN_PADDING, COLUMN_WIDTH_LIMIT));
    return widths;
  }

  lxw_workbook* workbook_;
  lxw_format* bold_ = nullptr;   // the header row: bold and centred
  lxw_format* figures_[3] = {};  // by decimals; none for 0
};

// Writes the workbook into the file of that name.
bool write_workbook(const Rebound_Project& project, const std::filesystem::path& file,
                    const std::filesystem::path& temporary_folder) {
  std::string tmpdir = temporary_folder.string();
  lxw_workbook_options options = {};
  // Rows go to the file as they are written, so that a large project does
  // not hold every cell in memory; texts are then kept in their cells.
  options.constant_memory = LXW_TRUE;
  options.tmpdir = tmpdir.data();
  lxw_workbook* workbook = workbook_new_opt(file.c_str(), &options);
  if (!workbook) return false;
  Workbook_Writer writer(workbook);
  const bool written = writer.add_sheet(component_table(project)) && writer.add_sheet(area_table(project));
  // Closing also frees the workbook, so it is closed whatever came before.
  const bool closed = workbook_close(workbook) == LXW_NO_ERROR;
  return written && closed;
}

}  // namespace

bool export_workbook(const Rebound_Project& project, const std::filesystem::path& path) {
  S_File_Writer writer;
  return export_workbook(project, path, writer);
}

bool export_workbook(const Rebound_Project& project, const std::filesystem::path& path,
                     S_File_Writer& writer) {
  const Temporary_Folder folder;
  if (folder.path().empty()) return false;
  const std::filesystem::path file = folder.path() / "workbook.xlsx";
  std::string bytes;
  return write_workbook(project, file, folder.path()) && read_file(file, bytes) &&
         write_file_replacing(path, bytes, writer);
}
