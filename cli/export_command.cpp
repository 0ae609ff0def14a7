// rv820-cli export IN.prj OUT.xlsx | OUT.csv [--areas]: the project's figures
// as the window's export menu writes them: a workbook with the sheets "构件"
// and "测区", or a CSV file of the "构件" table (of the "测区" table with
// --areas).
#include <algorithm>
#include <cctype>
#include <string_view>

#include "cli_arguments.h"
#include "cli_command.h"
#include "cli_messages.h"
#include "cli_output.h"
#include "export/project_export.h"
#include "model/project_workflows.h"
#include "model/rebound_project.h"

namespace {

const Cli_Option EXPORT_OPTIONS[] = {{"--areas", false}};

// True when the path ends in the extension, in any letter case, after a name.
bool ends_in(std::string_view path, std::string_view extension) {
  return path.size() > extension.size() &&
         std::equal(extension.begin(), extension.end(),
                    path.end() - static_cast<std::ptrdiff_t>(extension.size()), [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

Cli_Status run_export(const std::vector<std::string>& args) {
  Cli_Arguments arguments;
  if (!parse_arguments(args, {EXPORT_OPTIONS, 2, 2}, arguments)) return Cli_Status::usage;
  const std::string& out_path = arguments.positional[1];
  // Only a workbook or a CSV file is written, so that a slip on the command
  // line cannot replace the project or an instrument file.
  const bool workbook = ends_in(out_path, ".xlsx");
  if (!workbook && !ends_in(out_path, ".csv")) {
    write_error_line("rv820-cli: the output of export is a .xlsx or a .csv file, not " + out_path);
    return Cli_Status::usage;
  }
  const bool areas = arguments.has("--areas");
  if (workbook && areas) {
    write_error_line("rv820-cli: --areas chooses the table of a .csv file; a workbook holds both");
    return Cli_Status::usage;
  }

  Cli_Messages messages;
  Rebound_Project project;
  if (messages.report(open_project(project, arguments.positional[0])) ||
      messages.report(check_something_to_export(project)))
    return messages.status();
  const Export_Kind kind = workbook ? Export_Kind::workbook
                           : areas  ? Export_Kind::area_csv
                                    : Export_Kind::component_csv;
  messages.report(export_project(project, kind, out_path));
  return messages.status();
}

}  // namespace

const Cli_Command EXPORT_COMMAND = {"export", "IN.prj OUT.xlsx|OUT.csv [--areas]",
                                    "the figures as the window exports them: a workbook with the sheets\n"
                                    "构件 and 测区, or the 构件 table as CSV (the 测区 table with --areas)",
                                    run_export};
