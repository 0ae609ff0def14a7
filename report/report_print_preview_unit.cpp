#include "report/report_print_preview_unit.h"

#include <QAction>
#include <QEvent>
#include <QHideEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QShowEvent>
#include <QToolBar>
#include <QVBoxLayout>

#include "report/report_print_job.h"
#include "report/ui_services.h"

TReport_Print_Preview::TReport_Print_Preview(UI_Services& services, QWidget* parent)
    : QDialog(parent), services(services) {
  setObjectName(QStringLiteral("Report_Print_Preview"));
  setWindowTitle(QStringLiteral("RV820-数显回弹仪 - 打印预览"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  resize(783, 452);
  setWindowState(Qt::WindowMaximized);
  Grid_Report.set_fetch_record([this](bool& end) { Grid_ReportFetchRecord(end); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* tools = new QToolBar(this);
  tools->setObjectName(QStringLiteral("Preview_Tool_Bar"));
  tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
  tools->setMovable(false);
  layout->addWidget(tools);

  const auto add_action = [&](QAction*& action, const char* name, const QString& text,
                              const QKeySequence& keys, auto handler) {
    action = tools->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    addAction(action);
    connect(action, &QAction::triggered, this, handler);
  };
  add_action(Print_Act, "Print_Act", QStringLiteral("打印"), QKeySequence::Print,
             &TReport_Print_Preview::Print_ActExecute);
  tools->addSeparator();
  add_action(Zoom_In_Act, "Zoom_In_Act", QStringLiteral("放大"), QKeySequence::ZoomIn, [this] {
    if (Gr_Print_Preview) Gr_Print_Preview->zoomIn();
  });
  add_action(Zoom_Out_Act, "Zoom_Out_Act", QStringLiteral("缩小"), QKeySequence::ZoomOut, [this] {
    if (Gr_Print_Preview) Gr_Print_Preview->zoomOut();
  });
  add_action(Fit_Width_Act, "Fit_Width_Act", QStringLiteral("页宽"), QKeySequence(), [this] {
    if (Gr_Print_Preview) Gr_Print_Preview->fitToWidth();
  });
  add_action(Fit_Page_Act, "Fit_Page_Act", QStringLiteral("整页"), QKeySequence(), [this] {
    if (Gr_Print_Preview) Gr_Print_Preview->fitInView();
  });
  tools->addSeparator();
  add_action(First_Page_Act, "First_Page_Act", QStringLiteral("首页"), QKeySequence(Qt::CTRL | Qt::Key_Home),
             [this] { Go_To_Page(1); });
  add_action(Prior_Page_Act, "Prior_Page_Act", QStringLiteral("上一页"), QKeySequence(Qt::Key_PageUp),
             [this] { Go_To_Page(Gr_Print_Preview->currentPage() - 1); });
  Page_Number_Lbl = new QLabel(tools);
  Page_Number_Lbl->setObjectName(QStringLiteral("Page_Number_Lbl"));
  Page_Number_Lbl->setContentsMargins(8, 0, 8, 0);
  tools->addWidget(Page_Number_Lbl);
  add_action(Next_Page_Act, "Next_Page_Act", QStringLiteral("下一页"), QKeySequence(Qt::Key_PageDown),
             [this] { Go_To_Page(Gr_Print_Preview->currentPage() + 1); });
  add_action(Last_Page_Act, "Last_Page_Act", QStringLiteral("末页"), QKeySequence(Qt::CTRL | Qt::Key_End),
             [this] { Go_To_Page(Gr_Print_Preview->pageCount()); });
  tools->addSeparator();
  add_action(Close_Act, "Close_Act", QStringLiteral("关闭"), QKeySequence(), [this] { close(); });
  Show_Page_Number();
}

TReport_Print_Preview::~TReport_Print_Preview() = default;

// A printer loads the platform's print support and asks the print system for
// its printers, which takes longer than building all the windows; so the
// preview and its printer are made when the window is first shown, not at
// start-up.
void TReport_Print_Preview::Create_Preview() {
  if (Gr_Print_Preview) return;
  preview_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  Gr_Print_Preview = new QPrintPreviewWidget(preview_printer.get(), this);
  Gr_Print_Preview->setObjectName(QStringLiteral("Gr_Print_Preview"));
  static_cast<QVBoxLayout*>(layout())->addWidget(Gr_Print_Preview, 1);
  connect(Gr_Print_Preview, &QPrintPreviewWidget::paintRequested, this,
          &TReport_Print_Preview::Gr_Print_PreviewPaintRequested);
  connect(Gr_Print_Preview, &QPrintPreviewWidget::previewChanged, this,
          &TReport_Print_Preview::Show_Page_Number);
}

void TReport_Print_Preview::FormActivate() {
  if (!build_due) return;
  build_due = false;
  Create_Preview();
  try {
    Grid_Report.fetch_records();
    prepare_printer(*preview_printer, Grid_Report);
  } catch (const std::exception&) {
    Report_Failed();
    return;
  }
  report_built = true;
  paint_failed = false;
  Gr_Print_Preview->updatePreview();
  if (paint_failed) {
    Report_Failed();
    return;
  }
  Gr_Print_Preview->fitToWidth();
  Go_To_Page(1);
}

// A report that could not be made (memory ran out) is told, and the window
// closes once the event that built it is over; the print command goes on.
void TReport_Print_Preview::Report_Failed() {
  report_built = false;
  Gr_Print_Preview->updatePreview();
  services.information(QStringLiteral("报表打印失败！"));
  QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}

void TReport_Print_Preview::Grid_ReportFetchRecord(bool& end) { report_data.Grid_ReportFetchRecord(end); }

void TReport_Print_Preview::FormClose() {
  build_due = false;
  setWindowState(windowState() | Qt::WindowMaximized);
}

bool TReport_Print_Preview::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QDialog::event(event);
}

void TReport_Print_Preview::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  build_due = true;
  FormActivate();
}

void TReport_Print_Preview::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous()) FormClose();
}

void TReport_Print_Preview::Print_ActExecute() {
  if (!output_printer) output_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  print_report_with_dialog(Grid_Report, *output_printer, services, this);
}

// The preview asks for its pages; until the report is built there are none.
// The preview paints on from here, so no error may leave this function.
void TReport_Print_Preview::Gr_Print_PreviewPaintRequested(QPrinter* printer) {
  if (!report_built) return;
  QPainter painter;
  if (!painter.begin(printer)) return;
  try {
    Grid_Report.paint(painter, *printer);
  } catch (const std::exception&) {
    paint_failed = true;
  }
}

void TReport_Print_Preview::Go_To_Page(int page) {
  if (Gr_Print_Preview && page >= 1 && page <= Gr_Print_Preview->pageCount())
    Gr_Print_Preview->setCurrentPage(page);
  Show_Page_Number();
}

void TReport_Print_Preview::Show_Page_Number() {
  const int pages = Gr_Print_Preview ? Gr_Print_Preview->pageCount() : 0;
  const int page = pages > 0 ? Gr_Print_Preview->currentPage() : 0;
  Page_Number_Lbl->setText(QStringLiteral("第 %1 页 / 共 %2 页").arg(page).arg(pages));
  First_Page_Act->setEnabled(page > 1);
  Prior_Page_Act->setEnabled(page > 1);
  Next_Page_Act->setEnabled(page < pages);
  Last_Page_Act->setEnabled(page < pages);
  Print_Act->setEnabled(pages > 0);
}
