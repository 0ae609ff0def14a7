#include "cli_output.h"

#include <cstdio>
#include <string>

#include "cli_console.h"

namespace {

bool output_failed = false;

// The length of the well-formed UTF-8 character that starts rest; 0 when
// there is none.
size_t utf8_length(std::string_view rest) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(rest[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  const size_t n = lead >= 0xC2 && lead <= 0xDF   ? 2
                   : lead >= 0xE0 && lead <= 0xEF ? 3
                   : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                  : 0;
  if (n == 0 || n > rest.size()) return 0;
  // The second byte's range rules out overlong forms, surrogates and code
  // points past U+10FFFF.
  const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  if (byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < n; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  return n;
}

std::string valid_utf8(std::string_view text) {
  std::string out;
  for (size_t at = 0; at < text.size();) {
    const size_t n = utf8_length(text.substr(at));
    out += n == 0 ? std::string_view("\xEF\xBF\xBD") : text.substr(at, n);
    at += n == 0 ? 1 : n;
  }
  return out;
}

}  // namespace

void write_output(std::string_view text) {
  if (!write_text(stdout, text)) output_failed = true;
}

void write_error_line(std::string_view text) {
  // A path as the system gave it may hold bytes that are not UTF-8 (a folder
  // name from another system); they are written as U+FFFD.
  write_text(stderr, valid_utf8(text) + "\n");
  std::fflush(stderr);
}

bool finish_output() { return std::fflush(stdout) == 0 && !std::ferror(stdout) && !output_failed; }
