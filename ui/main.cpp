// rv820: the desktop program. Start-up order: the start directory (the
// current directory) goes to the settings, the application object is made,
// the windows are created in their order, and the message loop runs until
// the main window closes. An exception that escapes start-up or the loop is
// shown like one from a handler; the program then ends with exit code 0.
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "model/gbk_codec.h"
#include "program_windows.h"
#include "qt_ui_services.h"
#include "report/rebound_tester_config.h"
#include "s_application.h"
#include "s_skin.h"

int main(int argc, char** argv) {
  Qt_UI_Services services;
  const QByteArray start_dir = QDir::currentPath().toUtf8();
  Tester_Config().Set_Start_Dir(utf8_to_gbk(std::string_view(start_dir.constData(), start_dir.size())));

  S_Application app(argc, argv, services);
  // The application title is the caption of the information boxes
  // (APPLICATION_TITLE); it is not set as Qt's display name, which the
  // platform would append to every window's caption.
  app.setApplicationName(QStringLiteral("rv820"));
  apply_skin(app);
  // Qt's own dialogs (the file dialogs) speak Chinese where the machine has
  // Qt's translations; without them they keep Qt's English texts.
  QTranslator qt_texts;
  if (qt_texts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(&qt_texts);
  }

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
