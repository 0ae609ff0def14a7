#include "report/qt_report_engine.h"

#include <QDate>
#include <QFileInfo>
#include <QFontDatabase>
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
#include "report/s_qt_text.h"

namespace {

// A template is a few kilobytes; anything far larger is not one.
constexpr size_t MAX_TEMPLATE_BYTES = 4 * 1024 * 1024;

// The faces that set every character of the project's texts, in the order
// they are tried for a font the system lacks: the one of Linux desktops, then
// those of Windows. Any other face the system would choose may lack the
// Chinese glyphs or set them with the glyphs of radicals.
const char* const CJK_FACES[] = {"Noto Sans CJK SC", "Microsoft YaHei", "SimSun"};

// Puts a face the system has in place of a font it lacks; the warning names
// both, or says that no Chinese face was found either.
void replace_missing_font(QString& family, QString& warning) {
  if (QFontDatabase::hasFamily(family)) return;
  for (const char* face : CJK_FACES) {
    const QString name = utf8_to_qstring(face);
    if (QFontDatabase::hasFamily(name)) {
      warning = QStringLiteral("本机没有字体“%1”，已改用“%2”。").arg(family, name);
      family = name;
      return;
    }
  }
  warning = QStringLiteral("本机没有字体“%1”，也没有中文字体，报表中的文字可能无法显示。").arg(family);
}

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

bool Qt_Report_Engine::load_from_file(const QString& path) { return load_from_path(qstring_to_path(path)); }

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
  if (!read_report_template(QByteArray::fromStdString(bytes), loaded->definition, error,
                            QFileInfo(path).absolutePath()))
    return false;
  warning.clear();
  replace_missing_font(loaded->definition.page.font_family, warning);
  loaded->loaded = true;
  loaded->title = QFileInfo(path_to_qstring(path.filename())).completeBaseName();
  loaded->handles.resize(loaded->definition.field_names.size());
  state = std::move(loaded);
  ++generation;
  error.clear();
  return true;
}

QString Qt_Report_Engine::last_error() const { return error; }

QString Qt_Report_Engine::last_warning() const { return warning; }

QString Qt_Report_Engine::layout_warning() const { return layout_note; }

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

namespace {

QRectF to_pixels(const QRectF& points, double dpi_x, double dpi_y) {
  return QRectF(points.x() * dpi_x / 72.0, points.y() * dpi_y / 72.0, points.width() * dpi_x / 72.0,
                points.height() * dpi_y / 72.0);
}

}  // namespace

const Qt_Report_Engine::Layout_Cache* Qt_Report_Engine::laid_out_for(const QPagedPaintDevice& device) {
  if (!state->loaded) return nullptr;
  const double dpi_x = device.logicalDpiX(), dpi_y = device.logicalDpiY();
  const QRectF paper = to_pixels(device.pageLayout().fullRect(QPageLayout::Point), dpi_x, dpi_y);
  if (paper.isEmpty()) return nullptr;
  const Layout_Cache::Key key{device.logicalDpiX(), device.logicalDpiY(), paper, generation,
                              QDate::currentDate().toString(Qt::ISODate)};
  if (cache->pages.empty() || !(cache->key == key)) {
    cache->pages.clear();
    Report_Layout_Notes notes;
    cache->pages =
        lay_out_report(state->definition, state->records, {&device, dpi_x, dpi_y, paper}, key.date, &notes);
    cache->key = key;
    QStringList cut;
    if (notes.page_header_cut) cut << QStringLiteral("页眉");
    if (notes.page_footer_cut) cut << QStringLiteral("页脚");
    layout_note = cut.isEmpty() ? QString()
                                : QStringLiteral("%1过高，页面放不下，超出的文字已截短（以“…”标出）。")
                                      .arg(cut.join(QStringLiteral("和")));
    if (notes.qrcode_too_long)
      layout_note += QStringLiteral("二维码的文字过长，放不进一个二维码，已以打叉的方框代替。");
  }
  pages_laid_out = static_cast<int>(cache->pages.size());
  return cache.get();
}

int Qt_Report_Engine::lay_out(const QPagedPaintDevice& device) {
  return laid_out_for(device) ? pages_laid_out : 0;
}

bool Qt_Report_Engine::paint(QPainter& painter, QPagedPaintDevice& device, int first_page, int last_page) {
  if (!painter.isActive()) return false;
  const Layout_Cache* laid_out = laid_out_for(device);
  if (!laid_out) return false;
  // The painter starts at the device's printable area; the layout works on
  // the whole sheet.
  const QPointF origin =
      to_pixels(device.pageLayout().paintRect(QPageLayout::Point), device.logicalDpiX(), device.logicalDpiY())
          .topLeft();
  first_page = std::max(first_page, 1);
  last_page = std::min(last_page, pages_laid_out);
  if (first_page > last_page) return false;
  for (int number = first_page; number <= last_page; ++number) {
    if (number > first_page && !device.newPage()) return false;
    painter.save();
    painter.translate(-origin);
    paint_report_page(laid_out->pages[number - 1], painter);
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
  return Report_Pdf_File::write(qstring_to_path(path),
                                [this](Report_Pdf_File& file) { return file.add(*this); });
}
