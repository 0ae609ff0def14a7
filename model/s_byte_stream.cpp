#include "s_byte_stream.h"

#include <bit>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

static_assert(std::endian::native == std::endian::little,
              "the stream helpers copy little-endian numbers as they are");

bool S_Byte_Reader::read(void* dst, size_t n) {
  if (n > remaining()) return false;
  if (n) std::memcpy(dst, bytes_.data() + pos_, n);
  pos_ += n;
  return true;
}

size_t S_Byte_Reader::read_some(void* dst, size_t n) {
  if (n > remaining()) n = remaining();
  read(dst, n);
  return n;
}

bool S_Byte_Reader::take(size_t n, std::string_view& out) {
  if (n > remaining()) return false;
  out = bytes_.substr(pos_, n);
  pos_ += n;
  return true;
}

bool S_Byte_Reader::read_u32(uint32_t& v) { return read(&v, 4); }
bool S_Byte_Reader::read_i32(int32_t& v) { return read(&v, 4); }
bool S_Byte_Reader::read_f32(float& v) { return read(&v, 4); }

S_Byte_Writer::S_Byte_Writer(Sink sink, size_t chunk) : sink_(std::move(sink)), chunk_(chunk) {}

bool S_Byte_Writer::write(const void* src, size_t n) {
  if (failed_) return false;
  try {
    bytes_.append(static_cast<const char*>(src), n);
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  return !sink_ || bytes_.size() < chunk_ || flush();
}

bool S_Byte_Writer::flush() {
  if (failed_) return false;
  if (!sink_ || bytes_.empty()) return true;
  failed_ = !sink_(bytes_);
  bytes_.clear();
  return !failed_;
}

bool S_Byte_Writer::write_u32(uint32_t v) { return write(&v, 4); }
bool S_Byte_Writer::write_i32(int32_t v) { return write(&v, 4); }
bool S_Byte_Writer::write_f32(float v) { return write(&v, 4); }
