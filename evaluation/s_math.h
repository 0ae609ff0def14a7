// display_round: the small bias every component and batch statistic gets
// right before it is formatted, so that a value such as 21.05 that float32
// holds as 21.0499992 is shown as 21.1.
#pragma once

// The bias of the average rebound value and of display_round (binary32 0x36A7C5AC).
constexpr float ROUNDING_BIAS = 0.000005f;

// x + bias for x >= 0, otherwise x - bias, in double.
double display_round(float x);
