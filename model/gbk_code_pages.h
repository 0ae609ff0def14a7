// The system's converters behind the GBK codec: code page 936 and GB18030,
// through iconv on Linux and the Windows code page functions on Windows. The
// codec itself (gbk_codec.cpp) decides which one each piece of text goes to,
// so that both systems give the same bytes and texts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Converts gbk up to its first byte sequence that code page 936 holds no
// character for, appending the UTF-8 to out; returns how many bytes it took.
size_t cp936_decode_prefix(std::string_view gbk, std::string& out);

// Converts utf8 up to its first character that code page 936 cannot hold (or
// its first invalid sequence), appending the bytes to out; returns how many
// bytes of utf8 it took.
size_t cp936_encode_prefix(std::string_view utf8, std::string& out);

// Reads exactly the whole of code (two or four bytes) as one GB18030
// character, appending its UTF-8 to out; false, with nothing appended, when
// it is none.
bool gb18030_decode_character(std::string_view code, std::string& out);

// Writes one UTF-8 sequence (exactly the whole of utf8) in GB18030; false,
// with nothing appended, when it is no valid character.
bool gb18030_encode_character(std::string_view utf8, std::string& out);
