#include "report/report_qrcode.h"

#include <qrencode.h>

#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <algorithm>

namespace {

// The light border every reader needs around the code, in modules.
constexpr int QUIET_ZONE = 4;
// The bytes a QR code holds at most at level M.
constexpr qsizetype MAX_BYTES = 2331;

// The dark modules as one path in module units, each run of dark modules
// along a row one rectangle: one fill without seams between neighbours.
QPainterPath module_path(const Report_Qr_Modules& modules) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  for (int y = 0; y < modules.width; ++y) {
    for (int x = 0; x < modules.width;) {
      if (!modules.dark[static_cast<size_t>(y) * modules.width + x]) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < modules.width && modules.dark[static_cast<size_t>(y) * modules.width + x]) ++x;
      path.addRect(start + QUIET_ZONE, y + QUIET_ZONE, x - start, 1);
    }
  }
  return path;
}

class Qrcode_Drawing : public Report_Drawing {
 public:
  explicit Qrcode_Drawing(const Report_Qr_Modules& modules)
      : path(module_path(modules)), side(modules.width) {}

  void paint(QPainter& painter, const QRectF& box) const override {
    const double extent = side + 2 * QUIET_ZONE;
    const double scale = std::min(box.width(), box.height()) / extent;
    painter.save();
    painter.translate(box.center() - QPointF(extent * scale / 2, extent * scale / 2));
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillPath(path, Qt::black);
    painter.restore();
  }

 private:
  QPainterPath path;
  int side;
};

// In place of a code whose text is too long: a crossed box and the reason.
class Too_Long_Drawing : public Report_Drawing {
 public:
  explicit Too_Long_Drawing(const QFont& font) : font(font) {}

  void paint(QPainter& painter, const QRectF& box) const override {
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(box);
    painter.drawLine(box.topLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomLeft());
    painter.setFont(font);
    painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("二维码内容过长"));
    painter.restore();
  }

 private:
  QFont font;
};

}  // namespace

bool encode_qrcode(const QString& text, Report_Qr_Modules& out) {
  const QByteArray bytes = text.toUtf8();
  out = {};
  if (bytes.isEmpty()) return true;
  if (bytes.size() > MAX_BYTES) return false;
  // A text beyond ASCII says that it is UTF-8 (ECI 26): readers would
  // otherwise guess its character set, and some guess wrong.
  QRinput* input = QRinput_new2(0, QR_ECLEVEL_M);
  if (input == nullptr) return false;
  const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
  QRcode* code = nullptr;
  if ((ascii || QRinput_appendECIheader(input, 26) == 0) &&
      QRinput_append(input, QR_MODE_8, static_cast<int>(bytes.size()),
                     reinterpret_cast<const unsigned char*>(bytes.constData())) == 0)
    code = QRcode_encodeInput(input);
  QRinput_free(input);
  if (code == nullptr) return false;
  out.width = code->width;
  out.dark.resize(static_cast<size_t>(code->width) * code->width);
  for (size_t i = 0; i < out.dark.size(); ++i) out.dark[i] = (code->data[i] & 1) != 0;
  QRcode_free(code);
  return true;
}

std::shared_ptr<const Report_Drawing> Report_Qrcode::drawing(const Report_Text_Values& values,
                                                             const QFont& font, bool& too_long) const {
  Report_Qr_Modules modules;
  too_long = !encode_qrcode(text.expand(values), modules);
  if (too_long) return std::make_shared<Too_Long_Drawing>(font);
  if (modules.width == 0) return nullptr;
  return std::make_shared<Qrcode_Drawing>(modules);
}
