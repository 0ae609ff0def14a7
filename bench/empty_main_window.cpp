// The baseline of the start-up benchmark: an empty Qt main window that, once
// shown, writes Setting/Config.ini under the current directory the way the
// program does when its main window is shown.
#include <QApplication>
#include <QMainWindow>
#include <QShowEvent>

#include "model/s_file.h"

namespace {

class Empty_Window : public QMainWindow {
 protected:
  void showEvent(QShowEvent* event) override {
    QMainWindow::showEvent(event);
    write_file_replacing("Setting/Config.ini", "[shown]\n");
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Empty_Window window;
  window.resize(992, 646);
  window.show();
  return app.exec();
}
