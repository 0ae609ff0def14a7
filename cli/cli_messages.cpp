#include "cli_messages.h"

#include "cli_output.h"

std::string for_component(uint32_t number, std::string_view message) {
  return "构件[" + std::to_string(number) + "]：" + std::string(message);
}

void Cli_Messages::report(std::string_view message) {
  write_error_line(message);
  reported_ = true;
}

bool Cli_Messages::report(const std::optional<S_Failure>& failure) {
  if (failure) report(failure->text);
  return failure.has_value();
}

void Cli_Messages::note(std::string_view line) { write_error_line(line); }
