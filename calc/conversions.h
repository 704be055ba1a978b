#pragma once

#include "calc/currency.h"
#include "calc/long.h"

namespace tubaro {

// Conversions between the three value types. Every rounding goes to the
// nearer neighbour and sends an exact half to the even one; nothing truncates.

// Exact.
inline double to_double(Long value) { return static_cast<double>(value); }

// The double nearest to count / 10'000.
double to_double(Currency value);

// Rounded to a whole number, halves to even: 36.9967 -> 37, 2.5 -> 2,
// -2'147'483'648.5 -> -2'147'483'648. Overflow outside the Long range and for
// an infinity or a NaN (2'147'483'647.5 is an overflow).
Long double_to_long(double value);

// One multiplication by 10'000 (rounded to a double), then that product
// rounded to a whole count, halves to even: 0.6075823656991713 -> 0.6076.
// The tie test looks at the double product: the double nearest 0.00015 gives
// a product just below 1.5 and so 0.0001, while 0.00025 gives exactly 2.5
// and so 0.0002. Overflow when the product is not finite or the count leaves
// the 64-bit range.
Currency double_to_currency(double value);

}  // namespace tubaro
