// The batch panel: "按批处理" over the ticked components, its messages and
// the texts of its four boxes.
#include "ui/batch_panel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include "evaluation/caculate2.h"
#include "main_window_fixture.h"

namespace {

using Answer = UI_Services::Answer;

// The batch texts as the evaluation gives them for the project, the question
// answered Yes.
Statistics_Texts expected_texts(const Rebound_Project& project) {
  struct Yes : Batch_Dialogue {
    void inform(const std::string&) override { ADD_FAILURE() << "unexpected message"; }
    bool ask_yes_no(const std::string&) override { return true; }
  } yes;
  const std::optional<Batch_Result> batch = batch_statistics(project, yes);
  EXPECT_TRUE(batch.has_value());
  return batch ? batch_texts(*batch) : Statistics_Texts{};
}

}  // namespace

class Batch_Panel_Test : public Main_Window_Test {
 protected:
  void click_batch() { QTest::mouseClick(batch().Group_Caculate_Btn, Qt::LeftButton); }
  QStringList boxes() {
    return {batch().Group_Strength_Avg->text(), batch().Group_Strength_Sd->text(),
            batch().Group_Strength_Min->text(), batch().Group_Strength_E->text()};
  }
  static QStringList boxes_of(const Statistics_Texts& t) {
    return {QString::fromStdString(t.avg), QString::fromStdString(t.sd), QString::fromStdString(t.min),
            QString::fromStdString(t.e)};
  }
  void calculate_all() {
    for (int row = 0; row < list().rowCount(); ++row) {
      select(row);
      child<QAction>("Caculate_Act")->trigger();
    }
  }
};

TEST_F(Batch_Panel_Test, WithoutTicksShowsTheMessageAndStaysTicked) {
  import_samples({10});
  click_batch();
  EXPECT_EQ(ui.informations(), QStringList({QString::fromUtf8(NO_VALID_AREA_DATA_MSG)}));
  EXPECT_TRUE(batch().Group_Caculate_Btn->isChecked());
  EXPECT_EQ(boxes(), QStringList({"", "", "", ""}));
}

TEST_F(Batch_Panel_Test, ShowsTheStatisticsOfTheTickedComponentsAndClearsOnUntick) {
  import_samples({10, 10, 10});
  calculate_all();
  tick(0, true);
  tick(2, true);
  click_batch();
  const QStringList shown = boxes();
  EXPECT_EQ(shown, boxes_of(expected_texts(form().project)));
  EXPECT_FALSE(shown.contains(QString()));
  EXPECT_TRUE(ui.informations().isEmpty());

  // Later ticks do not refresh the boxes; clearing and ticking again does.
  tick(1, true);
  EXPECT_EQ(boxes(), shown);
  click_batch();
  EXPECT_EQ(boxes(), QStringList({"", "", "", ""}));
  click_batch();
  EXPECT_EQ(boxes(), boxes_of(expected_texts(form().project)));
  EXPECT_NE(boxes(), shown);
}

TEST_F(Batch_Panel_Test, FewAreasAskFirst) {
  import_samples({2});
  calculate_all();
  tick(0, true);
  ui.answers = {Answer::No};
  click_batch();
  EXPECT_EQ(ui.asked.back(), (Scripted_UI_Services::Asked{Scripted_UI_Services::Kind::Yes_No,
                                                          QString::fromUtf8(FEW_AREAS_QUESTION)}));
  EXPECT_EQ(boxes(), QStringList({"", "", "", ""}));
  EXPECT_TRUE(batch().Group_Caculate_Btn->isChecked());

  click_batch();
  ui.answers = {Answer::Yes};
  click_batch();
  EXPECT_EQ(boxes(), boxes_of(expected_texts(form().project)));
}

TEST_F(Batch_Panel_Test, OneNegativeAreaShowsItsValueAndAZeroMinimum) {
  Sample_Device low = sample_device("L", 1, 6);
  import({device_file("L", low)});
  calculate_all();
  ASSERT_LT(form().project.component(0)->areas[0].strength, 0.0f);
  tick(0, true);
  ui.answers = {Answer::Yes};
  click_batch();
  EXPECT_EQ(batch().Group_Strength_Sd->text(), QStringLiteral("-.-"));
  EXPECT_EQ(batch().Group_Strength_Min->text(), QStringLiteral("0.0"));
  EXPECT_TRUE(batch().Group_Strength_E->text().startsWith(u'-'));
}
