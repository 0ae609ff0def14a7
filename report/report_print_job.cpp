#include "report/report_print_job.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <climits>
#include <memory>

#include "model/s_messages.h"
#include "report/qt_report_engine.h"
#include "report/report_painting.h"
#include "report/report_pdf_file.h"
#include "report/s_qt_text.h"
#include "report/ui_services.h"

void prepare_printer(QPrinter& printer, const Qt_Report_Engine& engine) {
  printer.setFullPage(true);
  printer.setPageLayout(engine.page_layout());
  printer.setDocName(engine.title());
}

bool print_report(Qt_Report_Engine& engine, QPrinter& printer) {
  int first = 1, last = INT_MAX;
  if (printer.printRange() == QPrinter::PageRange) {
    first = printer.fromPage();
    last = printer.toPage();
  }
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    return Report_Pdf_File::write(qstring_to_path(printer.outputFileName()),
                                  [&](Report_Pdf_File& file) { return file.add(engine, first, last); });
  }
  auto painter = std::make_unique<QPainter>();
  bool painted = false;
  try {
    painted = painter->begin(&printer) && engine.paint(*painter, printer, first, last);
    painted = painter->end() && painted;
  } catch (...) {
    painted = false;
  }
  // A job that failed half-way is not sent.
  if (!painted) printer.abort();
  return end_painting(painter) && painted;
}

bool print_report_with_dialog(Qt_Report_Engine& engine, QPrinter& printer, UI_Services& services,
                              QWidget* parent) {
  prepare_printer(printer, engine);
  // The range offered is that of this report as it prints on this printer.
  int pages = 0;
  try {
    pages = engine.lay_out(printer);
  } catch (...) {
    services.information(utf8_to_qstring(message_text(REPORT_PRINT_FAILED_MSG)));
    return false;
  }
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  if (pages > 0) dialog.setMinMax(1, pages);
  if (services.show_modal(dialog) != QDialog::Accepted) return false;
  if (print_report(engine, printer)) return true;
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
    services.information(
        utf8_to_qstring(message_text(REPORT_EXPORT_FAILED_MSG, qstring_to_utf8(printer.outputFileName()))));
  else
    services.information(utf8_to_qstring(message_text(REPORT_PRINT_FAILED_MSG)));
  return false;
}
