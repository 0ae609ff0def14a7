// Files that reach the main window from outside its dialogs: the paths given
// on the command line (a file manager's double-click) and files dropped onto
// the window. A project file is opened, instrument files are imported.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "main_form_unit.h"

namespace {

bool is_project_file(const QString& path) {
  return path.endsWith(QStringLiteral(".prj"), Qt::CaseInsensitive);
}

// The local files among the dropped items.
QStringList dropped_files(const QMimeData* data) {
  QStringList paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  return paths;
}

}  // namespace

void TMain_Form::Open_Files(const QStringList& paths) {
  QStringList device_files;
  for (const QString& given : paths) {
    const QString path = QFileInfo(given).absoluteFilePath();
    if (is_project_file(path)) {
      Open_Project_File(path);
    } else {
      device_files << path;
    }
  }
  if (!device_files.isEmpty()) Import_Device_Files(device_files);
}

void TMain_Form::dragEnterEvent(QDragEnterEvent* event) {
  if (!dropped_files(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TMain_Form::dropEvent(QDropEvent* event) {
  const QStringList paths = dropped_files(event->mimeData());
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  Open_Files(paths);
}
