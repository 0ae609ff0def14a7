// A heap that has no room for one more component during an import: the
// import shows "构件新建失败！" and ends at once; the components made so far
// stay in the project and the views are not rebuilt. Driven on the real
// main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>

#include "model/s_file.h"
#include "report/rebound_tester_config.h"
#include "tests/model/allocation_probe.h"
#include "tests/ui/scripted_ui_services.h"
#include "tools/device_file_writer.h"
#include "ui/main_form_unit.h"
#include "ui/program_windows.h"

namespace {

TEST(Import_Without_Memory, EndsAtOnceWithoutRebuildingTheViews) {
#ifdef RV820_SANITIZED
  GTEST_SKIP() << "under the sanitizers the refused allocation does not reach the import";
#endif
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  Tester_Config().Set_Start_Dir(dir.path().toStdString());
  Scripted_UI_Services ui;
  Program_Windows windows = create_program_windows(ui);
  TMain_Form& form = *windows.main_form;
  form.show();

  QStringList files;
  for (const char* name : {"KZ-0", "KZ-1", "KZ-2", "KZ-3"}) {
    const QString file = dir.filePath(QString::fromLatin1(name) + QStringLiteral(".R82"));
    ASSERT_TRUE(write_file_replacing(file.toStdString(), device_file_bytes(sample_device(name, 3, 40))));
    files << file;
  }
  ui.files_to_open.push_back({files[0]});
  form.findChild<QAction*>("Import_Data_From_Dev_Act")->trigger();
  ui.asked.clear();

  {
    // Room for KZ-1, none for KZ-2.
    Allocation_Probe heap;
    heap.refuse(sizeof(R_Component), 1);
    ui.files_to_open.push_back({files[1], files[2], files[3]});
    form.findChild<QAction*>("Import_Data_From_Dev_Act")->trigger();
  }

  EXPECT_EQ(ui.informations(), QStringList{QStringLiteral("构件新建失败！")});
  ASSERT_EQ(form.project.component_count(), 2u);
  EXPECT_EQ(form.project.component(1)->component_name.bytes(), "KZ-1");
  // The list and the panel still show what they showed before the import.
  EXPECT_EQ(form.findChild<QTableWidget*>("Component_List")->rowCount(), 1);
  EXPECT_EQ(form.findChild<QLineEdit*>("Component_Name")->text(), QStringLiteral("KZ-0"));
  windows.main_form.reset();
}

}  // namespace
