// rv820-cli import OUT.prj FILE.R82... [--force]: a new project with one
// component appended per instrument file, as the main window's import does,
// written to OUT.prj (an existing one only with --force).
#include <cstdint>
#include <filesystem>
#include <vector>

#include "cli_arguments.h"
#include "cli_command.h"
#include "cli_console.h"
#include "cli_messages.h"
#include "model/project_workflows.h"
#include "model/rebound_project.h"

namespace {

Cli_Status run_import(const std::vector<std::string>& args) {
  Cli_Arguments arguments;
  if (!parse_arguments(args, {FORCE_OPTION, 2, SIZE_MAX}, arguments)) return Cli_Status::usage;
  const std::string& out_path = arguments.positional[0];
  if (!accept_output_path(out_path)) return Cli_Status::usage;

  Cli_Messages messages;
  if (!may_replace_output(out_path, arguments.has("--force"), messages)) return messages.status();
  Rebound_Project project;
  std::vector<std::filesystem::path> files;
  for (size_t i = 1; i < arguments.positional.size(); ++i)
    files.push_back(argument_path(arguments.positional[i]));
  for (const S_Failure& failed : import_device_files(project, files)) messages.report(failed.text);
  // A project without components holds nothing worth writing, and writing it
  // would replace whatever OUT.prj held.
  if (!messages.report(check_something_to_save(project)))
    messages.report(save_project(project, argument_path(out_path)));
  return messages.status();
}

}  // namespace

const Cli_Command IMPORT_COMMAND = {"import", "OUT.prj FILE.R82... [--force]",
                                    "a new project, one component per instrument file; writes OUT.prj;\n"
                                    "an existing OUT.prj is replaced only with --force",
                                    run_import};
