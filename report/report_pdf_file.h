// Report_Pdf_File: one PDF document of one or more reports, each starting on
// a new page in its own template's page setup and with its own page numbers.
// The pages go to the file as they are painted, through the safe replacing
// write, so that neither a long report nor a failure half-way needs the whole
// document in memory or spoils a file already there.
#pragma once

#include <climits>
#include <filesystem>
#include <functional>
#include <memory>

class QIODevice;
class QPainter;
class QPdfWriter;
class Qt_Report_Engine;
class S_Byte_Writer;
class S_Pdf_Unicode_Filter;

class Report_Pdf_File {
 public:
  // Writes one document to path: add_reports adds its reports, and the file
  // replaces the one at path only when add_reports returned true and the
  // document was finished. An error thrown while the document is made (memory
  // running out included) fails the write like any other failure; the
  // partial file is removed and nothing is thrown.
  static bool write(const std::filesystem::path& path,
                    const std::function<bool(Report_Pdf_File&)>& add_reports);

  ~Report_Pdf_File();
  Report_Pdf_File(const Report_Pdf_File&) = delete;
  Report_Pdf_File& operator=(const Report_Pdf_File&) = delete;

  // Paints the engine's fetched report (its pages first to last, counted
  // from 1) after those added before. False when it could not be painted
  // (no template loaded, no such page, a failed page).
  bool add(Qt_Report_Engine& engine, int first_page = 1, int last_page = INT_MAX);

 private:
  explicit Report_Pdf_File(S_Byte_Writer& out);
  // Ends the document; false when it failed or holds no report.
  bool finish();

  std::unique_ptr<S_Pdf_Unicode_Filter> filter;
  std::unique_ptr<QIODevice> device;
  std::unique_ptr<QPdfWriter> writer;
  std::unique_ptr<QPainter> painter;
  int reports = 0;
  bool failed = false;
};
