// A settings file far too large to be one, found at start-up: the window
// names it in a message, starts with the default settings, and the start-up
// save of the settings replaces it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <filesystem>

#include "report/rebound_tester_config.h"
#include "tests/model/test_support.h"
#include "tests/ui/scripted_ui_services.h"
#include "ui/program_windows.h"

namespace {

TEST(Giant_Settings_At_Start, IsNamedAndReplacedByTheStartUpSave) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::filesystem::path setting = std::filesystem::path(dir.path().toStdString()) / "Setting";
  std::filesystem::create_directory(setting);
  test_support::put_file(setting / "Config.ini", "[x]\n");
  std::filesystem::resize_file(setting / "Config.ini", 100u << 20);  // sparse

  QApplication::setQuitOnLastWindowClosed(false);
  Tester_Config().Set_Start_Dir(dir.path().toStdString());
  Scripted_UI_Services ui;
  Program_Windows windows = create_program_windows(ui);
  windows.main_form->show();
  QApplication::processEvents();

  const QString file = QString::fromStdString((setting / "Config.ini").string());
  EXPECT_TRUE(ui.informations().contains(QStringLiteral("设置文件[%1]无法使用，已使用默认设置").arg(file)))
      << ui.informations().join("\n").toStdString();
  EXPECT_EQ(Tester_Config().Get_Default_Print_Template(), 0);
  EXPECT_LT(std::filesystem::file_size(setting / "Config.ini"), 1000u);
  windows.main_form.reset();
}

}  // namespace
