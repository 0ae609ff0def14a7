// rv820-cli calc IN.prj [OUT.prj] [--force]: calculates every component
// ("计算构件") and writes OUT.prj (an existing one only with --force), or
// replaces IN.prj safely.
#include <cstdint>

#include "cli_arguments.h"
#include "cli_command.h"
#include "cli_console.h"
#include "cli_messages.h"
#include "evaluation/caculate2.h"
#include "model/project_workflows.h"
#include "model/rebound_project.h"

namespace {

Cli_Status run_calc(const std::vector<std::string>& args) {
  Cli_Arguments arguments;
  if (!parse_arguments(args, {FORCE_OPTION, 1, 2}, arguments)) return Cli_Status::usage;
  const std::string& in_path = arguments.positional[0];
  const bool separate_output = arguments.positional.size() == 2;
  const std::string& out_path = separate_output ? arguments.positional[1] : in_path;
  // In place, IN.prj is the file written, and must be a project file too.
  if (!accept_output_path(out_path)) return Cli_Status::usage;

  Cli_Messages messages;
  if (separate_output && !may_replace_output(out_path, arguments.has("--force"), messages))
    return messages.status();
  Rebound_Project project;
  if (messages.report(open_project(project, argument_path(in_path)))) return messages.status();
  for (uint32_t i = 0; i < project.component_count(); ++i) {
    if (const char* message = calculate_component(*project.component(static_cast<int32_t>(i)))) {
      messages.report(for_component(i + 1, message));
    }
  }
  messages.report(save_project(project, argument_path(out_path)));
  return messages.status();
}

}  // namespace

const Cli_Command CALC_COMMAND = {"calc", "IN.prj [OUT.prj] [--force]",
                                  "calculates every component; writes OUT.prj, or replaces IN.prj safely;\n"
                                  "an existing OUT.prj is replaced only with --force",
                                  run_calc};
