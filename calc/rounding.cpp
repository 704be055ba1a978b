#include "calc/rounding.h"

#include <cmath>

namespace tubaro {

Int128 divide_halves_to_even(Int128 numerator, Int128 divisor)
{
    Int128 quotient = numerator / divisor;   // truncated towards zero
    Int128 remainder = numerator % divisor;  // same sign as numerator
    const Int128 twice = 2 * (remainder < 0 ? -remainder : remainder);
    const bool away = twice > divisor || (twice == divisor && quotient % 2 != 0);
    if (away)
        quotient += numerator < 0 ? -1 : 1;
    return quotient;
}

double round_halves_to_even(double x)
{
    const double below = std::floor(x);
    // Exact for x >= 0 and x <= -0.5. For x in (-0.5, 0) it may round, but
    // only within [0.5, 1], where every branch below gives 0, the answer.
    const double fraction = x - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

}  // namespace tubaro
