// The main window's report commands: Print and Print preview run the print
// sequence with the print-preview window's engine, Report settings shows its
// dialog, and showing the window brings the report settings into line with
// the template folders.
#include <QPrinter>
#include <QShowEvent>
#include <functional>

#include "main_form_unit.h"
#include "report/rebound_tester_config.h"
#include "report/report_print_job.h"
#include "report/report_print_preview_unit.h"
#include "report/report_printing.h"
#include "report/report_setting_form_unit.h"
#include "report/ui_services.h"

namespace {

// Runs the print sequence of the report kind in the settings; the output step
// puts out one report built by the preview window's engine.
void run_print_command(TMain_Form& form, TReport_Print_Preview& preview, std::function<bool()> output) {
  Report_Print_Job job{form.project,
                       preview.Grid_Report,
                       form.report_fields,
                       preview.report_data,
                       [&form] { form.Store_Project_Info(); },
                       [&form](const QString& text) { form.services.information(text); },
                       std::move(output)};
  const Report_Kind kind = report_kind_of(Tester_Config().Get_Default_Print_Template());
  Run_Print_Command(job, kind, configured_template(Tester_Config(), kind));
}

}  // namespace

void TMain_Form::Print_ActExecute() {
  if (!dialogs_.print_preview) return;
  TReport_Print_Preview& preview = *dialogs_.print_preview;
  // One printer for the whole command, so that each further report's dialog
  // offers the choices made for the one before; cancelling one ends them all.
  QPrinter printer(QPrinter::HighResolution);
  run_print_command(*this, preview, [&] {
    preview.Grid_Report.fetch_records();
    return print_report_with_dialog(preview.Grid_Report, printer, services, this);
  });
}

void TMain_Form::Print_Preview_ActExecute() {
  if (!dialogs_.print_preview) return;
  TReport_Print_Preview& preview = *dialogs_.print_preview;
  // Showing the window builds the report; the next one opens when it closes.
  run_print_command(*this, preview, [&] {
    services.show_modal(preview);
    return true;
  });
}

void TMain_Form::Report_Setting_ActExecute() {
  if (dialogs_.report_setting) services.show_modal(*dialogs_.report_setting);
}

void TMain_Form::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TMain_Form::FormShow() {
  if (dialogs_.report_setting) dialogs_.report_setting->Init_Report_Settings();
}
