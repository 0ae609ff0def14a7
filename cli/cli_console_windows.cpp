#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "cli_console.h"

namespace {

std::string utf8_of(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int n = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, text.data(), length, nullptr, nullptr);
  return text;
}

std::wstring wide_of(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int n = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, text.data(), length);
  return text;
}

// The console behind the stream, or nullptr when the stream goes to a file
// or a pipe.
HANDLE console_of(std::FILE* stream) {
  const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace

// The narrow argv holds the arguments in the ANSI code page, which loses
// every character outside it; the wide command line holds them all.
std::vector<std::string> command_line_arguments(int, char**) {
  // Output is the same bytes as on other systems: "\n", not "\r\n".
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(utf8_of(wide[i]));
  LocalFree(wide);
  return arguments;
}

std::filesystem::path argument_path(const std::string& argument) { return wide_of(argument); }

bool write_text(std::FILE* stream, std::string_view text) {
  const HANDLE console = console_of(stream);
  if (!console) return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
  // What the stream already holds goes first, so that the order is kept.
  std::fflush(stream);
  const std::wstring wide = wide_of(text);
  DWORD written = 0;
  return WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) &&
         written == wide.size();
}
