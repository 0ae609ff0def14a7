#include "s_date_edit.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLocale>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "model/s_date.h"
#include "report/s_qt_text.h"
#include "s_icons.h"

namespace {

const QString DATE_FORMAT = QStringLiteral("yyyy-MM-dd");

}  // namespace

S_Date_Edit::S_Date_Edit(QWidget* parent) : QLineEdit(parent) {
  setInputMask(QStringLiteral("9999-99-99"));
  QAction* drop_down = addAction(tool_icon(Tool_Icon::Calendar), QLineEdit::TrailingPosition);
  connect(drop_down, &QAction::triggered, this, &S_Date_Edit::show_calendar);
  connect(this, &QLineEdit::textEdited, this, &S_Date_Edit::user_changed);
}

void S_Date_Edit::set_date_text(std::string_view text) {
  int year = 0, month = 0, day = 0;
  if (text != EMPTY_DATE_TEXT && parse_date_text(text, year, month, day)) {
    setText(utf8_to_qstring(::date_text(year, month, day)));
  } else {
    clear();
  }
  edited_ = false;
}

void S_Date_Edit::clear_date() {
  clear();
  edited_ = false;
}

QDate S_Date_Edit::date() const {
  const QByteArray shown = text().toLatin1();
  int year = 0, month = 0, day = 0;
  if (!parse_date_text(std::string_view(shown.constData(), static_cast<size_t>(shown.size())), year, month,
                       day)) {
    return QDate();
  }
  return QDate(year, month, day);
}

std::string S_Date_Edit::date_text() const {
  const QDate held = date();
  return held.isValid() ? ::date_text(held.year(), held.month(), held.day()) : EMPTY_DATE_TEXT;
}

void S_Date_Edit::paintEvent(QPaintEvent* event) {
  const QString shown = text();
  const bool blank = std::none_of(shown.begin(), shown.end(), [](QChar c) { return c.isDigit(); });
  if (!blank || hasFocus()) {
    QLineEdit::paintEvent(event);
    return;
  }
  // Only the frame and the background: no separators of an empty mask.
  QPainter painter(this);
  QStyleOptionFrame frame;
  initStyleOption(&frame);
  style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &painter, this);
}

void S_Date_Edit::user_changed() {
  edited_ = true;
  emit date_edited();
}

void S_Date_Edit::show_calendar() {
  if (!calendar_) {
    calendar_ = new QCalendarWidget(this);
    calendar_->setWindowFlags(Qt::Popup);
    calendar_->setGridVisible(true);
    calendar_->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    connect(calendar_, &QCalendarWidget::clicked, this, [this](QDate picked) {
      calendar_->hide();
      setText(picked.toString(DATE_FORMAT));
      user_changed();
    });
  }
  const QDate held = date();
  calendar_->setSelectedDate(held.isValid() ? held : QDate::currentDate());
  calendar_->adjustSize();
  calendar_->move(mapToGlobal(QPoint(0, height())));
  calendar_->show();
  calendar_->setFocus();
}
