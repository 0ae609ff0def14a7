#include "pdf_reader.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <regex>

extern char** environ;

namespace pdf_reader {

std::string run_tool(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<std::string> words = arguments;
  words.insert(words.begin(), program);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) {
    ADD_FAILURE() << "no pipe for " << program;
    return {};
  }
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
  if (spawned != 0) {
    ADD_FAILURE() << "cannot run " << program;
    return {};
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << program << " failed";
  return output;
}

namespace {

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

}  // namespace pdf_reader
