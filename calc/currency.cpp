#include "calc/currency.h"

#include <limits>

#include "calc/error_kind.h"
#include "calc/int128.h"
#include "calc/rounding.h"

namespace tubaro {

namespace {

Currency currency_from_wide(Int128 count)
{
    if (count < std::numeric_limits<std::int64_t>::min() || count > std::numeric_limits<std::int64_t>::max())
        raise(ErrorKind::Overflow);
    return Currency::from_count(static_cast<std::int64_t>(count));
}

}  // namespace

Currency multiply(Currency a, Currency b)
{
    // count_a * count_b has eight decimals; bring it back to four.
    const Int128 wide = Int128{a.count()} * b.count();
    return currency_from_wide(divide_halves_to_even(wide, Currency::kScale));
}

Currency multiply(std::int16_t factor, Currency value)
{
    return currency_from_wide(Int128{factor} * value.count());
}

Currency add(Currency a, Currency b)
{
    std::int64_t sum;
    if (__builtin_add_overflow(a.count(), b.count(), &sum))
        raise(ErrorKind::Overflow);
    return Currency::from_count(sum);
}

std::string currency_to_text(Currency value, std::string_view decimal_separator)
{
    // The magnitude as an unsigned count, so the lowest value has one too.
    const bool negative = value.count() < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value.count())
                                             : static_cast<std::uint64_t>(value.count());
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / Currency::kScale);
    std::uint64_t fraction = magnitude % Currency::kScale;
    if (fraction == 0)
        return text;
    int digits = 4;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --digits;
    }
    const std::string fraction_digits = std::to_string(fraction);
    text += decimal_separator;
    text.append(static_cast<std::size_t>(digits) - fraction_digits.size(), '0');
    text += fraction_digits;
    return text;
}

}  // namespace tubaro
