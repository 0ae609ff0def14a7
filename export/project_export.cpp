#include "project_export.h"

#include "csv_export.h"
#include "model/rebound_project.h"
#include "model/s_messages.h"
#include "workbook_export.h"

std::optional<S_Failure> check_something_to_export(const Rebound_Project& project) {
  if (project.component_count() > 0) return std::nullopt;
  return S_Failure{NOTHING_TO_EXPORT_MSG, message_text(NOTHING_TO_EXPORT_MSG)};
}

std::optional<S_Failure> export_project(const Rebound_Project& project, Export_Kind kind,
                                        const std::filesystem::path& file) {
  bool written = false;
  switch (kind) {
    case Export_Kind::workbook:
      written = export_workbook(project, file);
      break;
    case Export_Kind::component_csv:
      written = export_csv(component_table(project), file);
      break;
    case Export_Kind::area_csv:
      written = export_csv(area_table(project), file);
      break;
  }
  if (written) return std::nullopt;
  return S_Failure{EXPORT_FAILED_MSG, message_text(EXPORT_FAILED_MSG, path_text(file))};
}
