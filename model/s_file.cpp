#include "s_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <new>
#include <stdexcept>
#include <vector>

#include "s_byte_stream.h"

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

// Flushes the folder entry of a renamed file, so that the new name survives a
// power failure. Some file systems cannot sync a folder; the file itself is
// already on the device then, so this is done as well as it can be.
void sync_folder(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

S_File_Source::~S_File_Source() {
  if (fd_ >= 0) ::close(fd_);
}

bool S_File_Source::open(const std::filesystem::path& path) {
  if (fd_ >= 0) return false;
  // Opened without blocking, so that a FIFO named as a file cannot hang the
  // reader; only regular files are read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  size_ = static_cast<size_t>(std::max<off_t>(st.st_size, 0));
  return true;
}

ssize_t S_File_Source::read(char* dst, size_t n) {
  for (;;) {
    const ssize_t got = ::read(fd_, dst, n);
    if (got >= 0 || errno != EINTR) return got;
  }
}

bool read_file(const std::filesystem::path& path, std::string& out, size_t max_bytes) {
  S_File_Source file;
  if (!file.open(path)) return false;
  // Reads straight into the string, sized from the file. Once the bytes the
  // file was said to hold are in, one byte more tells whether it goes on (it
  // grew while it was read, or it is a special file that gives no size); only
  // then does the string grow. So a file never costs more memory than it holds.
  // A file too large for memory is a failed read, not an exception.
  try {
    size_t size = 0;
    out.resize(std::min(file.size(), max_bytes));
    while (size < max_bytes) {
      if (size == out.size()) {
        char next = 0;
        const ssize_t got = file.read(&next, 1);
        if (got < 0) {
          out.clear();
          return false;
        }
        if (got == 0) break;
        out.resize(std::min(max_bytes, out.size() * 2 + 65536));
        out[size++] = next;
        continue;
      }
      const ssize_t got = file.read(out.data() + size, out.size() - size);
      if (got < 0) {
        out.clear();
        return false;
      }
      if (got == 0) break;
      size += static_cast<size_t>(got);
    }
    out.resize(size);
    return true;
  } catch (const std::bad_alloc&) {
    out.clear();
    return false;
  } catch (const std::length_error&) {
    out.clear();
    return false;
  }
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

namespace {

// The replacing write itself; content writes the new file's bytes into the
// open temporary file.
bool replace_file(const std::filesystem::path& link_or_path, S_File_Writer& writer,
                  const std::function<bool(int fd)>& content) {
  // A symbolic link is followed: the file it names is replaced, the link stays.
  std::error_code ec;
  std::filesystem::path path = link_or_path;
  if (std::filesystem::is_symlink(link_or_path, ec)) {
    path = std::filesystem::canonical(link_or_path, ec);
    if (ec) return false;
  }
  // The new file gets the mode of the file it replaces, or the usual mode of
  // a new file under the process's umask. A file that may not be written to
  // is not replaced either.
  mode_t mode = 0666;
  struct stat old {};
  const bool replacing = ::stat(path.c_str(), &old) == 0;
  if (replacing) {
    if (!S_ISREG(old.st_mode) || ::access(path.c_str(), W_OK) != 0) return false;
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
  bool ok = ::fchmod(fd, mode) == 0 && content(fd);
  ok = ok && writer.sync(fd);
  ok = ::close(closer.release()) == 0 && ok;
  ok = ok && ::rename(name.data(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(name.data());
    return false;
  }
  sync_folder(path);
  return true;
}

}  // namespace

bool write_file_replacing(const std::filesystem::path& path, std::string_view bytes) {
  S_File_Writer writer;
  return write_file_replacing(path, bytes, writer);
}

bool write_file_replacing(const std::filesystem::path& path, std::string_view bytes, S_File_Writer& writer) {
  return replace_file(path, writer, [&](int fd) {
    for (size_t at = 0; at < bytes.size(); at += WRITE_CHUNK) {
      if (!writer.write(fd, bytes.data() + at, std::min(WRITE_CHUNK, bytes.size() - at))) return false;
    }
    return true;
  });
}

bool write_file_replacing(const std::filesystem::path& path, const std::function<bool(S_Byte_Writer&)>& fill,
                          S_File_Writer& writer) {
  return replace_file(path, writer, [&](int fd) {
    S_Byte_Writer out([&](std::string_view chunk) { return writer.write(fd, chunk.data(), chunk.size()); },
                      WRITE_CHUNK);
    return fill(out) && out.flush();
  });
}
