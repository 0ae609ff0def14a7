// The instrument component file: reading into Device_Record, importing into a
// component, the packed date, and the mappings to and from a component.
#include "model/device_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/s_byte_stream.h"
#include "test_support.h"
#include "tools/device_file_writer.h"

using namespace test_support;

namespace {

bool import_bytes(R_Component& c, const std::string& bytes) {
  S_Byte_Reader in(bytes);
  return import_device_file(c, in);
}

Sample_Device three_areas() {
  Sample_Device d;
  d.name = "KZ-12";
  d.device_num = "0820117";
  d.strength_grade = 2;
  // Four distinct results, so that their offsets are told apart.
  d.strength_avg = 31.5f;
  d.strength_min = 22.25f;
  d.strength_sd = 4.125f;
  d.strength_e = 24.75f;
  for (int i = 0; i < 3; ++i) {
    Sample_Area a;
    for (int r = 0; r < 16; ++r) a.readings[r] = static_cast<uint8_t>(40 + 10 * i + r);
    a.avg_rebound = 40.5f + static_cast<float>(i);
    a.strength = 30.25f + static_cast<float>(i);
    d.areas.push_back(a);
  }
  return d;
}

TEST(Device_File, WriterLaysOutTheBytes) {
  const std::string file = device_file_bytes(three_areas());
  ASSERT_EQ(file.size(), 180u);  // 96 + 3 * 28
  EXPECT_EQ(file.substr(0, 8), std::string("KZ-12\0\0\0", 8));
  // 2013-05-07: (33 << 9 | 5 << 5 | 7) = 0x42A7 in the upper half.
  EXPECT_EQ(hex(file.substr(8, 4)), hex(bytes({0, 0, 0xA7, 0x42})));
  EXPECT_EQ(file.substr(20, 8), std::string("RV820\0\0\0", 8));
  EXPECT_EQ(static_cast<uint8_t>(file[62]), 2);
  EXPECT_EQ(static_cast<uint8_t>(file[63]), 3);
  EXPECT_EQ(file.substr(80, 16), le_f32(31.5f) + le_f32(22.25f) + le_f32(4.125f) + le_f32(24.75f));
  EXPECT_EQ(file.substr(96 + 28 + 20, 8), le_f32(41.5f) + le_f32(31.25f));
}

TEST(Device_File, ImportsThreeAreas) {
  R_Component c;
  c.bak_info.assign("kept");
  c.tester.assign("kept");
  c.set_checked(1);
  ASSERT_TRUE(import_bytes(c, device_file_bytes(three_areas())));
  EXPECT_EQ(c.component_name.bytes(), "KZ-12");
  EXPECT_EQ(c.component_date.bytes(), "2013-05-07");
  EXPECT_EQ(c.produced_date.bytes(), "2013-05-07");
  EXPECT_EQ(c.device_type.bytes(), "RV820");
  EXPECT_EQ(c.device_num.bytes(), "0820117");
  EXPECT_EQ(c.strength_grade, 2);
  EXPECT_EQ(c.strength_avg, 31.5f);
  EXPECT_EQ(c.strength_min, 22.25f);
  EXPECT_EQ(c.strength_sd, 4.125f);
  EXPECT_EQ(c.strength_e, 24.75f);
  ASSERT_EQ(c.get_area_count(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(c.areas[i].avg_rebound, 40.5f + static_cast<float>(i));
    EXPECT_EQ(c.areas[i].strength, 30.25f + static_cast<float>(i));
    for (int r = 0; r < 16; ++r) EXPECT_EQ(c.areas[i].readings[r], 40 + 10 * i + r);
  }
  // Not part of the file: left as they were.
  EXPECT_EQ(c.bak_info.bytes(), "kept");
  EXPECT_EQ(c.tester.bytes(), "kept");
  EXPECT_EQ(c.examine_basis.bytes(), "JGJT 294-2013");
  EXPECT_EQ(c.is_checked(), 1);
}

TEST(Device_File, FiftyAreasAcceptedFiftyOneRefused) {
  Sample_Device d = sample_device("B", 50, 40);
  const std::string full = device_file_bytes(d);
  ASSERT_EQ(full.size(), 1496u);
  R_Component c;
  ASSERT_TRUE(import_bytes(c, full));
  EXPECT_EQ(c.get_area_count(), 50u);
  EXPECT_EQ(std::memcmp(c.areas[49].readings, d.areas[49].readings, 16), 0);

  for (int count : {51, 255}) {
    SCOPED_TRACE(count);
    Sample_Device too_many = sample_device("B", 51, 40);
    too_many.area_count_override = count;
    R_Component fresh;
    R_Component target;
    EXPECT_FALSE(import_bytes(target, device_file_bytes(too_many)));
    EXPECT_EQ(hex(stream_of(target)), hex(stream_of(fresh)));
  }
}

TEST(Device_File, EmptyFileGivesZeros) {
  R_Component c;
  ASSERT_TRUE(import_bytes(c, ""));
  EXPECT_EQ(c.component_name.bytes(), "");
  EXPECT_EQ(c.device_type.bytes(), "");
  EXPECT_EQ(c.strength_grade, 0);
  EXPECT_EQ(c.get_area_count(), 0u);
  EXPECT_EQ(
      bits_of(c.strength_avg) | bits_of(c.strength_min) | bits_of(c.strength_sd) | bits_of(c.strength_e), 0u);
  EXPECT_EQ(c.component_date.bytes(), "1899-12-30");  // the all-zero date is not a date
}

// A file cut anywhere imports like the whole file with every byte from the
// cut on set to zero.
TEST(Device_File, CutFileReadsAsZeroFilled) {
  const std::string whole = device_file_bytes(three_areas());
  for (size_t cut : {size_t{5}, size_t{10}, size_t{30}, size_t{63}, size_t{64}, size_t{70}, size_t{90},
                     size_t{96}, size_t{96 + 28 + 5}, size_t{96 + 28 + 22}, whole.size() - 1}) {
    SCOPED_TRACE(cut);
    std::string zero_filled = whole;
    std::fill(zero_filled.begin() + static_cast<long>(cut), zero_filled.end(), '\0');
    R_Component from_cut;
    R_Component from_zeros;
    ASSERT_TRUE(import_bytes(from_cut, whole.substr(0, cut)));
    ASSERT_TRUE(import_bytes(from_zeros, zero_filled));
    EXPECT_EQ(hex(stream_of(from_cut)), hex(stream_of(from_zeros)));
  }
  // Cut inside the header after the count: the areas are there but empty.
  R_Component c;
  ASSERT_TRUE(import_bytes(c, whole.substr(0, 70)));
  EXPECT_EQ(c.component_name.bytes(), "KZ-12");
  EXPECT_EQ(c.get_area_count(), 3u);
  EXPECT_EQ(c.strength_avg, 0.0f);
  EXPECT_EQ(c.areas[2].readings[0], 0);
}

TEST(Device_File, GradeByte) {
  const std::pair<int, int32_t> cases[] = {{255, 0}, {2, 2}, {0, 0}, {8, 8}, {9, 9}, {254, 254}};
  for (auto [byte, grade] : cases) {
    Sample_Device d = three_areas();
    d.strength_grade = static_cast<uint8_t>(byte);
    R_Component c;
    c.strength_grade = 5;
    ASSERT_TRUE(import_bytes(c, device_file_bytes(d)));
    EXPECT_EQ(c.strength_grade, grade) << "byte " << byte;
  }
}

TEST(Device_File, TextFields) {
  struct Case {
    const char* what;
    std::string field8;  // the 8 bytes written
    std::string name, type, num;
  };
  // Every field is followed by bytes that are not zero, so a text that ran on
  // past its field would show them.
  const Case cases[] = {
      {"short", std::string("AB\0\0\0\0\0\0", 8), "AB", "AB", "AB"},
      {"eight bytes", "ABCDEFGH", "ABCDEFG", "ABCDEFGH", "ABCDEFGH"},
      {"zero inside", std::string("A\0CDEFGH", 8), "A", "A", "A"},
      // 新构件 cut by the name's 7-byte limit: the name keeps its bytes; the codec
      // shows the cut character as a replacement character.
      {"gbk", bytes({0xD0, 0xC2, 0xB9, 0xB9, 0xBC, 0xFE, 0xD0, 0xC2}),
       bytes({0xD0, 0xC2, 0xB9, 0xB9, 0xBC, 0xFE, 0xD0}),
       bytes({0xD0, 0xC2, 0xB9, 0xB9, 0xBC, 0xFE, 0xD0, 0xC2}),
       bytes({0xD0, 0xC2, 0xB9, 0xB9, 0xBC, 0xFE, 0xD0, 0xC2})},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    std::string file = device_file_bytes(three_areas());
    std::fill(file.begin() + 12, file.begin() + 20, '\x7E');
    std::fill(file.begin() + 36, file.begin() + 44, '\x7E');
    file.replace(0, 8, k.field8);
    file.replace(20, 8, k.field8);
    file.replace(28, 8, k.field8);
    R_Component c;
    ASSERT_TRUE(import_bytes(c, file));
    EXPECT_EQ(hex(c.component_name.bytes()), hex(k.name));
    EXPECT_EQ(hex(c.device_type.bytes()), hex(k.type));
    EXPECT_EQ(hex(c.device_num.bytes()), hex(k.num));
  }
}

uint32_t packed(int year_bits, int month, int day) {
  // FAT date in the upper half; the lower half (the time) must not matter.
  return static_cast<uint32_t>(year_bits) << 25 | static_cast<uint32_t>(month) << 21 |
         static_cast<uint32_t>(day) << 16 | 0xBEEFu;
}

TEST(Device_File, PackedDateText) {
  struct Case {
    uint32_t value;
    const char* text;
  };
  const Case cases[] = {
      {packed(33, 5, 7), "2013-05-07"},
      {packed(20, 1, 1), "2000-01-01"},
      {packed(119, 12, 31), "2099-12-31"},
      {packed(0, 1, 1), "1980-01-01"},
      {packed(127, 12, 31), "2107-12-31"},
      {packed(10, 6, 15), "1990-06-15"},
      {packed(44, 2, 29), "2024-02-29"},
      {packed(20, 2, 29), "2000-02-29"},
      // The years 2000 to 2099 keep the stored month and day, also where
      // they name no real day.
      {packed(43, 2, 29), "2023-02-29"},
      {packed(33, 0, 7), "2013-00-07"},
      {packed(33, 13, 7), "2013-13-07"},
      {packed(33, 15, 31), "2013-15-31"},
      {packed(33, 0, 0), "2013-00-00"},
      {packed(33, 4, 31), "2013-04-31"},
      {packed(20, 0, 0), "2000-00-00"},
      {packed(119, 14, 0), "2099-14-00"},
      // Other years name a date or give the empty date's text.
      {packed(120, 2, 29), "1899-12-30"},
      {packed(19, 13, 1), "1899-12-30"},
      {packed(0, 0, 0), "1899-12-30"},
      {packed(127, 2, 30), "1899-12-30"},
      {0, "1899-12-30"},
  };
  for (const Case& c : cases) EXPECT_EQ(packed_date_text(c.value), c.text) << std::hex << c.value;
}

TEST(Device_File, DateFromTheFile) {
  Sample_Device d = three_areas();
  d.month = 13;
  R_Component c;
  ASSERT_TRUE(import_bytes(c, device_file_bytes(d)));
  EXPECT_EQ(c.component_date.bytes(), "2013-13-07");
  EXPECT_EQ(c.produced_date.bytes(), "2013-13-07");
}

void fill_calculated(R_Component& c) {
  c.component_name.assign("from component");
  c.strength_grade = 4;
  c.strength_avg = 33.5f;
  c.strength_min = 28.25f;
  c.strength_sd = 2.5f;
  c.strength_e = 29.375f;
  for (int i = 1; i < 4; ++i) c.add_area();
  for (int i = 0; i < 4; ++i) {
    for (int r = 0; r < 16; ++r) c.areas[i].readings[r] = static_cast<uint8_t>(200 + i + r);
    c.areas[i].avg_rebound = 45.0f + static_cast<float>(i);
    c.areas[i].strength = 33.0f + static_cast<float>(i);
  }
}

TEST(Device_File, ToRecordWritesOnlyItsFields) {
  R_Component c;
  fill_calculated(c);
  Device_Record record;
  std::memset(&record, 0xA5, sizeof record);
  ASSERT_TRUE(to_device_record(c, record));
  std::string expected(1496, '\xA5');
  expected[62] = 4;
  expected[63] = 4;
  expected.replace(80, 16, le_f32(33.5f) + le_f32(28.25f) + le_f32(2.5f) + le_f32(29.375f));
  for (int i = 0; i < 4; ++i) {
    const size_t at = 96 + 28 * static_cast<size_t>(i);
    expected.replace(at, 16, std::string(reinterpret_cast<const char*>(c.areas[i].readings), 16));
    expected.replace(at + 20, 8, le_f32(c.areas[i].avg_rebound) + le_f32(c.areas[i].strength));
  }
  EXPECT_EQ(hex(std::string(reinterpret_cast<const char*>(&record), sizeof record)), hex(expected));
}

TEST(Device_File, RoundTripThroughARecord) {
  R_Component source;
  fill_calculated(source);
  Device_Record record;
  std::memset(&record, 0, sizeof record);
  std::memcpy(record.header.name, "RECNAME!", 8);
  record.header.packed_date = packed(33, 5, 7);
  std::memcpy(record.header.device_type, "RV820", 5);
  std::memcpy(record.header.device_num, "N1", 2);
  ASSERT_TRUE(to_device_record(source, record));
  R_Component back;
  fill_calculated(back);
  back.component_name.assign("other");
  for (int i = 0; i < 4; ++i) back.areas[i].init();
  back.strength_avg = 0;
  ASSERT_TRUE(from_device_record(back, record));
  // The five header texts come from the record, the rest is the component's.
  EXPECT_EQ(back.component_name.bytes(), "RECNAME");
  EXPECT_EQ(back.component_date.bytes(), "2013-05-07");
  EXPECT_EQ(back.device_num.bytes(), "N1");
  back.component_name = source.component_name;
  back.component_date = source.component_date;
  back.produced_date = source.produced_date;
  back.device_num = source.device_num;
  EXPECT_EQ(hex(stream_of(back)), hex(stream_of(source)));
}

TEST(Device_File, FromRecordHoldsOnlyTheRecordsAreas) {
  R_Component c;
  fill_calculated(c);
  Device_Record record;
  std::memset(&record, 0, sizeof record);
  record.header.area_count = 2;
  ASSERT_TRUE(from_device_record(c, record));
  EXPECT_EQ(c.get_area_count(), 2u);
  EXPECT_EQ(c.areas.size(), 2u);
}

TEST(Device_File, FromRecordRefusesMoreAreasThanSlots) {
  R_Component c;
  fill_calculated(c);
  const std::string before = stream_of(c);
  Device_Record record;
  std::memset(&record, 0, sizeof record);
  record.header.area_count = 51;
  EXPECT_FALSE(from_device_record(c, record));
  EXPECT_EQ(stream_of(c), before);
}

}  // namespace
