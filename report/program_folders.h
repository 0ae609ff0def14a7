// Where the program finds its settings and templates. A start directory that
// holds a Setting or a Report folder is used as it stands (a copied or
// unpacked program folder). Started anywhere else, as an installed program is
// from the menu, the settings are the user's own and the templates are looked
// up in the user's data folder first, then in the installed ones.
#pragma once

#include <filesystem>

class Rebound_Tester_Config;

struct Installed_Folders {
  std::filesystem::path user_settings;  // holds the user's Config.ini
  std::filesystem::path user_reports;   // the user's Report folder (测区, 构件)
  std::filesystem::path shared;         // the installed data: Config.ini, Report
};

// The folders that the platform names for the program on this machine and
// the installed data folder of this build.
Installed_Folders installed_folders();

// True when the directory holds a Setting or a Report folder.
bool is_start_dir(const std::filesystem::path& dir);

// Hands the folders to the settings: the current directory when it is a
// start directory, the installed folders otherwise. A user's first start
// begins with a copy of the installed Config.ini, which names the installed
// templates.
void Use_Program_Folders(Rebound_Tester_Config& config, const std::filesystem::path& current_dir,
                         const Installed_Folders& installed = installed_folders());
