#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <variant>

#include "calc/error_kind.h"

namespace tubaro {
namespace {

// A result is a value or the kind of error raised.
template <typename T>
using Outcome = std::variant<T, ErrorKind>;

template <typename T, typename Convert>
Outcome<T> outcome(Convert convert)
{
    try {
        return convert();
    } catch (const CalcError& error) {
        return error.kind();
    }
}

struct Row {
    const char* name;
    std::string text;
    const char* separator;
    Outcome<Long> as_long;
    Outcome<std::int64_t> as_currency_count;
    Outcome<double> as_double;
};

constexpr auto Mismatch = ErrorKind::TypeMismatch;
constexpr auto Over = ErrorKind::Overflow;

class ReadNumber : public testing::TestWithParam<Row> {};

TEST_P(ReadNumber, AsLongCurrencyAndDouble)
{
    const Row& row = GetParam();
    EXPECT_EQ(outcome<Long>([&] { return text_to_long(row.text, row.separator); }), row.as_long);
    EXPECT_EQ(outcome<std::int64_t>([&] { return text_to_currency(row.text, row.separator).count(); }),
              row.as_currency_count);
    EXPECT_EQ(outcome<double>([&] { return text_to_double(row.text, row.separator); }), row.as_double);
}

INSTANTIATE_TEST_SUITE_P(
    AcceptedForms, ReadNumber,
    testing::Values(Row{"Digits", "37", ",", 37, 370'000, 37.0},
                    Row{"SpacesAround", "  37 ", ",", 37, 370'000, 37.0},
                    Row{"Plus", "+37", ",", 37, 370'000, 37.0},
                    Row{"Minus", "-100", ",", -100, -1'000'000, -100.0},
                    Row{"Fraction", "116,5", ",", 116, 1'165'000, 116.5},
                    Row{"TrailingSeparator", "12,", ",", 12, 120'000, 12.0},
                    Row{"LeadingSeparator", ",5", ",", 0, 5'000, 0.5},
                    Row{"SignedLeadingSeparator", "-,25", ",", 0, -2'500, -0.25},
                    Row{"LeadingZeros", "000037", ",", 37, 370'000, 37.0},
                    Row{"MinusZero", "-0", ",", 0, 0, -0.0},
                    Row{"PointSeparator", "30.5", ".", 30, 305'000, 30.5},
                    // An odd separator proves nothing is hard-wired.
                    Row{"OddSeparator", "30?5", "?", 30, 305'000, 30.5},
                    Row{"MultiByteSeparator", "30\xd9\xab" "5", "\xd9\xab", 30, 305'000, 30.5}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    RejectedForms, ReadNumber,
    testing::Values(Row{"Empty", "", ",", Mismatch, Mismatch, Mismatch},
                    Row{"Spaces", "   ", ",", Mismatch, Mismatch, Mismatch},
                    Row{"LoneSign", "-", ",", Mismatch, Mismatch, Mismatch},
                    Row{"LoneSeparator", ",", ",", Mismatch, Mismatch, Mismatch},
                    Row{"SignAndSeparator", "+,", ",", Mismatch, Mismatch, Mismatch},
                    Row{"Inf", "inf", ",", Mismatch, Mismatch, Mismatch},
                    Row{"Nan", "nan", ",", Mismatch, Mismatch, Mismatch},
                    Row{"Letter", "3a", ",", Mismatch, Mismatch, Mismatch},
                    // Under Italian settings the point is no separator at all:
                    // neither 1000 nor 1.
                    Row{"GroupedThousands", "1.000", ",", Mismatch, Mismatch, Mismatch},
                    Row{"SecondSeparator", "1,0,0", ",", Mismatch, Mismatch, Mismatch},
                    Row{"Exponent", "1E3", ",", Mismatch, Mismatch, Mismatch},
                    Row{"Hex", "0x10", ",", Mismatch, Mismatch, Mismatch},
                    Row{"SpaceInside", "1 000", ",", Mismatch, Mismatch, Mismatch},
                    Row{"SpaceAfterSign", "- 5", ",", Mismatch, Mismatch, Mismatch},
                    Row{"DoubleSign", "--5", ",", Mismatch, Mismatch, Mismatch},
                    Row{"TrailingSign", "5-", ",", Mismatch, Mismatch, Mismatch},
                    Row{"Tab", "\t5", ",", Mismatch, Mismatch, Mismatch},
                    Row{"Currency", "5\xe2\x82\xac", ",", Mismatch, Mismatch, Mismatch},
                    Row{"ArabicIndicDigit", "\xd9\xa5", ",", Mismatch, Mismatch, Mismatch},
                    Row{"FullwidthDigit", "\xef\xbc\x95", ",", Mismatch, Mismatch, Mismatch}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

// Halves go to the even neighbour, decided on the decimal digits themselves.
INSTANTIATE_TEST_SUITE_P(
    Ties, ReadNumber,
    testing::Values(Row{"ThirtyAndHalf", "30,5", ",", 30, 305'000, 30.5},
                    Row{"ThirtyOneAndHalf", "31,5", ",", 32, 315'000, 31.5},
                    Row{"MinusTwoAndHalf", "-2,5", ",", -2, -25'000, -2.5},
                    Row{"MinusThreeAndHalf", "-3,5", ",", -4, -35'000, -3.5},
                    Row{"Half", "0,5", ",", 0, 5'000, 0.5},
                    Row{"JustOverHalf", "2,50000000000000000001", ",", 3, 25'000, 2.5},
                    Row{"JustUnderHalf", "2,49999999999999999999", ",", 2, 25'000, 2.5},
                    Row{"FifthDecimalHalfDown", "0,00005", ",", 0, 0, 0.00005},
                    Row{"FifthDecimalHalfUp", "0,00015", ",", 0, 2, 0.00015},
                    Row{"FifthDecimalOverHalf", "0,000051", ",", 0, 1, 0.000051},
                    Row{"NegativeFifthDecimal", "-0,00025", ",", 0, -2, -0.00025},
                    Row{"PowerHalf", "4999,5", ",", 5000, 49'995'000, 4999.5}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Limits, ReadNumber,
    testing::Values(Row{"LargestLong", "2147483647", ",", 2'147'483'647, 21'474'836'470'000, 2147483647.0},
                    Row{"BeyondLong", "2147483648", ",", Over, 21'474'836'480'000, 2147483648.0},
                    Row{"SmallestLong", "-2147483648", ",", std::numeric_limits<Long>::min(),
                        -21'474'836'480'000, -2147483648.0},
                    Row{"BelowLong", "-2147483649", ",", Over, -21'474'836'490'000, -2147483649.0},
                    Row{"RoundsBeyondLong", "2147483647,5", ",", Over, 21'474'836'475'000, 2147483647.5},
                    Row{"RoundsToSmallestLong", "-2147483648,5", ",", std::numeric_limits<Long>::min(),
                        -21'474'836'485'000, -2147483648.5},
                    Row{"LargestCurrency", "922337203685477,5807", ",", Over, std::numeric_limits<std::int64_t>::max(),
                        922337203685477.5807},
                    Row{"BeyondCurrency", "922337203685477,5808", ",", Over, Over, 922337203685477.5808},
                    Row{"SmallestCurrency", "-922337203685477,5808", ",", Over,
                        std::numeric_limits<std::int64_t>::min(), -922337203685477.5808},
                    Row{"CurrencyRoundsBeyond", "922337203685477,58075", ",", Over, Over, 922337203685477.58075},
                    Row{"HugeDigitString", "1000000000000000000000000000000000000000000", ",", Over, Over, 1e42},
                    Row{"LargestDouble", "17976931348623157" + std::string(292, '0'), ",", Over, Over, std::numeric_limits<double>::max()},
                    // Rounds down to the largest double, so still no overflow.
                    Row{"JustBelowRoundingToInfinity", "17976931348623158" + std::string(292, '0'), ",", Over, Over,
                        std::numeric_limits<double>::max()},
                    Row{"BeyondDouble", "17976931348623159" + std::string(292, '0'), ",", Over, Over, Over},
                    Row{"TooSmallForDouble", "-0," + std::string(400, '0') + "1", ",", 0, 0, -0.0}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(ReadNumber, NegativeZeroKeepsItsSignAsDouble)
{
    EXPECT_TRUE(std::signbit(text_to_double("-0", ",")));
    EXPECT_FALSE(std::signbit(text_to_double("0", ",")));
}

}  // namespace
}  // namespace tubaro
