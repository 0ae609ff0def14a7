// Project files as the commands read and write them: each failure is
// reported with the main window's message and the path.
#pragma once

#include <string>

#include "cli_arguments.h"
#include "cli_messages.h"

class Rebound_Project;

// Loads the file into the project; reports "工程文件[%s]导入失败！" on failure.
bool load_project(const std::string& path, Rebound_Project& project, Cli_Messages& messages);

// Saves the project with the safe replacing write; reports
// "工程文件[%s]导出失败！" on failure, when an existing file is left as it was.
bool save_project(const Rebound_Project& project, const std::string& path, Cli_Messages& messages);

// True when the path names a project file (it ends in ".prj", in any letter
// case). The commands write nothing else, so that an argument left out on the
// command line cannot make an instrument file the output and replace it.
// Writes the usage error when false.
bool accept_output_path(const std::string& path);

// The option of import and calc that lets them replace an existing OUT.prj.
inline constexpr Cli_Option FORCE_OPTION[] = {{"--force", false}};

// True when the command may write OUT.prj: no file of that name exists yet,
// or force was given. Otherwise reports that it exists (the window would ask
// before replacing it) and returns false.
bool may_replace_output(const std::string& path, bool force, Cli_Messages& messages);
