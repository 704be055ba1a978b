#pragma once

#include <string_view>

#include "calc/currency.h"
#include "calc/long.h"

namespace tubaro {

// Reading a number a user typed. The accepted forms, and no others:
//
//   [spaces] [+|-] digits [sep [digits]] [spaces]
//   [spaces] [+|-] sep digits [spaces]
//
// where digits are ASCII 0-9 and sep is the regional decimal separator, passed
// in by the caller (never read from a global or the C library's locale). No
// digit grouping, no exponent, no other separator: under Italian settings
// "1.000" is a type mismatch, not 1000 and not 1. "12," reads as 12, so a
// number being typed is a number at every key. Empty text, spaces only, a lone
// sign and words such as "inf" are a type mismatch.
//
// Each conversion rounds the exact decimal the text spells, never a double
// approximation of it.

// Rounded to a whole number, halves to even ("30,5" -> 30, "31,5" -> 32,
// "2,50000000000000000001" -> 3); Overflow outside the Long range.
Long text_to_long(std::string_view text, std::string_view decimal_separator);

// Rounded to four decimals, halves to even ("116,5" -> 116.5,
// "0,00005" -> 0, "0,00015" -> 0.0002); Overflow outside the Currency range.
Currency text_to_currency(std::string_view text, std::string_view decimal_separator);

// The nearest double; Overflow when the magnitude lies beyond the largest
// double. A value too small for a double reads as zero of its sign.
double text_to_double(std::string_view text, std::string_view decimal_separator);

}  // namespace tubaro
