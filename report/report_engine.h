// The report engine as printing sees it: a template is loaded, its fields are
// looked up by name and given values record by record, the detail records are
// fetched through one callback, and the laid-out pages are painted onto a
// printer or a PDF file.
#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

#include "report/s_qt_text.h"

class QPagedPaintDevice;
class QPainter;

// One field of the loaded template. A value set during a fetch belongs to the
// record being fetched; outside the detail band a field shows its value in the
// first record.
class Report_Field {
 public:
  virtual ~Report_Field() = default;
  virtual QString name() const = 0;
  virtual void set_text(const QString& text) = 0;
  virtual void set_integer(int32_t value) = 0;
};

// A counted reference to a field; empty when the template lacks the field.
using Report_Field_Handle = std::shared_ptr<Report_Field>;

class Report_Engine {
 public:
  // Called once per detail record with a fresh, empty record; setting end to
  // true drops that record and ends the detail data.
  using Fetch_Record = std::function<void(bool& end)>;

  virtual ~Report_Engine() = default;

  // Loads a template file. On success it replaces the previous definition and
  // its fields; on failure the previous definition stays and last_error says
  // why (with the line where the template is broken).
  virtual bool load_from_file(const QString& path) = 0;
  // The same for a path exactly as the file system gave it, bytes that are
  // no UTF-8 included; an engine that reads files itself reads that path.
  virtual bool load_from_path(const std::filesystem::path& path) {
    return load_from_file(path_to_qstring(path));
  }
  virtual QString last_error() const = 0;
  // What the last successful load had to change to print the template (a
  // font the system lacks, and the face used instead); empty when nothing.
  virtual QString last_warning() const { return {}; }
  // What the last layout had to cut short (a page header or footer too tall
  // for the page); empty when nothing.
  virtual QString layout_warning() const { return {}; }

  // The field of that name in the loaded template, or an empty handle. Valid
  // until the next successful load.
  virtual Report_Field_Handle field_by_name(const QString& name) = 0;

  virtual void set_fetch_record(Fetch_Record fetch) = 0;

  // Builds the report: fetches every detail record through the callback.
  virtual void fetch_records() = 0;

  // Lays the fetched report out on the device's resolution and paints its
  // pages with the painter (already begun on the device), starting a new
  // device page between its pages. False when nothing could be painted.
  virtual bool paint(QPainter& painter, QPagedPaintDevice& device) = 0;

  // The number of pages of the last paint.
  virtual int page_count() const = 0;
};
