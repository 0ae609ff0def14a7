// rv820-cli export IN.prj OUT.xlsx | OUT.csv [--areas]: the project's figures
// as the window's export menu writes them: a workbook with the sheets "构件"
// and "测区", or a CSV file of the "构件" table (of the "测区" table with
// --areas).
#include "cli_arguments.h"
#include "cli_command.h"
#include "cli_messages.h"
#include "cli_output.h"
#include "export/csv_export.h"
#include "export/export_messages.h"
#include "export/workbook_export.h"
#include "model/rebound_project.h"
#include "project_files.h"

namespace {

const Cli_Option EXPORT_OPTIONS[] = {{"--areas", false}};

Cli_Status run_export(const std::vector<std::string>& args) {
  Cli_Arguments arguments;
  if (!parse_arguments(args, {EXPORT_OPTIONS, 2, 2}, arguments)) return Cli_Status::usage;
  const std::string& out_path = arguments.positional[1];
  // Only a workbook or a CSV file is written, so that a slip on the command
  // line cannot replace the project or an instrument file.
  const bool workbook = has_extension(out_path, ".xlsx");
  if (!workbook && !has_extension(out_path, ".csv")) {
    write_error_line("rv820-cli: the output of export is a .xlsx or a .csv file, not " + out_path);
    return Cli_Status::usage;
  }
  if (workbook && arguments.has("--areas")) {
    write_error_line("rv820-cli: --areas chooses the table of a .csv file; a workbook holds both");
    return Cli_Status::usage;
  }

  Cli_Messages messages;
  Rebound_Project project;
  if (!load_project(arguments.positional[0], project, messages)) return messages.status();
  if (project.component_count() == 0) {
    messages.report(NOTHING_TO_EXPORT_MSG);
    return messages.status();
  }
  const bool written =
      workbook
          ? export_workbook(project, out_path)
          : export_csv(arguments.has("--areas") ? area_table(project) : component_table(project), out_path);
  if (!written) messages.report(with_path(EXPORT_FAILED_MSG, out_path));
  return messages.status();
}

}  // namespace

const Cli_Command EXPORT_COMMAND = {"export", "IN.prj OUT.xlsx|OUT.csv [--areas]",
                                    "the figures as the window exports them: a workbook with the sheets\n"
                                    "构件 and 测区, or the 构件 table as CSV (the 测区 table with --areas)",
                                    run_export};
