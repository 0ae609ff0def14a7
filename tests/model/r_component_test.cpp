// R_Area and R_Component: defaults, the area list, clone, and the stream
// forms byte for byte (the results stored as avg, sd, e, min).
#include <gtest/gtest.h>

#include <cstring>
#include <ctime>

#include "model/r_component.h"
#include "model/s_byte_stream.h"
#include "test_support.h"

using namespace test_support;

namespace {

void fill_area(R_Area& a, int seed) {
  for (int r = 0; r < 16; ++r) a.readings[r] = static_cast<uint8_t>(seed + r);
  a.avg_rebound = 10.5f + static_cast<float>(seed);
  a.strength = -2.25f + static_cast<float>(seed);
}

// A component whose every field differs from its default and from the others.
void fill_component(R_Component& c) {
  c.component_name.assign("KZ-1");
  c.component_date.assign("2013-05-07");
  c.produced_date.assign("2013-04-01");
  c.bak_info.assign(bytes({0xB1, 0xB8, 0xD7, 0xA2}));  // 备注 in GBK
  c.device_type.assign("RV820");
  c.device_num.assign("0820117");
  c.tester.assign("T");
  c.certificate_serial.assign("No.9");
  c.examine_basis.assign("JGJT 294-2013");
  c.strength_grade = 3;
  c.strength_avg = 27.5f;
  c.strength_min = 21.75f;
  c.strength_sd = 3.875f;
  c.strength_e = 21.0625f;
  c.set_area_count(3);
  for (int i = 0; i < 3; ++i) fill_area(c.areas[i], 30 + i);
  c.set_checked(1);
}

std::string area_form(const R_Area& a) {
  return le_f32(a.avg_rebound) + le_f32(a.strength) +
         std::string(reinterpret_cast<const char*>(a.readings), 16);
}

void expect_same_areas(const R_Component& a, const R_Component& b, uint32_t n) {
  for (uint32_t i = 0; i < n; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(bits_of(a.areas[i].avg_rebound), bits_of(b.areas[i].avg_rebound));
    EXPECT_EQ(bits_of(a.areas[i].strength), bits_of(b.areas[i].strength));
    EXPECT_EQ(0, std::memcmp(a.areas[i].readings, b.areas[i].readings, 16));
  }
}

TEST(R_Area, WritesTwentyFourBytesInFieldOrder) {
  R_Area a;
  fill_area(a, 7);
  S_Byte_Writer out;
  ASSERT_TRUE(a.write(out));
  // avg_rebound 17.5 = 0x418C0000, strength 4.75 = 0x40980000, then readings 7..22.
  EXPECT_EQ(hex(out.bytes()), hex(bytes({0x00, 0x00, 0x8C, 0x41, 0x00, 0x00, 0x98, 0x40, 7, 8, 9, 10, 11, 12,
                                         13, 14, 15, 16, 17, 18, 19, 20, 21, 22})));
  R_Area back;
  S_Byte_Reader in(out.bytes());
  ASSERT_TRUE(back.read(in));
  EXPECT_EQ(area_form(back), out.bytes());
  back.init();
  EXPECT_EQ(area_form(back), std::string(24, '\0'));
}

TEST(R_Area, ShortReadKeepsWhatWasRead) {
  R_Area a;
  const std::string form = le_f32(1.5f) + le_f32(2.5f) + "abc";
  S_Byte_Reader in(form);
  EXPECT_FALSE(a.read(in));
  EXPECT_EQ(a.avg_rebound, 1.5f);
  EXPECT_EQ(a.strength, 2.5f);
}

TEST(R_Component, NewComponentHasItsDefaults) {
  R_Component c;
  EXPECT_EQ(hex(c.component_name.bytes()), hex(bytes({0xD0, 0xC2, 0xB9, 0xB9, 0xBC, 0xFE})));  // 新构件
  EXPECT_EQ(c.component_date.bytes(), today());
  EXPECT_EQ(c.produced_date.bytes(), today());
  EXPECT_EQ(c.bak_info.bytes(), "");
  EXPECT_EQ(c.device_type.bytes(), "RV820");
  EXPECT_EQ(c.device_num.bytes(), "");
  EXPECT_EQ(c.tester.bytes(), "");
  EXPECT_EQ(c.certificate_serial.bytes(), "");
  EXPECT_EQ(c.examine_basis.bytes(), "JGJT 294-2013");
  EXPECT_EQ(c.strength_grade, 0);
  EXPECT_EQ(bits_of(c.strength_avg) | bits_of(c.strength_min) | bits_of(c.strength_sd) | bits_of(c.strength_e),
            0u);
  EXPECT_EQ(c.is_checked(), 0);
  EXPECT_EQ(c.get_area_count(), 1u);
  EXPECT_EQ(area_form(c.areas[0]), std::string(24, '\0'));
}

TEST(R_Component, AddAreaStopsAtFifty) {
  R_Component c;
  while (c.get_area_count() < 50) ASSERT_TRUE(c.add_area());
  fill_area(c.areas[49], 5);  // an area removed and added again comes back cleared
  ASSERT_TRUE(c.remove_area(49));
  EXPECT_TRUE(c.add_area());
  EXPECT_EQ(c.get_area_count(), 50u);
  EXPECT_EQ(area_form(c.areas[49]), std::string(24, '\0'));
  EXPECT_FALSE(c.add_area());
  EXPECT_EQ(c.get_area_count(), 50u);
}

TEST(R_Component, RemoveAreaClosesTheGapOrRefuses) {
  struct Case {
    uint32_t count;
    int32_t index;
    bool ok;
    std::vector<int> left;  // seeds of the areas that remain
  };
  const Case cases[] = {
      {3, 0, true, {1, 2}}, {3, 1, true, {0, 2}}, {3, 2, true, {0, 1}}, {2, 2, false, {0, 1}},
      {2, -1, false, {0, 1}}, {1, 0, true, {}},
  };
  // Seeds 0, 1, 2 stand for areas A, B, C.
  const int seeds[] = {10, 20, 30};
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message() << "count " << k.count << " index " << k.index);
    R_Component c;
    c.set_area_count(k.count);
    for (uint32_t i = 0; i < k.count; ++i) fill_area(c.areas[i], seeds[i]);
    EXPECT_EQ(c.remove_area(k.index), k.ok);
    ASSERT_EQ(c.get_area_count(), k.left.size());
    for (size_t i = 0; i < k.left.size(); ++i) {
      R_Area expected;
      fill_area(expected, seeds[k.left[i]]);
      EXPECT_EQ(hex(area_form(c.areas[i])), hex(area_form(expected))) << "slot " << i;
    }
  }
}

TEST(R_Component, CloneCopiesAndIsIndependent) {
  R_Component source;
  fill_component(source);
  std::unique_ptr<R_Component> copy = source.clone();
  ASSERT_TRUE(copy);
  EXPECT_EQ(hex(stream_of(*copy)), hex(stream_of(source)));
  EXPECT_EQ(copy->is_checked(), 1);
  const std::string before = stream_of(source);
  copy->component_name.assign("other");
  copy->areas[1].readings[0] = 99;
  copy->strength_avg = 1.0f;
  copy->remove_area(0);
  EXPECT_EQ(stream_of(source), before);
}

TEST(R_Component, StreamFormByteForByte) {
  R_Component c;
  fill_component(c);
  std::string expected;
  for (const char* t : {"KZ-1", "2013-05-07", "2013-04-01"}) expected += text_form(t);
  expected += text_form(bytes({0xB1, 0xB8, 0xD7, 0xA2}));
  for (const char* t : {"RV820", "0820117", "T", "No.9", "JGJT 294-2013"}) expected += text_form(t);
  // The results in stream order: mean, standard deviation, estimate, minimum.
  expected += le_f32(27.5f) + le_f32(3.875f) + le_f32(21.0625f) + le_f32(21.75f);
  expected += le32(3) + le32(3) + bytes({1});
  for (int i = 0; i < 3; ++i) {
    R_Area a;
    fill_area(a, 30 + i);
    expected += area_form(a);
  }
  EXPECT_EQ(hex(stream_of(c)), hex(expected));
}

TEST(R_Component, WritesOnlyTheAreasInUse) {
  R_Component c;
  const size_t one = stream_of(c).size();
  c.add_area();
  c.add_area();
  EXPECT_EQ(stream_of(c).size(), one + 2 * 24);
}

TEST(R_Component, ReadBackGivesEveryField) {
  R_Component source;
  fill_component(source);
  const std::string form = stream_of(source);
  R_Component back;
  S_Byte_Reader in(form);
  ASSERT_TRUE(back.read(in));
  EXPECT_EQ(in.remaining(), 0u);
  EXPECT_EQ(back.component_name, source.component_name);
  EXPECT_EQ(back.bak_info, source.bak_info);
  EXPECT_EQ(back.examine_basis, source.examine_basis);
  EXPECT_EQ(back.strength_grade, 3);
  EXPECT_EQ(back.strength_avg, 27.5f);
  EXPECT_EQ(back.strength_sd, 3.875f);
  EXPECT_EQ(back.strength_e, 21.0625f);
  EXPECT_EQ(back.strength_min, 21.75f);
  EXPECT_EQ(back.get_area_count(), 3u);
  EXPECT_EQ(back.is_checked(), 1);
  expect_same_areas(back, source, 3);
  EXPECT_EQ(stream_of(back), form);
}

TEST(R_Component, EveryCutOfTheStreamFailsAndKeepsWhatWasRead) {
  R_Component source;
  fill_component(source);
  const std::string form = stream_of(source);
  for (size_t cut = 0; cut < form.size(); ++cut) {
    SCOPED_TRACE(cut);
    R_Component c;
    S_Byte_Reader in(std::string_view(form).substr(0, cut));
    EXPECT_FALSE(c.read(in));
  }
  // Cut right after the count: the texts and results are in, the flag is not.
  const size_t texts = form.size() - 3 * 24 - 1 - 4 - 4 - 16;
  R_Component c;
  S_Byte_Reader in(std::string_view(form).substr(0, texts + 16 + 4 + 4));
  EXPECT_FALSE(c.read(in));
  EXPECT_EQ(c.examine_basis, source.examine_basis);
  EXPECT_EQ(c.strength_min, 21.75f);
  EXPECT_EQ(c.strength_grade, 3);
  EXPECT_EQ(c.get_area_count(), 3u);
  EXPECT_EQ(c.is_checked(), 0);
}

TEST(R_Component, RefusesMoreThanFiftyAreas) {
  R_Component source;
  fill_component(source);
  for (uint32_t count : {51u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(count);
    std::string form = stream_of(source);
    const size_t count_at = form.size() - 3 * 24 - 1 - 4;
    form.replace(count_at, 4, le32(count));
    form += std::string(51 * 24, '\x01');  // enough bytes for 51 areas
    R_Component c;
    S_Byte_Reader in(form);
    EXPECT_FALSE(c.read(in));
    EXPECT_EQ(c.get_area_count(), 1u);
    EXPECT_EQ(area_form(c.areas[0]), std::string(24, '\0'));
  }
  // Fifty is accepted.
  R_Component full;
  while (full.add_area()) {
  }
  const std::string form = stream_of(full);
  R_Component back;
  S_Byte_Reader in(form);
  EXPECT_TRUE(back.read(in));
  EXPECT_EQ(back.get_area_count(), 50u);
}

TEST(Strength_Grades, ListInOrder) {
  const char* expected[] = {"C30", "C40", "C50", "C60", "C70", "C80", "C90", "C100", ""};
  for (int i = 0; i < STRENGTH_GRADE_COUNT; ++i) EXPECT_STREQ(strength_grade_text(i), expected[i]);
  EXPECT_STREQ(strength_grade_text(-1), "");
  EXPECT_STREQ(strength_grade_text(255), "");
}

}  // namespace
