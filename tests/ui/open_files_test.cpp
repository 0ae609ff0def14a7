// Files that reach the main window from outside its dialogs: named on the
// command line or dropped onto the window. A project file is opened and
// instrument files are imported, as Open and Import do with those paths.
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <string>

#include "main_window_fixture.h"
#include "model/gbk_codec.h"
#include "model/rebound_project.h"
#include "report/s_qt_text.h"

namespace {

class Open_Files_Test : public Main_Window_Test {
 protected:
  // A project file of two components "A" and "B".
  QString project_file(const QString& name) {
    Rebound_Project saved;
    saved.project_name.assign(utf8_to_gbk("外部工程"));
    saved.new_component()->component_name.assign("A");
    saved.new_component()->component_name.assign("B");
    const QString file = path(name);
    EXPECT_TRUE(saved.save(file.toStdString()));
    return file;
  }

  // Drops the files onto the main window as a file manager does; true when
  // the window accepted the drag.
  bool drop(const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    const QPoint at = form().rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form(), &dropped);
    return dropped.isAccepted();
  }
};

TEST_F(Open_Files_Test, ProjectFilesAreOpenedAndInstrumentFilesImported) {
  // Letter case does not matter for the project's extension; everything else
  // is taken as an instrument file.
  const QString project = project_file(QStringLiteral("外部.PRJ"));
  const QString device = device_file("KZ-9", sample_device("KZ-9", 3, 40));
  form().Open_Files({qstring_to_path(device), qstring_to_path(project)});
  EXPECT_EQ(list_column(1), QStringList({"A", "B", "KZ-9"}));
  EXPECT_EQ(panel().Component_Name->text(), QStringLiteral("A"));
  EXPECT_TRUE(ui.asked.empty());  // no dialog, no message
}

TEST_F(Open_Files_Test, RelativePathsAreTakenFromTheCurrentDirectoryAndNamedInFull) {
  const QString saved_dir = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  form().Open_Files({"missing.prj", "missing.R82"});
  QDir::setCurrent(saved_dir);
  EXPECT_EQ(ui.informations(),
            QStringList({QStringLiteral("工程文件[%1]导入失败！").arg(path("missing.prj")),
                         QStringLiteral("构件文件[%1]打开失败！").arg(path("missing.R82"))}));
}

TEST_F(Open_Files_Test, RelativePathInAFolderWhoseNameIsNoUtf8IsFound) {
  const std::filesystem::path folder = qstring_to_path(dir.path()) / std::string("\xB2\xE2\xCA\xD4");  // GBK
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  Rebound_Project saved;
  saved.new_component()->component_name.assign("A");
  ASSERT_TRUE(saved.save(folder / "x.prj"));
  const std::filesystem::path saved_dir = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  form().Open_Files({"x.prj"});
  std::filesystem::current_path(saved_dir);
  EXPECT_EQ(list_column(1), QStringList({"A"}));
  EXPECT_TRUE(ui.asked.empty());  // no message
}

TEST_F(Open_Files_Test, DroppedFilesAreOpenedAsFromTheCommandLine) {
  const QString project = project_file(QStringLiteral("dropped.prj"));
  const QString device = device_file("L-1", sample_device("L-1", 2, 38));
  EXPECT_TRUE(drop({project, device}));
  EXPECT_EQ(list_column(1), QStringList({"A", "B", "L-1"}));
  // A drag that carries no local file is refused and changes nothing.
  QMimeData text;
  text.setText(QStringLiteral("A"));
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form(), &enter);
  EXPECT_FALSE(enter.isAccepted());
  EXPECT_FALSE(drop({}));
  EXPECT_EQ(list().rowCount(), 3);
}

}  // namespace
