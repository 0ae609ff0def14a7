// The four-byte forms of GB18030: how a character that no two-byte code
// holds is written, for the codec of a system that has no GB18030 converter.
#pragma once

#include <string>
#include <string_view>

// Appends the four-byte form of c to out; false when c has none (ASCII, a
// character with a two-byte code, a surrogate, past U+10FFFF).
bool gb18030_four_byte_form(char32_t c, std::string& out);

// The character whose four-byte form is four (exactly four bytes); 0 when the
// bytes are no four-byte form or one that names no character.
char32_t gb18030_four_byte_character(std::string_view four);
