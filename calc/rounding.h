#pragma once

#include "calc/int128.h"

namespace tubaro {

// numerator / divisor rounded to a whole number, halves to even:
// 25 / 10 -> 2, 35 / 10 -> 4, -25 / 10 -> -2. divisor must be positive.
Int128 divide_halves_to_even(Int128 numerator, Int128 divisor);

// x rounded to a whole number, halves to even: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2.
// Exact for every finite double and independent of the floating-point
// environment's rounding mode.
double round_halves_to_even(double x);

}  // namespace tubaro
