// The arguments of one command: its positional arguments and its options
// ("--json", "--pdf OUT.pdf"). "--" ends the options, so that a path that
// begins with "-" can still be given.
#pragma once

#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class Cli_Messages;

struct Cli_Option {
  std::string_view name;  // with its dashes: "--json"
  bool takes_value = false;
};

struct Cli_Syntax {
  std::span<const Cli_Option> options;
  size_t min_positional = 0;
  size_t max_positional = 0;
};

struct Cli_Arguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string, std::less<>> options;  // name -> value ("" for a flag)

  bool has(std::string_view option) const { return options.find(option) != options.end(); }
};

// Splits args by the syntax. On an unknown option, an option without its
// value or a number of positional arguments outside the syntax's range it
// writes why to standard error and returns false.
bool parse_arguments(const std::vector<std::string>& args, const Cli_Syntax& syntax, Cli_Arguments& out);

// The option of import and calc that lets them replace an existing OUT.prj.
inline constexpr Cli_Option FORCE_OPTION[] = {{"--force", false}};

// True when the command may write OUT.prj: no file of that name exists yet,
// or force was given. Otherwise reports that it exists (the window would ask
// before replacing it) and returns false.
bool may_replace_output(const std::string& path, bool force, Cli_Messages& messages);

// True when the path names a project file, by the rule of the window's save.
// The commands write nothing else, so that an argument left out on the
// command line cannot make an instrument file the output and replace it.
// Writes the usage error when false.
bool accept_output_path(const std::string& path);
