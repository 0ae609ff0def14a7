#include "s_file.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "s_byte_stream.h"

namespace {

constexpr size_t WRITE_CHUNK = 1 << 20;

}  // namespace

S_File_Source::~S_File_Source() {
  if (file_ != s_platform::NO_FILE) s_platform::close(file_);
}

bool S_File_Source::open(const std::filesystem::path& path) {
  if (file_ != s_platform::NO_FILE) return false;
  uint64_t size = 0;
  if (!s_platform::open_for_reading(path, file_, size)) return false;
  size_ = static_cast<size_t>(std::min<uint64_t>(size, SIZE_MAX));
  return true;
}

long long S_File_Source::read(char* dst, size_t n) { return s_platform::read(file_, dst, n); }

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
        const long long got = file.read(&next, 1);
        if (got < 0) {
          out.clear();
          return false;
        }
        if (got == 0) break;
        out.resize(std::min(max_bytes, out.size() * 2 + 65536));
        out[size++] = next;
        continue;
      }
      const long long got = file.read(out.data() + size, out.size() - size);
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

bool S_File_Writer::write(s_platform::File file, const char* data, size_t n) {
  return s_platform::write(file, data, n);
}

bool S_File_Writer::sync(s_platform::File file) { return s_platform::flush(file); }

namespace {

// The replacing write itself; content writes the new file's bytes into the
// open temporary file.
bool replace_file(const std::filesystem::path& path, S_File_Writer& writer,
                  const std::function<bool(s_platform::File)>& content) {
  s_platform::Replacement replacement;
  return replacement.begin(path) && content(replacement.file()) && writer.sync(replacement.file()) &&
         replacement.commit();
}

}  // namespace

bool write_file_replacing(const std::filesystem::path& path, std::string_view bytes) {
  S_File_Writer writer;
  return write_file_replacing(path, bytes, writer);
}

bool write_file_replacing(const std::filesystem::path& path, std::string_view bytes, S_File_Writer& writer) {
  return replace_file(path, writer, [&](s_platform::File fd) {
    for (size_t at = 0; at < bytes.size(); at += WRITE_CHUNK) {
      if (!writer.write(fd, bytes.data() + at, std::min(WRITE_CHUNK, bytes.size() - at))) return false;
    }
    return true;
  });
}

bool write_file_replacing(const std::filesystem::path& path, const std::function<bool(S_Byte_Writer&)>& fill,
                          S_File_Writer& writer) {
  return replace_file(path, writer, [&](s_platform::File fd) {
    S_Byte_Writer out([&](std::string_view chunk) { return writer.write(fd, chunk.data(), chunk.size()); },
                      WRITE_CHUNK);
    return fill(out) && out.flush();
  });
}
