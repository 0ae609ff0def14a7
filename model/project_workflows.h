// The workflows on files that the window and the command line share:
// importing instrument files into a project, opening and saving a project.
// Each returns why it failed as the message that tells the user; none shows
// anything itself.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class Rebound_Project;

// Why a step failed: the message of the message table, and its text with the
// placeholder filled in (the path as the user gave it).
struct S_Failure {
  const char* message;
  std::string text;
  friend bool operator==(const S_Failure&, const S_Failure&) = default;
};

// A path as the messages show it (UTF-8).
std::string path_text(const std::filesystem::path& path);

// Appends one component per instrument file, in order, and fills it from the
// file. A file that cannot be read is skipped; a file that does not import
// keeps the component as far as it was read; when the project takes no
// further component the import stops. Gives the failures in their order.
std::vector<S_Failure> import_device_files(Rebound_Project& project,
                                           const std::vector<std::filesystem::path>& files);

// Loads the project file into the project. What a failed read stored stays.
std::optional<S_Failure> open_project(Rebound_Project& project, const std::filesystem::path& file);

// A project without components holds nothing worth saving.
std::optional<S_Failure> check_something_to_save(const Rebound_Project& project);

// Saves the project with the safe replacing write: on failure an existing
// file is left as it was.
std::optional<S_Failure> save_project(const Rebound_Project& project, const std::filesystem::path& file);

// True when the path names a project file: the extension of its file name
// (from the last ".", dot included) is exactly ".prj", letter case included.
bool is_project_file_name(const std::filesystem::path& path);

// The file the window saves a project to: the chosen path, with ".prj"
// appended unless it names a project file.
std::filesystem::path project_file_path(const std::filesystem::path& chosen);
