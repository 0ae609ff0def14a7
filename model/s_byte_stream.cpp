#include "s_byte_stream.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

static_assert(std::endian::native == std::endian::little,
              "the stream helpers copy little-endian numbers as they are");

S_Byte_Reader::S_Byte_Reader(Source source, size_t total, size_t chunk)
    : total_(total), source_(std::move(source)), chunk_(chunk) {}

bool S_Byte_Reader::hold(size_t n) {
  if (window_.size() - pos_ >= n) return true;
  if (!source_) return false;
  // The bytes not yet consumed move to the front; the rest of the buffer is
  // filled from the source, up to a chunk or what the read needs.
  const size_t kept = window_.size() - pos_;
  const size_t wanted = std::min(std::max(chunk_, n), remaining());
  try {
    if (buffer_.size() < wanted) {
      std::string grown(wanted, '\0');
      grown.replace(0, kept, window_.substr(pos_));
      buffer_.swap(grown);
    } else if (kept > 0) {
      std::memmove(buffer_.data(), window_.data() + pos_, kept);
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  size_t have = kept;
  while (have < wanted) {
    const size_t got = source_(buffer_.data() + have, wanted - have);
    if (got == 0) break;
    have += got;
  }
  window_ = std::string_view(buffer_.data(), have);
  pos_ = 0;
  return have >= n;
}

bool S_Byte_Reader::read(void* dst, size_t n) {
  if (n > remaining() || !hold(n)) return false;
  if (n) std::memcpy(dst, window_.data() + pos_, n);
  pos_ += n;
  consumed_ += n;
  return true;
}

size_t S_Byte_Reader::read_some(void* dst, size_t n) {
  n = std::min(n, remaining());
  if (!hold(n)) n = window_.size() - pos_;
  read(dst, n);
  return n;
}

bool S_Byte_Reader::take(size_t n, std::string_view& out) {
  if (n > remaining() || !hold(n)) return false;
  out = window_.substr(pos_, n);
  pos_ += n;
  consumed_ += n;
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
