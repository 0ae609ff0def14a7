// Standard output and standard error of rv820-cli: whole texts written as
// they are (UTF-8), and a check that the output really reached its file.
#pragma once

#include <string_view>

// Writes text to standard output as it stands.
void write_output(std::string_view text);

// Writes one line (text and a newline) to standard error, always as valid
// UTF-8: a byte that is not UTF-8 is written as U+FFFD.
void write_error_line(std::string_view text);

// Flushes standard output; false when any write to it failed (a full disk,
// a closed pipe), so that a lost output is never reported as success.
bool finish_output();
