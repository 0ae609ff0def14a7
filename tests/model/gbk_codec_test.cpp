// The GBK codec: the bytes of code page 936 both ways, broken bytes, and
// characters outside GBK kept in their GB18030 form. The same table runs on
// Linux (iconv) and on Windows (the system's code page 936), so that both
// builds read and write the same bytes.
#include <gtest/gtest.h>

#include "model/gb18030_four_byte.h"
#include "model/gbk_codec.h"
#include "test_support.h"

using namespace test_support;

namespace {

struct Pair {
  const char* utf8;
  std::string gbk;
};

// The GBK bytes are those of Python's gbk and gb18030 codecs; the euro sign
// is code page 936's single byte 0x80 as Microsoft's table has it.
const Pair pairs[] = {
    {"", ""},
    {"RV820 abc", "RV820 abc"},
    {"新构件", bytes({0xD0, 0xC2, 0xB9, 0xB9, 0xBC, 0xFE})},
    {"测区打印模版", bytes({0xB2, 0xE2, 0xC7, 0xF8, 0xB4, 0xF2, 0xD3, 0xA1, 0xC4, 0xA3, 0xB0, 0xE6})},
    {"C30混凝土", bytes({0x43, 0x33, 0x30, 0xBB, 0xEC, 0xC4, 0xFD, 0xCD, 0xC1})},
    {"€", bytes({0x80})},
    {"é", bytes({0xA8, 0xA6})},
    // Outside GBK: the four-byte GB18030 forms.
    {"😀", bytes({0x94, 0x39, 0xFC, 0x36})},
    {"𠀀", bytes({0x95, 0x32, 0x82, 0x36})},
    {"\xF4\x8F\xBF\xBF", bytes({0xE3, 0x32, 0x9A, 0x35})},  // U+10FFFF, the last character
    {"한", bytes({0x83, 0x36, 0x84, 0x33})},                // a four-byte form inside the BMP
    {"\xEF\xBF\xBF", bytes({0x84, 0x31, 0xA4, 0x39})},     // U+FFFF, the last of the BMP
    {"¤", bytes({0xA1, 0xE8})},
    {"a😀b新", bytes({'a', 0x94, 0x39, 0xFC, 0x36, 'b', 0xD0, 0xC2})},
    // A private-use character: GB18030's user-defined code.
    {"\xEE\x80\x80", bytes({0xAA, 0xA1})},
};

TEST(Gbk_Codec, BothWays) {
  for (const Pair& p : pairs) {
    EXPECT_EQ(hex(utf8_to_gbk(p.utf8)), hex(p.gbk)) << p.utf8;
    EXPECT_EQ(gbk_to_utf8(p.gbk), p.utf8) << p.utf8;
  }
}

TEST(Gbk_Codec, LongTextRoundTrip) {
  // Longer than the converter's buffer, with characters of every width.
  std::string text;
  for (int i = 0; i < 500; ++i) text += "工程-😀-€-x";
  EXPECT_EQ(gbk_to_utf8(utf8_to_gbk(text)), text);
}

TEST(Gbk_Codec, BrokenBytesBecomeReplacementAndTheRestIsKept) {
  const char* const fffd = "\xEF\xBF\xBD";
  struct Case {
    const char* what;
    std::string gbk;
    std::string utf8;
  };
  const Case cases[] = {
      {"cut at the end", bytes({'K', 'Z', 0xD0, 0xC2, 0xB9}), std::string("KZ新") + fffd},
      {"bad byte inside", bytes({'A', 0xFF, 'B', 0xD0, 0xC2}), std::string("A") + fffd + "B新"},
      {"lead before digits", bytes({0xD0, '1', '2', 0xBC, 0xFE}), std::string(fffd) + "12件"},
      {"cut four-byte form", bytes({'x', 0x94, 0x39}), std::string("x") + fffd + "9"},
      {"only a lead byte", bytes({0x81}), fffd},
      {"four-byte form past U+10FFFF", bytes({0xE3, 0x32, 0x9A, 0x36}), std::string(fffd) + "2" + fffd + "6"},
      {"lone 0xFF", bytes({0xFF}), fffd},
  };
  for (const Case& c : cases) EXPECT_EQ(gbk_to_utf8(c.gbk), c.utf8) << c.what;
}

TEST(Gbk_Codec, InvalidUtf8BecomesQuestionMark) {
  EXPECT_EQ(hex(utf8_to_gbk("\xFF" "abc")), hex("?abc"));
  EXPECT_EQ(hex(utf8_to_gbk("\xED\xA0\x80" "新")), hex(std::string("?") + bytes({0xD0, 0xC2})));
  EXPECT_EQ(hex(utf8_to_gbk("\xC0\xAF" "a")), hex("??a"));  // an overlong slash
  EXPECT_EQ(hex(utf8_to_gbk("\xE6\x96" "a")), hex("??a"));  // a character cut short
}

std::string utf8_of(char32_t c) {
  std::string s;
  if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  }
  s += static_cast<char>(0x80 | (c & 0x3F));
  return s;
}

// Every character of the BMP outside GBK is written in its four-byte form
// and read back. On Linux this holds the four-byte table against iconv.
TEST(Gbk_Codec, FourByteFormsOfTheWholeBmp) {
  int four_byte = 0;
  for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string gbk = utf8_to_gbk(utf8_of(c));
    std::string form;
    const bool has_form = gb18030_four_byte_form(c, form);
    if (gbk.size() == 4 || has_form) {
      ASSERT_EQ(hex(gbk), hex(form)) << std::hex << static_cast<uint32_t>(c);
      ASSERT_EQ(gb18030_four_byte_character(form), c) << std::hex << static_cast<uint32_t>(c);
      ASSERT_EQ(gbk_to_utf8(gbk), utf8_of(c)) << std::hex << static_cast<uint32_t>(c);
      ++four_byte;
    }
  }
  // GB18030 leaves about 39,000 characters of the BMP to its four-byte forms.
  EXPECT_GT(four_byte, 39000);
}

}  // namespace
