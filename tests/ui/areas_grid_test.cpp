// The test-area grid: the typing rules at every keystroke, adding and
// removing test areas.
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

#include "main_window_fixture.h"
#include "ui/component_panel.h"
#include "ui/s_string_grid.h"

namespace {

struct Typing_Case {
  const char* text;
  bool pasted;       // put into the editor at once instead of typed key by key
  int stored;        // the reading afterwards; it was 0 before
  const char* cell;  // the cell's text afterwards
  bool moved;        // the next column became current
};

}  // namespace

TEST_F(Main_Window_Test, TypingAReadingFollowsTheRulesAtEveryKeystroke) {
  const Typing_Case cases[] = {
      {"3", false, 0, "3", false},      {"35", false, 35, "35", true},  {"10", false, 10, "10", true},
      {"98", false, 98, "98", true},    {"9", false, 0, "9", false},    {"9n", false, 9, "9", true},
      {"99", false, 0, "99", false},    {"99N", false, 99, "99", true}, {"5n", false, 5, "5", true},
      {"a", false, 0, "0", false},      {"12x", true, 0, "0", false},   {"+4n", true, 4, "4", true},
      {"255n", true, 255, "255", true}, {"300", true, 0, "0", false},   {"256n", true, 0, "0", false},
      {"-5n", true, 0, "0", false},
  };
  import_samples({3});
  R_Component& c = *form().project.component(0);
  for (const Typing_Case& t : cases) {
    SCOPED_TRACE(t.text);
    grid().setCurrentIndex(QModelIndex());  // the user leaves the grid
    c.areas[1].readings[3] = 0;
    form().Show_Component_Areas(&c);
    const QString text = QString::fromLatin1(t.text);
    if (t.pasted) {
      paste_in_grid(4, 2, text);
    } else {
      type_in_grid(4, 2, text);
    }
    EXPECT_EQ(c.areas[1].readings[3], t.stored);
    EXPECT_EQ(grid().cell(4, 2), QString::fromLatin1(t.cell));
    EXPECT_EQ(grid().col(), t.moved ? 5 : 4);
    EXPECT_EQ(grid().row(), 2);
  }
}

TEST_F(Main_Window_Test, ANumberThatIsNotAcceptedChangesNoOtherReading) {
  import_samples({2});
  R_Component& c = *form().project.component(0);
  uint8_t before[16];
  std::copy(std::begin(c.areas[0].readings), std::end(c.areas[0].readings), before);
  type_in_grid(1, 1, QStringLiteral("7"));
  type_in_grid(2, 1, QStringLiteral("-"));
  type_in_grid(3, 1, QStringLiteral("99"));
  EXPECT_TRUE(std::equal(std::begin(before), std::end(before), c.areas[0].readings));
}

TEST_F(Main_Window_Test, ALetterTracesAndShowsTheStoredReading) {
  import_samples({2});
  const uint8_t stored = form().project.component(0)->areas[0].readings[6];
  testing::internal::CaptureStderr();
  type_in_grid(7, 1, QStringLiteral("a"));
  const std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_NE(trace.find("Areas grid data 2 int convert error.\n"), std::string::npos);
  EXPECT_EQ(grid().cell(7, 1), QString::number(stored));
  EXPECT_EQ(form().project.component(0)->areas[0].readings[6], stored);
}

TEST_F(Main_Window_Test, ColumnSixteenMovesToTheNextRowOrStaysOnTheLast) {
  import_samples({3});
  type_in_grid(16, 2, QStringLiteral("44"));
  EXPECT_EQ(form().project.component(0)->areas[1].readings[15], 44);
  EXPECT_EQ(grid().col(), 1);
  EXPECT_EQ(grid().row(), 3);

  type_in_grid(16, 3, QStringLiteral("45"));
  EXPECT_EQ(form().project.component(0)->areas[2].readings[15], 45);
  EXPECT_EQ(grid().col(), 16);
  EXPECT_EQ(grid().row(), 3);
}

TEST_F(Main_Window_Test, TypingInTheDerivedColumnsRestoresThem) {
  import_samples({2});
  child<QAction>("Caculate_Act")->trigger();
  const QString avg = grid().cell(17, 1);
  const QString strength = grid().cell(18, 2);
  type_in_grid(17, 1, QStringLiteral("7"));
  EXPECT_EQ(grid().cell(17, 1), avg);
  type_in_grid(18, 2, QStringLiteral("x"));
  EXPECT_EQ(grid().cell(18, 2), strength);
}

TEST_F(Main_Window_Test, NewReadingsKeepTheOldDerivedValuesUntilCalculated) {
  import_samples({2});
  child<QAction>("Caculate_Act")->trigger();
  const QString avg = grid().cell(17, 1);
  for (int col = 1; col <= 16; ++col) {
    type_in_grid(col, 1, QStringLiteral("20"));
  }
  EXPECT_EQ(grid().cell(17, 1), avg);
  child<QAction>("Caculate_Act")->trigger();
  EXPECT_EQ(grid().cell(17, 1), QStringLiteral("20.0"));
}

TEST_F(Main_Window_Test, EmptyingACellStoresNothing) {
  import_samples({2});
  const uint8_t stored = form().project.component(0)->areas[0].readings[1];
  testing::internal::CaptureStderr();
  type_in_grid(2, 1, QString());
  QTest::keyClick(grid().cell_editor(), Qt::Key_Backspace);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string());
  EXPECT_EQ(grid().cell(2, 1), QString());
  EXPECT_EQ(form().project.component(0)->areas[0].readings[1], stored);
}

TEST_F(Main_Window_Test, AddingAreasStopsAtFifty) {
  import_samples({49});
  child<QAction>("Create_Area_Act")->trigger();
  EXPECT_EQ(form().project.component(0)->get_area_count(), 50u);
  EXPECT_EQ(grid().row_count(), 51);
  EXPECT_EQ(grid().cell(0, 50), QStringLiteral("50"));
  EXPECT_EQ(grid().cell(1, 50), QStringLiteral("0"));
  EXPECT_EQ(grid().cell(17, 50), QStringLiteral("0.0"));
  EXPECT_EQ(grid().cell(18, 50), QStringLiteral("0.0"));
  EXPECT_EQ(panel().Areas_Number->text(), QStringLiteral("50"));
  EXPECT_TRUE(ui.informations().isEmpty());

  child<QAction>("Create_Area_Act")->trigger();
  EXPECT_EQ(ui.informations(), QStringList({QStringLiteral("构件创建失败！构件最多只能创建50个")}));
  EXPECT_EQ(form().project.component(0)->get_area_count(), 50u);
}

TEST_F(Main_Window_Test, RemoveAreaRemovesTheAreaOfTheCurrentGridRow) {
  import_samples({2, 3});
  select(1);
  R_Component& c = *form().project.component(1);
  const uint8_t first = c.areas[0].readings[0];
  const uint8_t second = c.areas[1].readings[0];
  c.areas[2].readings[0] = 77;
  grid().set_current(5, 2);
  child<QAction>("Remove_Area_Act")->trigger();
  ASSERT_EQ(c.get_area_count(), 2u);
  EXPECT_EQ(c.areas[0].readings[0], first);
  EXPECT_EQ(c.areas[1].readings[0], 77);
  EXPECT_NE(second, 77);
  // The same component stays current and shown.
  EXPECT_EQ(panel().Component_Name->text(), QStringLiteral("C2"));
  EXPECT_EQ(panel().Areas_Number->text(), QStringLiteral("2"));
  EXPECT_EQ(grid().row_count(), 3);
  EXPECT_EQ(grid().cell(1, 2), QStringLiteral("77"));
  EXPECT_TRUE(ui.informations().isEmpty());
}

TEST_F(Main_Window_Test, RemoveAreaKeepsTheLastArea) {
  import_samples({1});
  grid().set_current(1, 1);
  child<QAction>("Remove_Area_Act")->trigger();
  EXPECT_EQ(ui.informations(), QStringList({QStringLiteral("测区删除失败！测区不能少于1个")}));
  EXPECT_EQ(form().project.component(0)->get_area_count(), 1u);
}

TEST_F(Main_Window_Test, RemoveAreaWithoutACurrentGridRowRemovesNothing) {
  import_samples({3});
  grid().setCurrentIndex(QModelIndex());
  child<QAction>("Remove_Area_Act")->trigger();
  EXPECT_EQ(form().project.component(0)->get_area_count(), 3u);
  EXPECT_TRUE(ui.informations().isEmpty());
}
