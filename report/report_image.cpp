#include "report/report_image.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace {

// A logo or a stamp is small; these bound the memory a template can ask for.
constexpr qint64 MAX_FILE_BYTES = 16 * 1024 * 1024;
constexpr qint64 MAX_PIXELS = 25'000'000;

class Image_Drawing : public Report_Drawing {
 public:
  explicit Image_Drawing(std::shared_ptr<const QImage> image) : image(std::move(image)) {}

  void paint(QPainter& painter, const QRectF& box) const override {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(box, *image);
    painter.restore();
  }

 private:
  std::shared_ptr<const QImage> image;
};

}  // namespace

bool Report_Image::load(const QString& folder, QString& error) {
  if (file.isEmpty()) {
    error = QStringLiteral("<image> 缺少属性 file");
    return false;
  }
  const QFileInfo info(folder.isEmpty() ? QString() : QDir(folder).filePath(file));
  if (folder.isEmpty() || !info.isFile()) {
    error = QStringLiteral("找不到图片文件“%1”").arg(file);
    return false;
  }
  if (info.size() > MAX_FILE_BYTES) {
    error = QStringLiteral("图片文件“%1”过大").arg(file);
    return false;
  }
  QImageReader reader(info.filePath());
  reader.setDecideFormatFromContent(true);
  const QByteArray format = reader.format();
  if (format != "png" && format != "jpeg") {
    error = QStringLiteral("图片文件“%1”不是 PNG 或 JPEG 图片").arg(file);
    return false;
  }
  const QSize pixels = reader.size();
  if (pixels.isValid() && qint64(pixels.width()) * pixels.height() > MAX_PIXELS) {
    error =
        QStringLiteral("图片文件“%1”过大（%2 × %3 像素）").arg(file).arg(pixels.width()).arg(pixels.height());
    return false;
  }
  QImage read = reader.read();
  if (read.isNull()) {
    error = QStringLiteral("无法读取图片文件“%1”（%2）").arg(file, reader.errorString());
    return false;
  }
  image = std::make_shared<const QImage>(std::move(read));
  return true;
}

QSizeF Report_Image::size() const {
  if (!image || image->isNull()) return QSizeF(width, height);
  const double aspect = double(image->width()) / image->height();  // width over height
  if (height <= 0.0 || (width > 0.0 && width / height < aspect)) return QSizeF(width, width / aspect);
  return QSizeF(height * aspect, height);
}

std::shared_ptr<const Report_Drawing> Report_Image::drawing() const {
  if (!image) return nullptr;
  return std::make_shared<Image_Drawing>(image);
}
