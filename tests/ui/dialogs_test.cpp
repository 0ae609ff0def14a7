// The project information dialog (OK, Cancel, the close box, the working
// copy), the About box and the permission dialog.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "main_window_fixture.h"
#include "model/gbk_codec.h"
#include "model/s_date.h"
#include "report/s_qt_text.h"
#include "ui/about_form_unit.h"
#include "ui/component_panel.h"
#include "ui/permission_setting_form_unit.h"
#include "ui/project_info_form_unit.h"
#include "ui/s_date_edit.h"

namespace {

using Kind = Scripted_UI_Services::Kind;

}  // namespace

class Project_Dialog_Test : public Main_Window_Test {
 protected:
  TProject_Info_Form& dialog() { return *windows.dialogs.project_info; }
  QLineEdit& field(const char* name) { return *dialog().findChild<QLineEdit*>(QString::fromLatin1(name)); }
  S_Date_Edit& date(const char* name) { return *dialog().findChild<S_Date_Edit*>(QString::fromLatin1(name)); }
  // Opens the dialog through its action and runs the step on it.
  void open_dialog(std::function<void(TProject_Info_Form&)> step) {
    ui.dialog_steps.push_back([step](QDialog& d) { step(static_cast<TProject_Info_Form&>(d)); });
    child<QAction>("Project_Info_Act")->trigger();
  }
};

TEST_F(Project_Dialog_Test, ShowsTheProjectsDefaultsOnAFreshProgram) {
  open_dialog([this](TProject_Info_Form& d) {
    EXPECT_EQ(field("Project_Name").text(), QString::fromStdString(today_text()) + QStringLiteral(" 新工程"));
    for (const char* name : {"Construction_Date", "Agent_Date", "Report_Date"}) {
      EXPECT_EQ(date(name).text(), QString::fromStdString(today_text())) << name;
    }
    EXPECT_EQ(field("Examine_Unit").text(), QString());
    d.sButton2->click();
  });
  EXPECT_EQ(ui.asked.back(),
            (Scripted_UI_Services::Asked{Kind::Modal, QStringLiteral("TProject_Info_Form")}));
  EXPECT_EQ(dialog().windowTitle(), QStringLiteral("工程信息"));
  EXPECT_EQ(dialog().size(), QSize(554, 498));
}

TEST_F(Project_Dialog_Test, OkStoresEveryFieldAndKeepsTheTextsWithoutControl) {
  form().project.examine_environment.assign(utf8_to_gbk("晴"));
  form().project.examine_reason.assign(utf8_to_gbk("验收"));
  const std::pair<const char*, S_String Rebound_Project::*> texts[] = {
      {"Project_Name", &Rebound_Project::project_name},
      {"Project_Address", &Rebound_Project::project_address},
      {"Constructor", &Rebound_Project::construction_unit},
      {"Agent_Unit", &Rebound_Project::agent_unit},
      {"Design_Unit", &Rebound_Project::design_unit},
      {"Supervision_Unit", &Rebound_Project::supervision_unit},
      {"Report_Serial", &Rebound_Project::report_serial},
      {"Monitor", &Rebound_Project::monitor_unit},
      {"Examine_Serial", &Rebound_Project::examine_serial},
      {"Concrete_Producer", &Rebound_Project::concrete_producer},
      {"Examine_Unit", &Rebound_Project::examine_unit},
      {"Examine_Unit_Address", &Rebound_Project::examine_unit_address},
      {"Unit_Certification_Serial", &Rebound_Project::unit_certification_serial},
      {"Zip_Code", &Rebound_Project::zip_code},
      {"Phone_No", &Rebound_Project::phone_no},
      {"Fax_No", &Rebound_Project::fax_no},
  };
  open_dialog([&](TProject_Info_Form& d) {
    for (const auto& [name, member] : texts)
      retype(field(name), QStringLiteral("值") + QString::fromLatin1(name));
    retype(date("Agent_Date"), QStringLiteral("20190301"));
    d.sButton2->click();
  });
  for (const auto& [name, member] : texts) {
    EXPECT_EQ((form().project.*member).bytes(), utf8_to_gbk("值" + std::string(name))) << name;
  }
  EXPECT_EQ(form().project.agent_date.bytes(), "2019-03-01");
  EXPECT_EQ(form().project.examine_environment.bytes(), utf8_to_gbk("晴"));
  EXPECT_EQ(form().project.examine_reason.bytes(), utf8_to_gbk("验收"));
}

TEST_F(Project_Dialog_Test, CancelDiscardsTheEditsAndSelectsTheFirstComponent) {
  import_samples({2, 2});
  select(1);
  const S_String name = form().project.project_name;
  open_dialog([this](TProject_Info_Form& d) {
    retype(field("Project_Name"), QStringLiteral("改"));
    d.sButton1->click();
  });
  EXPECT_EQ(form().project.project_name, name);
  EXPECT_EQ(field("Project_Name").text(), to_qstring(name));
  EXPECT_EQ(panel().Component_Name->text(), QStringLiteral("C1"));
}

TEST_F(Project_Dialog_Test, CloseBoxKeepsTheEditsInTheControlsUntilTheNextStoreOrShow) {
  import_samples({2});
  const S_String name = form().project.project_name;
  open_dialog([this](TProject_Info_Form& d) {
    retype(field("Project_Name"), QStringLiteral("关窗"));
    d.close();
  });
  EXPECT_EQ(form().project.project_name, name);
  EXPECT_EQ(field("Project_Name").text(), QStringLiteral("关窗"));

  // Reopened: the project's text is shown again.
  open_dialog([this, &name](TProject_Info_Form& d) {
    EXPECT_EQ(field("Project_Name").text(), to_qstring(name));
    retype(field("Project_Name"), QStringLiteral("再关"));
    d.close();
  });
  // A save stores what the controls hold.
  ui.files_to_save = {path(QStringLiteral("p"))};
  child<QAction>("Save_Act")->trigger();
  EXPECT_EQ(form().project.project_name.bytes(), utf8_to_gbk("再关"));
}

TEST_F(Project_Dialog_Test, AClearedDateIsStoredAsTheDateZeroAndShownEmpty) {
  open_dialog([this](TProject_Info_Form& d) {
    S_Date_Edit& report = date("Report_Date");
    report.selectAll();
    QTest::keyClick(&report, Qt::Key_Delete);
    d.sButton2->click();
  });
  EXPECT_EQ(form().project.report_date.bytes(), EMPTY_DATE_TEXT);
  open_dialog([this](TProject_Info_Form& d) {
    EXPECT_FALSE(date("Report_Date").date().isValid());
    EXPECT_TRUE(date("Agent_Date").date().isValid());
    d.sButton2->click();
  });
  EXPECT_EQ(form().project.report_date.bytes(), EMPTY_DATE_TEXT);
}

TEST_F(Project_Dialog_Test, ADateThatNamesNoDateShowsEmptyAndIsKeptUntilEdited) {
  import_samples({2});
  form().project.construction_date.assign("2019-02-30");
  form().project.agent_date.assign("damaged");
  form().project.supervision_unit.assign(utf8_to_gbk("监理"));
  open_dialog([this](TProject_Info_Form& d) {
    EXPECT_FALSE(date("Construction_Date").date().isValid());
    EXPECT_EQ(field("Supervision_Unit").text(), QStringLiteral("监理"));
    retype(date("Agent_Date"), QStringLiteral("20200101"));
    d.sButton2->click();
  });
  EXPECT_EQ(form().project.construction_date.bytes(), "2019-02-30");
  EXPECT_EQ(form().project.agent_date.bytes(), "2020-01-01");
  EXPECT_EQ(list().rowCount(), 1);
  EXPECT_EQ(panel().Component_Name->text(), QStringLiteral("C1"));
}

TEST_F(Project_Dialog_Test, TextsThatWereNotEditedKeepTheirBytesThroughASave) {
  import_samples({2});
  const std::string damaged = utf8_to_gbk("桥") + "\xB9";  // cut inside a character
  form().project.design_unit.assign(damaged);
  form().Show_Project();
  ui.files_to_save = {path(QStringLiteral("kept"))};
  child<QAction>("Save_Act")->trigger();
  Rebound_Project reread;
  ASSERT_TRUE(reread.load(path(QStringLiteral("kept.prj")).toStdString()));
  EXPECT_EQ(reread.design_unit.bytes(), damaged);
}

TEST_F(Main_Window_Test, AboutBoxShowsTheProductAndWhatItIsBuiltWith) {
  TAbout_Form& about = *windows.dialogs.about;
  ui.dialog_steps.push_back([](QDialog& d) { static_cast<TAbout_Form&>(d).sButton1->click(); });
  child<QAction>("About_Act")->trigger();
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.windowTitle(), QStringLiteral("关于..."));
  EXPECT_EQ(about.size(), QSize(540, 317));
  EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("Product_Name_Lbl"))->text(), PRODUCT_NAME);
  EXPECT_EQ(PRODUCT_NAME, QStringLiteral("RV820-数显回弹仪分析软件"));
  EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("Version_Lbl"))->text(), QStringLiteral("v1.0a"));
  const QString built_with = about.findChild<QLabel*>(QStringLiteral("Built_With_Lbl"))->text();
  EXPECT_TRUE(built_with.contains(QStringLiteral(QT_VERSION_STR)));
  EXPECT_TRUE(about.sButton1->isDefault());
}

TEST_F(Main_Window_Test, PermissionDialogOnlyClosesItself) {
  TPermission_Setting_Form& permission = *windows.dialogs.permission;
  EXPECT_EQ(permission.sEdit1->text(), QStringLiteral("sEdit1"));
  EXPECT_EQ(permission.sEdit1->echoMode(), QLineEdit::Password);
  EXPECT_EQ(permission.windowTitle(), QStringLiteral("权限设置"));
  EXPECT_EQ(permission.size(), QSize(253, 48));
  ui.dialog_steps.push_back([](QDialog& d) { static_cast<TPermission_Setting_Form&>(d).sButton1->click(); });
  form().Permission_ActExecute();
  EXPECT_FALSE(permission.isVisible());
  EXPECT_EQ(permission.sEdit1->text(), QStringLiteral("sEdit1"));
}
