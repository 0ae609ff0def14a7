// The program's file dialog: the filter's types named, Chinese dates and
// sizes, columns wide enough for what they show.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "ui/main_form_unit.h"
#include "ui/qt_ui_services.h"
#include "ui/s_file_dialog.h"

TEST(S_File_Dialog, NamesTheTypesOfTheFilter) {
  const S_File_Types_Model project(qt_file_filter(TMain_Form::PROJECT_FILE_FILTER), nullptr);
  const S_File_Types_Model device(qt_file_filter(TMain_Form::DEVICE_FILE_FILTER), nullptr);
  const struct {
    const S_File_Types_Model& model;
    const char* name;
    bool folder;
    const char* type;
  } cases[] = {
      {project, "大桥.prj", false, "工程文件"},  {project, "a.PRJ", false, "工程文件"},
      {project, "a.prj.bak", false, "BAK 文件"}, {project, "KZ-1.R82", false, "R82 文件"},
      {device, "KZ-1.R82", false, "构件文件"},   {device, "kz-2.r82", false, "构件文件"},
      {device, "说明.txt", false, "TXT 文件"},   {device, "README", false, "文件"},
      {device, ".hidden", false, "文件"},        {device, "数据.R82", true, "文件夹"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.model.type_name(QString::fromUtf8(c.name), c.folder), QString::fromUtf8(c.type)) << c.name;
  }
  EXPECT_EQ(device.descriptions(), QStringList({"构件文件", "所有文件"}));
}

TEST(S_File_Dialog, ShowsChineseDatesInColumnsWideEnough) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QStringList names = {"KZ-1.R82", "梁-12 第二跨.R82", "说明.txt"};
  const QDateTime modified(QDate(2024, 3, 9), QTime(8, 5));
  for (const QString& name : names) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(180, '\0'));
    file.flush();
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
  }
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("子目录")));

  S_File_Dialog dialog(nullptr, TMain_Form::DEVICE_FILE_FILTER);
  dialog.setDirectory(dir.path());
  dialog.show();
  EXPECT_GE(dialog.width(), 760);
  EXPECT_GE(dialog.height(), 480);
  auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  ASSERT_NE(view, nullptr);
  const QAbstractItemModel& model = *view->model();
  const QModelIndex root = view->rootIndex();
  // The folder and the two instrument files; the text file is filtered out.
  for (int wait = 0; wait < 100 && model.rowCount(root) < 3; ++wait) QTest::qWait(20);
  ASSERT_EQ(model.rowCount(root), 3);

  const QFontMetrics metrics(view->font());
  for (int row = 0; row < model.rowCount(root); ++row) {
    const QString name = model.index(row, 0, root).data().toString();
    SCOPED_TRACE(name.toStdString());
    const bool folder = name == QStringLiteral("子目录");
    EXPECT_EQ(model.index(row, 2, root).data().toString(),
              folder ? QStringLiteral("文件夹") : QStringLiteral("构件文件"));
    if (!folder) {
      EXPECT_EQ(model.index(row, 3, root).data().toString(), QStringLiteral("2024-03-09 08:05"));
      EXPECT_EQ(model.index(row, 1, root).data().toString(), QStringLiteral("180 字节"));
    }
    for (int col = 0; col < 4; ++col) {
      const QString text = model.index(row, col, root).data().toString();
      EXPECT_LE(metrics.horizontalAdvance(text), view->header()->sectionSize(col)) << col;
    }
  }
}
