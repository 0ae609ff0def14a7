#include "program_folders.h"

#include <QStandardPaths>
#include <system_error>

#include "report/rebound_tester_config.h"
#include "report/s_qt_text.h"

Installed_Folders installed_folders() {
  const std::filesystem::path config =
      qstring_to_path(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
  const std::filesystem::path data =
      qstring_to_path(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
  return {config / "rv820", data / "rv820" / "Report", std::filesystem::path(RV820_DATA_DIR)};
}

bool is_start_dir(const std::filesystem::path& dir) {
  std::error_code ec;
  return std::filesystem::is_directory(dir / "Setting", ec) ||
         std::filesystem::is_directory(dir / "Report", ec);
}

void Use_Program_Folders(Rebound_Tester_Config& config, const std::filesystem::path& current_dir,
                         const Installed_Folders& installed) {
  if (is_start_dir(current_dir)) {
    config.Set_Start_Dir(current_dir);
    return;
  }
  config.Set_Folders(installed.user_settings, {installed.user_reports, installed.shared / "Report"});
  std::error_code ec;
  if (!std::filesystem::exists(config.config_file, ec))
    std::filesystem::copy_file(installed.shared / "Config.ini", config.config_file, ec);
}
