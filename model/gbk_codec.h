// The one place where GBK texts meet UTF-8 (widgets, file paths, the report
// engine and the command line all take UTF-8 from here). GBK here is code
// page 936, the encoding of the instrument's and the project's texts.
#pragma once

#include <string>
#include <string_view>

// A byte that starts no valid character (a name cut inside a character, a
// damaged file) becomes U+FFFD; the rest of the text is kept. The GB18030
// forms that utf8_to_gbk writes read back as their characters.
std::string gbk_to_utf8(std::string_view gbk);

// A character that GBK cannot hold is stored in its GB18030 form, which
// leaves the bytes of every GBK character unchanged. Invalid UTF-8 becomes
// the GBK question mark.
std::string utf8_to_gbk(std::string_view utf8);
