#include "s_string.h"

#include <cstdint>
#include <limits>
#include <new>

#include "gbk_codec.h"
#include "s_byte_stream.h"

S_String S_String::from_utf8(std::string_view utf8) { return S_String(utf8_to_gbk(utf8)); }

std::string S_String::utf8() const { return gbk_to_utf8(text_); }

void S_String::assign(const char* text) { text_.assign(text ? text : ""); }

void S_String::assign(std::string_view bytes) { text_.assign(bytes.substr(0, bytes.find('\0'))); }

bool S_String::write(S_Byte_Writer& out) const {
  // A text too long for its int32 length cannot be stored without corrupting the file.
  if (text_.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return false;
  return out.write_i32(static_cast<int32_t>(text_.size())) && out.write(text_.data(), text_.size());
}

bool S_String::read(S_Byte_Reader& in) {
  int32_t n = 0;
  if (!in.read_i32(n)) return false;
  std::string_view bytes;
  if (n < 0 || !in.take(static_cast<size_t>(n), bytes)) return false;
  try {
    assign(bytes);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}
