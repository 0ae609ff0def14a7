// rv820-cli: the command-line front end. Finds the command named by the first
// argument in the table below and runs it on the rest.
#include <algorithm>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "cli_command.h"
#include "cli_console.h"
#include "cli_output.h"
#include "model/s_text_width.h"

namespace {

// One line per command; the usage text lists them in this order.
const Cli_Command* const COMMANDS[] = {
    &IMPORT_COMMAND, &CALC_COMMAND, &SHOW_COMMAND, &BATCH_COMMAND, &REPORT_COMMAND,
#ifdef RV820_WITH_EXPORT
    &EXPORT_COMMAND,
#endif
};

std::string usage_text() {
  std::vector<std::string> synopses;
  size_t width = 0;
  for (const Cli_Command* command : COMMANDS) {
    synopses.push_back(std::string("rv820-cli ") + command->name + " " + command->arguments);
    width = std::max(width, display_width(synopses.back()));
  }
  const std::string continuation = std::string(1, '\n').append(width + 4, ' ');
  std::string text = "usage:\n";
  for (size_t i = 0; i < synopses.size(); ++i) {
    std::string summary;
    for (const char c : std::string_view(COMMANDS[i]->summary))
      summary += c == '\n' ? continuation : std::string(1, c);
    text += "  " + synopses[i] + std::string(width + 2 - display_width(synopses[i]), ' ') + summary + "\n";
  }
  text +=
      "Messages go to standard error. Exit status: 0 when nothing was reported, 1 when something was\n"
      "(the rest is still done), 2 for a usage error.\n";
  return text;
}

void write_usage_error() {
  const std::string usage = usage_text();
  write_error_line(std::string_view(usage).substr(0, usage.size() - 1));
}

const Cli_Command* find_command(std::string_view name) {
  for (const Cli_Command* command : COMMANDS) {
    if (name == command->name) return command;
  }
  return nullptr;
}

Cli_Status run(const std::vector<std::string>& args) {
  if (args.empty()) return Cli_Status::usage;
  if (args[0] == "--help" || args[0] == "-h") {
    write_output(usage_text());
    return Cli_Status::ok;
  }
  const Cli_Command* command = find_command(args[0]);
  if (!command) {
    write_error_line("rv820-cli: unknown command " + args[0]);
    return Cli_Status::usage;
  }
  try {
    return command->run(std::vector<std::string>(args.begin() + 1, args.end()));
  } catch (const std::exception& e) {
    write_error_line(std::string("rv820-cli: ") + e.what());
  } catch (...) {
    write_error_line("rv820-cli: unexpected failure");
  }
  return Cli_Status::reported;
}

}  // namespace

int main(int argc, char** argv) {
  Cli_Status status = run(command_line_arguments(argc, argv));
  if (status == Cli_Status::usage) write_usage_error();
  if (!finish_output()) {
    write_error_line("rv820-cli: the output could not be written");
    if (status == Cli_Status::ok) status = Cli_Status::reported;
  }
  return static_cast<int>(status);
}
