// A report engine for the tests: its "template" defines a chosen set of field
// names, a load can be told to fail, and every report it builds is kept as
// the list of its records with each field's value.
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <set>
#include <variant>
#include <vector>

#include "report/report_data.h"
#include "report/report_engine.h"

class Recording_Report_Engine : public Report_Engine {
 public:
  // A field value as it was set: a text, or an integer.
  using Value = std::variant<QString, int32_t>;
  using Record = std::map<QString, Value>;
  using Report = std::vector<Record>;

  Recording_Report_Engine() {
    for (const char* name : REPORT_FIELD_NAMES) defined.insert(QString::fromUtf8(name));
  }

  // The field names the next loaded template defines (all 40 at first).
  std::set<QString> defined;
  // When set, every load fails.
  bool fail_load = false;
  // The warning of every successful load.
  QString warning;

  std::vector<QString> loaded_paths;
  std::vector<Report> reports;

  bool load_from_file(const QString& path) override {
    loaded_paths.push_back(path);
    if (fail_load) {
      error_ = QStringLiteral("line 1: not a template");
      return false;
    }
    error_.clear();
    fields_.clear();
    for (const QString& name : defined) fields_[name] = std::make_shared<Field>(*this, name);
    return true;
  }
  QString last_error() const override { return error_; }
  QString last_warning() const override { return warning; }

  Report_Field_Handle field_by_name(const QString& name) override {
    const auto it = fields_.find(name);
    return it == fields_.end() ? nullptr : it->second;
  }

  void set_fetch_record(Fetch_Record fetch) override { fetch_ = std::move(fetch); }

  void fetch_records() override {
    reports.emplace_back();
    // A bound keeps a fetch handler that never ends from hanging the test.
    for (int i = 0; i < 1000; ++i) {
      current_ = Record{};
      bool end = true;
      if (fetch_) fetch_(end);
      if (end) break;
      reports.back().push_back(current_);
    }
    current_ = Record{};
  }

  bool paint(QPainter&, QPagedPaintDevice&) override { return true; }
  int page_count() const override { return 1; }

 private:
  class Field : public Report_Field {
   public:
    Field(Recording_Report_Engine& engine, QString name) : engine_(engine), name_(std::move(name)) {}
    QString name() const override { return name_; }
    void set_text(const QString& text) override { engine_.current_[name_] = text; }
    void set_integer(int32_t value) override { engine_.current_[name_] = value; }

   private:
    Recording_Report_Engine& engine_;
    QString name_;
  };

  QString error_;
  std::map<QString, std::shared_ptr<Field>> fields_;
  Fetch_Record fetch_;
  Record current_;
};
