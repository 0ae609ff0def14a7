// The report data: the 40 field names a template may use, the table of their
// handles in the loaded template, and the filling of the detail records that
// the engine fetches for the component report and the test-area report.
#pragma once

#include <array>
#include <cstdint>

#include "report/report_engine.h"

class R_Component;
class Rebound_Project;

constexpr int REPORT_FIELD_COUNT = 40;

// The field names (UTF-8) in table order; the handles of tagGrid_Report_Field
// follow this order.
extern const char* const REPORT_FIELD_NAMES[REPORT_FIELD_COUNT];

// The handles of the 40 fields in the loaded template; a handle is empty when
// the template lacks that field.
struct tagGrid_Report_Field {
  std::array<Report_Field_Handle, REPORT_FIELD_COUNT> handles;
};

// Replaces all 40 handles by the engine's fields of those names.
void Bind_Report_Fields(tagGrid_Report_Field& fields, Report_Engine& engine);

// report_mode values.
constexpr int32_t REPORT_MODE_AREA = 0;
constexpr int32_t REPORT_MODE_COMPONENT = 1;

// Answers the engine's fetch requests: one record per ticked component of the
// project (component report) or one per test area of report_component
// (test-area report).
class Report_Data {
 public:
  // The project and the field table the records are filled from; both must
  // outlive the fetches. Without a source the component report has no
  // records and no field is set.
  void Set_Report_Source(const Rebound_Project& project, const tagGrid_Report_Field& fields);

  void Set_Report_Mode(int32_t mode);
  void Set_Report_Component(const R_Component* component);

  // The engine's fetch callback; sets end on every call.
  void Grid_ReportFetchRecord(bool& end);
  void Fetch_Component_Record(bool& end);
  void Fetch_Area_Record(bool& end);

  void Fill_Project_Fields();
  void Fill_Component_Fields();
  void Fill_Area_Fields(uint32_t n);

  // Fetch requests answered so far in the current report.
  int32_t fetch_count = 0;
  int32_t report_mode = REPORT_MODE_COMPONENT;
  // The component being filled; not owned.
  const R_Component* report_component = nullptr;

 private:
  void set_text(int index, const QString& text) const;
  void set_integer(int index, int32_t value) const;

  const Rebound_Project* project_ = nullptr;
  const tagGrid_Report_Field* fields_ = nullptr;
};
