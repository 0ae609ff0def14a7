// The texts of the program's messages, each defined once. They are UTF-8
// with printf-style placeholders: %s stands for a full path or a template
// name, %d for a number. The window shows them in its boxes and the command
// line writes them to standard error; both fill them in with message_text.
// Each is an array, so that it has one address in the whole program and a
// failure can be told by the message it names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Projects and instrument files.
inline constexpr char PROJECT_LOAD_FAILED_MSG[] = "工程文件[%s]导入失败！";
inline constexpr char PROJECT_SAVE_FAILED_MSG[] = "工程文件[%s]导出失败！";
inline constexpr char NOTHING_TO_SAVE_MSG[] = "没有要保存的数据！";
inline constexpr char FILE_EXISTS_QUESTION[] = "文件%s已存在，是否覆盖？";
inline constexpr char SAVE_PROJECT_QUESTION[] = "是否保存当前工程？";
inline constexpr char SAVE_BEFORE_EXIT_QUESTION[] = "退出前是否保存当前工程？";
inline constexpr char DEVICE_FILE_OPEN_FAILED_MSG[] = "构件文件[%s]打开失败！";
inline constexpr char NEW_COMPONENT_FAILED_MSG[] = "构件新建失败！";
inline constexpr char DEVICE_FILE_IMPORT_FAILED_MSG[] = "构件文件[%s]导入失败！";

// Components and test areas.
inline constexpr char NO_COMPONENT_CHOSEN_MSG[] = "未选择构件";
inline constexpr char COMPONENT_REMOVE_FAILED_MSG[] = "构件[%d]删除失败";
inline constexpr char AREA_ADD_FAILED_MSG[] = "构件创建失败！构件最多只能创建50个";
inline constexpr char AREA_REMOVE_FAILED_MSG[] = "测区删除失败！测区不能少于1个";

// The evaluation.
inline constexpr char NO_AREA_DATA_MSG[] = "无测区数据";
inline constexpr char NO_VALID_AREA_DATA_MSG[] = "没有有效的测区数据，或者测试数据少于2条！";
inline constexpr char FEW_AREAS_QUESTION[] = "测区数不足5个, 是否计算？";

// Reports and their templates.
inline constexpr char NO_CHECKED_COMPONENT_MSG[] = "请至少选取一个构件进行此操作。";
inline constexpr char NO_DATA_TO_PRINT_MSG[] = "没有要打印的数据！";
inline constexpr char AREA_TEMPLATE_MISSING_MSG[] =
    "测区打印模版[%s]不存在，请在[报表设置]中选择其他模版。";
inline constexpr char COMPONENT_TEMPLATE_MISSING_MSG[] =
    "构件打印模版[%s]不存在，请在[报表设置]中选择其他模版。";
inline constexpr char TEMPLATE_BROKEN_MSG[] = "模版文件[%s]无法加载，请在[报表设置]中选择其他模版。";
inline constexpr char REPORT_EXPORT_FAILED_MSG[] = "报表文件[%s]导出失败！";
inline constexpr char REPORT_PRINT_FAILED_MSG[] = "报表打印失败！";
inline constexpr char NO_TEMPLATE_FILE_MSG[] = "没有发现测区模版文件文件";
inline constexpr char FIRST_TEMPLATE_CHOSEN_MSG[] = "选用默认的第一个模版。";

// Exports of a project's figures.
inline constexpr char NOTHING_TO_EXPORT_MSG[] = "没有要导出的数据！";
inline constexpr char EXPORT_FAILED_MSG[] = "文件[%s]导出失败！";

// The settings file.
inline constexpr char CONFIG_UNUSABLE_MSG[] = "设置文件[%s]无法使用，已使用默认设置";

// The message with its placeholder (the first %s or %d) replaced by the text.
std::string message_text(const char* message, std::string_view argument = {});
// The message with its %d replaced by the number.
std::string message_text(const char* message, int64_t number);
