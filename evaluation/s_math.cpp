#include "s_math.h"

double display_round(float x) {
  const double bias = static_cast<double>(ROUNDING_BIAS);
  return x >= 0 ? static_cast<double>(x) + bias : static_cast<double>(x) - bias;
}
