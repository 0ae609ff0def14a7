#include "s_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace {

class Fd_Closer {
 public:
  explicit Fd_Closer(int fd) : fd_(fd) {}
  ~Fd_Closer() {
    if (fd_ >= 0) ::close(fd_);
  }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

constexpr size_t WRITE_CHUNK = 1 << 20;

}  // namespace

bool read_file(const std::filesystem::path& path, std::string& out, size_t max_bytes) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  Fd_Closer closer(fd);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) return false;
  out.clear();
  if (S_ISREG(st.st_mode) && st.st_size >= 0) {
    out.reserve(std::min(static_cast<size_t>(st.st_size), max_bytes));
  }
  char buf[65536];
  while (out.size() < max_bytes) {
    size_t want = std::min(sizeof buf, max_bytes - out.size());
    ssize_t got = ::read(fd, buf, want);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) break;
    out.append(buf, static_cast<size_t>(got));
  }
  return true;
}

bool S_File_Writer::write(int fd, const char* data, size_t n) {
  while (n > 0) {
    ssize_t done = ::write(fd, data, n);
    if (done < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += done;
    n -= static_cast<size_t>(done);
  }
  return true;
}

bool S_File_Writer::sync(int fd) { return ::fsync(fd) == 0; }

bool write_file_replacing(const std::filesystem::path& path, std::string_view bytes) {
  S_File_Writer writer;
  return write_file_replacing(path, bytes, writer);
}

bool write_file_replacing(const std::filesystem::path& path, std::string_view bytes,
                          S_File_Writer& writer) {
  // The new file gets the mode of the file it replaces, or the usual mode of
  // a new file under the process's umask.
  mode_t mode = 0666;
  struct stat old {};
  const bool replacing = ::stat(path.c_str(), &old) == 0;
  if (replacing) {
    if (!S_ISREG(old.st_mode)) return false;
    mode = old.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }

  std::string temp = path.string() + ".XXXXXX";
  std::vector<char> name(temp.begin(), temp.end());
  name.push_back('\0');
  int fd = ::mkstemp(name.data());
  if (fd < 0) return false;
  Fd_Closer closer(fd);
  bool ok = ::fchmod(fd, mode) == 0;
  for (size_t at = 0; ok && at < bytes.size(); at += WRITE_CHUNK) {
    ok = writer.write(fd, bytes.data() + at, std::min(WRITE_CHUNK, bytes.size() - at));
  }
  ok = ok && writer.sync(fd);
  ok = ::close(closer.release()) == 0 && ok;
  ok = ok && ::rename(name.data(), path.c_str()) == 0;
  if (!ok) ::unlink(name.data());
  return ok;
}
