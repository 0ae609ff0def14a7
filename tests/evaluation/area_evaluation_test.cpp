// Test-area evaluation: average rebound value and converted strength bit for
// bit in float32, and the texts under which an area's values are shown.
//
// The expected bit patterns were computed independently of this code, in
// Python, by the rules: S = sum of sorted readings 3..12; A = float32(S * 0.1);
// average = float32(A + float32(0.000005)); strength = float32((0.75 R +
// (-7.83f)) + (0.0079f R) R) in double, with the coefficients as float32.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "evaluation/caculate2.h"
#include "tests/model/test_support.h"

using namespace test_support;

namespace {

struct Area_Case {
  const char* name;
  std::vector<int> readings;
  uint32_t avg_bits;
  uint32_t strength_bits;
  const char* avg_text;
  const char* strength_text;
};
// Listed by its name (test names stay the same from run to run).
void PrintTo(const Area_Case& c, std::ostream* os) { *os << c.name; }

std::vector<int> all(int v) { return std::vector<int>(16, v); }

std::vector<uint8_t> as_bytes(const std::vector<int>& r) { return std::vector<uint8_t>(r.begin(), r.end()); }

class Area_Evaluation : public ::testing::TestWithParam<Area_Case> {};

TEST_P(Area_Evaluation, AverageStrengthAndTexts) {
  const Area_Case& c = GetParam();
  const std::vector<uint8_t> readings = as_bytes(c.readings);
  const float avg = area_average(readings.data());
  const float strength = convert_strength(avg);
  EXPECT_EQ(bits_of(avg), c.avg_bits) << avg;
  EXPECT_EQ(bits_of(strength), c.strength_bits) << strength;
  EXPECT_EQ(avg_rebound_text(avg), c.avg_text);
  EXPECT_EQ(strength_text(strength), c.strength_text);
}

// The documented values: 35.000004 / 28.0975; 34.8 / 27.837; 8.5 / -0.884;
// 0.000005 / about -7.83; 0.46; 102.73; 141.54; 150.0 / 282.42.
INSTANTIATE_TEST_SUITE_P(
    Documented, Area_Evaluation,
    ::testing::Values(
        Area_Case{"sixteen_35", all(35), 0x420C0001, 0x41E0C7B0, "35.0", "28.1"},
        Area_Case{"mixed", {20, 45, 33, 34, 36, 35, 34, 33, 36, 37, 35, 34, 33, 35, 36, 50}, 0x420B3334,
                  0x41DEB2A0, "34.8", "27.8"},
        Area_Case{"one_to_sixteen", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, 0x41080005,
                  0xBF625C4A, "8.5", "0.0"},
        Area_Case{"zeros", all(0), 0x36A7C5AC, 0xC0FA8F54, "0.0", "0.0"},
        Area_Case{"sixteen_10", all(10), 0x41200005, 0x3EEB85B1, "10.0", "0.5"},
        Area_Case{"sixteen_80", all(80), 0x42A00001, 0x42CD75C4, "80.0", "102.7"},
        Area_Case{"sixteen_98", all(98), 0x42C40001, 0x430D8AA7, "98.0", "141.5"},
        Area_Case{"sixteen_150", all(150), 0x43160000, 0x438D35C2, "150.0", ">100.0"},
        Area_Case{"sixteen_255", all(255), 0x437F0000, 0x442E4785, "255.0", ">100.0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Area_Evaluation_Order, PermutationsGiveTheSameValues) {
  std::vector<uint8_t> r = as_bytes({20, 45, 33, 34, 36, 35, 34, 33, 36, 37, 35, 34, 33, 35, 36, 50});
  const uint32_t avg = bits_of(area_average(r.data()));
  std::mt19937 shuffle_order(820);
  for (int i = 0; i < 1000; ++i) {
    std::shuffle(r.begin(), r.end(), shuffle_order);
    ASSERT_EQ(bits_of(area_average(r.data())), avg);
  }
}

// For every sum of the ten kept readings (0 to 2550), the scaled sum is S/10
// rounded once to float32 (the division in double is exact enough to round
// the same), before the bias is added.
TEST(Area_Evaluation_Order, EverySumIsScaledByATenth) {
  const float bias = f32_bits(0x36A7C5AC);
  for (int s = 0; s <= 2550; ++s) {
    // Three readings of 0 and three of 255 are discarded; ten carry the sum.
    uint8_t r[16] = {0, 0, 0, 255, 255, 255};
    for (int i = 0; i < 10; ++i) r[6 + i] = static_cast<uint8_t>(s / 10 + (i < s % 10 ? 1 : 0));
    const float tenth = static_cast<float>(static_cast<double>(s) / 10.0);
    const float expected = static_cast<float>(static_cast<double>(tenth) + static_cast<double>(bias));
    ASSERT_EQ(bits_of(area_average(r)), bits_of(expected)) << "sum " << s;
  }
}

TEST(Evaluate_Areas, SetsBothValuesOfTheFirstCountRecords) {
  _TESTAREA areas[3];
  std::memset(areas, 0x5A, sizeof areas);
  for (int i = 0; i < 3; ++i) std::memset(areas[i].readings, 35 + i, 16);
  _TESTAREA before[3];
  std::memcpy(before, areas, sizeof areas);
  evaluate_areas(areas, 2);
  EXPECT_EQ(bits_of(areas[0].avg_rebound), 0x420C0001u);
  EXPECT_EQ(bits_of(areas[0].strength), 0x41E0C7B0u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(bits_of(areas[i].strength), bits_of(convert_strength(area_average(areas[i].readings))));
    // Readings and the four bytes between them and the values are left alone.
    EXPECT_EQ(std::memcmp(areas[i].readings, before[i].readings, 20), 0);
  }
  EXPECT_EQ(std::memcmp(&areas[2], &before[2], sizeof areas[2]), 0);
}

TEST(Strength_Text, Bounds) {
  const float above_200 = std::nextafter(200.0f, 1000.0f);
  const std::pair<float, const char*> cases[] = {
      {f32_bits(0xBF625C4A), "0.0"},   // -0.884
      {-7.83f, "0.0"},
      {std::numeric_limits<float>::quiet_NaN(), "0.0"},
      {0.0f, "0.0"},
      {f32_bits(0x41E0C7B0), "28.1"},  // 28.0975
      {f32_bits(0x42CD75C4), "102.7"},
      {f32_bits(0x430D8AA7), "141.5"},
      {200.0f, "200.0"},
      {above_200, ">100.0"},
      {std::numeric_limits<float>::infinity(), ">100.0"},
      // An area's strength is formatted without the display bias: 21.05 is
      // held as 21.0499992 and shows 21.0.
      {21.05f, "21.0"},
  };
  for (auto [x, text] : cases) EXPECT_EQ(strength_text(x), text) << x;
}

TEST(Avg_Rebound_Text, NoRangeTest) {
  EXPECT_EQ(avg_rebound_text(f32_bits(0x36A7C5AC)), "0.0");
  EXPECT_EQ(avg_rebound_text(255.0f), "255.0");
  EXPECT_EQ(avg_rebound_text(300.0f), "300.0");
}

}  // namespace
