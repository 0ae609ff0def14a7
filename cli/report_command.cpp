// rv820-cli report IN.prj --pdf OUT.pdf [--kind component|area] [--template FILE]:
// the report that Print would print, written into one PDF file. The kind and
// the template default to the settings that the window finds from the current
// directory, as it uses them once it is shown; a test-area report of several ticked
// components puts each component's report on new pages with its own page
// numbers.
#include <QGuiApplication>
#include <filesystem>

#include "cli_arguments.h"
#include "cli_command.h"
#include "cli_console.h"
#include "cli_messages.h"
#include "cli_output.h"
#include "model/project_workflows.h"
#include "model/rebound_project.h"
#include "model/s_messages.h"
#include "report/program_folders.h"
#include "report/qt_report_engine.h"
#include "report/rebound_tester_config.h"
#include "report/report_pdf_file.h"
#include "report/report_printing.h"
#include "report/report_templates.h"
#include "report/s_qt_text.h"

namespace {

const Cli_Option REPORT_OPTIONS[] = {{"--pdf", true}, {"--kind", true}, {"--template", true}};

// True when the path ends in ".pdf", in any letter case.
bool is_pdf_path(const std::string& path) {
  const QString extension = path_to_qstring(argument_path(path).extension());
  return extension.compare(QStringLiteral(".pdf"), Qt::CaseInsensitive) == 0;
}

// The kind named by --kind, or the one the settings choose.
Report_Kind chosen_kind(const Cli_Arguments& arguments) {
  const auto option = arguments.options.find("--kind");
  if (option == arguments.options.end()) return report_kind_of(Tester_Config().Get_Default_Print_Template());
  return option->second == "area" ? Report_Kind::Area : Report_Kind::Component;
}

// The file named by --template (named in messages as it was given), or the
// one the settings choose. As when the window is shown, a stored name that is
// not among the folder's files gives way to the first file listed there.
Report_Template_File chosen_template(const Cli_Arguments& arguments, Report_Kind kind) {
  const auto option = arguments.options.find("--template");
  if (option != arguments.options.end())
    return {argument_path(option->second), utf8_to_qstring(option->second)};
  Rebound_Tester_Config& config = Tester_Config();
  const Template_Choice choice = choose_template(config, kind);
  if (choice.chosen >= 0) {
    (kind == Report_Kind::Area ? config.area_template : config.component_template) =
        to_s_string(choice.files[choice.chosen]);
  }
  return configured_template(config, kind);
}

Cli_Status run_report(const std::vector<std::string>& args) {
  Cli_Arguments arguments;
  if (!parse_arguments(args, {REPORT_OPTIONS, 1, 1}, arguments)) return Cli_Status::usage;
  const auto pdf_option = arguments.options.find("--pdf");
  if (pdf_option == arguments.options.end()) {
    write_error_line("rv820-cli: report needs --pdf OUT.pdf");
    return Cli_Status::usage;
  }
  // Only a .pdf file is written, so that a slip on the command line cannot
  // replace the project or an instrument file.
  const std::string& pdf_path = pdf_option->second;
  if (!is_pdf_path(pdf_path)) {
    write_error_line("rv820-cli: the output of report is a .pdf file, not " + pdf_path);
    return Cli_Status::usage;
  }
  const auto kind_option = arguments.options.find("--kind");
  if (kind_option != arguments.options.end() && kind_option->second != "component" &&
      kind_option->second != "area") {
    write_error_line("rv820-cli: --kind is component or area, not " + kind_option->second);
    return Cli_Status::usage;
  }

  // The settings and templates that the window would find from here.
  std::error_code ec;
  Use_Program_Folders(Tester_Config(), std::filesystem::current_path(ec));
  Tester_Config().Load();
  if (Tester_Config().Config_Unusable())
    write_error_line(message_text(CONFIG_UNUSABLE_MSG, path_text(Tester_Config().config_file)));
  const Report_Kind kind = chosen_kind(arguments);
  const Report_Template_File report_template = chosen_template(arguments, kind);

  Cli_Messages messages;
  Rebound_Project project;
  if (messages.report(open_project(project, argument_path(arguments.positional[0]))))
    return messages.status();

  // Laying out text needs the fonts of a Gui application; no display is used.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "rv820-cli";
  char* argv[] = {name, nullptr};
  // Qt's notes about the environment (no runtime folder, no display) are no
  // messages of this program; its own go to standard error.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) write_error_line(qstring_to_utf8(text));
  });
  QGuiApplication application(argc, argv);

  Qt_Report_Engine engine;
  tagGrid_Report_Field fields;
  Report_Data data;
  engine.set_fetch_record([&data](bool& end) { data.Grid_ReportFetchRecord(end); });
  // The reports go to the file as they are painted; the file replaces one
  // already there only when the whole command succeeded.
  bool printed = false;
  const bool written = Report_Pdf_File::write(argument_path(pdf_path), [&](Report_Pdf_File& pdf) {
    Report_Print_Job job{project,
                         engine,
                         fields,
                         data,
                         [] {},  // the project information is the file's
                         [&messages](const QString& text) { messages.report(qstring_to_utf8(text)); },
                         [&] {
                           engine.fetch_records();
                           if (pdf.add(engine)) return true;
                           messages.report("rv820-cli: the report could not be laid out");
                           return false;
                         },
                         [&messages](const QString& text) { messages.note(qstring_to_utf8(text)); }};
    printed = Run_Print_Command(job, kind, report_template);
    return printed;
  });
  if (printed && !written) messages.report("rv820-cli: the PDF file " + pdf_path + " could not be written");
  return messages.status();
}

}  // namespace

const Cli_Command REPORT_COMMAND = {"report", "IN.prj --pdf OUT.pdf [--kind K] [--template FILE]",
                                    "the report that Print prints, as one PDF file (K: component or area);\n"
                                    "the kind and the template default to the settings that rv820 uses when\n"
                                    "started here: those of the current directory when it holds Setting or\n"
                                    "Report, the user's own and the installed templates otherwise",
                                    run_report};
