// Tab and Shift+Tab move the focus from control to control: through the
// component panel in its order, then the list, the grid and the batch panel,
// and round again; neither the list nor the grid keeps it, and the current
// component stays the same all the way.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "main_window_fixture.h"
#include "ui/component_panel.h"
#include "ui/s_string_grid.h"

namespace {

const char* const TAB_ORDER[] = {
    "Component_Name",     "Strength_Grade_Cb",
    "Component_Date",     "Produced_Date",
    "Examine_Basis",      "Device_Type",
    "Device_num",         "Tester",
    "Certificate_Serial", "Bak_Info",
    "Component_List",     "Areas_Grid",
    "Group_Caculate_Btn", "Group_Strength_Grade_Cb",
    "Component_Name",
};

QString focused() {
  const QWidget* w = QApplication::focusWidget();
  return w ? w->objectName() : QString();
}

}  // namespace

class Keyboard_Focus_Test : public Main_Window_Test {
 protected:
  void SetUp() override {
    Main_Window_Test::SetUp();
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    import_samples({3, 3, 3});
    select(1);
  }
  void expect_second_component_current() {
    EXPECT_EQ(list().selectionModel()->selectedRows().value(0).row(), 1);
    EXPECT_EQ(panel().Component_Name->text(), QStringLiteral("C2"));
  }
};

TEST_F(Keyboard_Focus_Test, TabAndShiftTabGoRoundTheControlsInOrder) {
  panel().Component_Name->setFocus();
  for (size_t i = 1; i < std::size(TAB_ORDER); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focused(), QString::fromLatin1(TAB_ORDER[i])) << "Tab after " << TAB_ORDER[i - 1];
  }
  for (size_t i = std::size(TAB_ORDER) - 1; i > 0; --i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(focused(), QString::fromLatin1(TAB_ORDER[i - 1])) << "Shift+Tab after " << TAB_ORDER[i];
  }
  expect_second_component_current();
}

TEST_F(Keyboard_Focus_Test, TheListAndTheGridLetTabGoOnAtOnce) {
  for (int presses = 0; presses < 3; ++presses) {
    list().setFocus();
    for (int i = 0; i < presses; ++i) QTest::keyClick(&list(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focused(), QStringLiteral("Areas_Grid"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focused(), QStringLiteral("Group_Caculate_Btn"));
  }
  // Out of an open cell editor as well.
  grid().setFocus();
  type_in_grid(4, 2, QStringLiteral("9"));
  QTest::keyClick(grid().cell_editor(), Qt::Key_Backtab);
  EXPECT_EQ(focused(), QStringLiteral("Component_List"));
  expect_second_component_current();
}
