// The component report of 1,000 components written to a PDF file by our
// report engine, against Qt painting the same texts and lines onto the same
// pages of a PDF writer without the engine (no template, no records, no
// layout: the positioned texts of the engine's own layout, drawn one by one).
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextLayout>
#include <filesystem>
#include <string_view>

#include "bench_goals.h"
#include "evaluation/caculate2.h"
#include "model/device_file.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "model/s_file.h"
#include "report/qt_report_engine.h"
#include "report/report_layout.h"
#include "report/report_pdf_file.h"
#include "report/report_printing.h"
#include "tools/device_file_writer.h"

namespace {

const QString COMPONENT_TEMPLATE = QStringLiteral(RV820_TEMPLATES_DIR "/component/构件强度检测报告.xml");

// 1,000 ticked, calculated components.
const Rebound_Project& ticked_project() {
  static const Rebound_Project* project = [] {
    auto* p = new Rebound_Project;
    for (int i = 0; i < 1000; ++i) {
      const std::string bytes =
          device_file_bytes(sample_device("KZ-" + std::to_string(i), 10 + i % 41, 30 + i % 20));
      R_Component* c = p->new_component();
      S_Byte_Reader in(bytes);
      import_device_file(*c, in);
      calculate_component(*c);
      c->set_checked(1);
    }
    return p;
  }();
  return *project;
}

// The print command as the command line runs it, with its output step.
bool print_component_report(Report_Engine& engine, const std::function<bool()>& output) {
  Rebound_Project& project = const_cast<Rebound_Project&>(ticked_project());
  tagGrid_Report_Field fields;
  Report_Data data;
  engine.set_fetch_record([&data](bool& end) { data.Grid_ReportFetchRecord(end); });
  Report_Print_Job job{project, engine, fields, data, [] {}, [](const QString&) {}, output};
  return Run_Print_Command(job, Report_Kind::Component,
                           {std::filesystem::path(COMPONENT_TEMPLATE.toStdString()), COMPONENT_TEMPLATE});
}

QString pdf_path() {
  static QTemporaryDir dir;
  return dir.filePath(QStringLiteral("report.pdf"));
}

void BM_component_report_pdf(benchmark::State& state) {
  for (auto _ : state) {
    Qt_Report_Engine engine;
    const bool written = Report_Pdf_File::write(qstring_to_path(pdf_path()), [&](Report_Pdf_File& pdf) {
      return print_component_report(engine, [&] {
        engine.fetch_records();
        return pdf.add(engine);
      });
    });
    if (!written) state.SkipWithError("the report was not written");
  }
}

// Keeps the records the print command fills, by the template's field index,
// so that the baseline can have the engine's layout of them.
class Record_Capture : public Report_Engine {
 public:
  bool load_from_file(const QString& path) override { return engine.load_from_file(path); }
  QString last_error() const override { return engine.last_error(); }
  Report_Field_Handle field_by_name(const QString& name) override {
    const int index = static_cast<int>(engine.definition().field_names.indexOf(name));
    return index < 0 ? nullptr : std::make_shared<Field>(*this, name, index);
  }
  void set_fetch_record(Fetch_Record f) override { fetch = std::move(f); }
  void fetch_records() override {
    for (bool end = false; !end;) {
      records.emplace_back(engine.definition().field_names.size());
      end = true;
      fetch(end);
      if (end) records.pop_back();
    }
  }
  bool paint(QPainter&, QPagedPaintDevice&) override { return false; }
  int page_count() const override { return 0; }

  Qt_Report_Engine engine;
  std::vector<std::vector<QString>> records;

 private:
  class Field : public Report_Field {
   public:
    Field(Record_Capture& owner, QString name, int index)
        : owner(owner), field_name(std::move(name)), index(index) {}
    QString name() const override { return field_name; }
    void set_text(const QString& text) override { owner.records.back()[index] = text; }
    void set_integer(int32_t value) override { set_text(QString::number(value)); }

   private:
    Record_Capture& owner;
    QString field_name;
    int index;
  };
  Fetch_Record fetch;
};

// One run of text as the engine placed it: its characters, face and
// baseline position in device pixels.
struct Placed_Text {
  QString text;
  QFont font;
  QPointF baseline;
};

struct Placed_Page {
  std::vector<Placed_Text> texts;
  std::vector<Report_Block::Line> lines;
};

void place(const Report_Block& block, Placed_Page& page) {
  for (const Report_Block::Text& t : block.texts) {
    for (int i = 0; i < t.layout->lineCount(); ++i) {
      const QTextLine line = t.layout->lineAt(i);
      page.texts.push_back({t.layout->text().mid(line.textStart(), line.textLength()), t.layout->font(),
                            t.position + line.position() + QPointF(0, line.ascent())});
    }
  }
  page.lines.insert(page.lines.end(), block.lines.begin(), block.lines.end());
}

void BM_qt_painting_baseline(benchmark::State& state) {
  // The engine's layout of the same report, on a PDF writer like the one
  // the report goes to; then only Qt's painting is timed.
  Record_Capture capture;
  if (!print_component_report(capture, [&] { return capture.fetch_records(), true; })) {
    state.SkipWithError("no records");
    return;
  }
  const QPageLayout page_layout = capture.engine.page_layout();
  std::vector<Placed_Page> pages;
  {
    QBuffer scratch;
    scratch.open(QIODevice::WriteOnly);
    QPdfWriter writer(&scratch);
    writer.setPageLayout(page_layout);
    const double dpi_x = writer.logicalDpiX(), dpi_y = writer.logicalDpiY();
    const QRectF points = page_layout.fullRect(QPageLayout::Point);
    const QRectF paper(0, 0, points.width() * dpi_x / 72.0, points.height() * dpi_y / 72.0);
    for (const Report_Laid_Out_Page& laid_out :
         lay_out_report(capture.engine.definition(), capture.records, {&writer, dpi_x, dpi_y, paper},
                        QStringLiteral("2013-05-07"))) {
      pages.emplace_back();
      place(laid_out.margins, pages.back());
      place(laid_out.body, pages.back());
    }
  }
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
      QPdfWriter writer(&buffer);
      writer.setPageLayout(page_layout);
      QPainter painter(&writer);
      for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) writer.newPage();
        for (const Placed_Text& t : pages[i].texts) {
          painter.setFont(t.font);
          painter.drawText(t.baseline, t.text);
        }
        for (const Report_Block::Line& l : pages[i].lines) {
          painter.setPen(QPen(Qt::black, l.width));
          painter.drawLine(l.line);
        }
      }
    }
    const QByteArray& pdf = buffer.data();
    if (!write_file_replacing(pdf_path().toStdString(), std::string_view(pdf.constData(), pdf.size())))
      state.SkipWithError("the PDF was not written");
  }
  state.counters["pages"] = static_cast<double>(pages.size());
}

}  // namespace

BENCHMARK(BM_qt_painting_baseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_component_report_pdf)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  using Kind = Bench_Goal::Kind;
  return run_benchmarks_with_goals(argc, argv,
                                   {{"component report of 1,000 components to PDF", "BM_component_report_pdf",
                                     "BM_qt_painting_baseline", Kind::ratio_at_most, 2.0},
                                    {"component report of 1,000 components, time", "BM_component_report_pdf",
                                     "", Kind::time_at_most_ms, 3000.0}});
}
