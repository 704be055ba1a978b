#include "calc/float_ops.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <variant>

#include "calc/error_kind.h"

namespace tubaro {
namespace {

using Outcome = std::variant<double, ErrorKind>;

template <typename Op>
Outcome outcome(Op op)
{
    try {
        return op();
    } catch (const CalcError& error) {
        return error.kind();
    }
}

constexpr double kMax = std::numeric_limits<double>::max();

struct Row {
    const char* name;
    enum { Divide, Multiply, Power } op;
    double a;
    double b;
    Outcome expected;
};

class FloatingPointCheck : public testing::TestWithParam<Row> {};

TEST_P(FloatingPointCheck, ResultOrKind)
{
    const Row& row = GetParam();
    const Outcome got = outcome([&] {
        switch (row.op) {
        case Row::Divide: return checked_divide(row.a, row.b);
        case Row::Multiply: return checked_multiply(row.a, row.b);
        case Row::Power: return power(row.a, row.b);
        }
        return 0.0;
    });
    EXPECT_EQ(got, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    DivisionByZeroAgainstOverflow, FloatingPointCheck,
    testing::Values(Row{"NonZeroByZero", Row::Divide, 5.0, 0.0, ErrorKind::DivisionByZero},
                    Row{"NegativeByZero", Row::Divide, -5.0, 0.0, ErrorKind::DivisionByZero},
                    Row{"NonZeroByNegativeZero", Row::Divide, 5.0, -0.0, ErrorKind::DivisionByZero},
                    Row{"ZeroByZero", Row::Divide, 0.0, 0.0, ErrorKind::Overflow},
                    Row{"NegativeZeroByZero", Row::Divide, -0.0, 0.0, ErrorKind::Overflow},
                    Row{"QuotientBeyondMax", Row::Divide, kMax, 0.5, ErrorKind::Overflow},
                    Row{"ProductBeyondMax", Row::Multiply, kMax, 2.0, ErrorKind::Overflow},
                    Row{"SubnormalIsNoError", Row::Divide, 1e-300, 1e10, 1e-310},
                    Row{"Ordinary", Row::Divide, 860.0, 8500.0, 860.0 / 8500.0}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Power, FloatingPointCheck,
    testing::Values(Row{"Positive", Row::Power, 0.6, 0.848, std::pow(0.6, 0.848)},
                    Row{"ZeroBase", Row::Power, 0.0, 0.541, 0.0},
                    Row{"NegativeZeroBase", Row::Power, -0.0, 0.541, 0.0},
                    Row{"ZeroToTheZero", Row::Power, 0.0, 0.0, 1.0},
                    Row{"ZeroToANegativePower", Row::Power, 0.0, -2.623, ErrorKind::DivisionByZero},
                    Row{"NegativeBaseFractionalExponent", Row::Power, -1.5, 0.541, ErrorKind::InvalidArgument},
                    Row{"NegativeTinyBase", Row::Power, -1e-300, 0.541, ErrorKind::InvalidArgument},
                    Row{"BeyondMax", Row::Power, 1e300, 2.623, ErrorKind::Overflow}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(Power, NegativeZeroBaseGivesPositiveZero)
{
    EXPECT_FALSE(std::signbit(power(-0.0, 0.541)));
}

}  // namespace
}  // namespace tubaro
