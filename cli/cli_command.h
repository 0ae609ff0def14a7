// The commands of rv820-cli: how each one is named, shown in the usage text
// and run. Each command's file defines its Cli_Command; main.cpp lists them.
#pragma once

#include <string>
#include <vector>

// The exit status of a command.
enum class Cli_Status {
  ok = 0,        // nothing was reported
  reported = 1,  // something was reported; the rest was still done
  usage = 2,     // the arguments were wrong; nothing was done
};

struct Cli_Command {
  const char* name;
  const char* arguments;  // as the usage text shows them
  const char* summary;    // "\n" starts another line of it
  // Runs the command on the arguments that follow its name.
  Cli_Status (*run)(const std::vector<std::string>& args);
};

extern const Cli_Command IMPORT_COMMAND;
extern const Cli_Command CALC_COMMAND;
extern const Cli_Command SHOW_COMMAND;
extern const Cli_Command BATCH_COMMAND;
extern const Cli_Command REPORT_COMMAND;
extern const Cli_Command EXPORT_COMMAND;
