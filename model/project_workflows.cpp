#include "project_workflows.h"

#include "device_file.h"
#include "rebound_project.h"
#include "s_byte_stream.h"
#include "s_file.h"
#include "s_messages.h"

namespace {

S_Failure failure(const char* message, const std::filesystem::path& path) {
  return {message, message_text(message, path_text(path))};
}

}  // namespace

std::string path_text(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::vector<S_Failure> import_device_files(Rebound_Project& project,
                                           const std::vector<std::filesystem::path>& files) {
  std::vector<S_Failure> failures;
  for (const std::filesystem::path& file : files) {
    // An instrument file holds at most one record: nothing past it is read.
    std::string bytes;
    if (!read_file(file, bytes, DEVICE_FILE_MAX_BYTES)) {
      failures.push_back(failure(DEVICE_FILE_OPEN_FAILED_MSG, file));
      continue;
    }
    R_Component* component = project.new_component();
    if (!component) {
      failures.push_back({NEW_COMPONENT_FAILED_MSG, message_text(NEW_COMPONENT_FAILED_MSG)});
      break;
    }
    S_Byte_Reader in(bytes);
    if (!import_device_file(*component, in)) failures.push_back(failure(DEVICE_FILE_IMPORT_FAILED_MSG, file));
  }
  return failures;
}

std::optional<S_Failure> open_project(Rebound_Project& project, const std::filesystem::path& file) {
  if (project.load(file)) return std::nullopt;
  return failure(PROJECT_LOAD_FAILED_MSG, file);
}

std::optional<S_Failure> check_something_to_save(const Rebound_Project& project) {
  if (project.component_count() > 0) return std::nullopt;
  return S_Failure{NOTHING_TO_SAVE_MSG, message_text(NOTHING_TO_SAVE_MSG)};
}

std::optional<S_Failure> save_project(const Rebound_Project& project, const std::filesystem::path& file) {
  if (project.save(file)) return std::nullopt;
  return failure(PROJECT_SAVE_FAILED_MSG, file);
}

namespace {

const std::string PROJECT_EXTENSION = ".prj";

}  // namespace

bool is_project_file_name(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  const size_t dot = name.rfind('.');
  return dot != std::string::npos && name.compare(dot, std::string::npos, PROJECT_EXTENSION) == 0;
}

std::filesystem::path project_file_path(const std::filesystem::path& chosen) {
  if (is_project_file_name(chosen)) return chosen;
  std::filesystem::path with_extension = chosen;
  with_extension += PROJECT_EXTENSION;
  return with_extension;
}
