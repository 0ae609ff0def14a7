#include "cli_messages.h"

#include "cli_output.h"

const char* const DEVICE_FILE_OPEN_FAILED_MSG = "构件文件[%s]打开失败！";
const char* const NEW_COMPONENT_FAILED_MSG = "构件新建失败！";
const char* const DEVICE_FILE_IMPORT_FAILED_MSG = "构件文件[%s]导入失败！";
const char* const PROJECT_LOAD_FAILED_MSG = "工程文件[%s]导入失败！";
const char* const PROJECT_SAVE_FAILED_MSG = "工程文件[%s]导出失败！";
const char* const NOTHING_TO_SAVE_MSG = "没有要保存的数据！";

std::string with_path(const char* message, std::string_view path) {
  std::string text = message;
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, path);
  return text;
}

std::string for_component(uint32_t number, std::string_view message) {
  return "构件[" + std::to_string(number) + "]：" + std::string(message);
}

void Cli_Messages::report(std::string_view message) {
  write_error_line(message);
  reported_ = true;
}

void Cli_Messages::note(std::string_view line) { write_error_line(line); }
