// S_Date_Edit: a date edit that holds a date or nothing. It shows and takes
// "yyyy-mm-dd"; a calendar drops down from the button at its right end.
//
// A text that is not a complete valid date reads as nothing, and nothing is
// written as the date zero 1899-12-30, which is shown again as an empty edit.
// An edit without digits shows nothing until it takes the focus; the input
// mask's separators appear only while the user types.
#pragma once

#include <QDate>
#include <QLineEdit>
#include <string>
#include <string_view>

class QCalendarWidget;

class S_Date_Edit : public QLineEdit {
  Q_OBJECT

 public:
  explicit S_Date_Edit(QWidget* parent = nullptr);

  // Shows the date that a "yyyy-mm-dd" text names; the date zero and a text
  // that names no valid date show as an empty edit. Clears edited().
  void set_date_text(std::string_view text);
  // Empties the edit. Clears edited().
  void clear_date();

  // The date held, or an invalid QDate when the edit holds nothing.
  QDate date() const;
  // The "yyyy-mm-dd" text of the date held, or the date zero's text.
  std::string date_text() const;
  // True once the user changed the date since it was last set by the program.
  bool edited() const { return edited_; }

 signals:
  // The user changed the date (typing, deleting, or a pick in the calendar).
  void date_edited();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void show_calendar();
  void user_changed();

  QCalendarWidget* calendar_ = nullptr;
  bool edited_ = false;
};
