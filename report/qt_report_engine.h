// Qt_Report_Engine: the report engine on Qt Gui. It reads XML templates,
// collects the detail records through the fetch callback and lays the report
// out once per device resolution into pages that it paints on a printer, a
// PDF writer or the print preview alike.
#pragma once

#include <QPageLayout>
#include <QString>
#include <memory>

#include "report/report_engine.h"

struct Report_Definition;
struct Report_Engine_State;

class Qt_Report_Engine : public Report_Engine {
 public:
  Qt_Report_Engine();
  ~Qt_Report_Engine() override;
  Qt_Report_Engine(const Qt_Report_Engine&) = delete;
  Qt_Report_Engine& operator=(const Qt_Report_Engine&) = delete;

  // A successful load also drops the records of the previous template;
  // handles of the previous fields then write nowhere.
  bool load_from_file(const QString& path) override;
  bool load_from_path(const std::filesystem::path& path) override;
  QString last_error() const override;
  // A handle for every name that the template uses as a field.
  Report_Field_Handle field_by_name(const QString& name) override;
  void set_fetch_record(Fetch_Record fetch) override;
  // A value set outside the fetch callback belongs to no record and is
  // dropped.
  void fetch_records() override;
  bool paint(QPainter& painter, QPagedPaintDevice& device) override;
  // Paints only the pages first to last (counted from 1, clamped to the
  // report); false when none of them exists.
  bool paint(QPainter& painter, QPagedPaintDevice& device, int first_page, int last_page);
  // The number of pages of the report as the last paint laid it out.
  int page_count() const override;

  bool is_loaded() const;
  // The loaded template (a default page when none is loaded).
  const Report_Definition& definition() const;
  // The paper and orientation of the loaded template, without margins, for
  // the printer or PDF writer the report goes to.
  QPageLayout page_layout() const;
  // The template file's name without folder and extension.
  QString title() const;

  // Writes the fetched report to a PDF file (replacing it safely). False
  // when no template is loaded or the file cannot be written.
  bool write_pdf(const QString& path);

 private:
  struct Layout_Cache;
  std::shared_ptr<Report_Engine_State> state;
  std::unique_ptr<Layout_Cache> cache;
  Fetch_Record fetch;
  QString error;
  unsigned generation = 0;  // changes with every template and every fetch
  int pages_laid_out = 0;
};
