// The messages that the commands report on standard error, and the sink that
// writes them and remembers whether anything was reported.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cli_command.h"

// The main window's messages (UTF-8). %s stands for a path as it was given
// on the command line.
extern const char* const DEVICE_FILE_OPEN_FAILED_MSG;    // 构件文件[%s]打开失败！
extern const char* const NEW_COMPONENT_FAILED_MSG;       // 构件新建失败！
extern const char* const DEVICE_FILE_IMPORT_FAILED_MSG;  // 构件文件[%s]导入失败！
extern const char* const PROJECT_LOAD_FAILED_MSG;        // 工程文件[%s]导入失败！
extern const char* const PROJECT_SAVE_FAILED_MSG;        // 工程文件[%s]导出失败！
extern const char* const NOTHING_TO_SAVE_MSG;            // 没有要保存的数据！

// The message with its %s replaced by the path.
std::string with_path(const char* message, std::string_view path);

// A message about one component, named by its number in the project (from 1,
// as the component list numbers its rows): "构件[2]：无测区数据".
std::string for_component(uint32_t number, std::string_view message);

class Cli_Messages {
 public:
  // Writes the message to standard error; the command then exits with 1.
  void report(std::string_view message);
  // Writes a line to standard error that is no failure (a question that was
  // answered so that the command went on).
  void note(std::string_view line);

  Cli_Status status() const { return reported_ ? Cli_Status::reported : Cli_Status::ok; }

 private:
  bool reported_ = false;
};
