// TReport_Print_Preview: the print-preview window. It owns the report
// engine for the whole run (Grid_Report) and shows the report's pages in
// Gr_Print_Preview, with zoom, page navigation and printing.
#pragma once

#include <QDialog>
#include <QPrinter>
#include <memory>

#include "report/qt_report_engine.h"
#include "report/report_data.h"

class QAction;
class QLabel;
class QPrintPreviewWidget;
class UI_Services;

class TReport_Print_Preview : public QDialog {
  Q_OBJECT

 public:
  // The print dialog and the messages go through the UI services.
  explicit TReport_Print_Preview(UI_Services& services, QWidget* parent = nullptr);
  ~TReport_Print_Preview() override;

  // The window became active: builds the report (fetches its records) and
  // shows it when the window has just been shown. Every other activation
  // (the window coming back from a dialog over it, or an activation that
  // reaches the window while it is hidden) keeps the report as built, so the
  // records are fetched exactly once per showing. A report that cannot be
  // made (memory running out) is told with "报表打印失败！" and the window
  // closes again.
  void FormActivate();
  // The window was closed: the next showing builds the report afresh.
  void FormClose();

  // The report object; its fetch callback is Grid_ReportFetchRecord.
  Qt_Report_Engine Grid_Report;
  // The fetch state of the report being built: its kind, the component
  // printed and the records answered so far.
  Report_Data report_data;
  void Grid_ReportFetchRecord(bool& end);
  // Made when the window is first shown.
  QPrintPreviewWidget* Gr_Print_Preview = nullptr;

  QAction* Zoom_In_Act = nullptr;
  QAction* Zoom_Out_Act = nullptr;
  QAction* Fit_Width_Act = nullptr;
  QAction* Fit_Page_Act = nullptr;
  QAction* First_Page_Act = nullptr;
  QAction* Prior_Page_Act = nullptr;
  QAction* Next_Page_Act = nullptr;
  QAction* Last_Page_Act = nullptr;
  QAction* Print_Act = nullptr;
  QAction* Close_Act = nullptr;
  QLabel* Page_Number_Lbl = nullptr;

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Create_Preview();
  void Print_ActExecute();
  void Gr_Print_PreviewPaintRequested(QPrinter* printer);
  void Show_Page_Number();
  void Go_To_Page(int page);
  void Report_Failed();

  UI_Services& services;
  std::unique_ptr<QPrinter> preview_printer;
  std::unique_ptr<QPrinter> output_printer;
  bool report_built = false;
  bool build_due = false;  // shown, and the report not yet built for it
  bool paint_failed = false;
};
