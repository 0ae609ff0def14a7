// Report_Image: a picture of a template (a logo, a stamp, a signature), a
// PNG or JPEG file named relative to the template's own folder, drawn in a
// box of the given size keeping its aspect ratio.
#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <memory>

#include "report/report_drawing.h"

struct Report_Image {
  QString file;         // as the template names it
  double width = 0.0;   // mm; 0 when only the height is given
  double height = 0.0;  // mm; 0 when only the width is given
  std::shared_ptr<const QImage> image;

  // Reads file from folder (an empty folder has no files). False with the
  // reason when it is missing, unreadable, not a PNG or JPEG file, or far
  // larger than a picture on paper needs.
  bool load(const QString& folder, QString& error);

  // The size it is drawn at, in mm: the largest that keeps the picture's
  // aspect ratio within the given width and height.
  QSizeF size() const;

  std::shared_ptr<const Report_Drawing> drawing() const;
};
