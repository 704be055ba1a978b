#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "calc/long.h"

namespace tubaro {

// A signed fixed-point decimal: a 64-bit count of ten-thousandths, so
// value = count / 10'000, from -922'337'203'685'477.5808 to
// 922'337'203'685'477.5807. Holds every decimal with up to four fractional
// digits exactly. Products are exact and checked: an overflow is raised,
// never wrapped.
class Currency {
public:
    static constexpr std::int64_t kScale = 10'000;

    constexpr Currency() = default;
    static constexpr Currency from_count(std::int64_t count) { return Currency(count); }
    static constexpr Currency from_long(Long value) { return Currency(std::int64_t{value} * kScale); }

    constexpr std::int64_t count() const { return m_count; }

    friend constexpr bool operator==(Currency, Currency) = default;

private:
    constexpr explicit Currency(std::int64_t count) : m_count(count) {}
    std::int64_t m_count = 0;
};

// Exact product of two values. One factor is always whole here, so nothing is
// lost; a product with more than four decimals would round halves to even.
Currency multiply(Currency a, Currency b);

// Exact product of a 16-bit integer and a value (860 * P, the power in length
// mode).
Currency multiply(std::int16_t factor, Currency value);

// Exact sum; Overflow outside the range, never wrapped.
Currency add(Currency a, Currency b);

// The value as a plain decimal in the reader's own separator, with no
// trailing zero and no separator when whole: 116.5 -> "116,5", 16 -> "16",
// 0.0001 -> "0,0001", -2.25 -> "-2,25". text_to_currency reads it back
// exactly.
std::string currency_to_text(Currency value, std::string_view decimal_separator);

}  // namespace tubaro
