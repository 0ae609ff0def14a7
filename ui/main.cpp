// rv820: the desktop program. Start-up order: the start directory (the
// current directory, or the installed program's folders where it holds no
// Setting or Report folder) goes to the settings, the application object is made,
// the windows are created in their order, and the message loop runs until
// the main window closes. An exception that escapes start-up or the loop is
// shown like one from a handler; the program then ends with exit code 0.
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <filesystem>
#include <system_error>
#include <vector>

#include "program_windows.h"
#include "qt_ui_services.h"
#include "report/program_folders.h"
#include "report/rebound_tester_config.h"
#include "s_application.h"
#include "s_skin.h"

namespace {

// The files named on the command line, byte for byte as the system gave
// them (Qt's arguments() would turn bytes that are no UTF-8 into U+FFFD).
// Qt's own options are gone from argv once the application object has read
// them.
std::vector<std::filesystem::path> command_line_files(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) files.emplace_back(argv[i]);
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  Qt_UI_Services services;
  // The current directory as the system gives it, byte for byte, so that a
  // folder whose name is not UTF-8 still finds its Setting and Report.
  std::error_code ec;
  Use_Program_Folders(Tester_Config(), std::filesystem::current_path(ec));

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
        // Files named on the command line (a file manager's double-click)
        // are opened once the window is up, so that their messages have it
        // as their owner.
        const std::vector<std::filesystem::path> files = command_line_files(argc, argv);
        if (!files.empty())
          QTimer::singleShot(0, windows.main_form.get(), [&] { windows.main_form->Open_Files(files); });
        app.exec();
        return true;
      },
      services);
  return 0;
}
