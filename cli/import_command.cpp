// rv820-cli import OUT.prj FILE.R82... [--force]: a new project with one
// component appended per instrument file, as the main window's import does,
// written to OUT.prj (an existing one only with --force).
#include <cstdint>

#include "cli_arguments.h"
#include "cli_command.h"
#include "cli_messages.h"
#include "model/device_file.h"
#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "model/s_file.h"
#include "project_files.h"

namespace {

Cli_Status run_import(const std::vector<std::string>& args) {
  Cli_Arguments arguments;
  if (!parse_arguments(args, {FORCE_OPTION, 2, SIZE_MAX}, arguments)) return Cli_Status::usage;
  const std::string& out_path = arguments.positional[0];
  if (!accept_output_path(out_path)) return Cli_Status::usage;

  Cli_Messages messages;
  if (!may_replace_output(out_path, arguments.has("--force"), messages)) return messages.status();
  Rebound_Project project;
  for (size_t i = 1; i < arguments.positional.size(); ++i) {
    const std::string& path = arguments.positional[i];
    // An instrument file holds at most one record: nothing past it is read.
    std::string bytes;
    if (!read_file(path, bytes, DEVICE_FILE_MAX_BYTES)) {
      messages.report(with_path(DEVICE_FILE_OPEN_FAILED_MSG, path));
      continue;
    }
    R_Component* component = project.new_component();
    if (!component) {
      messages.report(NEW_COMPONENT_FAILED_MSG);
      break;
    }
    S_Byte_Reader in(bytes);
    if (!import_device_file(*component, in)) messages.report(with_path(DEVICE_FILE_IMPORT_FAILED_MSG, path));
  }
  // A project without components holds nothing worth writing, and writing it
  // would replace whatever OUT.prj held.
  if (project.component_count() == 0) {
    messages.report(NOTHING_TO_SAVE_MSG);
  } else {
    save_project(project, out_path, messages);
  }
  return messages.status();
}

}  // namespace

const Cli_Command IMPORT_COMMAND = {"import", "OUT.prj FILE.R82... [--force]",
                                    "a new project, one component per instrument file; writes OUT.prj;\n"
                                    "an existing OUT.prj is replaced only with --force",
                                    run_import};
