#include "s_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Every icon is drawn on a 24 × 24 grid and scaled to the pixmap's size.
constexpr qreal GRID = 24.0;

const QColor OUTLINE(52, 73, 102);
const QColor PAPER(255, 255, 255);
const QColor BLUE(58, 122, 204);
const QColor LIGHT_BLUE(170, 204, 240);
const QColor GREEN(46, 160, 67);
const QColor RED(207, 54, 54);
const QColor FOLDER(240, 184, 60);
const QColor FOLDER_DARK(205, 145, 30);
const QColor GREY(150, 158, 170);
const QColor CONCRETE(190, 194, 200);

QPen outline(qreal width = 1.2) { return QPen(OUTLINE, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void page(QPainter& p, const QRectF& r) {
  const qreal fold = r.width() * 0.35;
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setPen(outline());
  p.setBrush(PAPER);
  p.drawPath(path);
  QPainterPath corner;
  corner.moveTo(r.right() - fold, r.top());
  corner.lineTo(r.right() - fold, r.top() + fold);
  corner.lineTo(r.right(), r.top() + fold);
  p.setBrush(LIGHT_BLUE);
  p.drawPath(corner);
}

void text_lines(QPainter& p, qreal left, qreal right, qreal top, int n, qreal step) {
  p.setPen(QPen(GREY, 1.0));
  for (int i = 0; i < n; ++i) p.drawLine(QPointF(left, top + i * step), QPointF(right, top + i * step));
}

// A round badge with a plus or a minus in the lower right corner.
void badge(QPainter& p, const QColor& colour, bool plus) {
  const QRectF circle(13, 13, 10, 10);
  p.setPen(QPen(Qt::white, 1.2));
  p.setBrush(colour);
  p.drawEllipse(circle);
  p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(15.5, 18), QPointF(20.5, 18));
  if (plus) p.drawLine(QPointF(18, 15.5), QPointF(18, 20.5));
}

// A concrete column seen slightly from above: the component.
void column(QPainter& p) {
  p.setPen(outline());
  p.setBrush(CONCRETE.lighter(115));
  QPolygonF top({QPointF(5, 6), QPointF(9, 3), QPointF(17, 3), QPointF(13, 6)});
  p.drawPolygon(top);
  p.setBrush(CONCRETE);
  p.drawRect(QRectF(5, 6, 8, 16));
  p.setBrush(CONCRETE.darker(115));
  QPolygonF side({QPointF(13, 6), QPointF(17, 3), QPointF(17, 19), QPointF(13, 22)});
  p.drawPolygon(side);
  p.setPen(QPen(GREY.darker(120), 0.8));
  for (qreal y : {10.0, 14.0, 18.0}) p.drawPoint(QPointF(8, y));
}

// A table of test areas.
void area_table(QPainter& p) {
  const QRectF r(2, 4, 16, 15);
  p.setPen(outline());
  p.setBrush(PAPER);
  p.drawRect(r);
  p.setBrush(LIGHT_BLUE);
  p.drawRect(QRectF(r.left(), r.top(), r.width(), 4));
  p.setPen(QPen(GREY, 0.8));
  for (qreal x : {7.33, 12.66}) p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
  for (qreal y : {11.5, 15.0}) p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
}

void draw(QPainter& p, Tool_Icon which) {
  switch (which) {
    case Tool_Icon::New_Project:
      page(p, QRectF(4, 2, 15, 20));
      text_lines(p, 7, 16, 11, 4, 3);
      badge(p, GREEN, true);
      break;
    case Tool_Icon::Open: {
      p.setPen(outline());
      p.setBrush(FOLDER_DARK);
      QPolygonF back(
          {QPointF(2, 5), QPointF(9, 5), QPointF(11, 7), QPointF(20, 7), QPointF(20, 20), QPointF(2, 20)});
      p.drawPolygon(back);
      p.setBrush(PAPER);
      p.drawRect(QRectF(5, 9, 13, 8));
      p.setBrush(FOLDER);
      QPolygonF front({QPointF(2, 20), QPointF(5.5, 11), QPointF(23, 11), QPointF(19.5, 20)});
      p.drawPolygon(front);
      break;
    }
    case Tool_Icon::Save: {
      p.setPen(outline());
      p.setBrush(BLUE);
      QPolygonF body({QPointF(3, 3), QPointF(18, 3), QPointF(21, 6), QPointF(21, 21), QPointF(3, 21)});
      p.drawPolygon(body);
      p.setBrush(PAPER);
      p.drawRect(QRectF(6, 3, 11, 7));
      p.setBrush(OUTLINE);
      p.drawRect(QRectF(13, 4.5, 2.5, 4));
      p.setBrush(PAPER);
      p.drawRect(QRectF(6, 13, 12, 8));
      text_lines(p, 8, 16, 15.5, 2, 3);
      break;
    }
    case Tool_Icon::Print:
      p.setPen(outline());
      p.setBrush(PAPER);
      p.drawRect(QRectF(6, 2, 12, 8));
      p.setBrush(GREY.lighter(130));
      p.drawRoundedRect(QRectF(2, 8, 20, 10), 2, 2);
      p.setBrush(PAPER);
      p.drawRect(QRectF(6, 14, 12, 8));
      text_lines(p, 8, 16, 17, 2, 2.5);
      p.setPen(Qt::NoPen);
      p.setBrush(GREEN);
      p.drawEllipse(QRectF(17.5, 10, 2.5, 2.5));
      break;
    case Tool_Icon::Print_Preview:
      page(p, QRectF(3, 2, 14, 19));
      text_lines(p, 6, 13, 9, 3, 3);
      p.setPen(QPen(OUTLINE, 2.6, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(17.5, 17.5), QPointF(22, 22));
      p.setPen(outline(1.6));
      p.setBrush(QColor(220, 236, 252, 220));
      p.drawEllipse(QRectF(9, 9, 10, 10));
      break;
    case Tool_Icon::Create_Component:
      column(p);
      badge(p, GREEN, true);
      break;
    case Tool_Icon::Remove_Component:
      column(p);
      badge(p, RED, false);
      break;
    case Tool_Icon::Create_Area:
      area_table(p);
      badge(p, GREEN, true);
      break;
    case Tool_Icon::Remove_Area:
      area_table(p);
      badge(p, RED, false);
      break;
    case Tool_Icon::Import: {
      // The instrument, with an arrow from it into the project's tray.
      p.setPen(outline());
      p.setBrush(QColor(70, 80, 96));
      p.drawRoundedRect(QRectF(7, 1.5, 10, 8), 1.5, 1.5);
      p.setBrush(QColor(150, 220, 170));
      p.drawRect(QRectF(9, 3.5, 6, 3));
      p.setBrush(GREY.lighter(135));
      QPolygonF tray({QPointF(2, 16), QPointF(7, 16), QPointF(9, 19), QPointF(15, 19), QPointF(17, 16),
                      QPointF(22, 16), QPointF(22, 22), QPointF(2, 22)});
      p.drawPolygon(tray);
      p.setPen(Qt::NoPen);
      p.setBrush(GREEN);
      QPolygonF arrow({QPointF(10.5, 10), QPointF(13.5, 10), QPointF(13.5, 13.5), QPointF(16.5, 13.5),
                       QPointF(12, 18), QPointF(7.5, 13.5), QPointF(10.5, 13.5)});
      p.drawPolygon(arrow);
      break;
    }
    case Tool_Icon::Caculate: {
      p.setPen(outline());
      p.setBrush(QColor(88, 100, 118));
      p.drawRoundedRect(QRectF(4, 2, 16, 20), 2, 2);
      p.setBrush(QColor(200, 232, 205));
      p.drawRect(QRectF(6.5, 4.5, 11, 4));
      p.setPen(Qt::NoPen);
      for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
          p.setBrush(row == 2 && col == 2 ? QColor(240, 150, 50) : QColor(235, 238, 242));
          p.drawRect(QRectF(6.5 + col * 4, 10.5 + row * 3.8, 3, 2.6));
        }
      }
      break;
    }
    case Tool_Icon::Exit: {
      p.setPen(outline());
      p.setBrush(QColor(176, 122, 74));
      p.drawRect(QRectF(3, 2, 11, 20));
      p.setBrush(QColor(222, 170, 110));
      QPolygonF door({QPointF(3, 2), QPointF(10, 4), QPointF(10, 23.5), QPointF(3, 22)});
      p.drawPolygon(door);
      p.setPen(Qt::NoPen);
      p.setBrush(OUTLINE);
      p.drawEllipse(QRectF(7.5, 12, 1.6, 1.6));
      p.setBrush(RED);
      QPolygonF arrow({QPointF(12, 10.5), QPointF(17, 10.5), QPointF(17, 7.5), QPointF(22.5, 12),
                       QPointF(17, 16.5), QPointF(17, 13.5), QPointF(12, 13.5)});
      p.drawPolygon(arrow);
      break;
    }
    case Tool_Icon::Calendar:
      p.setPen(outline(1.4));
      p.setBrush(PAPER);
      p.drawRoundedRect(QRectF(3, 4, 18, 17), 1.5, 1.5);
      p.setBrush(RED);
      p.drawRect(QRectF(3, 4, 18, 5));
      p.setPen(Qt::NoPen);
      p.setBrush(OUTLINE);
      for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) p.drawRect(QRectF(5.5 + col * 3.6, 11 + row * 3.2, 2.2, 2));
      }
      break;
    case Tool_Icon::Program: {
      // A rebound hammer over a concrete surface.
      p.setPen(Qt::NoPen);
      p.setBrush(BLUE);
      p.drawRoundedRect(QRectF(1, 1, 22, 22), 4, 4);
      p.setBrush(CONCRETE);
      p.drawRect(QRectF(3, 18, 18, 3));
      p.setPen(QPen(Qt::white, 1.0));
      p.setBrush(QColor(245, 245, 245));
      p.drawRoundedRect(QRectF(9, 3, 6, 11), 2, 2);
      p.setBrush(QColor(70, 80, 96));
      p.drawRect(QRectF(11, 14, 2, 4));
      p.setBrush(QColor(150, 220, 170));
      p.drawRect(QRectF(10.3, 5, 3.4, 3));
      break;
    }
  }
}

QPixmap pixmap(Tool_Icon which, int size) {
  QPixmap out(size, size);
  out.fill(Qt::transparent);
  QPainter p(&out);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / GRID, size / GRID);
  draw(p, which);
  return out;
}

}  // namespace

QIcon tool_icon(Tool_Icon which) {
  QIcon icon;
  for (int size : {16, 24, 32, 48}) icon.addPixmap(pixmap(which, size));
  return icon;
}
