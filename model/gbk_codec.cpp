#include "gbk_codec.h"

#include "gbk_code_pages.h"

namespace {

constexpr std::string_view REPLACEMENT_CHARACTER = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

bool all_ascii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Length of the UTF-8 sequence that starts rest, judged by its lead byte and
// its continuation bytes; 1 for a byte that starts no sequence.
size_t utf8_sequence_length(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest[0]);
  const size_t n = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 1;
  if (n > rest.size()) return 1;
  for (size_t i = 1; i < n; ++i) {
    if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80) return 1;
  }
  return n;
}

}  // namespace

// Code page 936 is the encoding of the texts. Where it holds no character (a
// four-byte GB18030 form that utf8_to_gbk wrote, or a GB18030 user-defined
// code), the GB18030 reading is taken; a byte that neither reads becomes U+FFFD
// and decoding goes on with the next byte.
std::string gbk_to_utf8(std::string_view gbk) {
  if (all_ascii(gbk)) return std::string(gbk);
  std::string out;
  out.reserve(gbk.size() * 3 / 2 + 4);
  size_t at = 0;
  while (true) {
    at += cp936_decode_prefix(gbk.substr(at), out);
    if (at == gbk.size()) break;
    const std::string_view rest = gbk.substr(at);
    if (rest.size() >= 2 && gb18030_decode_character(rest.substr(0, 2), out)) {
      at += 2;
    } else if (rest.size() >= 4 && gb18030_decode_character(rest.substr(0, 4), out)) {
      at += 4;
    } else {
      out += REPLACEMENT_CHARACTER;
      at += 1;
    }
  }
  return out;
}

// Every character that code page 936 holds gets its bytes; any other gets its
// GB18030 form (GB18030 holds all of Unicode), so no character is dropped. Only
// bytes that are not UTF-8 become the question mark.
std::string utf8_to_gbk(std::string_view utf8) {
  if (all_ascii(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  size_t at = 0;
  while (true) {
    at += cp936_encode_prefix(utf8.substr(at), out);
    if (at == utf8.size()) break;
    const size_t n = utf8_sequence_length(utf8.substr(at));
    if (!gb18030_encode_character(utf8.substr(at, n), out)) out += '?';
    at += n;
  }
  return out;
}
