#include "report/report_pdf_file.h"

#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>
#include <filesystem>
#include <string_view>

#include "model/s_byte_stream.h"
#include "model/s_file.h"
#include "report/qt_report_engine.h"
#include "report/report_painting.h"
#include "report/report_template.h"
#include "report/s_pdf_unicode.h"

namespace {

// The device the PDF writer writes to: its bytes go through the filter that
// repairs the text maps on to the file. Once a write failed, every further
// one fails at once, so that a failed document ends without more work.
class Pdf_Stream : public QIODevice {
 public:
  explicit Pdf_Stream(S_Pdf_Unicode_Filter& filter) : filter(filter) { open(QIODevice::WriteOnly); }
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    if (!filter.write(QByteArrayView(data, size))) return -1;
    return size;
  }

 private:
  S_Pdf_Unicode_Filter& filter;
};

}  // namespace

bool Report_Pdf_File::write(const std::filesystem::path& path,
                            const std::function<bool(Report_Pdf_File&)>& add_reports) {
  S_File_Writer file_writer;
  return write_file_replacing(
      path,
      [&](S_Byte_Writer& out) {
        try {
          Report_Pdf_File file(out);
          const bool added = add_reports(file);
          return file.finish() && added;
        } catch (...) {
          return false;
        }
      },
      file_writer);
}

Report_Pdf_File::Report_Pdf_File(S_Byte_Writer& out)
    : filter(std::make_unique<S_Pdf_Unicode_Filter>([&out](QByteArrayView bytes) {
        return out.write(bytes.data(), static_cast<size_t>(bytes.size()));
      })),
      device(std::make_unique<Pdf_Stream>(*filter)),
      writer(std::make_unique<QPdfWriter>(device.get())),
      painter(std::make_unique<QPainter>()) {
  writer->setCreator(QStringLiteral("RV820-数显回弹仪分析软件"));
}

// A document that did not finish is ended here, writing to a device that
// refuses everything; see end_painting for an end that fails too.
Report_Pdf_File::~Report_Pdf_File() {
  failed = true;
  device->close();
  if (!end_painting(painter)) {
    (void)writer.release();
    (void)device.release();
    (void)filter.release();
  }
}

bool Report_Pdf_File::add(Qt_Report_Engine& engine, int first_page, int last_page) {
  if (failed || !engine.is_loaded()) {
    failed = true;
    return false;
  }
  for (const bool bold : {false, true}) {
    QFont face(engine.definition().page.font_family);
    face.setBold(bold);
    filter->add_font(face);
  }
  if (reports == 0) {
    writer->setTitle(engine.title());
    writer->setPageLayout(engine.page_layout());
    failed = !painter->begin(writer.get());
  } else {
    // A new page layout applies from the next page on.
    failed = !writer->setPageLayout(engine.page_layout()) || !writer->newPage();
  }
  failed = failed || !engine.paint(*painter, *writer, first_page, last_page);
  if (failed) return false;
  ++reports;
  return true;
}

bool Report_Pdf_File::finish() {
  const bool painted = painter->isActive() && painter->end();
  failed = failed || !painted || reports == 0 || !filter->finish();
  return !failed;
}
