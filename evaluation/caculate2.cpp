#include "caculate2.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "model/r_component.h"
#include "model/rebound_project.h"
#include "s_math.h"

namespace {

constexpr int DISCARDED_LOW = 3;
constexpr int DISCARDED_HIGH = 3;
constexpr long double SUM_SCALE = 0.1L;
constexpr float COEFF_R = 0.75f;
constexpr float CURVE_CONSTANT = -7.83f;
constexpr float COEFF_R2 = 0.0079f;
constexpr uint32_t AREAS_FOR_ESTIMATE_RULE = 10;
constexpr double SD_COEFFICIENT = 1.645;
constexpr uint32_t BATCH_AREAS_WITHOUT_QUESTION = 5;
constexpr float DISPLAY_UPPER_BOUND = 200.0f;

std::string format(const char* fmt, double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, fmt, v);
  return buf;
}

// The text of a minimum or estimated value: bounded, and display-rounded.
std::string bounded_statistic_text(float x) {
  return strength_shown_as_number(x) ? format("%.1f", display_round(x)) : strength_text(x);
}

}  // namespace

float area_average(const uint8_t readings[READINGS_PER_AREA]) {
  uint8_t sorted[READINGS_PER_AREA];
  std::memcpy(sorted, readings, READINGS_PER_AREA);
  std::sort(sorted, sorted + READINGS_PER_AREA);
  int sum = 0;
  for (int i = DISCARDED_LOW; i < READINGS_PER_AREA - DISCARDED_HIGH; ++i) sum += sorted[i];
  const float scaled = static_cast<float>(static_cast<long double>(sum) * SUM_SCALE);
  return static_cast<float>(static_cast<double>(scaled) + static_cast<double>(ROUNDING_BIAS));
}

float convert_strength(float avg_rebound) {
  const double r = avg_rebound;
  const double value = (static_cast<double>(COEFF_R) * r + static_cast<double>(CURVE_CONSTANT)) +
                       (static_cast<double>(COEFF_R2) * r) * r;
  return static_cast<float>(value);
}

void evaluate_areas(_TESTAREA* areas, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i) {
    areas[i].avg_rebound = area_average(areas[i].readings);
    areas[i].strength = convert_strength(areas[i].avg_rebound);
  }
}

const char* strength_statistics(const _TESTAREA* areas, uint32_t n, Strength_Statistics& result) {
  if (n == 0) return NO_AREA_DATA_MSG;
  float min = areas[0].strength;
  float sum = 0.0f;
  float sumsq = 0.0f;
  for (uint32_t i = 0; i < n; ++i) {
    const float s = areas[i].strength;
    sum = static_cast<float>(static_cast<double>(sum) + s);
    sumsq = static_cast<float>(static_cast<double>(sumsq) + static_cast<double>(s) * s);
    if (s < min) min = s;
  }
  const float mean = static_cast<float>(static_cast<double>(sum) / n);
  float variance = 0.0f;
  if (n >= 2) {
    const double dn = n;
    variance = static_cast<float>((static_cast<double>(sumsq) - dn * mean * mean) / (dn - 1));
  }
  const float sd = static_cast<float>(std::sqrt(std::fabs(static_cast<double>(variance))));
  result.mean = mean;
  result.min = min;
  result.sd = sd;
  result.e = n >= AREAS_FOR_ESTIMATE_RULE
                 ? static_cast<float>(static_cast<double>(mean) - static_cast<double>(sd) * SD_COEFFICIENT)
                 : min;
  return nullptr;
}

const char* calculate_component(R_Component& component) {
  // The areas are evaluated in a working copy; the component takes the new
  // values only once the statistics succeeded.
  _TESTAREA work[MAX_AREAS] = {};
  const uint32_t n = std::min(component.area_count, MAX_AREAS);
  for (uint32_t i = 0; i < n; ++i) std::memcpy(work[i].readings, component.areas[i].readings, 16);
  evaluate_areas(work, n);
  Strength_Statistics s;
  if (const char* message = strength_statistics(work, n, s)) return message;
  for (uint32_t i = 0; i < n; ++i) {
    component.areas[i].avg_rebound = work[i].avg_rebound;
    component.areas[i].strength = work[i].strength;
  }
  component.strength_avg = s.mean;
  component.strength_min = s.min;
  component.strength_sd = s.sd;
  component.strength_e = s.e;
  return nullptr;
}

std::optional<Batch_Result> batch_statistics(const Rebound_Project& project, Batch_Dialogue& dialogue) {
  std::vector<_TESTAREA> batch;
  bool any_checked = false;
  for (const auto& c : project.components) {
    if (!c->is_checked()) continue;
    any_checked = true;
    for (uint32_t i = 0; i < c->area_count && i < MAX_AREAS; ++i) {
      _TESTAREA a{};
      std::memcpy(a.readings, c->areas[i].readings, 16);
      a.avg_rebound = c->areas[i].avg_rebound;
      a.strength = c->areas[i].strength;
      batch.push_back(a);
    }
  }
  if (!any_checked) {
    dialogue.inform(NO_VALID_AREA_DATA_MSG);
    return std::nullopt;
  }
  Batch_Result result;
  result.n = static_cast<uint32_t>(batch.size());
  if (result.n < BATCH_AREAS_WITHOUT_QUESTION && !dialogue.ask_yes_no(FEW_AREAS_QUESTION)) {
    return std::nullopt;
  }
  if (const char* message = strength_statistics(batch.data(), result.n, result.statistics)) {
    dialogue.inform(message);
    return std::nullopt;
  }
  return result;
}

bool strength_shown_as_number(float x) { return x >= 0 && x <= DISPLAY_UPPER_BOUND; }

std::string strength_text(float x) {
  if (strength_shown_as_number(x)) return format("%.1f", x);
  return x > DISPLAY_UPPER_BOUND ? ">100.0" : "0.0";
}

std::string avg_rebound_text(float x) { return format("%.1f", x); }

Statistics_Texts component_texts(const R_Component& component) {
  Statistics_Texts t;
  t.avg = component.strength_avg == 0.0f ? "-.-" : format("%.1f", display_round(component.strength_avg));
  t.sd = component.strength_sd == 0.0f ? "-.-" : format("%.2f", display_round(component.strength_sd));
  t.min = bounded_statistic_text(component.strength_min);
  t.e = bounded_statistic_text(component.strength_e);
  return t;
}

Statistics_Texts batch_texts(const Batch_Result& batch) {
  const Strength_Statistics& s = batch.statistics;
  Statistics_Texts t;
  if (batch.n < 2) {
    // A batch of one area has no spread: its mean is still shown.
    t.avg = format("%.1f", display_round(s.mean));
    t.sd = "-.-";
    t.e = format("%.1f", display_round(s.e));
  } else if (s.e > DISPLAY_UPPER_BOUND) {
    t.avg = "-.-";
    t.sd = "-.-";
    t.e = ">100.0";
  } else if (!(s.e >= 0)) {
    t.avg = "-.-";
    t.sd = "-.-";
    t.e = "0.0";
  } else {
    t.avg = format("%.1f", display_round(s.mean));
    t.sd = format("%.2f", display_round(s.sd));
    t.e = format("%.1f", display_round(s.e));
  }
  t.min = bounded_statistic_text(s.min);
  return t;
}
