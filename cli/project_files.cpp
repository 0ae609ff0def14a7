#include "project_files.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "cli_output.h"
#include "model/rebound_project.h"
#include "model/s_platform.h"

namespace {

constexpr std::string_view PROJECT_EXTENSION = ".prj";

bool ends_with_ignoring_case(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  return std::equal(
      end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
      });
}

}  // namespace

bool load_project(const std::string& path, Rebound_Project& project, Cli_Messages& messages) {
  if (project.load(path)) return true;
  messages.report(with_path(PROJECT_LOAD_FAILED_MSG, path));
  return false;
}

bool save_project(const Rebound_Project& project, const std::string& path, Cli_Messages& messages) {
  if (project.save(path)) return true;
  messages.report(with_path(PROJECT_SAVE_FAILED_MSG, path));
  return false;
}

bool accept_output_path(const std::string& path) {
  if (path.size() > PROJECT_EXTENSION.size() && ends_with_ignoring_case(path, PROJECT_EXTENSION)) return true;
  write_error_line("rv820-cli: the project to write must be a .prj file: " + path);
  return false;
}

bool may_replace_output(const std::string& path, bool force, Cli_Messages& messages) {
  if (force || s_platform::entry_kind(path) == s_platform::Entry::none) return true;
  messages.report("rv820-cli: " + path + " exists; --force replaces it");
  return false;
}
