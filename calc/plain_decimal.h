#pragma once

#include <optional>
#include <string_view>

namespace tubaro {

// A plain decimal ("-12.5": an optional minus, digits, at most one point
// followed by digits) read as the nearest double, halves to even, the same
// in every locale and on every platform. Empty when its magnitude lies
// beyond the doubles: too large, or so small that it rounds to zero.
[[nodiscard]] std::optional<double> plain_decimal_to_double(std::string_view plain);

}  // namespace tubaro
