// rv820-cli report in a build without Qt: there is no report engine to lay a
// report out with, which the command says instead of doing nothing.
#include "cli_command.h"
#include "cli_output.h"

namespace {

Cli_Status run_report(const std::vector<std::string>&) {
  write_error_line("rv820-cli: this build has no report engine; report is not available");
  return Cli_Status::usage;
}

}  // namespace

const Cli_Command REPORT_COMMAND = {"report", "...", "not in this build: it has no report engine",
                                    run_report};
