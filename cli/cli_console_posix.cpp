#include "cli_console.h"

std::vector<std::string> command_line_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

// A path is bytes here, whatever their encoding.
std::filesystem::path argument_path(const std::string& argument) { return argument; }

bool write_text(std::FILE* stream, std::string_view text) {
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}
