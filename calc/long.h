#pragma once

#include <cstdint>
#include <string>

namespace tubaro {

// Every quantity the form hands to the formulas is a signed 32-bit whole number.
using Long = std::int32_t;

// Decimal digits, an ASCII hyphen-minus when negative, no grouping: "-100".
std::string long_to_text(Long value);

// Exact product; Overflow outside the Long range (2'497'074 * 860 still fits,
// 2'497'075 * 860 does not).
Long checked_multiply(Long a, Long b);

}  // namespace tubaro
