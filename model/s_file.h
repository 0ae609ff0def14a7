// Whole-file reads, the file source of chunked reads, and the safe replacing
// write behind every save.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "s_platform.h"

class S_Byte_Writer;

// A regular file open for reading, for readers that take it a piece at a
// time. A FIFO or a folder is not opened, and opening never blocks.
class S_File_Source {
 public:
  S_File_Source() = default;
  ~S_File_Source();
  S_File_Source(const S_File_Source&) = delete;
  S_File_Source& operator=(const S_File_Source&) = delete;

  // False when the file cannot be opened or is not a regular file.
  bool open(const std::filesystem::path& path);
  // The file's size when it was opened.
  size_t size() const { return size_; }
  // Reads up to n bytes: how many were read, 0 at the end, -1 on an error.
  long long read(char* dst, size_t n);

 private:
  s_platform::File file_ = s_platform::NO_FILE;
  size_t size_ = 0;
};

// Reads at most max_bytes of the file (all of it by default) into out.
// False when the file cannot be opened or read, or is not a regular file.
bool read_file(const std::filesystem::path& path, std::string& out,
               size_t max_bytes = static_cast<size_t>(-1));

// The low-level writes of write_file_replacing. Tests replace it to simulate
// a full disk or a failing device.
class S_File_Writer {
 public:
  virtual ~S_File_Writer() = default;
  // Writes all n bytes to the open file; false on any failure.
  virtual bool write(s_platform::File file, const char* data, size_t n);
  // Flushes the file to the device; false on failure.
  virtual bool sync(s_platform::File file);
};

// Writes bytes to a temporary file in the target's folder, flushes it and
// then gives it the target's name (s_platform::Replacement says which targets
// are refused, how links are followed and what the new file keeps of the
// old). On any failure the target is left as it was and no temporary file
// stays behind; there is no writing into the target itself.
bool write_file_replacing(const std::filesystem::path& path, std::string_view bytes);
bool write_file_replacing(const std::filesystem::path& path, std::string_view bytes, S_File_Writer& writer);
// The same for bytes that fill makes: they go to the temporary file a chunk
// at a time as fill writes them, so that a file never needs its whole size in
// memory. A fill that returns false fails the write.
bool write_file_replacing(const std::filesystem::path& path, const std::function<bool(S_Byte_Writer&)>& fill,
                          S_File_Writer& writer);
