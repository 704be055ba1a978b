#pragma once

#include <string_view>

#include "rules/quantity.h"

namespace tubaro {

// The key-release check of a value field. A typed value starts a
// recalculation only strictly inside (0, limit), compared as a double before
// any rounding:
//
//   D 5000   P 9000   Y 100000   L 10000
//
// Stepping is bound by the spin control's own range instead.
//
// The empty text starts nothing and is no error; only the empty text: spaces
// go on to the reading and fail it. Any other text that names no number
// raises the reading's error (TypeMismatch, or Overflow beyond a double).
inline constexpr PerQuantity<double> kTypedLimits{{5000.0, 9000.0, 100000.0, 10000.0}};

bool starts_recalculation(Quantity field, std::string_view text, std::string_view decimal_separator);

}  // namespace tubaro
