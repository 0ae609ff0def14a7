// S_File_Dialog: the open and save dialog of the program, Qt's own file
// dialog set up in the program's language. The files' dates and sizes are
// written the Chinese way, a file that one of the filter's patterns names is
// of that filter's type ("工程文件", "构件文件"), and the dialog and its
// columns are wide enough for what they hold.
#pragma once

#include <QFileDialog>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <utility>
#include <vector>

// The model behind the dialog's views: the file system model, with the type,
// size and date columns in the program's terms.
class S_File_Types_Model : public QIdentityProxyModel {
  Q_OBJECT

 public:
  // qt_filter: QFileDialog's form, "工程文件(*.prj);;所有文件(*)".
  S_File_Types_Model(const QString& qt_filter, QObject* parent);

  QVariant data(const QModelIndex& index, int role) const override;

  // The type shown for a file or folder of that name: the description of
  // the first filter whose pattern names it, else "<EXT> 文件" or "文件".
  QString type_name(const QString& file_name, bool folder) const;
  // The filter's descriptions, "所有文件" among them.
  const QStringList& descriptions() const { return descriptions_; }

 private:
  std::vector<std::pair<QRegularExpression, QString>> types_;
  QStringList descriptions_;
  QLocale locale_;
};

class S_File_Dialog : public QFileDialog {
  Q_OBJECT

 public:
  // filter: "description|pattern|..." pairs, "工程文件(*.prj)|*.prj|所有文件(*.*)|*.*".
  S_File_Dialog(QWidget* parent, const QString& filter);
};
