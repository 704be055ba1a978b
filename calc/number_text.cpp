#include "calc/number_text.h"

#include <cstdint>
#include <limits>
#include <string>

#include "calc/error_kind.h"
#include "calc/int128.h"
#include "calc/plain_decimal.h"

namespace tubaro {

namespace {

// A number as the text spells it: sign, whole digits and fraction digits,
// each a run of ASCII digits (either run may be empty, not both).
struct DecimalText {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string_view take_digits(std::string_view& rest)
{
    std::size_t n = 0;
    while (n < rest.size() && is_digit(rest[n]))
        ++n;
    const std::string_view digits = rest.substr(0, n);
    rest.remove_prefix(n);
    return digits;
}

DecimalText parse(std::string_view text, std::string_view separator)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        raise(ErrorKind::TypeMismatch);
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    DecimalText number;
    if (text.front() == '+' || text.front() == '-') {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    number.whole = take_digits(text);
    if (!separator.empty() && text.starts_with(separator)) {
        text.remove_prefix(separator.size());
        number.fraction = take_digits(text);
    }
    if (!text.empty() || (number.whole.empty() && number.fraction.empty()))
        raise(ErrorKind::TypeMismatch);
    return number;
}

std::string_view without_leading_zeros(std::string_view digits)
{
    const auto first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view{} : digits.substr(first);
}

// The number times 10^scale, rounded to a whole number with halves to even,
// and checked against [min, max].
std::int64_t scaled_and_rounded(const DecimalText& number, int scale, std::int64_t min, std::int64_t max)
{
    const std::string_view whole = without_leading_zeros(number.whole);
    // 10^20 already exceeds every range in use; the check keeps Int128 safe.
    if (whole.size() > 20)
        raise(ErrorKind::Overflow);

    Int128 magnitude = 0;
    for (char c : whole)
        magnitude = magnitude * 10 + (c - '0');
    for (int i = 0; i < scale; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        magnitude = magnitude * 10 + (at < number.fraction.size() ? number.fraction[at] - '0' : 0);
    }

    // What is left past the kept digits decides the rounding, exactly.
    const std::string_view dropped =
        number.fraction.size() > static_cast<std::size_t>(scale) ? number.fraction.substr(static_cast<std::size_t>(scale))
                                                                   : std::string_view{};
    if (!dropped.empty()) {
        const char lead = dropped.front();
        const bool beyond_half = dropped.find_first_not_of('0', 1) != std::string_view::npos;
        if (lead > '5' || (lead == '5' && (beyond_half || magnitude % 2 != 0)))
            ++magnitude;
    }

    const Int128 value = number.negative ? -magnitude : magnitude;
    if (value < min || value > max)
        raise(ErrorKind::Overflow);
    return static_cast<std::int64_t>(value);
}

}  // namespace

Long text_to_long(std::string_view text, std::string_view decimal_separator)
{
    const DecimalText number = parse(text, decimal_separator);
    return static_cast<Long>(scaled_and_rounded(number, 0, std::numeric_limits<Long>::min(),
                                                std::numeric_limits<Long>::max()));
}

Currency text_to_currency(std::string_view text, std::string_view decimal_separator)
{
    const DecimalText number = parse(text, decimal_separator);
    return Currency::from_count(scaled_and_rounded(number, 4, std::numeric_limits<std::int64_t>::min(),
                                                   std::numeric_limits<std::int64_t>::max()));
}

double text_to_double(std::string_view text, std::string_view decimal_separator)
{
    const DecimalText number = parse(text, decimal_separator);

    // Read locale-free and correctly rounded from the plain form.
    std::string plain;
    plain.reserve(number.whole.size() + number.fraction.size() + 3);
    if (number.negative)
        plain += '-';
    plain += number.whole.empty() ? std::string_view("0") : number.whole;
    if (!number.fraction.empty()) {
        plain += '.';
        plain += number.fraction;
    }

    if (const auto value = plain_decimal_to_double(plain))
        return *value;
    // Out of range means too large, or, with no whole part, too small to
    // tell from zero.
    if (!without_leading_zeros(number.whole).empty())
        raise(ErrorKind::Overflow);
    return number.negative ? -0.0 : 0.0;
}

}  // namespace tubaro
