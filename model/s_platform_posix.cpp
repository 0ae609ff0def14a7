// The system calls of the core on Linux and other POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <ctime>
#include <string>

#include "s_platform.h"

namespace s_platform {

namespace {

int fd_of(File file) { return static_cast<int>(file); }

std::filesystem::path folder_of(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// Flushes the folder entry of a renamed file, so that the new name survives a
// power failure. Some file systems cannot sync a folder; the file itself is
// already on the device then, so this is done as well as it can be.
void sync_folder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The kernel's rule for links in a shared folder (sticky and writable by
// everyone, like /tmp): a link there is followed only when it belongs to the
// follower or to the folder's owner. Otherwise another user could plant a
// link that turns a save onto any file the saver may write.
bool may_follow(const std::filesystem::path& link, const struct stat& link_stat) {
  struct stat folder {};
  if (::stat(folder_of(link).c_str(), &folder) != 0) return false;
  const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
  return !shared || link_stat.st_uid == ::geteuid() || link_stat.st_uid == folder.st_uid;
}

// The file that a save of path replaces: path itself, or the file that its
// chain of links ends at. False for a link that may not be followed, a
// dangling link and a loop.
bool resolve_links(const std::filesystem::path& path, std::filesystem::path& resolved, struct stat& st,
                   bool& exists) {
  std::filesystem::path at = path;
  for (int hop = 0; hop < 40; ++hop) {
    if (::lstat(at.c_str(), &st) != 0) {
      if (errno != ENOENT || hop > 0) return false;
      resolved = at;
      exists = false;
      return true;
    }
    if (!S_ISLNK(st.st_mode)) {
      resolved = at;
      exists = true;
      return true;
    }
    if (!may_follow(at, st)) return false;
    std::string target(PATH_MAX, '\0');
    const ssize_t n = ::readlink(at.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<size_t>(n) >= target.size()) return false;
    target.resize(static_cast<size_t>(n));
    at = folder_of(at) / std::filesystem::path(target);
  }
  return false;
}

// Removes the temporary files that earlier replacements in this folder left
// behind when their process was killed between naming the file and renaming
// it (or, where a folder cannot hold unnamed files, at any moment). A
// replacement at work holds a lock on its file, so only abandoned files of
// this user are removed.
void remove_abandoned(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> names;
  if (!list_folder(folder, names)) return;
  for (const std::filesystem::path& name : names) {
    if (!is_temporary_name(name)) continue;
    const std::filesystem::path path = folder / name;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat open_st {}, named_st {};
    if (::fstat(fd, &open_st) == 0 && S_ISREG(open_st.st_mode) && open_st.st_uid == ::geteuid() &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named_st) == 0 &&
        named_st.st_dev == open_st.st_dev && named_st.st_ino == open_st.st_ino) {
      ::unlink(path.c_str());
    }
    ::close(fd);
  }
}

}  // namespace

bool open_for_reading(const std::filesystem::path& path, File& file, uint64_t& size) {
  // Opened without blocking, so that a FIFO named as a file cannot hang the
  // reader; only regular files are read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  file = fd;
  size = static_cast<uint64_t>(st.st_size > 0 ? st.st_size : 0);
  return true;
}

long long read(File file, char* dst, size_t n) {
  for (;;) {
    const ssize_t got = ::read(fd_of(file), dst, n);
    if (got >= 0 || errno != EINTR) return got;
  }
}

bool write(File file, const char* data, size_t n) {
  while (n > 0) {
    const ssize_t done = ::write(fd_of(file), data, n);
    if (done < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += done;
    n -= static_cast<size_t>(done);
  }
  return true;
}

bool flush(File file) { return ::fsync(fd_of(file)) == 0; }

bool close(File file) { return ::close(fd_of(file)) == 0; }

Replacement::~Replacement() { abandon(); }

bool Replacement::begin(const std::filesystem::path& target) {
  abandon();
  struct stat old {};
  if (!resolve_links(target, target_, old, replacing_)) return false;
  // The new file gets the mode of the file it replaces, or the usual mode of
  // a new file under the process's umask. A file that may not be written to
  // is not replaced either.
  if (replacing_) {
    if (!S_ISREG(old.st_mode) || ::access(target_.c_str(), W_OK) != 0) return false;
    mode_ = old.st_mode & 07777;
    owner_ = old.st_uid;
    group_ = old.st_gid;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode_ = 0666 & ~mask;
  }

  const std::filesystem::path folder = folder_of(target_);
  remove_abandoned(folder);
  // An unnamed file, which vanishes with the process if it is killed; where
  // the folder's file system cannot make one, a named file, locked while it
  // is written.
  int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (fd < 0) {
    std::string name = (folder / (std::string(TEMPORARY_PREFIX) + "XXXXXX")).string();
    fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    temp_ = name;
    if (::flock(fd, LOCK_EX) != 0) {
      file_ = fd;
      abandon();
      return false;
    }
  }
  file_ = fd;
  // The owner and group first: changing them may clear the mode's set-id
  // bits. A user who may not give the file away may still give it the group
  // (one of the user's own); otherwise it stays the saver's, as a new file.
  if (replacing_ && ::fchown(fd, owner_, group_) != 0) {
    [[maybe_unused]] const int group_kept = ::fchown(fd, static_cast<uid_t>(-1), group_);
  }
  if (::fchmod(fd, mode_) != 0) {
    abandon();
    return false;
  }
  return true;
}

bool Replacement::commit() {
  if (file_ == NO_FILE) return false;
  if (temp_.empty()) {
    // The unnamed file gets a temporary name in the folder, locked as a
    // named file is, and is then renamed over the target.
    if (::flock(fd_of(file_), LOCK_EX) != 0) return false;
    const std::string self = "/proc/self/fd/" + std::to_string(fd_of(file_));
    for (int attempt = 0; attempt < 100 && temp_.empty(); ++attempt) {
      const std::filesystem::path name = folder_of(target_) / temporary_name();
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        temp_ = name;
      } else if (errno != EEXIST) {
        break;
      }
    }
    if (temp_.empty()) return false;
  }
  if (::rename(temp_.c_str(), target_.c_str()) != 0) return false;
  temp_.clear();
  const bool closed = close(file_);
  file_ = NO_FILE;
  sync_folder(folder_of(target_));
  return closed;
}

void Replacement::abandon() {
  if (file_ != NO_FILE) close(file_);
  file_ = NO_FILE;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

Entry entry_kind(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return Entry::none;
  if (S_ISREG(st.st_mode)) return Entry::file;
  if (S_ISDIR(st.st_mode)) return Entry::folder;
  return Entry::other;
}

bool create_folder(const std::filesystem::path& path) {
  return ::mkdir(path.c_str(), 0777) == 0 || entry_kind(path) == Entry::folder;
}

bool list_folder(const std::filesystem::path& path, std::vector<std::filesystem::path>& names) {
  names.clear();
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return false;
  while (const struct dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  return true;
}

void local_date(int& year, int& month, int& day) {
  const std::time_t now = std::time(nullptr);
  std::tm local {};
  localtime_r(&now, &local);
  year = local.tm_year + 1900;
  month = local.tm_mon + 1;
  day = local.tm_mday;
}

}  // namespace s_platform
