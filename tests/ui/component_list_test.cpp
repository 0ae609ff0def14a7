// The component list, the component panel and the component commands.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "evaluation/caculate2.h"
#include "main_window_fixture.h"
#include "model/gbk_codec.h"
#include "model/s_date.h"
#include "ui/batch_panel.h"
#include "ui/component_panel.h"
#include "ui/s_date_edit.h"

namespace {

using Answer = UI_Services::Answer;

}  // namespace

TEST_F(Main_Window_Test, TypicalRoadImportCorrectCalculateTickBatchSave) {
  import_samples({10, 10, 6});
  ASSERT_EQ(list().rowCount(), 3);
  select(1);
  EXPECT_EQ(panel().Component_Name->text(), QStringLiteral("C2"));

  type_in_grid(3, 2, QStringLiteral("45"));
  EXPECT_EQ(form().project.component(1)->areas[1].readings[2], 45);
  child<QAction>("Caculate_Act")->trigger();
  const R_Component& c2 = *form().project.component(1);
  EXPECT_NE(c2.strength_avg, 0.0f);
  EXPECT_EQ(panel().Component_Name->text(), QStringLiteral("C2"));
  EXPECT_EQ(panel().Strength_E->text(), QString::fromStdString(component_texts(c2).e));
  EXPECT_EQ(grid().cell(18, 2), QString::fromStdString(strength_text(c2.areas[1].strength)));

  tick(1, true);
  EXPECT_EQ(batch().Bat_Hint_Lbl->text(), QStringLiteral("1/3"));
  QTest::mouseClick(batch().Group_Caculate_Btn, Qt::LeftButton);
  EXPECT_FALSE(batch().Group_Strength_E->text().isEmpty());

  ui.files_to_save = {path(QStringLiteral("road"))};
  child<QAction>("Save_Act")->trigger();
  Rebound_Project reread;
  ASSERT_TRUE(reread.load(path(QStringLiteral("road.prj")).toStdString()));
  EXPECT_EQ(reread.checked_count(), 1u);
  EXPECT_EQ(reread.component(1)->areas[1].readings[2], 45);
  EXPECT_TRUE(ui.informations().isEmpty());
}

TEST_F(Main_Window_Test, SelectingARowShowsItsComponent) {
  Sample_Device device = sample_device("KZ-7", 4, 40);
  device.strength_grade = 3;
  device.device_num = "D-99";
  import({device_file("KZ-7", device)});
  EXPECT_EQ(panel().Component_Name->text(), QStringLiteral("KZ-7"));
  EXPECT_EQ(panel().Strength_Grade_Cb->currentText(), QStringLiteral("C60"));
  EXPECT_EQ(panel().Areas_Number->text(), QStringLiteral("4"));
  EXPECT_EQ(panel().Component_Date->text(), QStringLiteral("2013-05-07"));
  EXPECT_EQ(panel().Device_num->text(), QStringLiteral("D-99"));
  EXPECT_EQ(list_column(2), QStringList({"2013-05-07"}));
}

TEST_F(Main_Window_Test, PanelEditsGoIntoTheCurrentComponentAtOnce) {
  import_samples({2, 2});
  select(1);
  R_Component& c = *form().project.component(1);

  retype(*panel().Component_Name, QStringLiteral("梁-12"));
  EXPECT_EQ(c.component_name.bytes(), utf8_to_gbk("梁-12"));
  EXPECT_EQ(list().item(1, 1)->text(), QStringLiteral("梁-12"));

  const std::pair<QLineEdit*, S_String*> texts[] = {
      {panel().Bak_Info, &c.bak_info},       {panel().Examine_Basis, &c.examine_basis},
      {panel().Device_Type, &c.device_type}, {panel().Device_num, &c.device_num},
      {panel().Tester, &c.tester},           {panel().Certificate_Serial, &c.certificate_serial},
  };
  for (const auto& [edit, field] : texts) {
    retype(*edit, QStringLiteral("检测 7"));
    EXPECT_EQ(field->bytes(), utf8_to_gbk("检测 7")) << edit->objectName().toStdString();
  }

  retype(*panel().Produced_Date, QStringLiteral("20200229"));
  EXPECT_EQ(c.produced_date.bytes(), "2020-02-29");
  retype(*panel().Component_Date, QStringLiteral("20211"));
  EXPECT_EQ(c.component_date.bytes(), EMPTY_DATE_TEXT);
  EXPECT_EQ(list().item(1, 2)->text(), QString::fromLatin1(EMPTY_DATE_TEXT));

  QTest::keyClick(panel().Strength_Grade_Cb, Qt::Key_End);
  EXPECT_EQ(c.strength_grade, 8);
  EXPECT_EQ(form().project.component(0)->component_name.bytes(), "C1");

  // Shown again: the empty date and the empty grade item.
  select(0);
  select(1);
  EXPECT_FALSE(panel().Component_Date->date().isValid());
  EXPECT_EQ(panel().Strength_Grade_Cb->currentIndex(), 8);
}

TEST_F(Main_Window_Test, ShowingAComponentNeverWritesIt) {
  import_samples({2});
  R_Component& c = *form().project.component(0);
  c.component_date.assign("2021-13-40");
  c.produced_date.assign("7");
  c.component_name.assign(utf8_to_gbk("柱"));
  form().Show_Project();
  EXPECT_TRUE(panel().Component_Date->date().isNull());
  EXPECT_EQ(panel().Component_Name->text(), QStringLiteral("柱"));
  EXPECT_EQ(panel().Device_Type->text(), QStringLiteral("RV820"));
  EXPECT_EQ(c.component_date.bytes(), "2021-13-40");
  EXPECT_EQ(c.produced_date.bytes(), "7");
}

TEST_F(Main_Window_Test, NewComponentBecomesTheCurrentRow) {
  import_samples({2, 2, 2});
  child<QAction>("Create_Component_Act")->trigger();
  ASSERT_EQ(list().rowCount(), 4);
  EXPECT_EQ(list_column(1).last(), QStringLiteral("新构件"));
  EXPECT_EQ(list_column(2).last(), QString::fromStdString(today_text()));
  EXPECT_EQ(panel().Component_Name->text(), QStringLiteral("新构件"));
  retype(*panel().Component_Name, QStringLiteral("N4"));
  EXPECT_EQ(form().project.component(3)->component_name.bytes(), "N4");
  EXPECT_EQ(form().project.component(0)->component_name.bytes(), "C1");
}

TEST_F(Main_Window_Test, RemoveComponentRemovesTheCurrentRow) {
  import_samples({2, 2, 2});
  select(1);
  child<QAction>("Remove_Component_Act")->trigger();
  EXPECT_EQ(list_column(1), QStringList({"C1", "C3"}));
  EXPECT_EQ(list_column(0), QStringList({"1", "2"}));
  EXPECT_EQ(panel().Component_Name->text(), QStringLiteral("C1"));
}

TEST_F(Main_Window_Test, RemovingTheOnlyComponentLeavesThePanelInert) {
  import_samples({2});
  child<QAction>("Remove_Component_Act")->trigger();
  EXPECT_EQ(list().rowCount(), 0);
  EXPECT_EQ(panel().Component_Name->text(), QStringLiteral("C1"));
  retype(*panel().Component_Name, QStringLiteral("x"));
  child<QAction>("Remove_Component_Act")->trigger();
  child<QAction>("Create_Area_Act")->trigger();
  EXPECT_EQ(form().project.component_count(), 0u);
  EXPECT_TRUE(ui.asked.size() == 1);  // only the import's open dialog
}

TEST_F(Main_Window_Test, CalculateNeedsACurrentComponent) {
  child<QAction>("Caculate_Act")->trigger();
  EXPECT_EQ(ui.informations(), QStringList({QStringLiteral("未选择构件")}));
}

TEST_F(Main_Window_Test, CalculateWithoutAreasChangesNothing) {
  import_samples({1});
  R_Component& c = *form().project.component(0);
  c.set_area_count(0);
  c.strength_avg = 12.5f;
  child<QAction>("Caculate_Act")->trigger();
  EXPECT_EQ(ui.informations(), QStringList({QString::fromUtf8(NO_AREA_DATA_MSG)}));
  EXPECT_EQ(c.strength_avg, 12.5f);
}

TEST_F(Main_Window_Test, TicksAreWrittenAndCountedOnlyWhileARowIsCurrent) {
  import_samples({2, 2, 2, 2, 2});
  tick(0, true);
  tick(3, true);
  EXPECT_EQ(batch().Bat_Hint_Lbl->text(), QStringLiteral("2/5"));
  tick(4, true);
  EXPECT_EQ(batch().Bat_Hint_Lbl->text(), QStringLiteral("3/5"));
  tick(4, false);
  EXPECT_EQ(batch().Bat_Hint_Lbl->text(), QStringLiteral("2/5"));
  EXPECT_TRUE(form().project.component(3)->is_checked());
  EXPECT_FALSE(form().project.component(4)->is_checked());
}

// The count follows every change of the list, so that it never counts
// components that are gone.
TEST_F(Main_Window_Test, TheTickCountFollowsEveryChangeOfTheList) {
  import_samples({2, 2, 2});
  EXPECT_EQ(batch().Bat_Hint_Lbl->text(), QStringLiteral("0/3"));
  tick(0, true);
  tick(2, true);
  EXPECT_EQ(batch().Bat_Hint_Lbl->text(), QStringLiteral("2/3"));
  select(2);
  child<QAction>("Remove_Component_Act")->trigger();
  EXPECT_EQ(batch().Bat_Hint_Lbl->text(), QStringLiteral("1/2"));
  child<QAction>("Create_Component_Act")->trigger();
  EXPECT_EQ(batch().Bat_Hint_Lbl->text(), QStringLiteral("1/3"));

  ui.files_to_save = {path(QStringLiteral("ticks"))};
  child<QAction>("Save_Act")->trigger();
  ui.files_to_open = {{path(QStringLiteral("ticks.prj"))}};
  child<QAction>("Open_Act")->trigger();
  EXPECT_EQ(batch().Bat_Hint_Lbl->text(), QStringLiteral("2/6"));

  batch().Group_Strength_E->setText(QStringLiteral("24.8"));
  ui.answers = {Answer::No};
  child<QAction>("New_Project_Act")->trigger();
  EXPECT_EQ(batch().Bat_Hint_Lbl->text(), QStringLiteral("0/0"));
  // The batch boxes keep what they showed.
  EXPECT_EQ(batch().Group_Strength_E->text(), QStringLiteral("24.8"));
}

TEST_F(Main_Window_Test, ClickingAnEmptyPartOfTheListKeepsTheCurrentComponent) {
  import_samples({2, 2});
  select(1);
  QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, QPoint(20, list().viewport()->height() - 5));
  retype(*panel().Tester, QStringLiteral("乙"));
  EXPECT_EQ(form().project.component(1)->tester.bytes(), utf8_to_gbk("乙"));
}
