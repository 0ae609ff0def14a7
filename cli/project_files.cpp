#include "project_files.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "cli_output.h"
#include "model/rebound_project.h"

namespace {

constexpr std::string_view PROJECT_EXTENSION = ".prj";

}  // namespace

bool has_extension(std::string_view path, std::string_view extension) {
  if (path.size() <= extension.size()) return false;
  return std::equal(extension.begin(), extension.end(),
                    path.end() - static_cast<std::ptrdiff_t>(extension.size()), [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

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
  if (has_extension(path, PROJECT_EXTENSION)) return true;
  write_error_line("rv820-cli: the project to write must be a .prj file: " + path);
  return false;
}
