// An instrument file that vanishes between the open dialog and the read: the
// import shows "构件文件[%s]打开失败！" for it and goes on with the next file;
// nothing else changes. Driven on the real main window.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>

#include "fault_support.h"
#include "model/gbk_codec.h"
#include "model/s_byte_stream.h"
#include "model/s_file.h"
#include "report/rebound_tester_config.h"
#include "tests/ui/scripted_ui_services.h"
#include "tools/device_file_writer.h"
#include "ui/program_windows.h"

namespace {

// Runs a step of the test's own once the open dialog has returned its files.
class Vanishing_UI_Services : public Scripted_UI_Services {
 public:
  QStringList open_files(const QString& filter, bool several) override {
    const QStringList chosen = Scripted_UI_Services::open_files(filter, several);
    if (after_dialog) after_dialog();
    return chosen;
  }
  std::function<void()> after_dialog;
};

struct Vanishing {
  const char* name;
  void (*vanish)(const std::filesystem::path& file);
  bool unprivileged;  // the import runs as a user who may not read everything
};

const Vanishing VANISHINGS[] = {
    {"deleted", [](const std::filesystem::path& f) { std::filesystem::remove(f); }, false},
    {"replaced by a folder",
     [](const std::filesystem::path& f) {
       std::filesystem::remove(f);
       std::filesystem::create_directory(f);
     },
     false},
    // A named pipe that nobody writes to would hang a reader that waits on it.
    {"replaced by a named pipe",
     [](const std::filesystem::path& f) {
       std::filesystem::remove(f);
       ::mkfifo(f.c_str(), 0644);
     },
     false},
    {"no longer readable", [](const std::filesystem::path& f) { ::chmod(f.c_str(), 0); }, true},
};

QStringList list_column(const QTableWidget& list, int column) {
  QStringList texts;
  for (int row = 0; row < list.rowCount(); ++row) texts << list.item(row, column)->text();
  return texts;
}

// The stream forms of the project's texts and of its first component.
std::string texts_and_first_component(const Rebound_Project& p) {
  S_Byte_Writer out;
  for (int i = 0; i < Rebound_Project::TEXT_COUNT; ++i) EXPECT_TRUE(p.text(i).write(out));
  EXPECT_TRUE(p.component(0)->write(out));
  return out.bytes();
}

TEST(Vanishing_Instrument_File, IsReportedAndTheImportGoesOn) {
  for (const Vanishing& v : VANISHINGS) {
    SCOPED_TRACE(v.name);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    fault_support::open_to_everyone(dir.path().toStdString());
    Tester_Config().Set_Start_Dir(dir.path().toStdString());
    Vanishing_UI_Services ui;
    Program_Windows windows = create_program_windows(ui);
    TMain_Form& form = *windows.main_form;
    form.show();

    const auto device_file = [&](const std::string& name, int areas) {
      const std::string file = dir.filePath(QString::fromStdString(name + ".R82")).toStdString();
      EXPECT_TRUE(write_file_replacing(file, device_file_bytes(sample_device(name, areas, 40))));
      return QString::fromStdString(file);
    };
    // The project holds a component and texts of its own before the import.
    ui.files_to_open.push_back({device_file("KZ-0", 2)});
    form.findChild<QAction*>("Import_Data_From_Dev_Act")->trigger();
    form.project.project_name.assign(utf8_to_gbk("大桥工程"));
    const std::string before = texts_and_first_component(form.project);

    const QString first = device_file("KZ-1", 3);
    const QString vanishing = device_file("KZ-2", 4);
    const QString third = device_file("KZ-3", 5);
    ui.asked.clear();
    std::unique_ptr<fault_support::Unprivileged_Scope> unprivileged;
    ui.after_dialog = [&] {
      v.vanish(vanishing.toStdString());
      if (v.unprivileged) unprivileged = std::make_unique<fault_support::Unprivileged_Scope>();
    };
    ui.files_to_open.push_back({first, vanishing, third});
    form.findChild<QAction*>("Import_Data_From_Dev_Act")->trigger();
    unprivileged.reset();

    EXPECT_EQ(ui.informations(), QStringList{QStringLiteral("构件文件[%1]打开失败！").arg(vanishing)});
    EXPECT_EQ(list_column(*form.findChild<QTableWidget*>("Component_List"), 1),
              QStringList({"KZ-0", "KZ-1", "KZ-3"}));
    ASSERT_EQ(form.project.component_count(), 3u);
    EXPECT_EQ(form.project.component(1)->get_area_count(), 3u);
    EXPECT_EQ(form.project.component(2)->get_area_count(), 5u);
    EXPECT_EQ(texts_and_first_component(form.project), before);
    windows.main_form.reset();
  }
}

}  // namespace
