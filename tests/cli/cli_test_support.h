// Runs the built rv820-cli in a temporary folder of its own and gives its
// exit status, standard output and standard error back to the tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

class Rebound_Project;

struct Cli_Result {
  int status = -1;
  std::string out;
  std::vector<std::string> err;  // the lines of standard error
};

// Runs the program with the arguments; standard output goes to stdout_path
// when one is given (and is then not captured).
Cli_Result run_cli(const std::vector<std::string>& args, const std::string& stdout_path = "");

// The stream form of a project, as its file holds it.
std::string project_bytes(const Rebound_Project& project);

// The bits of a float, so that floats compare bit for bit.
uint32_t float_bits(float x);

// The display width of a UTF-8 text made of ASCII and CJK characters.
size_t cjk_display_width(const std::string& utf8);

class Cli_Test : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  void write(const std::string& name, const std::string& bytes) const;
  void save(const Rebound_Project& project, const std::string& name) const;
  std::string read(const std::string& name) const;
  // Every file of the folder with its bytes.
  std::map<std::string, std::string> files() const;

 private:
  std::filesystem::path dir_;
};
