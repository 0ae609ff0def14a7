#include "cli_output.h"

#include <QString>
#include <cstdio>

void write_output(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void write_error_line(std::string_view text) {
  // A path as the system gave it may hold bytes that are not UTF-8 (a folder
  // name from another system); they are written as U+FFFD.
  const QByteArray line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8();
  std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

bool finish_output() { return std::fflush(stdout) == 0 && !std::ferror(stdout); }
