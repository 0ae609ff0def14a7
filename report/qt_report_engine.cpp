#include "report/qt_report_engine.h"

#include <QDate>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "model/s_file.h"
#include "report/report_layout.h"
#include "report/report_pdf_file.h"
#include "report/report_template.h"

namespace {

// A template is a few kilobytes; anything far larger is not one.
constexpr size_t MAX_TEMPLATE_BYTES = 4 * 1024 * 1024;

}  // namespace

// What one loaded template owns: its definition, the records fetched for it
// and the field handles given out. Handles keep only a weak reference, so
// they fall silent when the next template replaces this state.
struct Report_Engine_State {
  Report_Definition definition;
  QString title;
  bool loaded = false;
  std::vector<std::vector<QString>> records;
  std::vector<QString>* current = nullptr;  // the record being fetched
  std::vector<Report_Field_Handle> handles;
};

struct Qt_Report_Engine::Layout_Cache {
  struct Key {
    int dpi_x = 0;
    int dpi_y = 0;
    QRectF paper;
    unsigned generation = 0;
    QString date;
    bool operator==(const Key&) const = default;
  };
  Key key;
  std::vector<Report_Laid_Out_Page> pages;
};

namespace {

class Template_Field : public Report_Field {
 public:
  Template_Field(std::weak_ptr<Report_Engine_State> state, int index, QString name)
      : state(std::move(state)), index(index), field_name(std::move(name)) {}

  QString name() const override { return field_name; }

  void set_text(const QString& text) override {
    const auto owner = state.lock();
    if (owner && owner->current) (*owner->current)[index] = text;
  }

  void set_integer(int32_t value) override { set_text(QString::number(value)); }

 private:
  std::weak_ptr<Report_Engine_State> state;
  int index;
  QString field_name;
};

}  // namespace

Qt_Report_Engine::Qt_Report_Engine()
    : state(std::make_shared<Report_Engine_State>()), cache(std::make_unique<Layout_Cache>()) {}

Qt_Report_Engine::~Qt_Report_Engine() = default;

bool Qt_Report_Engine::load_from_file(const QString& path) {
  return load_from_path(std::filesystem::path(path.toStdString()));
}

bool Qt_Report_Engine::load_from_path(const std::filesystem::path& path) {
  std::string bytes;
  if (!read_file(path, bytes, MAX_TEMPLATE_BYTES + 1)) {
    error = QStringLiteral("无法读取文件");
    return false;
  }
  if (bytes.size() > MAX_TEMPLATE_BYTES) {
    error = QStringLiteral("文件过大，不是报表模版");
    return false;
  }
  auto loaded = std::make_shared<Report_Engine_State>();
  if (!read_report_template(QByteArray::fromStdString(bytes), loaded->definition, error)) return false;
  loaded->loaded = true;
  const std::u8string name = path.filename().u8string();
  loaded->title =
      QFileInfo(QString::fromUtf8(reinterpret_cast<const char*>(name.data()), qsizetype(name.size())))
          .completeBaseName();
  loaded->handles.resize(loaded->definition.field_names.size());
  state = std::move(loaded);
  ++generation;
  error.clear();
  return true;
}

QString Qt_Report_Engine::last_error() const { return error; }

Report_Field_Handle Qt_Report_Engine::field_by_name(const QString& name) {
  const int index = state->definition.field_names.indexOf(name);
  if (index < 0) return nullptr;
  Report_Field_Handle& handle = state->handles[index];
  if (!handle) handle = std::make_shared<Template_Field>(state, index, name);
  return handle;
}

void Qt_Report_Engine::set_fetch_record(Fetch_Record fetch_record) { fetch = std::move(fetch_record); }

void Qt_Report_Engine::fetch_records() {
  Report_Engine_State& current = *state;
  current.records.clear();
  ++generation;
  if (!fetch) return;
  // The record is reached through current only while the callback runs.
  struct Fetching {
    Report_Engine_State& state;
    ~Fetching() { state.current = nullptr; }
  } fetching{current};
  for (;;) {
    std::vector<QString> record(current.definition.field_names.size());
    bool end = false;
    current.current = &record;
    fetch(end);
    current.current = nullptr;
    if (end) break;
    current.records.push_back(std::move(record));
  }
}

bool Qt_Report_Engine::paint(QPainter& painter, QPagedPaintDevice& device) {
  return paint(painter, device, 1, INT_MAX);
}

bool Qt_Report_Engine::paint(QPainter& painter, QPagedPaintDevice& device, int first_page, int last_page) {
  if (!state->loaded || !painter.isActive()) return false;
  const QPageLayout layout = device.pageLayout();
  const double dpi_x = device.logicalDpiX(), dpi_y = device.logicalDpiY();
  const auto to_pixels = [&](const QRectF& points) {
    return QRectF(points.x() * dpi_x / 72.0, points.y() * dpi_y / 72.0, points.width() * dpi_x / 72.0,
                  points.height() * dpi_y / 72.0);
  };
  const QRectF paper = to_pixels(layout.fullRect(QPageLayout::Point));
  // The painter starts at the device's printable area; the layout works on
  // the whole sheet.
  const QPointF origin = to_pixels(layout.paintRect(QPageLayout::Point)).topLeft();
  if (paper.isEmpty()) return false;

  const Layout_Cache::Key key{device.logicalDpiX(), device.logicalDpiY(), paper, generation,
                              QDate::currentDate().toString(Qt::ISODate)};
  if (cache->pages.empty() || !(cache->key == key)) {
    cache->pages =
        lay_out_report(state->definition, state->records, {&device, dpi_x, dpi_y, paper}, key.date);
    cache->key = key;
  }

  pages_laid_out = static_cast<int>(cache->pages.size());
  first_page = std::max(first_page, 1);
  last_page = std::min(last_page, pages_laid_out);
  if (first_page > last_page) return false;
  for (int number = first_page; number <= last_page; ++number) {
    if (number > first_page && !device.newPage()) return false;
    painter.save();
    painter.translate(-origin);
    paint_report_page(cache->pages[number - 1], painter);
    painter.restore();
  }
  return true;
}

int Qt_Report_Engine::page_count() const { return pages_laid_out; }

bool Qt_Report_Engine::is_loaded() const { return state->loaded; }

const Report_Definition& Qt_Report_Engine::definition() const { return state->definition; }

QPageLayout Qt_Report_Engine::page_layout() const { return state->definition.page_layout(); }

QString Qt_Report_Engine::title() const { return state->title; }

bool Qt_Report_Engine::write_pdf(const QString& path) {
  Report_Pdf_File file;
  return file.add(*this) && file.save(path);
}
