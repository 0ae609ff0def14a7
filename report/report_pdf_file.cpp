#include "report/report_pdf_file.h"

#include <QPdfWriter>
#include <filesystem>
#include <string_view>

#include "model/s_file.h"
#include "report/qt_report_engine.h"
#include "report/report_template.h"
#include "report/s_pdf_unicode.h"

Report_Pdf_File::Report_Pdf_File() {
  buffer.open(QIODevice::WriteOnly);
  writer = std::make_unique<QPdfWriter>(&buffer);
  writer->setCreator(QStringLiteral("RV820-数显回弹仪分析软件"));
}

Report_Pdf_File::~Report_Pdf_File() {
  if (painter.isActive()) painter.end();
}

bool Report_Pdf_File::add(Qt_Report_Engine& engine, int first_page, int last_page) {
  if (failed || !writer || !engine.is_loaded()) {
    failed = true;
    return false;
  }
  if (reports == 0) {
    writer->setTitle(engine.title());
    writer->setPageLayout(engine.page_layout());
    failed = !painter.begin(writer.get());
  } else {
    // A new page layout applies from the next page on.
    failed = !writer->setPageLayout(engine.page_layout()) || !writer->newPage();
  }
  failed = failed || !engine.paint(painter, *writer, first_page, last_page);
  if (failed) return false;
  ++reports;
  for (const bool bold : {false, true}) {
    QFont face(engine.definition().page.font_family);
    face.setBold(bold);
    fonts.append(face);
  }
  return true;
}

bool Report_Pdf_File::save(const QString& path) {
  if (!writer) return false;
  const bool painted = painter.isActive() && painter.end();
  writer.reset();
  if (failed || reports == 0 || !painted) return false;
  QByteArray pdf = buffer.data();
  repair_pdf_unicode_maps(pdf, fonts);
  return write_file_replacing(std::filesystem::path(path.toStdString()),
                              std::string_view(pdf.constData(), pdf.size()));
}
