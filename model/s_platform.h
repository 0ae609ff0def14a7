// The system calls of the core: opening, reading and writing files, the
// replacing write behind every save, folders, and the local date. One
// implementation per system (s_platform_posix.cpp, s_platform_windows.cpp);
// nothing else in the core calls the system. Paths stay
// std::filesystem::path all the way (bytes on Linux, UTF-16 on Windows).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace s_platform {

// An open file of the system: a descriptor on POSIX, a HANDLE on Windows.
using File = std::intptr_t;
inline constexpr File NO_FILE = -1;

// Opens a regular file for reading and gives its size. A FIFO or a folder is
// not opened, and opening never blocks.
bool open_for_reading(const std::filesystem::path& path, File& file, uint64_t& size);
// Reads up to n bytes: how many were read, 0 at the end, -1 on an error.
long long read(File file, char* dst, size_t n);
// Writes all n bytes; false on any failure.
bool write(File file, const char* data, size_t n);
// Flushes what was written to the device; false on failure.
bool flush(File file);
// False when the last writes could not be completed.
bool close(File file);

// The new content of a file, written into a temporary file in the target's
// folder and given the target's name only once it is complete (keeping the
// old file's mode and, where the process may set them, its owner and group).
// A replacement that is not committed leaves the target as it was and no
// temporary file behind; a process killed while writing one leaves none
// either (Linux) or one that the next replacement in that folder removes.
class Replacement {
 public:
  Replacement() = default;
  ~Replacement();
  Replacement(const Replacement&) = delete;
  Replacement& operator=(const Replacement&) = delete;

  // Prepares to replace target, or to create it. Refuses a target that is no
  // regular file, an existing file the process may not write to, a symbolic
  // link that another user planted in a shared sticky folder, and a folder
  // that cannot hold the temporary file. A link that may be followed is: the
  // file it names is replaced, the link stays.
  bool begin(const std::filesystem::path& target);
  // The temporary file, open for writing.
  File file() const { return file_; }
  // Closes the temporary file, which the caller has written and flushed, and
  // gives it the target's name.
  bool commit();

 private:
  void abandon();

  File file_ = NO_FILE;
  std::filesystem::path target_;  // the file that is replaced, links resolved
  std::filesystem::path temp_;    // the temporary file's name, where it has one
  bool replacing_ = false;        // the target exists
  uint32_t mode_ = 0;             // the mode on POSIX, the attributes on Windows
  uint32_t owner_ = 0;
  uint32_t group_ = 0;
};

// The names of the temporary files of replacements: short, so that a target
// whose name takes the file system's whole limit can still be replaced.
inline constexpr char TEMPORARY_PREFIX[] = ".rv820-save-";
// A fresh temporary file name, the prefix and eight random letters.
inline std::string temporary_name() {
  thread_local std::random_device seed;
  thread_local std::mt19937_64 random((static_cast<uint64_t>(seed()) << 32) ^ seed());
  static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = TEMPORARY_PREFIX;
  for (int i = 0; i < 8; ++i) name += letters[random() % 36];
  return name;
}
inline bool is_temporary_name(const std::filesystem::path& name) {
  const std::filesystem::path::string_type file = name.filename().native();
  const std::filesystem::path::string_type prefix = std::filesystem::path(TEMPORARY_PREFIX).native();
  return file.compare(0, prefix.size(), prefix) == 0;
}

enum class Entry { none, file, folder, other };
// What the path names (links followed).
Entry entry_kind(const std::filesystem::path& path);
// Creates one folder; true when it exists afterwards.
bool create_folder(const std::filesystem::path& path);
// The names of the entries of a folder; false when it cannot be read.
bool list_folder(const std::filesystem::path& path, std::vector<std::filesystem::path>& names);

// Today's date on the local clock.
void local_date(int& year, int& month, int& day);

}  // namespace s_platform
