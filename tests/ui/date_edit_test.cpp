// The date edit that holds a date or nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "model/s_date.h"
#include "ui/s_date_edit.h"

TEST(S_Date_Edit, ShowsValidDatesAndNothingForTheDateZeroOrAnInvalidText) {
  const std::pair<const char*, const char*> cases[] = {
      {"2013-05-07", "2013-05-07"},    {"2020-02-29", "2020-02-29"},  {"1899-12-30", EMPTY_DATE_TEXT},
      {"2019-02-29", EMPTY_DATE_TEXT}, {"2013-5-7", EMPTY_DATE_TEXT}, {"", EMPTY_DATE_TEXT},
      {"0000-01-01", EMPTY_DATE_TEXT}, {"1899-12-31", "1899-12-31"},
  };
  S_Date_Edit edit;
  for (const auto& [shown, read] : cases) {
    edit.set_date_text(shown);
    EXPECT_EQ(edit.date_text(), read) << shown;
    EXPECT_EQ(edit.date().isValid(), std::string(read) != EMPTY_DATE_TEXT) << shown;
    EXPECT_FALSE(edit.edited());
  }
}

TEST(S_Date_Edit, ReportsTheUsersEditsOnly) {
  S_Date_Edit edit;
  QSignalSpy edited(&edit, &S_Date_Edit::date_edited);
  edit.set_date_text("2013-05-07");
  edit.clear_date();
  EXPECT_EQ(edited.count(), 0);

  QTest::keyClicks(&edit, QStringLiteral("2024"));
  EXPECT_EQ(edited.count(), 4);
  EXPECT_TRUE(edit.edited());
  EXPECT_EQ(edit.date_text(), EMPTY_DATE_TEXT);  // incomplete
  QTest::keyClicks(&edit, QStringLiteral("1231"));
  EXPECT_EQ(edit.date_text(), "2024-12-31");
}

namespace {

// The number of pixels of the edit's text area that are darker than its
// background; the frame, and the calendar button at the right end, are left
// out.
int dark_pixels(S_Date_Edit& edit) {
  const QImage image = edit.grab().toImage();
  const QColor base = edit.palette().color(QPalette::Base);
  int dark = 0;
  for (int y = 4; y < image.height() - 4; ++y) {
    for (int x = 4; x < image.width() - 30; ++x) {
      if (QColor(image.pixel(x, y)).lightness() < base.lightness() - 60) ++dark;
    }
  }
  return dark;
}

}  // namespace

TEST(S_Date_Edit, AnEmptyEditShowsNothing) {
  QWidget window;
  auto* edit = new S_Date_Edit(&window);
  edit->resize(120, 24);
  window.show();
  edit->clear_date();
  EXPECT_EQ(dark_pixels(*edit), 0);
  edit->set_date_text("2019-02-29");  // names no date
  EXPECT_EQ(dark_pixels(*edit), 0);
  edit->set_date_text("2013-05-07");
  EXPECT_GT(dark_pixels(*edit), 20);
}
