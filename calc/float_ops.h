#pragma once

namespace tubaro {

// The floating-point steps of the formulas. Each is one IEEE double operation
// followed at once by the check that turns an exceptional result into an
// error, so the first exceptional operation is the one reported:
//   - a non-zero value divided by zero: DivisionByZero;
//   - 0 / 0 or any other result without a defined value: Overflow;
//   - a result beyond the largest double: Overflow.
// An inexact or subnormal result is no error.

double checked_divide(double numerator, double denominator);
double checked_multiply(double a, double b);

// base raised to exponent:
//   base > 0: the C library's pow;
//   base == 0 (either sign) and exponent > 0: 0;
//   base < 0 and a fractional exponent: InvalidArgument;
//   a result beyond the largest double: Overflow.
double power(double base, double exponent);

}  // namespace tubaro
