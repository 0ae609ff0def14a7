#include "cli_arguments.h"

#include "cli_output.h"
#include "cli_messages.h"
#include "model/project_workflows.h"
#include "model/s_platform.h"

namespace {

const Cli_Option* find_option(const Cli_Syntax& syntax, std::string_view name) {
  for (const Cli_Option& option : syntax.options) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

}  // namespace

bool parse_arguments(const std::vector<std::string>& args, const Cli_Syntax& syntax, Cli_Arguments& out) {
  out = Cli_Arguments();
  bool options_ended = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      out.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    const Cli_Option* option = find_option(syntax, arg);
    if (!option) {
      write_error_line("rv820-cli: unknown option " + arg);
      return false;
    }
    std::string value;
    if (option->takes_value) {
      if (i + 1 == args.size()) {
        write_error_line("rv820-cli: option " + arg + " needs a value");
        return false;
      }
      value = args[++i];
    }
    out.options[arg] = value;
  }
  if (out.positional.size() < syntax.min_positional) {
    write_error_line("rv820-cli: missing arguments");
    return false;
  }
  if (out.positional.size() > syntax.max_positional) {
    write_error_line("rv820-cli: too many arguments");
    return false;
  }
  return true;
}

bool accept_output_path(const std::string& path) {
  if (is_project_file_name(path)) return true;
  write_error_line("rv820-cli: the project to write must be a .prj file: " + path);
  return false;
}

bool may_replace_output(const std::string& path, bool force, Cli_Messages& messages) {
  if (force || s_platform::entry_kind(path) == s_platform::Entry::none) return true;
  messages.report("rv820-cli: " + path + " exists; --force replaces it");
  return false;
}
