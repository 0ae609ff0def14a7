#include "cli_output.h"

#include <cstdio>

void write_output(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void write_error_line(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

bool finish_output() { return std::fflush(stdout) == 0 && !std::ferror(stdout); }
