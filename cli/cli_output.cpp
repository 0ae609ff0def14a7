#include "cli_output.h"

#include <cstdio>

#include "cli_console.h"

namespace {

bool output_failed = false;

}  // namespace

void write_output(std::string_view text) {
  if (!write_text(stdout, text)) output_failed = true;
}

void write_error_line(std::string_view text) {
  write_text(stderr, std::string(text) + "\n");
  std::fflush(stderr);
}

bool finish_output() { return std::fflush(stdout) == 0 && !std::ferror(stdout) && !output_failed; }
