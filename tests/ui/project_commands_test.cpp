// The project commands: new project, open, save, import and exit, with every
// message and question and each answer.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTableWidget>

#include "main_window_fixture.h"
#include "model/gbk_codec.h"
#include "report/s_qt_text.h"
#include "ui/component_panel.h"
#include "ui/project_info_form_unit.h"

namespace {

using Kind = Scripted_UI_Services::Kind;
using Answer = UI_Services::Answer;

const QString SAVE_QUESTION = QStringLiteral("是否保存当前工程？");
const QString EXIT_QUESTION = QStringLiteral("退出前是否保存当前工程？");
const QString NOTHING_TO_SAVE = QStringLiteral("没有要保存的数据！");

}  // namespace

TEST_F(Main_Window_Test, NewProjectCancelledKeepsEverything) {
  import_samples({3, 4});
  ui.asked.clear();
  ui.answers = {Answer::Cancel};
  child<QAction>("New_Project_Act")->trigger();
  EXPECT_EQ(ui.asked, (std::vector<Scripted_UI_Services::Asked>{{Kind::Yes_No_Cancel, SAVE_QUESTION}}));
  EXPECT_EQ(form().project.component_count(), 2u);
  EXPECT_EQ(list().rowCount(), 2);
}

TEST_F(Main_Window_Test, NewProjectWithoutSavingClearsComponentsKeepsProjectTexts) {
  import_samples({3});
  form().project.project_name.assign(utf8_to_gbk("大桥工程"));
  ui.answers = {Answer::No};
  child<QAction>("New_Project_Act")->trigger();
  EXPECT_EQ(form().project.component_count(), 0u);
  EXPECT_EQ(list().rowCount(), 0);
  EXPECT_EQ(form().project.project_name.bytes(), utf8_to_gbk("大桥工程"));
  EXPECT_EQ(panel().Component_Name->text(), QString());
  EXPECT_EQ(panel().Strength_Avg->text(), QStringLiteral("-.-"));
  EXPECT_EQ(grid().row_count(), 2);
  EXPECT_EQ(grid().cell(1, 1), QStringLiteral("0"));
}

TEST_F(Main_Window_Test, NewProjectOnEmptyProgramSavesNothingAndGoesOn) {
  ui.answers = {Answer::Yes};
  child<QAction>("New_Project_Act")->trigger();
  EXPECT_EQ(ui.informations(), QStringList({NOTHING_TO_SAVE}));
  EXPECT_EQ(panel().Strength_E->text(), QStringLiteral("-.-"));
}

TEST_F(Main_Window_Test, NewProjectKeepsComponentsWhenTheWantedSaveDoesNotHappen) {
  import_samples({3});
  ui.answers = {Answer::Yes};
  ui.files_to_save = {QString()};
  child<QAction>("New_Project_Act")->trigger();
  EXPECT_EQ(form().project.component_count(), 1u);
  EXPECT_EQ(list().rowCount(), 1);

  // Declining to overwrite keeps them too.
  QFile existing(path(QStringLiteral("a.prj")));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  ui.answers = {Answer::Yes, Answer::No};
  ui.files_to_save = {path(QStringLiteral("a"))};
  child<QAction>("New_Project_Act")->trigger();
  EXPECT_EQ(form().project.component_count(), 1u);
}

TEST_F(Main_Window_Test, NewProjectAfterSavingClears) {
  import_samples({3});
  ui.answers = {Answer::Yes};
  ui.files_to_save = {path(QStringLiteral("saved"))};
  child<QAction>("New_Project_Act")->trigger();
  EXPECT_TRUE(QFile::exists(path(QStringLiteral("saved.prj"))));
  EXPECT_EQ(form().project.component_count(), 0u);
}

TEST_F(Main_Window_Test, SaveAppendsTheExtensionUnlessItIsExactlyPrj) {
  import_samples({2});
  const std::pair<const char*, const char*> cases[] = {
      {"report", "report.prj"}, {"plan.prj", "plan.prj"}, {"upper.PRJ", "upper.PRJ.prj"},
      {"a.txt", "a.txt.prj"},   {"dot.", "dot..prj"},     {"dot.d/name", "dot.d/name.prj"},
  };
  QDir folder(dir.path());
  ASSERT_TRUE(folder.mkdir(QStringLiteral("dot.d")));
  for (const auto& [chosen, written] : cases) {
    const QStringList before = folder.entryList(QDir::Files) + QDir(path("dot.d")).entryList(QDir::Files);
    ui.files_to_save = {path(QString::fromLatin1(chosen))};
    child<QAction>("Save_Act")->trigger();
    EXPECT_TRUE(QFile::exists(path(QString::fromLatin1(written)))) << chosen;
    const QStringList after = folder.entryList(QDir::Files) + QDir(path("dot.d")).entryList(QDir::Files);
    EXPECT_EQ(after.size(), before.size() + 1) << chosen;
  }
  EXPECT_TRUE(ui.informations().isEmpty());
}

TEST_F(Main_Window_Test, SaveAsksBeforeOverwritingAndReportsFailure) {
  import_samples({2, 2});
  const QString target = path(QStringLiteral("p.prj"));
  QFile existing(target);
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.write("old");
  existing.close();

  ui.files_to_save = {target};
  ui.answers = {Answer::No};
  child<QAction>("Save_Act")->trigger();
  EXPECT_EQ(ui.asked.back(), (Scripted_UI_Services::Asked{
                                 Kind::Yes_No, QStringLiteral("文件%1已存在，是否覆盖？").arg(target)}));
  ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
  EXPECT_EQ(existing.readAll(), QByteArray("old"));
  existing.close();

  ui.files_to_save = {target};
  ui.answers = {Answer::Yes};
  child<QAction>("Save_Act")->trigger();
  Rebound_Project reread;
  ASSERT_TRUE(reread.load(target.toStdString()));
  EXPECT_EQ(reread.component_count(), 2u);

  const QString unwritable = path(QStringLiteral("missing/folder/q.prj"));
  ui.files_to_save = {unwritable};
  child<QAction>("Save_Act")->trigger();
  EXPECT_EQ(ui.informations(), QStringList({QStringLiteral("工程文件[%1]导出失败！").arg(unwritable)}));
}

TEST_F(Main_Window_Test, SaveWithoutComponentsShowsNoDialog) {
  child<QAction>("Save_Act")->trigger();
  EXPECT_EQ(ui.asked, (std::vector<Scripted_UI_Services::Asked>{{Kind::Information, NOTHING_TO_SAVE}}));
}

TEST_F(Main_Window_Test, SaveStoresTheProjectDialogsTexts) {
  import_samples({2});
  windows.dialogs.project_info->findChild<QLineEdit*>(QStringLiteral("Project_Name"))
      ->setText(QStringLiteral("隧道"));
  ui.files_to_save = {path(QStringLiteral("t"))};
  child<QAction>("Save_Act")->trigger();
  Rebound_Project reread;
  ASSERT_TRUE(reread.load(path(QStringLiteral("t.prj")).toStdString()));
  EXPECT_EQ(reread.project_name.bytes(), utf8_to_gbk("隧道"));
}

TEST_F(Main_Window_Test, OpenAppendsTheFilesComponentsAndTakesItsTexts) {
  Rebound_Project saved;
  saved.project_name.assign(utf8_to_gbk("旧工程"));
  saved.new_component()->component_name.assign("A");
  saved.new_component()->component_name.assign("B");
  const QString file = path(QStringLiteral("old.prj"));
  ASSERT_TRUE(saved.save(file.toStdString()));

  for (int i = 0; i < 2; ++i) {
    ui.files_to_open = {{file}};
    child<QAction>("Open_Act")->trigger();
  }
  EXPECT_EQ(list_column(1), QStringList({"A", "B", "A", "B"}));
  EXPECT_EQ(list_column(0), QStringList({"1", "2", "3", "4"}));
  EXPECT_EQ(panel().Component_Name->text(), QStringLiteral("A"));
  EXPECT_EQ(windows.dialogs.project_info->findChild<QLineEdit*>(QStringLiteral("Project_Name"))->text(),
            QStringLiteral("旧工程"));
  EXPECT_EQ(ui.asked.front(),
            (Scripted_UI_Services::Asked{Kind::Open_Files, TMain_Form::PROJECT_FILE_FILTER}));
}

TEST_F(Main_Window_Test, OpenFailureIsReportedAndTheViewsShowWhatWasRead) {
  import_samples({2, 2});
  Rebound_Project saved;
  saved.new_component()->component_name.assign("A");
  saved.new_component()->component_name.assign("B");
  const QString file = path(QStringLiteral("cut.prj"));
  ASSERT_TRUE(saved.save(file.toStdString()));
  ASSERT_TRUE(QFile::resize(file, QFileInfo(file).size() - 30));  // cut inside B's areas

  ui.files_to_open = {{file}};
  child<QAction>("Open_Act")->trigger();
  EXPECT_EQ(ui.informations(), QStringList({QStringLiteral("工程文件[%1]导入失败！").arg(file)}));
  EXPECT_EQ(list_column(1), QStringList({"C1", "C2", "A", "B"}));
  EXPECT_EQ(static_cast<int>(form().project.component_count()), list().rowCount());

  ui.files_to_open = {{}};
  child<QAction>("Open_Act")->trigger();
  EXPECT_EQ(ui.informations().size(), 1);
}

TEST_F(Main_Window_Test, ImportAppendsOneComponentPerFileAndReportsBadFiles) {
  const QString first = device_file("KZ-1", sample_device("KZ-1", 3, 40));
  const QString unreadable = path(QStringLiteral("bad.R82"));
  Sample_Device too_many = sample_device("X", 2, 40);
  too_many.area_count_override = 51;
  ASSERT_TRUE(write_file_replacing(unreadable.toStdString(), device_file_bytes(too_many)));
  const QString missing = path(QStringLiteral("missing.R82"));
  const QString third = device_file("KZ-3", sample_device("KZ-3", 5, 40));

  import({first, unreadable, missing, third});
  EXPECT_EQ(ui.asked.front(),
            (Scripted_UI_Services::Asked{Kind::Open_Files, TMain_Form::DEVICE_FILE_FILTER}));
  EXPECT_EQ(ui.informations(), QStringList({QStringLiteral("构件文件[%1]导入失败！").arg(unreadable),
                                            QStringLiteral("构件文件[%1]打开失败！").arg(missing)}));
  EXPECT_EQ(list_column(1), QStringList({"KZ-1", "新构件", "KZ-3"}));
  EXPECT_EQ(form().project.component(2)->get_area_count(), 5u);
  // The first row is selected and shown.
  EXPECT_EQ(panel().Component_Name->text(), QStringLiteral("KZ-1"));
  EXPECT_EQ(grid().row_count(), 4);
}

TEST_F(Main_Window_Test, ExitAsksAndCloses) {
  ui.answers = {Answer::No};
  EXPECT_TRUE(form().close());
  EXPECT_EQ(ui.asked, (std::vector<Scripted_UI_Services::Asked>{{Kind::Yes_No, EXIT_QUESTION}}));
}

TEST_F(Main_Window_Test, ExitStaysOpenWhenTheWantedSaveDoesNotHappen) {
  import_samples({2});
  ui.answers = {Answer::Yes};
  ui.files_to_save = {QString()};
  child<QAction>("Exit_Act")->trigger();
  EXPECT_TRUE(form().isVisible());

  ui.answers = {Answer::Yes};
  ui.files_to_save = {path(QStringLiteral("end"))};
  child<QAction>("Exit_Act")->trigger();
  EXPECT_FALSE(form().isVisible());
  EXPECT_TRUE(QFile::exists(path(QStringLiteral("end.prj"))));
}

TEST_F(Main_Window_Test, ExitWithNothingToSaveCloses) {
  ui.answers = {Answer::Yes};
  child<QAction>("Exit_Act")->trigger();
  EXPECT_EQ(ui.informations(), QStringList({NOTHING_TO_SAVE}));
  EXPECT_FALSE(form().isVisible());
}
