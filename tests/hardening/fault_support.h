// The faults the hardening suites put the program under: a user without the
// administrator's right to ignore file permissions, a disk that takes no
// more bytes, and bytes that end right before an unmapped page.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace fault_support {

// While it lives, the calling thread acts as the unprivileged user "nobody",
// so that file permissions hold also when the suite runs as root (root may
// read and write anything). Outside root it changes nothing. Only this
// thread's credentials change: the other threads of the process keep theirs.
class Unprivileged_Scope {
 public:
  Unprivileged_Scope();
  ~Unprivileged_Scope();
  Unprivileged_Scope(const Unprivileged_Scope&) = delete;
  Unprivileged_Scope& operator=(const Unprivileged_Scope&) = delete;

 private:
  bool switched_ = false;
};

// While it lives, no regular file of the process may grow: every write that
// would add a byte fails (as on a full disk) instead of raising SIGXFSZ.
class Full_Disk_Scope {
 public:
  Full_Disk_Scope();
  ~Full_Disk_Scope();
  Full_Disk_Scope(const Full_Disk_Scope&) = delete;
  Full_Disk_Scope& operator=(const Full_Disk_Scope&) = delete;

 private:
  unsigned long long old_soft_ = 0;
  void (*old_handler_)(int) = nullptr;
};

// A copy of some bytes whose last byte is followed by an unmapped page, so
// that a read past the end crashes at once instead of going unnoticed.
class Guarded_Bytes {
 public:
  explicit Guarded_Bytes(size_t capacity);
  ~Guarded_Bytes();
  Guarded_Bytes(const Guarded_Bytes&) = delete;
  Guarded_Bytes& operator=(const Guarded_Bytes&) = delete;

  // Copies bytes (at most the capacity) to the end of the mapping.
  std::string_view place(std::string_view bytes);

 private:
  char* base_ = nullptr;
  size_t usable_ = 0;
  size_t mapped_ = 0;
};

// Lets the unprivileged user of Unprivileged_Scope into a folder (mode 0755)
// that was made for this process only.
void open_to_everyone(const std::filesystem::path& folder);

}  // namespace fault_support
