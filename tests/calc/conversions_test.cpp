#include "calc/conversions.h"
#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <variant>

#include "calc/error_kind.h"
#include "calc/long.h"

namespace tubaro {
namespace {

template <typename T, typename Convert>
std::variant<T, ErrorKind> outcome(Convert convert)
{
    try {
        return convert();
    } catch (const CalcError& error) {
        return error.kind();
    }
}

struct ToLongRow {
    const char* name;
    double value;
    std::variant<Long, ErrorKind> expected;
};

class DoubleToLong : public testing::TestWithParam<ToLongRow> {};

TEST_P(DoubleToLong, HalvesToEvenWithinRange)
{
    EXPECT_EQ(outcome<Long>([] { return double_to_long(GetParam().value); }), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DoubleToLong,
    testing::Values(ToLongRow{"Nearer", 36.9967, 37}, ToLongRow{"TwoAndHalf", 2.5, 2},
                    ToLongRow{"ThreeAndHalf", 3.5, 4}, ToLongRow{"MinusTwoAndHalf", -2.5, -2},
                    ToLongRow{"MinusThreeAndHalf", -3.5, -4}, ToLongRow{"Half", 0.5, 0},
                    ToLongRow{"MinusHalf", -0.5, 0},
                    ToLongRow{"JustBelowHalf", std::nextafter(0.5, 0.0), 0},
                    ToLongRow{"JustAboveHalf", std::nextafter(0.5, 1.0), 1},
                    ToLongRow{"JustAboveTwoAndHalf", std::nextafter(2.5, 3.0), 3},
                    ToLongRow{"Largest", 2'147'483'647.0, 2'147'483'647},
                    ToLongRow{"HalfBeyondLargest", 2'147'483'647.5, ErrorKind::Overflow},
                    ToLongRow{"HalfBelowSmallest", -2'147'483'648.5, std::numeric_limits<Long>::min()},
                    ToLongRow{"BelowSmallest", -2'147'483'649.0, ErrorKind::Overflow},
                    ToLongRow{"Infinity", std::numeric_limits<double>::infinity(), ErrorKind::Overflow},
                    ToLongRow{"NaN", std::numeric_limits<double>::quiet_NaN(), ErrorKind::Overflow}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

struct ToCurrencyRow {
    const char* name;
    double value;
    std::variant<std::int64_t, ErrorKind> count;
};

class DoubleToCurrency : public testing::TestWithParam<ToCurrencyRow> {};

TEST_P(DoubleToCurrency, FourDecimalsHalvesToEven)
{
    EXPECT_EQ(outcome<std::int64_t>([] { return double_to_currency(GetParam().value).count(); }),
              GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DoubleToCurrency,
    testing::Values(ToCurrencyRow{"GasCoefficient", 0.6075823656991713, 6076},
                    ToCurrencyRow{"FlowOfTenKilowatts", 0.28104575163398693, 2810},
                    ToCurrencyRow{"FlowOf116Kilowatts", 3.2601307189542483, 32601},
                    // The tie is judged on the double product, not the decimal.
                    ToCurrencyRow{"ProductJustBelowHalf", 0.00015, 1},
                    ToCurrencyRow{"ProductExactlyHalf", 0.00025, 2},
                    ToCurrencyRow{"NegativeHalf", -0.00025, -2},
                    ToCurrencyRow{"ProductBeyondInt64", 1e15, ErrorKind::Overflow},
                    ToCurrencyRow{"SmallestCount", -922337203685477.5808, std::numeric_limits<std::int64_t>::min()},
                    ToCurrencyRow{"ProductInfinite", 1e305, ErrorKind::Overflow},
                    ToCurrencyRow{"NaN", std::numeric_limits<double>::quiet_NaN(), ErrorKind::Overflow}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(CurrencyToDouble, NearestDouble)
{
    EXPECT_EQ(to_double(Currency::from_count(6076)), 0.6076);
    EXPECT_EQ(to_double(Currency::from_count(-25)), -0.0025);
    // Past 2^53 the count itself is not a double; the result still is the
    // nearest one.
    EXPECT_EQ(to_double(Currency::from_count(std::numeric_limits<std::int64_t>::max())), 922337203685477.5807);
    EXPECT_EQ(to_double(Currency::from_count(9'007'199'254'740'992)), 900719925474.0992);  // 2^53
    EXPECT_EQ(to_double(Currency::from_count(9'007'199'254'740'993)), 900719925474.0993);
    // Here rounding the count first would give ...0996.
    EXPECT_EQ(to_double(Currency::from_count(9'007'199'254'740'995)), 900719925474.0995);
    EXPECT_EQ(to_double(Currency::from_count(-9'007'199'254'740'995)), -900719925474.0995);
    EXPECT_EQ(to_double(Currency::from_count(std::numeric_limits<std::int64_t>::min())), -922337203685477.5808);
}

TEST(CurrencyProducts, ExactOrOverflow)
{
    EXPECT_EQ(multiply(Currency::from_count(6076), Currency::from_long(30)).count(), 182'280);
    EXPECT_EQ(multiply(Currency::from_count(6076), Currency::from_long(-30)).count(), -182'280);
    EXPECT_EQ(multiply(std::int16_t{860}, Currency::from_count(1'165'000)).count(), 1'001'900'000);
    // 860 admits any value up to 1'072'485'120'564.5088 in magnitude.
    EXPECT_EQ(multiply(std::int16_t{860}, Currency::from_count(-10'724'851'205'645'088)).count(),
              -9'223'372'036'854'775'680);
    EXPECT_THROW(multiply(std::int16_t{860}, Currency::from_count(10'724'851'205'645'089)), CalcError);
    EXPECT_THROW(multiply(Currency::from_long(2'000'000'000), Currency::from_long(2'000'000'000)), CalcError);
    // The lowest count is a product's as well; one below it is not.
    EXPECT_EQ(multiply(Currency::from_count(std::numeric_limits<std::int64_t>::min()), Currency::from_long(1)).count(),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_THROW(multiply(std::int16_t{3}, Currency::from_count(-3'074'457'345'618'258'603)), CalcError);
    // A product with more than four decimals rounds halves to even.
    EXPECT_EQ(multiply(Currency::from_count(5), Currency::from_count(5'000)).count(), 2);
    EXPECT_EQ(multiply(Currency::from_count(15), Currency::from_count(5'000)).count(), 8);
    EXPECT_EQ(multiply(Currency::from_count(-15), Currency::from_count(5'000)).count(), -8);  // -7.5
    EXPECT_EQ(multiply(Currency::from_count(-7), Currency::from_count(9'999)).count(), -7);   // -6.9993
}

TEST(CurrencySum, ExactOrOverflow)
{
    constexpr auto kHighest = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(add(Currency::from_count(89'999'999), Currency::from_count(1)).count(), 90'000'000);
    EXPECT_EQ(add(Currency::from_count(kHighest - 1), Currency::from_count(1)).count(), kHighest);
    EXPECT_THROW(add(Currency::from_count(kHighest), Currency::from_count(1)), CalcError);
    EXPECT_THROW(add(Currency::from_count(-kHighest), Currency::from_count(-2)), CalcError);
}

// Plain digits in the reader's separator, no trailing zero, and read back
// to the same value.
TEST(CurrencyToText, ShortestDecimal)
{
    const std::pair<std::int64_t, const char*> rows[] = {
        {1'165'000, "116,5"}, {160'000, "16"}, {0, "0"},           {1, "0,0001"},
        {-22'500, "-2,25"},   {10'010, "1,001"}, {89'999'999, "8999,9999"},
        {std::numeric_limits<std::int64_t>::min(), "-922337203685477,5808"},
    };
    for (const auto& [count, text] : rows) {
        EXPECT_EQ(currency_to_text(Currency::from_count(count), ","), text);
        EXPECT_EQ(text_to_currency(text, ",").count(), count) << text;
    }
    EXPECT_EQ(currency_to_text(Currency::from_count(1'165'000), "\xd9\xab"), "116\xd9\xab""5");
}

TEST(LongProduct, CheckedAgainstLongRange)
{
    EXPECT_EQ(checked_multiply(2'497'074, 860), 2'147'483'640);
    EXPECT_EQ(checked_multiply(-2'497'074, 860), -2'147'483'640);
    EXPECT_THROW(checked_multiply(2'497'075, 860), CalcError);
    EXPECT_THROW(checked_multiply(-2'497'075, 860), CalcError);
}

TEST(LongToText, PlainDigits)
{
    EXPECT_EQ(long_to_text(37), "37");
    EXPECT_EQ(long_to_text(-100), "-100");
    EXPECT_EQ(long_to_text(0), "0");
    EXPECT_EQ(long_to_text(std::numeric_limits<Long>::min()), "-2147483648");
    EXPECT_EQ(long_to_text(2'000'000), "2000000");
}

TEST(ErrorNames, ItalianNamesOfTheFourKinds)
{
    EXPECT_EQ(error_name(ErrorKind::TypeMismatch), "Tipo non corrispondente");
    EXPECT_EQ(error_name(ErrorKind::Overflow), "Overflow");
    EXPECT_EQ(error_name(ErrorKind::DivisionByZero), "Divisione per zero");
    EXPECT_EQ(error_name(ErrorKind::InvalidArgument), "Argomento non valido");
    EXPECT_STREQ(CalcError(ErrorKind::DivisionByZero).what(), "Divisione per zero");
}

}  // namespace
}  // namespace tubaro
