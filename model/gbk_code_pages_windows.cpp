// Code page 936 through MultiByteToWideChar and WideCharToMultiByte. GB18030
// is not asked of the system: Wine has no code page 54936, and the forms that
// code page 936 leaves to GB18030 are its four-byte forms, which
// gb18030_four_byte.cpp writes and reads the way glibc's converter does.
#include <windows.h>

#include <algorithm>

#include "gb18030_four_byte.h"
#include "gbk_code_pages.h"

namespace {

constexpr UINT GBK_CODE_PAGE = 936;

// The UTF-16 of bytes in the code page; false when any of them is invalid.
bool to_wide(UINT code_page, std::string_view bytes, std::wstring& wide) {
  wide.clear();
  if (bytes.empty()) return true;
  const int n = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(), n, nullptr, 0);
  if (length <= 0) return false;
  wide.resize(static_cast<size_t>(length));
  return MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, bytes.data(), n, wide.data(), length) == length;
}

void append_utf8(std::wstring_view wide, std::string& out) {
  if (wide.empty()) return;
  const int n = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  const size_t at = out.size();
  out.resize(at + static_cast<size_t>(length));
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, out.data() + at, length, nullptr, nullptr);
}

// True for a private-use character that code page 936 gives two bytes but
// glibc's code page 936 leaves to GB18030, which writes it in four.
bool written_in_four_bytes(wchar_t c) {
  std::string form;
  return c >= 0xE000 && c <= 0xF8FF && gb18030_four_byte_form(c, form);
}

// Appends the code page 936 bytes of wide; false (nothing appended) when a
// character has none (no best-fit look-alike, no default character) or is
// written in its four-byte form.
bool append_gbk(std::wstring_view wide, std::string& out) {
  if (wide.empty()) return true;
  for (const wchar_t c : wide) {
    if (written_in_four_bytes(c)) return false;
  }
  const int n = static_cast<int>(wide.size());
  BOOL defaulted = FALSE;
  const int length = WideCharToMultiByte(GBK_CODE_PAGE, WC_NO_BEST_FIT_CHARS, wide.data(), n, nullptr, 0,
                                         nullptr, &defaulted);
  if (length <= 0 || defaulted) return false;
  const size_t at = out.size();
  out.resize(at + static_cast<size_t>(length));
  WideCharToMultiByte(GBK_CODE_PAGE, WC_NO_BEST_FIT_CHARS, wide.data(), n, out.data() + at, length, nullptr,
                      nullptr);
  return true;
}

// The length of the code page 936 character that starts rest: a lead byte
// takes the next byte with it.
size_t gbk_character_length(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest[0]);
  return lead >= 0x81 && lead <= 0xFE && rest.size() >= 2 ? 2 : 1;
}

size_t utf8_character_length(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest[0]);
  const size_t n = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return lead < 0x80 ? 1 : std::min(n, rest.size());
}

// The one character of a UTF-16 text of one or two units.
char32_t single_character(std::wstring_view wide) {
  if (wide.size() == 1) return wide[0];
  return 0x10000 + ((static_cast<char32_t>(wide[0]) - 0xD800) << 10) +
         (static_cast<char32_t>(wide[1]) - 0xDC00);
}

}  // namespace

// The whole text at once when it converts; otherwise character by character
// up to the first that does not.
size_t cp936_decode_prefix(std::string_view gbk, std::string& out) {
  std::wstring wide;
  if (to_wide(GBK_CODE_PAGE, gbk, wide)) {
    append_utf8(wide, out);
    return gbk.size();
  }
  size_t at = 0;
  while (at < gbk.size()) {
    const size_t n = gbk_character_length(gbk.substr(at));
    if (!to_wide(GBK_CODE_PAGE, gbk.substr(at, n), wide)) break;
    append_utf8(wide, out);
    at += n;
  }
  return at;
}

size_t cp936_encode_prefix(std::string_view utf8, std::string& out) {
  std::wstring wide;
  if (to_wide(CP_UTF8, utf8, wide) && append_gbk(wide, out)) return utf8.size();
  size_t at = 0;
  while (at < utf8.size()) {
    const size_t n = utf8_character_length(utf8.substr(at));
    if (!to_wide(CP_UTF8, utf8.substr(at, n), wide) || !append_gbk(wide, out)) break;
    at += n;
  }
  return at;
}

// Code page 936 already holds every two-byte code, the user-defined ones
// included; what is left are the four-byte forms.
bool gb18030_decode_character(std::string_view code, std::string& out) {
  const char32_t c = gb18030_four_byte_character(code);
  if (c == 0) return false;
  std::wstring wide;
  if (c < 0x10000) {
    wide += static_cast<wchar_t>(c);
  } else {
    wide += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
    wide += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
  append_utf8(wide, out);
  return true;
}

bool gb18030_encode_character(std::string_view utf8, std::string& out) {
  std::wstring wide;
  if (!to_wide(CP_UTF8, utf8, wide) || wide.empty() || wide.size() > 2) return false;
  return gb18030_four_byte_form(single_character(wide), out);
}
