#include "currency.h"

#include <limits>

#include "error_kind.h"
#include "int128.h"
#include "rounding.h"

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

}  // namespace tubaro
