#include "cli_test_support.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <cstdlib>
#include <sstream>

#include "model/rebound_project.h"
#include "model/s_byte_stream.h"
#include "model/s_file.h"

namespace {

std::string temp_template(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string(name) + ".XXXXXX")).string();
}

std::string read_all(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(read_file(path, bytes)) << path;
  return bytes;
}

int temp_file(std::string& path) {
  std::vector<char> name(path.begin(), path.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  path = name.data();
  return fd;
}

}  // namespace

Cli_Result run_cli(const std::vector<std::string>& args, const std::string& stdout_path) {
  std::string out_path = temp_template("rv820-cli-out");
  std::string err_path = temp_template("rv820-cli-err");
  const int out_fd = stdout_path.empty() ? temp_file(out_path) : ::open(stdout_path.c_str(), O_WRONLY);
  const int err_fd = temp_file(err_path);
  Cli_Result result;
  if (out_fd < 0 || err_fd < 0) {
    ADD_FAILURE() << "cannot capture the program's output";
    return result;
  }
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(RV820_CLI));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out_fd, STDOUT_FILENO);
    ::dup2(err_fd, STDERR_FILENO);
    ::execv(RV820_CLI, argv.data());
    ::_exit(127);
  }
  ::close(out_fd);
  ::close(err_fd);
  int wait_status = 0;
  if (pid < 0 || ::waitpid(pid, &wait_status, 0) != pid || !WIFEXITED(wait_status)) {
    ADD_FAILURE() << "the program did not exit normally";
  } else {
    result.status = WEXITSTATUS(wait_status);
  }
  if (stdout_path.empty()) {
    result.out = read_all(out_path);
    ::unlink(out_path.c_str());
  }
  std::istringstream err(read_all(err_path));
  ::unlink(err_path.c_str());
  for (std::string line; std::getline(err, line);) result.err.push_back(line);
  return result;
}

std::string project_bytes(const Rebound_Project& project) {
  S_Byte_Writer out;
  EXPECT_TRUE(project.write(out));
  return out.bytes();
}

uint32_t float_bits(float x) { return std::bit_cast<uint32_t>(x); }

size_t cjk_display_width(const std::string& utf8) {
  size_t width = 0;
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    width += length == 3 ? 2 : 1;
    i += length;
  }
  return width;
}

void Cli_Test::SetUp() {
  std::string name = temp_template("rv820-cli-test");
  ASSERT_NE(::mkdtemp(name.data()), nullptr);
  dir_ = name;
}

void Cli_Test::TearDown() {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

void Cli_Test::write(const std::string& name, const std::string& bytes) const {
  ASSERT_TRUE(write_file_replacing(dir_ / name, bytes)) << name;
}

void Cli_Test::save(const Rebound_Project& project, const std::string& name) const {
  ASSERT_TRUE(project.save(dir_ / name)) << name;
}

std::string Cli_Test::read(const std::string& name) const { return read_all(path(name)); }

std::map<std::string, std::string> Cli_Test::files() const {
  std::map<std::string, std::string> result;
  for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
    const std::string name = entry.path().filename().string();
    result[name] = entry.is_regular_file() ? read(name) : "(folder)";
  }
  return result;
}
