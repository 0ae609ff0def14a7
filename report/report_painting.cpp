#include "report/report_painting.h"

#include <QPainter>

bool end_painting(std::unique_ptr<QPainter>& painter) noexcept {
  if (!painter || !painter->isActive()) return true;
  try {
    painter->end();
    return true;
  } catch (...) {
    (void)painter.release();
    return false;
  }
}
