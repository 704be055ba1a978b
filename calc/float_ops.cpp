#include "calc/float_ops.h"

#include <cmath>

#include "calc/error_kind.h"

namespace tubaro {

namespace {

double checked(double result)
{
    if (!std::isfinite(result))
        raise(ErrorKind::Overflow);
    return result;
}

}  // namespace

double checked_divide(double numerator, double denominator)
{
    if (denominator == 0.0)
        raise(numerator == 0.0 || std::isnan(numerator) ? ErrorKind::Overflow : ErrorKind::DivisionByZero);
    return checked(numerator / denominator);
}

double checked_multiply(double a, double b)
{
    return checked(a * b);
}

double power(double base, double exponent)
{
    if (base == 0.0) {
        if (exponent > 0.0)
            return 0.0;
        if (exponent == 0.0)
            return 1.0;
        raise(ErrorKind::DivisionByZero);  // 0 to a negative power is 1 / 0
    }
    if (base < 0.0 && std::trunc(exponent) != exponent)
        raise(ErrorKind::InvalidArgument);
    return checked(std::pow(base, exponent));
}

}  // namespace tubaro
