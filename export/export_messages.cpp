#include "export_messages.h"

const char* const NOTHING_TO_EXPORT_MSG = "没有要导出的数据！";
const char* const EXPORT_FAILED_MSG = "文件[%s]导出失败！";
