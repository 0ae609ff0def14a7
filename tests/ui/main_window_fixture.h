// The real program windows, built as start-up builds them, in a start
// directory of their own, with scripted UI services; and the user's moves
// on them: importing files, selecting and ticking rows, typing.
#pragma once

#include <gtest/gtest.h>

#include <QTableWidget>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "model/s_file.h"
#include "scripted_ui_services.h"
#include "tools/device_file_writer.h"
#include "ui/batch_panel.h"
#include "ui/component_panel.h"
#include "ui/program_windows.h"
#include "ui/s_string_grid.h"

class QLineEdit;

class Main_Window_Test : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  TMain_Form& form() { return *windows.main_form; }
  // A control or action of the window, found by its object name; the test
  // fails when the window has none of that name and type.
  template <typename T>
  T* child(const char* name) {
    T* found = form().findChild<T*>(QString::fromLatin1(name));
    EXPECT_TRUE(found) << name;
    return found;
  }
  QTableWidget& list();
  S_Component_Panel& panel();
  S_String_Grid& grid();
  S_Batch_Panel& batch();

  // Writes an instrument file into the test's folder and returns its path.
  QString device_file(const std::string& name, const Sample_Device& device);
  // Imports the files through the import command.
  void import(const QStringList& paths);
  // Imports n sample components "C1" .. "Cn" of the given area counts.
  void import_samples(const std::vector<int>& area_counts);

  // Clicks a row of the component list, or ticks its check box.
  void select(int row);
  void tick(int row, bool on);
  // Types into the cell editor of (col, row) of the test-area grid.
  void type_in_grid(int col, int row, const QString& keys);
  // Puts a text into that cell's editor in one change, as a paste does.
  void paste_in_grid(int col, int row, const QString& text);
  // Replaces the text of an edit by typing, as the user does; Chinese
  // characters arrive through the input method, one at a time.
  void retype(QLineEdit& edit, const QString& text);

  // The texts of a list column, top to bottom.
  QStringList list_column(int column);

  QString path(const QString& name) const { return dir.filePath(name); }

  QTemporaryDir dir;
  Scripted_UI_Services ui;
  Program_Windows windows;
};
