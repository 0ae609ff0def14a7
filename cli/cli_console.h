// What rv820-cli takes from and gives to the system it runs on: its
// arguments as UTF-8, the file paths they name, and texts written to a
// standard stream. On Windows the arguments come from the wide command line,
// a console is written in UTF-16 and a redirected stream gets the UTF-8 bytes
// unchanged, with no line-end translation.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The arguments after the program's name, UTF-8 on Windows; as they were
// given (bytes) elsewhere. Also readies the standard streams for write_text.
std::vector<std::string> command_line_arguments(int argc, char** argv);

// The file an argument names.
std::filesystem::path argument_path(const std::string& argument);

// Writes the text to stdout or stderr. False when it could not be written.
bool write_text(std::FILE* stream, std::string_view text);
