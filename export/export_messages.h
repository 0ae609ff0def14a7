// The messages of exporting (UTF-8), shown by the window and by rv820-cli.
#pragma once

extern const char* const NOTHING_TO_EXPORT_MSG;  // 没有要导出的数据！
// %s stands for the full path of the file.
extern const char* const EXPORT_FAILED_MSG;  // 文件[%s]导出失败！
