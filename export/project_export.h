// The export workflow that the window's export menu and rv820-cli export
// share: a project's figures written as a workbook or as a CSV file of one
// table, with the message that tells the user why it did not happen.
#pragma once

#include <filesystem>
#include <optional>

#include "model/project_workflows.h"

class Rebound_Project;

enum class Export_Kind {
  workbook,       // .xlsx, the sheets "构件" and "测区"
  component_csv,  // .csv, the "构件" table
  area_csv,       // .csv, the "测区" table
};

// A project without components has no figures to export.
std::optional<S_Failure> check_something_to_export(const Rebound_Project& project);

// Writes the file through the safe replacing write: on failure an existing
// file is left as it was.
std::optional<S_Failure> export_project(const Rebound_Project& project, Export_Kind kind,
                                        const std::filesystem::path& file);
