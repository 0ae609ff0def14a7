#include "pdf_reader.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <regex>

extern char** environ;

namespace pdf_reader {

namespace {

// Runs a tool and gives its standard output and exit status; -1 when it
// could not be run or did not end normally.
std::string spawned_output(const std::string& program, const std::vector<std::string>& arguments, int& exit_status) {
  exit_status = -1;
  std::vector<std::string> words = arguments;
  words.insert(words.begin(), program);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);
  pid_t child = 0;
  const int spawned = ::posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_ends[1]);

  std::string output;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0;) output.append(buffer, n);
  ::close(pipe_ends[0]);
  if (spawned != 0) return {};
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFEXITED(status)) exit_status = WEXITSTATUS(status);
  return output;
}

std::vector<std::string> page_range(int page) {
  if (page <= 0) return {};
  return {"-f", std::to_string(page), "-l", std::to_string(page)};
}

// The first group of the pattern in the tool's output, or empty.
std::string captured(const std::string& output, const char* pattern) {
  std::smatch match;
  return std::regex_search(output, match, std::regex(pattern)) ? match[1].str() : std::string();
}

}  // namespace

std::string run_tool(const std::string& program, const std::vector<std::string>& arguments) {
  int status = -1;
  std::string output = spawned_output(program, arguments, status);
  EXPECT_EQ(status, 0) << program << " could not be run or failed";
  return output;
}

std::string text(const std::filesystem::path& pdf, int page, Order order) {
  std::vector<std::string> arguments = page_range(page);
  if (order == Order::Drawn) arguments.insert(arguments.begin(), "-raw");
  arguments.push_back(pdf.string());
  arguments.push_back("-");
  return run_tool("pdftotext", arguments);
}

std::string blank_free_text(const std::filesystem::path& pdf, int page, Order order) {
  std::string blank_free = text(pdf, page, order);
  std::erase_if(blank_free, [](char c) { return c == ' ' || c == '\n' || c == '\f'; });
  return blank_free;
}

int page_count(const std::filesystem::path& pdf) {
  const std::string pages = captured(run_tool("pdfinfo", {pdf.string()}), R"(Pages:\s+(\d+))");
  return pages.empty() ? -1 : std::stoi(pages);
}

std::string page_size(const std::filesystem::path& pdf, int page) {
  std::vector<std::string> arguments = page_range(page);
  arguments.push_back(pdf.string());
  return captured(run_tool("pdfinfo", arguments), R"(size:\s+([\d.]+ x [\d.]+))");
}

std::vector<std::string> qr_codes(const std::filesystem::path& pdf, int page) {
  std::filesystem::path png = pdf;
  png.replace_extension();
  run_tool("pdftoppm", {"-png", "-r", "300", "-f", std::to_string(page), "-l", std::to_string(page), "-singlefile",
                        pdf.string(), png.string()});
  png += ".png";
  // zbarimg ends with 4 when it finds no symbol.
  int status = -1;
  const std::string output = spawned_output("zbarimg", {"--quiet", "--nodbus", png.string()}, status);
  EXPECT_TRUE(status == 0 || status == 4) << "zbarimg could not be run or failed";
  // Each symbol as "QR-Code:" and its text, line breaks and all.
  std::vector<std::string> codes;
  const std::string mark = "QR-Code:";
  for (size_t at = output.find(mark); at != std::string::npos;) {
    const size_t start = at + mark.size();
    const size_t next = output.find("\n" + mark, start);
    const size_t end = next == std::string::npos ? output.size() : next;
    std::string code = output.substr(start, end - start);
    if (next == std::string::npos && !code.empty() && code.back() == '\n') code.pop_back();
    codes.push_back(code);
    at = next == std::string::npos ? next : next + 1;
  }
  std::sort(codes.begin(), codes.end());
  return codes;
}

}  // namespace pdf_reader
