// The export commands of the main window: the dialog and its filter, the
// extension appended as Save does, the overwrite question, and the messages.
#include <QFile>
#include <QFileInfo>

#include "main_window_fixture.h"
#include "tests/export/export_fixture.h"
#include "tests/export/foreign_reader.h"

namespace {

using Kind = Scripted_UI_Services::Kind;
using Answer = UI_Services::Answer;

struct Export_Entry {
  const char* action;
  const char* filter;
  const char* extension;
};

const Export_Entry ENTRIES[] = {
    {"Export_Excel_Act", "Excel 工作簿(*.xlsx)|*.xlsx", ".xlsx"},
    {"Export_Csv_Act", "CSV 文件(*.csv)|*.csv", ".csv"},
};

}  // namespace

TEST_F(Main_Window_Test, ExportWritesTheChosenFile) {
  fill_export_project(form().project);
  for (const Export_Entry& entry : ENTRIES) {
    SCOPED_TRACE(entry.action);
    ui.asked.clear();
    // The extension is appended unless the name ends in it exactly.
    const QString extension = QString::fromLatin1(entry.extension);
    ui.files_to_save = {path(QStringLiteral("figures")), path(QStringLiteral("upper") + extension.toUpper())};
    child<QAction>(entry.action)->trigger();
    child<QAction>(entry.action)->trigger();
    EXPECT_EQ(ui.asked,
              (std::vector<Scripted_UI_Services::Asked>{{Kind::Save_File, QString::fromUtf8(entry.filter)},
                                                        {Kind::Save_File, QString::fromUtf8(entry.filter)}}));
    const QString written = path(QStringLiteral("figures") + extension);
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("upper") + extension.toUpper() + extension)));
    const nlohmann::json content = extension == QStringLiteral(".xlsx") ? read_workbook(written.toStdString())
                                                                        : read_csv(written.toStdString());
    ASSERT_TRUE(!content.is_null());
    if (content.is_array()) {
      EXPECT_EQ(content.size(), 1 + form().project.component_count());  // the components
    } else {
      EXPECT_EQ(content["sheets"], nlohmann::json({"构件", "测区"}));
    }
  }
}

TEST_F(Main_Window_Test, ExportAsksBeforeOverwritingAndReportsFailure) {
  import_samples({3});
  for (const Export_Entry& entry : ENTRIES) {
    SCOPED_TRACE(entry.action);
    const QString target = path(QStringLiteral("old") + QString::fromLatin1(entry.extension));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    ui.files_to_save = {target};
    ui.answers = {Answer::No};
    child<QAction>(entry.action)->trigger();
    EXPECT_EQ(ui.asked.back(), (Scripted_UI_Services::Asked{
                                   Kind::Yes_No, QStringLiteral("文件%1已存在，是否覆盖？").arg(target)}));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
    old.close();

    ui.files_to_save = {target};
    ui.answers = {Answer::Yes};
    child<QAction>(entry.action)->trigger();
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_NE(old.readAll(), QByteArray("old"));
    old.close();

    const QString unwritable = path(QStringLiteral("missing/q") + QString::fromLatin1(entry.extension));
    ui.asked.clear();
    ui.files_to_save = {unwritable};
    child<QAction>(entry.action)->trigger();
    EXPECT_EQ(ui.informations(), QStringList({QStringLiteral("文件[%1]导出失败！").arg(unwritable)}));
  }
}

TEST_F(Main_Window_Test, ExportWithoutComponentsShowsNoDialog) {
  for (const Export_Entry& entry : ENTRIES) {
    ui.asked.clear();
    child<QAction>(entry.action)->trigger();
    EXPECT_EQ(ui.asked, (std::vector<Scripted_UI_Services::Asked>{
                            {Kind::Information, QStringLiteral("没有要导出的数据！")}}));
  }
}
