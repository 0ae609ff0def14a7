// Little-endian byte streams for the binary file formats.
//
// S_Byte_Reader walks a byte buffer that is already in memory, or reads a
// source of known size (an open file) a chunk at a time; every read is
// checked against the bytes that remain, so a hostile length can be refused
// before anything is allocated for it. S_Byte_Writer appends to a growable
// buffer, or passes its bytes on a chunk at a time. Both keep the bool
// results of the record readers and writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class S_Byte_Reader {
 public:
  // Reads up to n bytes into dst and returns how many; 0 at the end or on
  // an error.
  using Source = std::function<size_t(char* dst, size_t n)>;

  explicit S_Byte_Reader(std::string_view bytes) : window_(bytes), total_(bytes.size()) {}
  // Reads the total bytes of source, holding about chunk of them at a time
  // (more only for a single read or take that asks for more). A source that
  // ends early makes the read that needs the missing bytes fail.
  S_Byte_Reader(Source source, size_t total, size_t chunk);

  size_t remaining() const { return total_ - consumed_; }
  size_t position() const { return consumed_; }

  // Copies n bytes to dst; false (and nothing consumed) when fewer remain.
  bool read(void* dst, size_t n);
  // Reads up to n bytes into dst and returns how many there were.
  size_t read_some(void* dst, size_t n);
  // A view of the next n bytes, consumed; false when fewer remain. The view
  // of a reader on a source lasts until its next read.
  bool take(size_t n, std::string_view& out);

  bool read_u8(uint8_t& v) { return read(&v, 1); }
  bool read_u32(uint32_t& v);
  bool read_i32(int32_t& v);
  bool read_f32(float& v);

 private:
  // Makes the next n bytes (n <= remaining()) stand in the window.
  bool hold(size_t n);

  std::string_view window_;  // the bytes at hand; the first pos_ are consumed
  size_t pos_ = 0;
  size_t consumed_ = 0;
  size_t total_ = 0;
  Source source_;
  size_t chunk_ = 0;
  std::string buffer_;  // holds the window of a reader on a source
};

class S_Byte_Writer {
 public:
  // Takes the bytes a writer passes on; false stops the writing.
  using Sink = std::function<bool(std::string_view bytes)>;

  // Keeps everything written.
  S_Byte_Writer() = default;
  // Passes the bytes on to sink whenever at least chunk of them are held, and
  // then holds the next ones in the same memory; flush passes on the rest.
  // Once the sink has failed, every write fails.
  S_Byte_Writer(Sink sink, size_t chunk);

  bool write(const void* src, size_t n);
  bool write_u8(uint8_t v) { return write(&v, 1); }
  bool write_u32(uint32_t v);
  bool write_i32(int32_t v);
  bool write_f32(float v);

  // The bytes held: all of them, or those not yet passed on.
  const std::string& bytes() const { return bytes_; }
  void reserve(size_t n) { bytes_.reserve(n); }
  // Passes the bytes held on to the sink (if there is one).
  bool flush();

 private:
  std::string bytes_;
  Sink sink_;
  size_t chunk_ = 0;
  bool failed_ = false;
};
