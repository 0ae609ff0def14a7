// S_String: assignment up to the first zero byte and the stream form
// (int32 length, then the bytes), including hostile lengths.
#include <gtest/gtest.h>

#include "allocation_probe.h"
#include "model/s_byte_stream.h"
#include "model/s_string.h"
#include "test_support.h"

using namespace test_support;

namespace {

struct Write_Case {
  const char* name;
  std::string text;
  std::string form;  // written by hand
};
// Listed by its name (test names stay the same from run to run).
void PrintTo(const Write_Case& c, std::ostream* os) { *os << c.name; }

class S_String_Write : public ::testing::TestWithParam<Write_Case> {};

TEST_P(S_String_Write, WritesLengthThenBytes) {
  S_String s;
  s.assign(GetParam().text);
  S_Byte_Writer out;
  ASSERT_TRUE(s.write(out));
  EXPECT_EQ(hex(out.bytes()), hex(GetParam().form));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, S_String_Write,
    ::testing::Values(Write_Case{"abc", "abc", bytes({0x03, 0, 0, 0, 0x61, 0x62, 0x63})},
                      Write_Case{"empty", "", bytes({0, 0, 0, 0})},
                      // 新构件 in GBK: D0C2 B9B9 BCFE (six bytes, so length 6)
                      Write_Case{"gbk", bytes({0xD0, 0xC2, 0xB9, 0xB9, 0xBC, 0xFE}),
                                 bytes({0x06, 0, 0, 0, 0xD0, 0xC2, 0xB9, 0xB9, 0xBC, 0xFE})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(S_String, AssignStopsAtTheFirstZeroByte) {
  S_String s;
  s.assign(std::string_view("ab\0cd", 5));
  EXPECT_EQ(s.bytes(), "ab");
  const char text[] = {'x', 'y', '\0', 'z', '\0'};
  s.assign(text);
  EXPECT_EQ(s.bytes(), "xy");
  S_String copy;
  copy.assign(s);
  EXPECT_EQ(copy.bytes(), "xy");
  EXPECT_STREQ(copy.c_str(), "xy");
}

struct Read_Case {
  const char* name;
  std::string stream;
  bool ok;
  std::string text;     // the text afterwards ("old" when unchanged)
  size_t consumed;      // bytes taken from the stream on success
};
// Listed by its name (test names stay the same from run to run).
void PrintTo(const Read_Case& c, std::ostream* os) { *os << c.name; }

class S_String_Read : public ::testing::TestWithParam<Read_Case> {};

TEST_P(S_String_Read, ReadsOrRefusesWithoutChange) {
  const Read_Case& c = GetParam();
  S_String s;
  s.assign("old");
  S_Byte_Reader in(c.stream);
  Allocation_Probe probe;
  EXPECT_EQ(s.read(in), c.ok);
  // Nothing is ever allocated beyond the bytes that are actually there.
  EXPECT_LE(probe.largest(), c.stream.size() + 32);
  EXPECT_EQ(s.bytes(), c.text);
  if (c.ok) {
    EXPECT_EQ(in.position(), c.consumed);
  }
}

const std::string tail10 = std::string(10, 'q');

INSTANTIATE_TEST_SUITE_P(
    Streams, S_String_Read,
    ::testing::Values(
        Read_Case{"abc", bytes({3, 0, 0, 0, 'a', 'b', 'c', 'z'}), true, "abc", 7},
        Read_Case{"empty", bytes({0, 0, 0, 0}), true, "", 4},
        // A stored zero byte cuts the text, but the whole stored length is consumed.
        Read_Case{"zero_inside", bytes({5, 0, 0, 0, 'a', 0, 'b', 'c', 'd'}), true, "a", 9},
        Read_Case{"nothing", "", false, "old", 0},
        Read_Case{"length_cut", bytes({3, 0, 0}), false, "old", 0},
        Read_Case{"bytes_cut", bytes({3, 0, 0, 0, 'a', 'b'}), false, "old", 0},
        Read_Case{"negative", bytes({0xFF, 0xFF, 0xFF, 0xFF}) + tail10, false, "old", 0},
        Read_Case{"most_negative", bytes({0, 0, 0, 0x80}) + tail10, false, "old", 0},
        Read_Case{"huge", bytes({0xFF, 0xFF, 0xFF, 0x7F}) + tail10, false, "old", 0},
        Read_Case{"one_too_many", bytes({11, 0, 0, 0}) + tail10, false, "old", 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
