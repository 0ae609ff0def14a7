// rv820: the desktop program. Start-up order: the start directory (the
// current directory) goes to the settings, the application gets its title,
// the windows are created, and the message loop runs until the main window
// closes.
#include <QDir>
#include <exception>

#include "model/gbk_codec.h"
#include "program_windows.h"
#include "qt_ui_services.h"
#include "report/rebound_tester_config.h"
#include "s_application.h"
#include "s_skin.h"
#include "ui_services.h"

int main(int argc, char** argv) {
  Qt_UI_Services services;
  const QByteArray start_dir = QDir::currentPath().toUtf8();
  Tester_Config().Set_Start_Dir(utf8_to_gbk(std::string_view(start_dir.constData(), start_dir.size())));

  S_Application app(argc, argv, services);
  app.setApplicationName(QStringLiteral("rv820"));
  app.setApplicationDisplayName(APPLICATION_TITLE);
  apply_skin(app);

  deliver_guarded(
      [&] {
        const Program_Windows windows = create_program_windows(services);
        windows.main_form->show();
        app.exec();
        return true;
      },
      services);
  return 0;
}
