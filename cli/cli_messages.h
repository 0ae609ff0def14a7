// The sink of the messages that the commands report on standard error (the
// texts of the message table, filled in): it writes them and remembers
// whether anything was reported.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cli_command.h"
#include "model/project_workflows.h"

// A message about one component, named by its number in the project (from 1,
// as the component list numbers its rows): "构件[2]：无测区数据".
std::string for_component(uint32_t number, std::string_view message);

class Cli_Messages {
 public:
  // Writes the message to standard error; the command then exits with 1.
  void report(std::string_view message);
  // Reports the failure of a workflow, if there is one; true when there was.
  bool report(const std::optional<S_Failure>& failure);
  // Writes a line to standard error that is no failure (a question that was
  // answered so that the command went on).
  void note(std::string_view line);

  Cli_Status status() const { return reported_ ? Cli_Status::reported : Cli_Status::ok; }

 private:
  bool reported_ = false;
};
