// Component statistics: strength_statistics bit for bit in float32,
// display_round and the panel texts, and calculate_component's net effect.
//
// Expected bit patterns were computed independently, in Python, by the rules
// (float32 sums and sums of squares in order, mean = float32(sum / n),
// variance = float32((sumsq - n mean mean) / (n - 1)), sd = float32(sqrt|var|),
// estimate = float32(mean - 1.645 sd) from ten areas on, else the minimum).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "evaluation/caculate2.h"
#include "evaluation/s_math.h"
#include "model/r_component.h"
#include "tests/model/test_support.h"

using namespace test_support;

namespace {

// The strength of an area whose 16 readings are all v.
float strength_of_readings(int v) {
  uint8_t r[16];
  std::memset(r, v, 16);
  return convert_strength(area_average(r));
}

std::vector<_TESTAREA> areas_with_strengths(const std::vector<float>& strengths) {
  std::vector<_TESTAREA> areas(strengths.size());
  for (size_t i = 0; i < strengths.size(); ++i) {
    std::memset(&areas[i], 0, sizeof areas[i]);
    areas[i].strength = strengths[i];
  }
  return areas;
}

std::vector<float> strengths_30_to(int last) {
  std::vector<float> s;
  for (int v = 30; v <= last; ++v) s.push_back(strength_of_readings(v));
  return s;
}

struct Statistics_Case {
  const char* name;
  std::vector<float> strengths;
  uint32_t mean, min, sd, e;  // bit patterns
  Statistics_Texts texts;     // the panel texts of a component holding them
};
// Listed by its name (test names stay the same from run to run).
void PrintTo(const Statistics_Case& c, std::ostream* os) { *os << c.name; }

class Strength_Statistics_Table : public ::testing::TestWithParam<Statistics_Case> {};

TEST_P(Strength_Statistics_Table, BitForBitAndTexts) {
  const Statistics_Case& c = GetParam();
  const std::vector<_TESTAREA> areas = areas_with_strengths(c.strengths);
  Strength_Statistics s;
  ASSERT_EQ(strength_statistics(areas.data(), static_cast<uint32_t>(areas.size()), s), nullptr);
  EXPECT_EQ(bits_of(s.mean), c.mean) << s.mean;
  EXPECT_EQ(bits_of(s.min), c.min) << s.min;
  EXPECT_EQ(bits_of(s.sd), c.sd) << s.sd;
  EXPECT_EQ(bits_of(s.e), c.e) << s.e;
  R_Component comp;
  comp.strength_avg = s.mean;
  comp.strength_min = s.min;
  comp.strength_sd = s.sd;
  comp.strength_e = s.e;
  const Statistics_Texts t = component_texts(comp);
  EXPECT_EQ(t.avg, c.texts.avg);
  EXPECT_EQ(t.sd, c.texts.sd);
  EXPECT_EQ(t.min, c.texts.min);
  EXPECT_EQ(t.e, c.texts.e);
}

const float zero_strength = strength_of_readings(0);

// Documented: ten areas 30..39 give mean 27.513, minimum 21.780, sd 3.9216,
// estimate 21.062 (texts 27.5, 3.92, 21.8, 21.1); the first nine give mean
// 26.855, sd 3.525 and the estimate is the minimum; one area has sd 0; all-zero
// readings give about -7.83 (mean -7.8, minimum and estimate 0.0), with the
// float32 sums leaving a small sd rather than 0.
INSTANTIATE_TEST_SUITE_P(Documented, Strength_Statistics_Table,
                         ::testing::Values(Statistics_Case{"ten_areas",
                                                           strengths_30_to(39),
                                                           0x41DC1AF2,
                                                           0x41AE3D74,
                                                           0x407AFAE7,
                                                           0x41A87F5B,
                                                           {"27.5", "3.92", "21.8", "21.1"}},
                                           Statistics_Case{"nine_areas",
                                                           strengths_30_to(38),
                                                           0x41D6D730,
                                                           0x41AE3D74,
                                                           0x4061A171,
                                                           0x41AE3D74,
                                                           {"26.9", "3.53", "21.8", "21.8"}},
                                           Statistics_Case{"twelve_areas",
                                                           strengths_30_to(41),
                                                           0x41E6C2D0,
                                                           0x41AE3D74,
                                                           0x4097462E,
                                                           0x41A88CAC,
                                                           {"28.8", "4.73", "21.8", "21.1"}},
                                           Statistics_Case{"one_area",
                                                           strengths_30_to(30),
                                                           0x41AE3D74,
                                                           0x41AE3D74,
                                                           0,
                                                           0x41AE3D74,
                                                           {"21.8", "-.-", "21.8", "21.8"}},
                                           Statistics_Case{"three_zero_areas",
                                                           {zero_strength, zero_strength, zero_strength},
                                                           0xC0FA8F54,
                                                           0xC0FA8F54,
                                                           0x3AAE1E67,
                                                           0xC0FA8F54,
                                                           {"-7.8", "0.00", "0.0", "0.0"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Strength_Statistics, NoAreasGivesTheMessageAndTouchesNothing) {
  Strength_Statistics s;
  s.mean = 1.0f;
  s.min = 2.0f;
  s.sd = 3.0f;
  s.e = 4.0f;
  _TESTAREA area{};
  EXPECT_STREQ(strength_statistics(&area, 0, s), "无测区数据");
  EXPECT_EQ(s.mean, 1.0f);
  EXPECT_EQ(s.min, 2.0f);
  EXPECT_EQ(s.sd, 3.0f);
  EXPECT_EQ(s.e, 4.0f);
}

TEST(Strength_Statistics, MinimumIsTheSmallestInAnyPosition) {
  for (size_t at = 0; at < 12; ++at) {
    std::vector<float> s = strengths_30_to(41);
    std::swap(s[0], s[at]);
    const std::vector<_TESTAREA> areas = areas_with_strengths(s);
    Strength_Statistics r;
    ASSERT_EQ(strength_statistics(areas.data(), 12, r), nullptr);
    EXPECT_EQ(bits_of(r.min), 0x41AE3D74u) << at;
  }
}

TEST(Display_Round, AddsTheBiasAwayFromZero) {
  const double bias = static_cast<double>(f32_bits(0x36A7C5AC));
  EXPECT_EQ(display_round(21.05f), static_cast<double>(21.05f) + bias);
  EXPECT_EQ(display_round(-7.83f), static_cast<double>(-7.83f) - bias);
  EXPECT_EQ(display_round(0.0f), bias);
  EXPECT_TRUE(std::isnan(display_round(std::numeric_limits<float>::quiet_NaN())));
}

TEST(Component_Texts, EveryBranch) {
  struct Case {
    float avg, sd, min, e;
    Statistics_Texts texts;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float above_200 = std::nextafter(200.0f, 1000.0f);
  const Case cases[] = {
      // Never calculated: the mean and sd are exactly 0, min and estimate 0.0.
      {0.0f, 0.0f, 0.0f, 0.0f, {"-.-", "-.-", "0.0", "0.0"}},
      // 21.05 is held as 21.0499992; the display bias makes it 21.1.
      {21.05f, 0.005f, 21.05f, 21.05f, {"21.1", "0.01", "21.1", "21.1"}},
      {-7.83f, 1.5f, -7.83f, -0.01f, {"-7.8", "1.50", "0.0", "0.0"}},
      {150.0f, 2.0f, 150.0f, 150.0f, {"150.0", "2.00", "150.0", "150.0"}},
      {250.0f, 2.0f, 200.0f, above_200, {"250.0", "2.00", "200.0", ">100.0"}},
      {30.0f, 2.0f, nan, nan, {"30.0", "2.00", "0.0", "0.0"}},
  };
  for (const Case& c : cases) {
    R_Component comp;
    comp.strength_avg = c.avg;
    comp.strength_sd = c.sd;
    comp.strength_min = c.min;
    comp.strength_e = c.e;
    const Statistics_Texts t = component_texts(comp);
    EXPECT_EQ(t.avg, c.texts.avg) << c.avg;
    EXPECT_EQ(t.sd, c.texts.sd) << c.sd;
    EXPECT_EQ(t.min, c.texts.min) << c.min;
    EXPECT_EQ(t.e, c.texts.e) << c.e;
  }
}

// A component of n areas, area i with all readings 30 + i, and every other
// field set to something that the calculation must not touch.
void fill_component(R_Component& c, uint32_t n) {
  c.component_name.assign("KZ-7");
  c.component_date.assign("2013-05-07");
  c.produced_date.assign("2012-01-02");
  c.bak_info.assign("remark");
  c.device_type.assign("RV820");
  c.device_num.assign("N-1");
  c.tester.assign("T");
  c.certificate_serial.assign("C");
  c.examine_basis.assign("B");
  // A grade outside the list survives (the instrument record would have
  // turned 255 into 0).
  c.strength_grade = 255;
  c.set_checked(1);
  c.set_area_count(n);
  for (uint32_t i = 0; i < n; ++i) {
    std::memset(c.areas[i].readings, static_cast<int>(30 + i), 16);
    c.areas[i].avg_rebound = -1.0f;
    c.areas[i].strength = -1.0f;
  }
}

TEST(Calculate_Component, TenAreas) {
  R_Component c;
  fill_component(c, 10);
  R_Component before;
  fill_component(before, 10);
  ASSERT_EQ(calculate_component(c), nullptr);
  EXPECT_EQ(bits_of(c.strength_avg), 0x41DC1AF2u);
  EXPECT_EQ(bits_of(c.strength_min), 0x41AE3D74u);
  EXPECT_EQ(bits_of(c.strength_sd), 0x407AFAE7u);
  EXPECT_EQ(bits_of(c.strength_e), 0x41A87F5Bu);
  const Statistics_Texts t = component_texts(c);
  EXPECT_EQ(t.avg + " " + t.sd + " " + t.min + " " + t.e, "27.5 3.92 21.8 21.1");
  for (uint32_t i = 0; i < 10; ++i) {
    EXPECT_EQ(bits_of(c.areas[i].avg_rebound), bits_of(area_average(c.areas[i].readings))) << i;
    EXPECT_EQ(bits_of(c.areas[i].strength), bits_of(strength_of_readings(static_cast<int>(30 + i)))) << i;
  }
  EXPECT_EQ(bits_of(c.areas[5].strength), 0x41E0C7B0u);  // sixteen 35s: 28.0975
  // Nothing else changed: put the new values back to the old and compare
  // every byte of the stream form.
  for (uint32_t i = 0; i < 10; ++i) {
    c.areas[i].avg_rebound = -1.0f;
    c.areas[i].strength = -1.0f;
  }
  c.strength_avg = c.strength_min = c.strength_sd = c.strength_e = 0.0f;
  EXPECT_EQ(hex(stream_of(c)), hex(stream_of(before)));
}

TEST(Calculate_Component, SingleAreaNeedsNoMessage) {
  R_Component c;
  fill_component(c, 1);
  ASSERT_EQ(calculate_component(c), nullptr);
  EXPECT_EQ(c.strength_sd, 0.0f);
  EXPECT_EQ(bits_of(c.strength_e), bits_of(c.areas[0].strength));
  EXPECT_EQ(bits_of(c.strength_min), bits_of(c.areas[0].strength));
  EXPECT_EQ(component_texts(c).sd, "-.-");
}

TEST(Calculate_Component, AllZeroReadings) {
  R_Component c;
  fill_component(c, 3);
  for (uint32_t i = 0; i < 3; ++i) std::memset(c.areas[i].readings, 0, 16);
  ASSERT_EQ(calculate_component(c), nullptr);
  EXPECT_EQ(bits_of(c.strength_avg), 0xC0FA8F54u);
  const Statistics_Texts t = component_texts(c);
  EXPECT_EQ(t.avg + " " + t.sd + " " + t.min + " " + t.e, "-7.8 0.00 0.0 0.0");
}

TEST(Calculate_Component, NoAreasGivesTheMessageAndChangesNothing) {
  R_Component c;
  fill_component(c, 0);
  c.strength_avg = 12.5f;
  const std::string before = stream_of(c);
  EXPECT_STREQ(calculate_component(c), "无测区数据");
  EXPECT_EQ(stream_of(c), before);
  EXPECT_TRUE(c.areas.empty());
}

TEST(Calculate_Component, UsesTheCurrentReadings) {
  R_Component c;
  fill_component(c, 10);
  ASSERT_EQ(calculate_component(c), nullptr);
  std::memset(c.areas[0].readings, 39, 16);  // edited in the grid
  ASSERT_EQ(calculate_component(c), nullptr);
  EXPECT_EQ(bits_of(c.areas[0].strength), bits_of(c.areas[9].strength));
  EXPECT_GT(c.strength_min, 22.0f);
}

}  // namespace
