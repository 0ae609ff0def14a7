#include "s_string.h"

#include <cstdint>
#include <cstring>

#include "s_byte_stream.h"

void S_String::assign(const char* text) { text_.assign(text ? text : ""); }

void S_String::assign(std::string_view bytes) {
  text_.assign(bytes.substr(0, bytes.find('\0')));
}

bool S_String::write(S_Byte_Writer& out) const {
  return out.write_i32(static_cast<int32_t>(text_.size())) && out.write(text_.data(), text_.size());
}

bool S_String::read(S_Byte_Reader& in) {
  int32_t n = 0;
  if (!in.read_i32(n)) return false;
  std::string_view bytes;
  if (n < 0 || !in.take(static_cast<size_t>(n), bytes)) return false;
  assign(bytes);
  return true;
}
