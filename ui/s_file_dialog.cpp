#include "s_file_dialog.h"

#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeView>
#include <algorithm>

#include "qt_ui_services.h"

namespace {

constexpr int DIALOG_WIDTH = 820;
constexpr int DIALOG_HEIGHT = 520;

enum Column { NAME = 0, SIZE = 1, TYPE = 2, DATE = 3 };

}  // namespace

S_File_Types_Model::S_File_Types_Model(const QString& qt_filter, QObject* parent)
    : QIdentityProxyModel(parent), locale_(QLocale::Chinese, QLocale::China) {
  for (const QString& entry : qt_filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts)) {
    const qsizetype open = entry.lastIndexOf(u'(');
    if (open < 0 || !entry.endsWith(u')')) continue;
    const QString description = entry.left(open).trimmed();
    descriptions_ << description;
    for (const QString& pattern : entry.mid(open + 1).chopped(1).split(u' ', Qt::SkipEmptyParts)) {
      // "All files" names no type of its own.
      if (pattern == QStringLiteral("*")) continue;
      types_.emplace_back(QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                                             QRegularExpression::CaseInsensitiveOption),
                          description);
    }
  }
}

QString S_File_Types_Model::type_name(const QString& file_name, bool folder) const {
  if (folder) return QStringLiteral("文件夹");
  for (const auto& [pattern, description] : types_) {
    if (pattern.match(file_name).hasMatch()) return description;
  }
  const qsizetype dot = file_name.lastIndexOf(u'.');
  if (dot <= 0 || dot + 1 == file_name.size()) return QStringLiteral("文件");
  return file_name.mid(dot + 1).toUpper() + QStringLiteral(" 文件");
}

QVariant S_File_Types_Model::data(const QModelIndex& index, int role) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (role != Qt::DisplayRole || !files || !index.isValid()) return QIdentityProxyModel::data(index, role);
  const QModelIndex source = mapToSource(index);
  switch (index.column()) {
    case SIZE:
      return files->isDir(source) ? QString() : locale_.formattedDataSize(files->size(source));
    case TYPE:
      return type_name(files->fileName(source.siblingAtColumn(NAME)), files->isDir(source));
    case DATE:
      return locale_.toString(files->lastModified(source), QStringLiteral("yyyy-MM-dd HH:mm"));
    default:
      return QIdentityProxyModel::data(index, role);
  }
}

S_File_Dialog::S_File_Dialog(QWidget* parent, const QString& filter) : QFileDialog(parent) {
  // Qt's own dialog, so that it looks and reads the same on every desktop.
  setOption(QFileDialog::DontUseNativeDialog);
  setLocale(QLocale(QLocale::Chinese, QLocale::China));
  setViewMode(QFileDialog::Detail);
  const QString qt_filter = qt_file_filter(filter);
  setNameFilter(qt_filter);
  auto* types = new S_File_Types_Model(qt_filter, this);
  setProxyModel(types);
  resize(DIALOG_WIDTH, DIALOG_HEIGHT);

  if (auto* view = findChild<QTreeView*>(QStringLiteral("treeView"))) {
    const QFontMetrics metrics(view->font());
    const int padding = 4 * metrics.averageCharWidth();
    int type_width = metrics.horizontalAdvance(types->type_name(QString(), true));
    for (const QString& description : types->descriptions()) {
      type_width = std::max(type_width, metrics.horizontalAdvance(description));
    }
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(NAME, QHeaderView::Stretch);
    header->resizeSection(SIZE, metrics.horizontalAdvance(QStringLiteral("1023.9 KB")) + padding);
    header->resizeSection(TYPE, type_width + padding);
    header->resizeSection(DATE, metrics.horizontalAdvance(QStringLiteral("2000-00-00 00:00")) + padding);
  }
}
