#include "calc/conversions.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "calc/error_kind.h"
#include "calc/plain_decimal.h"
#include "calc/rounding.h"

namespace tubaro {

double to_double(Currency value)
{
    const std::int64_t count = value.count();
    constexpr std::int64_t exact_limit = std::int64_t{1} << 53;
    if (count > -exact_limit && count < exact_limit)
        return static_cast<double>(count) / 10'000.0;  // one correctly rounded division

    // Beyond 2^53 the count itself would round first; read the decimal
    // instead, which is rounded once and correctly (and always in range).
    std::string digits = std::to_string(count);
    digits.insert(digits.size() - 4, 1, '.');
    return *plain_decimal_to_double(digits);
}

Long double_to_long(double value)
{
    if (!std::isfinite(value))
        raise(ErrorKind::Overflow);
    const double rounded = round_halves_to_even(value);
    if (rounded < -2'147'483'648.0 || rounded > 2'147'483'647.0)
        raise(ErrorKind::Overflow);
    return static_cast<Long>(rounded);
}

Currency double_to_currency(double value)
{
    const double product = value * 10'000.0;
    if (!std::isfinite(product))
        raise(ErrorKind::Overflow);
    const double count = round_halves_to_even(product);
    // 2^63 is exact as a double; the count must lie in [-2^63, 2^63).
    if (count < -9'223'372'036'854'775'808.0 || count >= 9'223'372'036'854'775'808.0)
        raise(ErrorKind::Overflow);
    return Currency::from_count(static_cast<std::int64_t>(count));
}

}  // namespace tubaro
