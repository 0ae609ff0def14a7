// Files that reach the main window from outside its dialogs: the paths given
// on the command line (a file manager's double-click) and files dropped onto
// the window. A project file is opened, instrument files are imported.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <system_error>

#include "main_form_unit.h"
#include "report/s_qt_text.h"

namespace {

bool is_project_file(const std::filesystem::path& path) {
  return path_to_qstring(path.extension()).compare(QStringLiteral(".prj"), Qt::CaseInsensitive) == 0;
}

// The local files among the dropped items.
std::vector<std::filesystem::path> dropped_files(const QMimeData* data) {
  std::vector<std::filesystem::path> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.push_back(qstring_to_path(url.toLocalFile()));
  }
  return paths;
}

}  // namespace

void TMain_Form::Open_Files(const std::vector<std::filesystem::path>& paths) {
  std::vector<std::filesystem::path> device_files;
  for (const std::filesystem::path& given : paths) {
    // Against the current directory byte for byte, so that a folder whose
    // name is no UTF-8 is found.
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(given, ec).lexically_normal();
    if (ec) path = given;
    if (is_project_file(path)) {
      Open_Project_File(path);
    } else {
      device_files.push_back(path);
    }
  }
  if (!device_files.empty()) Import_Device_Files(device_files);
}

void TMain_Form::dragEnterEvent(QDragEnterEvent* event) {
  if (!dropped_files(event->mimeData()).empty()) event->acceptProposedAction();
}

void TMain_Form::dropEvent(QDropEvent* event) {
  const std::vector<std::filesystem::path> paths = dropped_files(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  Open_Files(paths);
}
