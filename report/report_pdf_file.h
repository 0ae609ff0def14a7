// Report_Pdf_File: one PDF document of one or more reports, each starting on
// a new page in its own template's page setup and with its own page numbers,
// written in one go so that a failure leaves an existing file as it was.
#pragma once

#include <QBuffer>
#include <QFont>
#include <QList>
#include <QPainter>
#include <QString>
#include <climits>
#include <memory>

class QPdfWriter;
class Qt_Report_Engine;

class Report_Pdf_File {
 public:
  Report_Pdf_File();
  ~Report_Pdf_File();
  Report_Pdf_File(const Report_Pdf_File&) = delete;
  Report_Pdf_File& operator=(const Report_Pdf_File&) = delete;

  // Paints the engine's fetched report (its pages first to last, counted
  // from 1) after those added before. False when it could not be painted
  // (no template loaded, no such page, a failed page).
  bool add(Qt_Report_Engine& engine, int first_page = 1, int last_page = INT_MAX);
  // Finishes the document and writes it to path, replacing the file there
  // only once everything is written. False when no report was added, one
  // failed, or the file cannot be written.
  bool save(const QString& path);

 private:
  QBuffer buffer;
  std::unique_ptr<QPdfWriter> writer;
  QPainter painter;
  QList<QFont> fonts;  // the faces the reports are set in
  int reports = 0;
  bool failed = false;
};
