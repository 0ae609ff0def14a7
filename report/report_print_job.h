// Printing a fetched report on a printer chosen in the print dialog.
#pragma once

class QPrinter;
class QWidget;
class Qt_Report_Engine;
class UI_Services;

// Sets the printer up for the engine's template: its paper and orientation,
// the whole sheet addressable (the template places its own margins), and the
// report's title as the document name.
void prepare_printer(QPrinter& printer, const Qt_Report_Engine& engine);

// Prints the report on the printer as it is set up, honouring a page range
// chosen in the dialog. A PDF file chosen as the output is written as
// Report_Pdf_File writes it, replacing an existing file safely. An error
// thrown while printing fails the job (false), which is not sent.
bool print_report(Qt_Report_Engine& engine, QPrinter& printer);

// Prepares the printer, lays the report out on it so that the dialog offers
// this report's pages, asks for the printer through the print dialog (shown
// by the UI services) and prints; a failure is told in an information
// message. True
// when the report was printed, false when the dialog was cancelled or
// printing failed.
bool print_report_with_dialog(Qt_Report_Engine& engine, QPrinter& printer, UI_Services& services,
                              QWidget* parent);
