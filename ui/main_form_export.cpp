// The export commands of the main window: the project's figures as a
// workbook or as a CSV file of the components, in a file the user names.
#include <filesystem>
#include <optional>
#include <string_view>

#include "export/project_export.h"
#include "main_form_unit.h"
#include "model/project_workflows.h"
#include "report/s_qt_text.h"
#include "report/ui_services.h"

void TMain_Form::Export_Excel_ActExecute() { Export_Project(Export_Kind::workbook); }

void TMain_Form::Export_Csv_ActExecute() { Export_Project(Export_Kind::component_csv); }

void TMain_Form::Export_Project(Export_Kind kind) {
  if (const std::optional<S_Failure> nothing = check_something_to_export(project)) {
    services.information(utf8_to_qstring(nothing->text));
    return;
  }
  const bool workbook = kind == Export_Kind::workbook;
  const QString chosen = services.save_file(workbook ? QStringLiteral("Excel 工作簿(*.xlsx)|*.xlsx")
                                                     : QStringLiteral("CSV 文件(*.csv)|*.csv"));
  if (chosen.isEmpty()) return;
  const std::string_view extension = workbook ? ".xlsx" : ".csv";
  const std::filesystem::path file = path_with_extension(qstring_to_path(chosen), extension);
  if (!Confirm_Replacing(file)) return;
  if (const std::optional<S_Failure> failed = export_project(project, kind, file))
    services.information(utf8_to_qstring(failed->text));
}
