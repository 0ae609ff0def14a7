// The main window's shell: its caption and size, the actions with their
// captions, hints and categories, the tool bar and the menus, the grid's
// heading row, the state before the first project is shown, and the
// exception display.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <stdexcept>

#include "main_window_fixture.h"
#include "ui/batch_panel.h"
#include "ui/component_panel.h"
#include "ui/qt_ui_services.h"
#include "ui/s_application.h"
#include "ui/s_string_grid.h"

namespace {

struct Action_Case {
  const char* name;
  const char* category;
  const char* caption;
  const char* hint;  // nullptr: none
  bool enabled;
};

const Action_Case ACTIONS[] = {
    {"New_Project_Act", "File", "新建工程(&N)", "新建工程", true},
    {"Open_Act", "File", "打开(&O)", "打开", true},
    {"Save_Act", "File", "保存(&S)", "保存", true},
    {"Saveas_Act", "File", "另存为(&A)", "另存为...", false},
    {"Print_Act", "File", "打印(&P)", "打印", true},
    {"Print_Preview_Act", "File", "打印预览(&V)", "打印预览", true},
    {"Report_Setting_Act", "File", "报表设置(&T)", nullptr, true},
    {"Exit_Act", "File", "退出(&X)", "退出", true},
    {"Import_Data_From_Dev_Act", "Edit", "导入构件(&I)", "导入数据", true},
    {"Create_Component_Act", "Edit", "新增构件(&A)", "新增构件", true},
    {"Remove_Component_Act", "Edit", "移除构件(&D)", "移除构件", true},
    {"Create_Area_Act", "Edit", "新增测区(&C)", "新增测区", true},
    {"Remove_Area_Act", "Edit", "移除测区(&R)", "移除测区", true},
    {"Caculate_Act", "Edit", "计算构件(&U)", "计算构件", true},
    {"Project_Info_Act", "Edit", "工程信息(&I)", nullptr, true},
    {"Permission_Act", "Edit", "权限设置(&P)", nullptr, false},
    {"About_Act", "About", "关于(&A)...", "关于...", true},
};

// The names of a menu's or tool bar's entries; "|" for a separator.
QStringList entries(const QList<QAction*>& actions) {
  QStringList names;
  for (const QAction* a : actions) names << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
  return names;
}

QMenu* menu_titled(QMenuBar& bar, const QString& title) {
  for (QAction* a : bar.actions()) {
    if (a->text() == title) return a->menu();
  }
  return nullptr;
}

}  // namespace

TEST_F(Main_Window_Test, WindowHasItsCaptionAndClientSize) {
  EXPECT_EQ(form().windowTitle(), QStringLiteral("RV820 数显回弹仪 V1.0a"));
  EXPECT_EQ(form().width(), 992);
  EXPECT_EQ(form().height() - child<QMenuBar>("MainMenu1")->height(), 646);
  EXPECT_EQ(child<QToolBar>("sToolBar1")->height(), 35);
  EXPECT_EQ(child<QScrollArea>("Project_Info_Box")->height(), 134);
  EXPECT_EQ(child<QTableWidget>("Component_List")->width(), 257);
  EXPECT_EQ(child<QStatusBar>("sStatusBar1")->height(), 57);
  EXPECT_EQ(panel().size(), QSize(971, 130));
  EXPECT_EQ(panel().pos(), QPoint(0, 0));
}

TEST_F(Main_Window_Test, ActionsHaveTheirCaptionsHintsAndCategories) {
  for (const Action_Case& c : ACTIONS) {
    SCOPED_TRACE(c.name);
    const auto* action = child<QObject>("ActionList1")->findChild<QAction*>(QString::fromLatin1(c.name));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QString::fromUtf8(c.caption));
    if (c.hint) {
      EXPECT_EQ(action->toolTip(), QString::fromUtf8(c.hint));
    }
    EXPECT_EQ(action->property("category").toString(), QString::fromLatin1(c.category));
    EXPECT_EQ(action->isEnabled(), c.enabled);
    EXPECT_TRUE(action->shortcut().isEmpty());
  }
}

TEST_F(Main_Window_Test, ToolBarAndMenusHoldTheActionsInOrder) {
  EXPECT_EQ(
      entries(child<QToolBar>("sToolBar1")->actions()),
      QStringList({"New_Project_Act", "Open_Act", "Save_Act", "|", "Print_Act", "Print_Preview_Act", "|",
                   "Create_Component_Act", "Remove_Component_Act", "Create_Area_Act", "Remove_Area_Act", "|",
                   "Import_Data_From_Dev_Act", "|", "Caculate_Act", "|", "Exit_Act"}));
  for (QAction* a : child<QToolBar>("sToolBar1")->actions()) {
    if (!a->isSeparator()) {
      EXPECT_FALSE(a->icon().pixmap(24, 24).isNull()) << a->objectName().toStdString();
    }
  }

  QMenuBar& bar = *child<QMenuBar>("MainMenu1");
  QStringList top;
  for (const QAction* a : bar.actions()) top << a->text();
  EXPECT_EQ(top, QStringList({"文件(&F)", "操作(&O)", "工程信息(&I)", "计算构件(&U)", "帮助(&H)"}));
  bar.actions()[3]->trigger();  // runs at once: the calculation, with no current component
  EXPECT_EQ(ui.informations(), QStringList({QStringLiteral("未选择构件")}));

  QMenu* file = menu_titled(bar, QStringLiteral("文件(&F)"));
  ASSERT_NE(file, nullptr);
  QStringList file_entries = entries(file->actions());
  const qsizetype export_at = file_entries.indexOf(QString());  // the export sub-menu's entry
  ASSERT_EQ(export_at, 3);
  const QAction* export_entry = file->actions()[export_at];
  EXPECT_TRUE(export_entry->menu() != nullptr && !export_entry->isVisible() && !export_entry->isEnabled());
  file_entries.removeAt(export_at);
  EXPECT_EQ(file_entries, QStringList({"New_Project_Act", "Open_Act", "Import_Data_From_Dev_Act", "|",
                                       "Save_Act", "Saveas_Act", "|", "Print_Act", "Print_Preview_Act",
                                       "Report_Setting_Act", "|", "Exit_Act"}));

  QMenu* operation = menu_titled(bar, QStringLiteral("操作(&O)"));
  ASSERT_NE(operation, nullptr);
  EXPECT_EQ(entries(operation->actions()),
            QStringList({"Create_Component_Act", "Remove_Component_Act", "|", "Create_Area_Act",
                         "Remove_Area_Act", "Permission_Act"}));
  EXPECT_FALSE(child<QAction>("Permission_Act")->isVisible());

  QMenu* help = menu_titled(bar, QStringLiteral("帮助(&H)"));
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(entries(help->actions()), QStringList({"About_Act"}));

  EXPECT_EQ(entries(child<QMenu>("Component_View_Menu")->actions()),
            QStringList({"Import_Data_From_Dev_Act", "|", "Create_Component_Act", "Remove_Component_Act"}));
  EXPECT_EQ(entries(child<QMenu>("Area_View_Menu")->actions()),
            QStringList({"Create_Area_Act", "Remove_Area_Act"}));
}

TEST_F(Main_Window_Test, StartsWithEmptyViewsAndTheGridHeadings) {
  QStringList headings;
  for (int c = 0; c < grid().col_count(); ++c) headings << grid().cell(c, 0);
  EXPECT_EQ(headings, QStringList({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13",
                                   "14", "15", "16", "平均\n回弹", "换算\n强度"}));
  const int widths[] = {32, 30, 31, 31, 31, 31, 31, 32, 32, 31, 32, 32, 32, 31, 33, 32, 40, 40};
  for (int c = 1; c < grid().col_count(); ++c) EXPECT_EQ(grid().columnWidth(c - 1), widths[c - 1]) << c;
  EXPECT_EQ(grid().row_count(), 2);

  EXPECT_EQ(list().rowCount(), 0);
  EXPECT_EQ(batch().Bat_Hint_Lbl->text(), QStringLiteral("1-1"));
  EXPECT_EQ(panel().Component_Name->text(), QString());
  EXPECT_EQ(panel().Strength_Grade_Cb->currentIndex(), -1);
  EXPECT_EQ(panel().Strength_Avg->text(), QString());
  EXPECT_EQ(batch().Group_Strength_Grade_Cb->currentIndex(), -1);
  EXPECT_EQ(batch().Group_Strength_Grade_Cb->count(), 9);
  EXPECT_TRUE(ui.asked.empty());
}

TEST(Exception_Display, ShowsTheMessageAndGoesOn) {
  Scripted_UI_Services ui;
  EXPECT_FALSE(deliver_guarded([]() -> bool { throw std::runtime_error("磁盘已满"); }, ui));
  EXPECT_FALSE(deliver_guarded([]() -> bool { throw 7; }, ui));
  EXPECT_TRUE(deliver_guarded([] { return true; }, ui));
  EXPECT_EQ(ui.informations(), QStringList({QStringLiteral("磁盘已满"), QString()}));
}

TEST(File_Filter, BecomesQtFilterOfDescriptionsAndPatterns) {
  const std::pair<QString, QString> cases[] = {
      {QStringLiteral("工程文件(*.prj)|*.prj|所有文件(*.*)|*.*"),
       QStringLiteral("工程文件(*.prj);;所有文件(*)")},
      {QStringLiteral("构件文件(*.R82)|*.R82|所有文件(*.*)|*.*"),
       QStringLiteral("构件文件(*.R82);;所有文件(*)")},
      {QStringLiteral("图片|*.png;*.bmp"), QStringLiteral("图片(*.png *.bmp)")},
  };
  for (const auto& [filter, expected] : cases)
    EXPECT_EQ(qt_file_filter(filter), expected) << filter.toStdString();
}
