// The export commands of the main window: the project's figures as a
// workbook or as a CSV file of the components, in a file the user names.
#include <filesystem>

#include "export/csv_export.h"
#include "export/export_messages.h"
#include "export/workbook_export.h"
#include "main_form_unit.h"
#include "report/ui_services.h"

namespace {

const QString WORKBOOK_FILTER = QStringLiteral("Excel 工作簿(*.xlsx)|*.xlsx");
const QString CSV_FILTER = QStringLiteral("CSV 文件(*.csv)|*.csv");

}  // namespace

void TMain_Form::Export_Excel_ActExecute() {
  Export_Project(
      WORKBOOK_FILTER, QStringLiteral(".xlsx"),
      [](const Rebound_Project& p, const std::filesystem::path& path) { return export_workbook(p, path); });
}

void TMain_Form::Export_Csv_ActExecute() {
  Export_Project(CSV_FILTER, QStringLiteral(".csv"),
                 [](const Rebound_Project& p, const std::filesystem::path& path) {
                   return export_csv(component_table(p), path);
                 });
}

void TMain_Form::Export_Project(const QString& filter, const QString& extension,
                                bool (*write)(const Rebound_Project& project,
                                              const std::filesystem::path& path)) {
  if (project.component_count() == 0) {
    services.information(QString::fromUtf8(NOTHING_TO_EXPORT_MSG));
    return;
  }
  const QString chosen = services.save_file(filter);
  if (chosen.isEmpty()) return;
  const QString path = Confirmed_Save_Path(chosen, extension);
  if (path.isEmpty()) return;
  if (!write(project, std::filesystem::path(path.toStdString()))) {
    services.information(QString::fromUtf8(EXPORT_FAILED_MSG).replace(QStringLiteral("%s"), path));
  }
}
