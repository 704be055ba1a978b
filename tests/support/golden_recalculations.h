#pragma once

// The golden rows: what a recalculation writes for literal field texts, or
// the error that stops it. The form's tests, the command line's tests and the
// Windows window's test all read this one table. Each expected result was
// worked out once and is stated here as it stands; nothing recomputes it.

#include <array>
#include <optional>
#include <ostream>
#include <string_view>

#include "calc/error_kind.h"
#include "rules/quantity.h"

namespace golden {

using tubaro::ErrorKind;

// The text written into the mode's field, or the kind of the error.
struct Expected {
    constexpr Expected(const char* text) : written(text) {}
    constexpr Expected(ErrorKind kind) : error(kind) {}
    std::optional<std::string_view> written;
    std::optional<ErrorKind> error;
};

struct Row {
    std::string_view name;
    tubaro::Quantity mode;
    std::string_view separator;
    std::array<std::string_view, 4> texts;  // D, P, Y, L; the mode's own is never read
    Expected expected;
    // What tubarogas-calc prints as the designation: that of the diameter's
    // final text, empty when the text is empty or names no number.
    std::string_view designation;

    std::string_view text(tubaro::Quantity field) const { return texts[static_cast<std::size_t>(field)]; }
};

// Test output names a row rather than dumping its bytes.
inline void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

inline constexpr auto D = tubaro::Quantity::Diameter;
inline constexpr auto P = tubaro::Quantity::Power;
inline constexpr auto Y = tubaro::Quantity::Loss;
inline constexpr auto L = tubaro::Quantity::Length;

inline constexpr std::string_view kFourHundredNines =
    "9999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
    "9999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
    "9999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
    "9999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999";

// clang-format off
inline constexpr Row kRows[] = {
    // Each mode from the window's start texts writes its own field's text back.
    {"DiameterFromStartTexts", D, ",", {"", "116", "100", "30"}, "37", "1''1/2"},
    {"PowerFromStartTexts", P, ",", {"37", "", "100", "30"}, "116", "1''1/2"},
    {"LossFromStartTexts", Y, ",", {"37", "116", "", "30"}, "100", "1''1/2"},
    {"LengthFromStartTexts", L, ",", {"37", "116", "100", ""}, "30", "1''1/2"},
    // Results the formulas' own examples give.
    {"DiameterTenKilowatts", D, ",", {"", "10", "100", "30"}, "15", "1/2\""},
    {"PowerHundredMillimetres", P, ",", {"100", "", "100", "30"}, "1575", ""},
    {"LossCoefficientFixedToFourDecimals", Y, ",", {"20", "61", "", "30"}, "602", "3/4\""},
    {"LengthFlowFixedToFourDecimals", L, ",", {"37", "10", "100", ""}, "2786", "1''1/2"},
    {"DiameterLargestPower", D, ",", {"", "2497074", "100", "30"}, "1660", ""},
    {"DiameterPowerBeyondLongProduct", D, ",", {"", "2497075", "100", "30"}, ErrorKind::Overflow, ""},
    // Signs.
    {"DiameterLossAndLengthBothNegative", D, ",", {"", "116", "-100", "-30"}, "37", "1''1/2"},
    {"LossNegativeLength", Y, ",", {"37", "116", "", "-30"}, "-100", "1''1/2"},
    {"LengthNegativeLoss", L, ",", {"37", "116", "-100", ""}, "-30", "1''1/2"},
    {"DiameterZeroPower", D, ",", {"", "0", "100", "30"}, "0", "3/8\""},
    {"PowerZeroDiameter", P, ",", {"0", "", "100", "30"}, "0", "3/8\""},
    // A fraction: rounded to a whole number, halves to even, but for the power in
    // length mode, which keeps it to four decimals.
    {"DiameterPowerRoundsUp", D, ",", {"", "9,6", "100", "30"}, "15", "1/2\""},
    {"LossPowerHalfToEvenDown", Y, ",", {"37", "116,5", "", "30"}, "100", "1''1/2"},
    {"LossPowerHalfToEvenUp", Y, ",", {"37", "117,5", "", "30"}, "103", "1''1/2"},
    {"LengthPowerKeepsItsHalf", L, ",", {"37", "116,5", "100", ""}, "30", "1''1/2"},
    {"LengthPowerKeepsItsFraction", L, ",", {"37", "10,5", "100", ""}, "2545", "1''1/2"},
    {"LengthTenKilowattsWhole", L, ",", {"37", "10", "100", ""}, "2786", "1''1/2"},
    {"DiameterPowerFractionIsRounded", D, ",", {"", "10,5", "100", "30"}, "15", "1/2\""},
    {"LengthPowerToFourDecimals", L, ",", {"37", "10,00005", "100", ""}, "2786", "1''1/2"},
    {"LengthPowerFourDecimalsUp", L, ",", {"37", "10,00015", "100", ""}, "2784", "1''1/2"},
    {"PowerDiameterHalfToEven", P, ",", {"36,5", "", "100", "30"}, "108", "1''1/4"},
    {"LengthDiameterAndLossRounded", L, ",", {"37,4", "116", "99,5", ""}, "30", "1''1/2"},
    {"LengthTinyPowerIsNoFlow", L, ",", {"37", "0,0017", "100", ""}, ErrorKind::DivisionByZero, "1''1/2"},
    {"LengthSmallestFlowOverflows", L, ",", {"37", "0,0018", "100", ""}, ErrorKind::Overflow, "1''1/2"},
    // The forms a number may take.
    {"SpacesAround", D, ",", {"", " 116 ", "  100", "30  "}, "37", "1''1/2"},
    {"PlusSign", D, ",", {"", "+116", "100", "30"}, "37", "1''1/2"},
    {"TrailingSeparator", D, ",", {"", "116,", "100", "30"}, "37", "1''1/2"},
    {"DiameterWithATrailingLetter", P, ",", {",37e", "", "100", "30"}, ErrorKind::TypeMismatch, ""},
    {"LeadingSeparatorNumber", D, ",", {"", ",9", "100", "30"}, "6", "3/8\""},
    {"PointIsNoSeparatorUnderComma", D, ",", {"", "116.5", "100", "30"}, ErrorKind::TypeMismatch, ""},
    {"PointSeparator", L, ".", {"37", "116.5", "100", ""}, "30", "1''1/2"},
    {"CommaIsNoSeparatorUnderPoint", L, ".", {"37", "116,5", "100", ""}, ErrorKind::TypeMismatch, "1''1/2"},
    {"TwoByteSeparator", L, "\xd9\xab", {"37", "116\xd9\xab""5", "100", ""}, "30", "1''1/2"},
    {"OutputTextIsNeverRead", D, ",", {"not a number", "116", "100", "30"}, "37", "1''1/2"},
    // With several bad inputs the mode's conversion order decides the error:
    // diameter L Y P, power L Y D, loss L P D, length Y P D.
    {"DiameterLengthFirst", D, ",", {"", "9999999999", "9999999999", ""}, ErrorKind::TypeMismatch, ""},
    {"DiameterLossBeforePower", D, ",", {"", "", "9999999999", "30"}, ErrorKind::Overflow, ""},
    {"DiameterPowerLast", D, ",", {"", "", "100", "30"}, ErrorKind::TypeMismatch, ""},
    {"PowerLengthFirst", P, ",", {"", "", "9999999999", ""}, ErrorKind::TypeMismatch, ""},
    {"PowerLossBeforeDiameter", P, ",", {"", "", "9999999999", "30"}, ErrorKind::Overflow, ""},
    {"PowerDiameterLast", P, ",", {"abc", "", "100", "30"}, ErrorKind::TypeMismatch, ""},
    {"LossLengthFirst", Y, ",", {"", "9999999999", "", " "}, ErrorKind::TypeMismatch, ""},
    {"LossPowerBeforeDiameter", Y, ",", {"", "9999999999", "", "30"}, ErrorKind::Overflow, ""},
    {"LossDiameterLast", Y, ",", {"-", "116", "", "30"}, ErrorKind::TypeMismatch, ""},
    {"LengthLossFirst", L, ",", {"", "9999999999", "", ""}, ErrorKind::TypeMismatch, ""},
    {"LengthPowerBeforeDiameter", L, ",", {"", "9999999999999999", "100", ""}, ErrorKind::Overflow, ""},
    {"LengthLargePowerIsStillCurrency", L, ",", {"", "9999999999", "100", ""}, ErrorKind::TypeMismatch, ""},
    {"FormulaAfterConversions", D, ",", {"", "116", "100", "0"}, ErrorKind::DivisionByZero, ""},
    // Each kind of error.
    {"TypeMismatchEmpty", D, ",", {"", "116", "100", ""}, ErrorKind::TypeMismatch, ""},
    {"TypeMismatchSpacesOnly", P, ",", {"37", "", "   ", "30"}, ErrorKind::TypeMismatch, "1''1/2"},
    {"TypeMismatchLoneSign", Y, ",", {"-", "116", "", "30"}, ErrorKind::TypeMismatch, ""},
    {"TypeMismatchWord", D, ",", {"", "inf", "100", "30"}, ErrorKind::TypeMismatch, ""},
    {"OverflowHugeDigits", D, ",", {"", kFourHundredNines, "100", "30"}, ErrorKind::Overflow, ""},
    {"OverflowLongRange", P, ",", {"2147483648", "", "100", "30"}, ErrorKind::Overflow, ""},
    {"LargestLongDiameter", Y, ",", {"2147483647", "116", "", "30"}, "0", ""},
    {"OverflowResultOfLoss", Y, ",", {"1", "116", "", "30"}, ErrorKind::Overflow, "3/8\""},
    {"OverflowResultOfPower", P, ",", {"5000", "", "100000", "1"}, ErrorKind::Overflow, ""},
    {"OverflowZeroLengthAndLoss", D, ",", {"", "116", "0", "0"}, ErrorKind::Overflow, ""},
    {"DivisionByZeroLength", L, ",", {"37", "0", "100", ""}, ErrorKind::DivisionByZero, "1''1/2"},
    {"DivisionByZeroDiameter", Y, ",", {"0", "116", "", "30"}, ErrorKind::DivisionByZero, "3/8\""},
    {"InvalidArgumentNegativeDiameter", P, ",", {"-37", "", "100", "30"}, ErrorKind::InvalidArgument, "3/8\""},
    {"InvalidArgumentOppositeSigns", D, ",", {"", "116", "-100", "30"}, ErrorKind::InvalidArgument, ""},
    {"InvalidArgumentNegativePower", D, ",", {"", "-116", "100", "30"}, ErrorKind::InvalidArgument, ""},
    // The designation of the final diameter.
    {"DesignationAtUpperBound", P, ",", {"81,7", "", "100", "30"}, "936", "3\""},
    {"DesignationAboveLastBand", P, ",", {"82", "", "100", "30"}, "936", ""},
    {"DesignationOfATinyDiameter", P, ",", {"5", "", "100", "30"}, "1", "3/8\""},
};
// clang-format on

}  // namespace golden
