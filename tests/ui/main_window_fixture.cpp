#include "main_window_fixture.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "model/s_file.h"
#include "report/rebound_tester_config.h"
#include "ui/batch_panel.h"
#include "ui/component_panel.h"
#include "ui/s_string_grid.h"

void Main_Window_Test::SetUp() {
  ASSERT_TRUE(dir.isValid());
  QApplication::setQuitOnLastWindowClosed(false);
  Tester_Config().Set_Start_Dir(dir.path().toStdString());
  windows = create_program_windows(ui);
  form().show();
  // What start-up itself shows (the report settings' reconciliation of the
  // template folders) is not what these tests look at.
  ui.asked.clear();
}

void Main_Window_Test::TearDown() {
  windows.main_form.reset();
  EXPECT_TRUE(ui.answers.empty()) << "answers left over";
  EXPECT_TRUE(ui.files_to_open.empty()) << "open dialogs left over";
  EXPECT_TRUE(ui.files_to_save.empty()) << "save dialogs left over";
  EXPECT_TRUE(ui.dialog_steps.empty()) << "dialog steps left over";
}

QTableWidget& Main_Window_Test::list() { return *child<QTableWidget>("Component_List"); }
S_Component_Panel& Main_Window_Test::panel() { return *child<S_Component_Panel>("Component_Panel"); }
S_String_Grid& Main_Window_Test::grid() { return *child<S_String_Grid>("Areas_Grid"); }
S_Batch_Panel& Main_Window_Test::batch() { return *child<S_Batch_Panel>("Batch_Panel"); }

QString Main_Window_Test::device_file(const std::string& name, const Sample_Device& device) {
  const QString file = path(QString::fromStdString(name) + QStringLiteral(".R82"));
  EXPECT_TRUE(write_file_replacing(file.toStdString(), device_file_bytes(device)));
  return file;
}

void Main_Window_Test::import(const QStringList& paths) {
  ui.files_to_open.push_back(paths);
  child<QAction>("Import_Data_From_Dev_Act")->trigger();
}

void Main_Window_Test::import_samples(const std::vector<int>& area_counts) {
  QStringList paths;
  int base = 30;
  for (size_t i = 0; i < area_counts.size(); ++i) {
    const std::string name = "C" + std::to_string(i + 1);
    paths << device_file(name, sample_device(name, area_counts[i], base));
    base += 5;
  }
  import(paths);
}

void Main_Window_Test::select(int row) {
  const QRect cell = list().visualRect(list().model()->index(row, 1));
  QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, cell.center());
}

void Main_Window_Test::tick(int row, bool on) {
  list().item(row, 0)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

namespace {

QLineEdit* open_cell_editor(S_String_Grid& grid, int col, int row) {
  grid.set_current(col, row);
  grid.edit(grid.currentIndex());
  return grid.cell_editor();
}

}  // namespace

void Main_Window_Test::type_in_grid(int col, int row, const QString& keys) {
  QLineEdit* editor = open_cell_editor(grid(), col, row);
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, keys);
}

void Main_Window_Test::paste_in_grid(int col, int row, const QString& text) {
  QLineEdit* editor = open_cell_editor(grid(), col, row);
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  editor->insert(text);
}

void Main_Window_Test::retype(QLineEdit& edit, const QString& text) {
  edit.selectAll();
  QTest::keyClick(&edit, Qt::Key_Delete);
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(&edit, c.toLatin1());
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(QString(c));
      QApplication::sendEvent(&edit, &commit);
    }
  }
}

QStringList Main_Window_Test::list_column(int column) {
  QStringList texts;
  for (int row = 0; row < list().rowCount(); ++row) texts << list().item(row, column)->text();
  return texts;
}
