// Report_Drawing: a figure of a laid-out page that paints itself into its
// box (a picture, a QR code, a chart). It is made once by the layout and
// painted as often as the page is.
#pragma once

class QPainter;
class QRectF;

class Report_Drawing {
 public:
  virtual ~Report_Drawing() = default;
  // Paints into box, given in the painter's coordinates (device pixels).
  virtual void paint(QPainter& painter, const QRectF& box) const = 0;
};
