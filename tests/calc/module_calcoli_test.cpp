#include "calc/module_calcoli.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "calc/error_kind.h"

namespace tubaro {
namespace {

// The shortest text (of printf's %g) that reads back as exactly this double;
// printf, not to_chars, which the WebAssembly build's library lacks for
// doubles.
std::string shortest(double value)
{
    char buffer[32];
    for (int digits = 1;; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
        if (std::strtod(buffer, nullptr) == value || digits == 17)
            return buffer;
    }
}

Currency currency(Long whole, int ten_thousandths = 0)
{
    return Currency::from_count(std::int64_t{whole} * 10'000 + ten_thousandths);
}

enum class Solver { Calcola_Diametro, Calcola_Potenza, Calcola_Perdita, Calcola_Lunghezza };

struct Call {
    const char* name;
    Solver solver;
    Long a;
    Currency b;  // the second argument; whole except the power in length mode
    Long c;
};

double before_rounding(const Call& call)
{
    const Long b_whole = static_cast<Long>(call.b.count() / 10'000);
    switch (call.solver) {
    case Solver::Calcola_Diametro: return diameter_before_rounding(call.a, b_whole, call.c);
    case Solver::Calcola_Potenza: return power_before_rounding(call.a, b_whole, call.c);
    case Solver::Calcola_Perdita: return loss_before_rounding(call.a, b_whole, call.c);
    case Solver::Calcola_Lunghezza: return length_before_rounding(call.a, call.b, call.c);
    }
    return 0.0;
}

Long result(const Call& call)
{
    const Long b_whole = static_cast<Long>(call.b.count() / 10'000);
    switch (call.solver) {
    case Solver::Calcola_Diametro: return Calcola_Diametro(call.a, b_whole, call.c);
    case Solver::Calcola_Potenza: return Calcola_Potenza(call.a, b_whole, call.c);
    case Solver::Calcola_Perdita: return Calcola_Perdita(call.a, b_whole, call.c);
    case Solver::Calcola_Lunghezza: return Calcola_Lunghezza(call.a, call.b, call.c);
    }
    return 0;
}

// Each row's value before rounding is the exact double, bit for bit.
struct ExactRow {
    Call call;
    const char* before;
    Long expected;
};

class ExactResults : public testing::TestWithParam<ExactRow> {};

TEST_P(ExactResults, ValueBeforeRoundingAndResult)
{
    const ExactRow& row = GetParam();
    EXPECT_EQ(shortest(before_rounding(row.call)), row.before);
    EXPECT_EQ(result(row.call), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeTable, ExactResults,
    testing::Values(
        ExactRow{{"Diametro_116_100_30", Solver::Calcola_Diametro, 116, currency(100), 30}, "36.99667447655046", 37},
        ExactRow{{"Potenza_37_100_30", Solver::Calcola_Potenza, 37, currency(100), 30}, "116.02625847947932", 116},
        ExactRow{{"Perdita_37_116_30", Solver::Calcola_Perdita, 37, currency(116), 30}, "99.95643033645928", 100},
        ExactRow{{"Lunghezza_37_116_100", Solver::Calcola_Lunghezza, 37, currency(116), 100}, "30.01307659649131", 30},
        // The flow is fixed to 0.2810; unfixed it would give 2785.
        ExactRow{{"Lunghezza_37_10_100_FlowFixed", Solver::Calcola_Lunghezza, 37, currency(10), 100}, "2786.1756143175835",
                 2786},
        // K is fixed to 0.6076; unfixed it would give 601.
        ExactRow{{"Perdita_20_61_30_CoefficientFixed", Solver::Calcola_Perdita, 20, currency(61), 30}, "601.5097602474556",
                 602},
        ExactRow{{"Lunghezza_37_116half_100_FractionKept", Solver::Calcola_Lunghezza, 37, currency(116, 5000), 100},
                 "29.77460707685654", 30},
        ExactRow{{"Diametro_10_100_30", Solver::Calcola_Diametro, 10, currency(100), 30}, "14.531829491027533", 15},
        ExactRow{{"Potenza_100_100_30", Solver::Calcola_Potenza, 100, currency(100), 30}, "1574.5743246595532", 1575}),
    [](const auto& row_info) { return std::string(row_info.param.call.name); });

struct ResultRow {
    Call call;
    Long expected;
};

class Results : public testing::TestWithParam<ResultRow> {};

TEST_P(Results, Result)
{
    EXPECT_EQ(result(GetParam().call), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    ZerosAndSigns, Results,
    testing::Values(
        // A zero power, diameter or loss gives a zero result.
        ResultRow{{"Diametro_ZeroPower", Solver::Calcola_Diametro, 0, currency(100), 30}, 0},
        ResultRow{{"Perdita_ZeroPower", Solver::Calcola_Perdita, 37, currency(0), 30}, 0},
        ResultRow{{"Potenza_ZeroDiameter", Solver::Calcola_Potenza, 0, currency(100), 30}, 0},
        ResultRow{{"Lunghezza_ZeroDiameter", Solver::Calcola_Lunghezza, 0, currency(116), 100}, 0},
        ResultRow{{"Potenza_ZeroLoss", Solver::Calcola_Potenza, 37, currency(0), 30}, 0},
        ResultRow{{"Lunghezza_ZeroLoss", Solver::Calcola_Lunghezza, 37, currency(116), 0}, 0},
        // A zero loss over a negative length reaches the power as -0.
        ResultRow{{"Potenza_ZeroLossNegativeLength", Solver::Calcola_Potenza, 37, currency(0), -30}, 0},
        // Y and L both negative cancel out.
        ResultRow{{"Diametro_BothNegative", Solver::Calcola_Diametro, 116, currency(-100), -30}, 37},
        ResultRow{{"Potenza_BothNegative", Solver::Calcola_Potenza, 37, currency(-100), -30}, 116},
        // A negative length gives a negative loss, and a negative loss a negative length.
        ResultRow{{"Perdita_NegativeLength", Solver::Calcola_Perdita, 37, currency(116), -30}, -100},
        ResultRow{{"Lunghezza_NegativeLoss", Solver::Calcola_Lunghezza, 37, currency(116), -100}, -30},
        // The largest power the Long product admits.
        ResultRow{{"Diametro_LargestPower", Solver::Calcola_Diametro, 2'497'074, currency(100), 30}, 1660}),
    [](const auto& row_info) { return std::string(row_info.param.call.name); });

struct FailureRow {
    Call call;
    ErrorKind kind;
};

class Failures : public testing::TestWithParam<FailureRow> {};

TEST_P(Failures, RaisesItsKind)
{
    try {
        (void)result(GetParam().call);
        ADD_FAILURE() << "no error raised";
    } catch (const CalcError& error) {
        EXPECT_EQ(error.kind(), GetParam().kind) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Calcola_Diametro, Failures,
    testing::Values(
        // Before any floating-point step, whatever the other arguments.
        FailureRow{{"PowerBeyondLongProduct", Solver::Calcola_Diametro, 2'497'075, currency(0), 0}, ErrorKind::Overflow},
        FailureRow{{"NegativePowerBeyondLongProduct", Solver::Calcola_Diametro, -2'497'075, currency(100), 30},
                   ErrorKind::Overflow},
        FailureRow{{"ZeroLength", Solver::Calcola_Diametro, 116, currency(100), 0}, ErrorKind::DivisionByZero},
        FailureRow{{"ZeroLengthAndLoss", Solver::Calcola_Diametro, 116, currency(0), 0}, ErrorKind::Overflow},
        FailureRow{{"OppositeSigns", Solver::Calcola_Diametro, 116, currency(-100), 30}, ErrorKind::InvalidArgument},
        FailureRow{{"ZeroLoss", Solver::Calcola_Diametro, 116, currency(0), 30}, ErrorKind::DivisionByZero},
        FailureRow{{"ZeroLossAndPower", Solver::Calcola_Diametro, 0, currency(0), 30}, ErrorKind::Overflow},
        FailureRow{{"NegativePower", Solver::Calcola_Diametro, -116, currency(100), 30}, ErrorKind::InvalidArgument}),
    [](const auto& row_info) { return std::string(row_info.param.call.name); });

INSTANTIATE_TEST_SUITE_P(
    Calcola_Potenza, Failures,
    testing::Values(
        FailureRow{{"ZeroLength", Solver::Calcola_Potenza, 37, currency(100), 0}, ErrorKind::DivisionByZero},
        FailureRow{{"ZeroLengthAndLoss", Solver::Calcola_Potenza, 37, currency(0), 0}, ErrorKind::Overflow},
        FailureRow{{"OppositeSigns", Solver::Calcola_Potenza, 37, currency(100), -30}, ErrorKind::InvalidArgument},
        FailureRow{{"NegativeDiameter", Solver::Calcola_Potenza, -37, currency(100), 30}, ErrorKind::InvalidArgument},
        FailureRow{{"ResultBeyondLong", Solver::Calcola_Potenza, 5000, currency(100000), 1}, ErrorKind::Overflow}),
    [](const auto& row_info) { return std::string(row_info.param.call.name); });

INSTANTIATE_TEST_SUITE_P(
    Calcola_Perdita, Failures,
    testing::Values(
        FailureRow{{"PowerBeyondLongProduct", Solver::Calcola_Perdita, 0, currency(2'497'075), 0}, ErrorKind::Overflow},
        FailureRow{{"NegativePower", Solver::Calcola_Perdita, 37, currency(-116), 30}, ErrorKind::InvalidArgument},
        FailureRow{{"NegativeDiameter", Solver::Calcola_Perdita, -37, currency(116), 30}, ErrorKind::InvalidArgument},
        FailureRow{{"ZeroDiameter", Solver::Calcola_Perdita, 0, currency(116), 30}, ErrorKind::DivisionByZero},
        FailureRow{{"ZeroDiameterAndPower", Solver::Calcola_Perdita, 0, currency(0), 30}, ErrorKind::Overflow},
        FailureRow{{"ZeroDiameterAndLength", Solver::Calcola_Perdita, 0, currency(116), 0}, ErrorKind::Overflow},
        FailureRow{{"ResultBeyondLong", Solver::Calcola_Perdita, 1, currency(116), 30}, ErrorKind::Overflow}),
    [](const auto& row_info) { return std::string(row_info.param.call.name); });

INSTANTIATE_TEST_SUITE_P(
    Calcola_Lunghezza, Failures,
    testing::Values(
        // 860 * P leaves the Currency range before any floating-point step.
        FailureRow{{"PowerBeyondCurrencyProduct", Solver::Calcola_Lunghezza, -37,
                    Currency::from_count(10'724'851'205'645'089), 100},
                   ErrorKind::Overflow},
        FailureRow{{"NegativeDiameter", Solver::Calcola_Lunghezza, -37, currency(116), 100}, ErrorKind::InvalidArgument},
        FailureRow{{"FlowNegative", Solver::Calcola_Lunghezza, 37, currency(0, -18), 100}, ErrorKind::InvalidArgument},
        FailureRow{{"FlowZero", Solver::Calcola_Lunghezza, 37, currency(0, 17), 100}, ErrorKind::DivisionByZero},
        FailureRow{{"FlowZeroNegativeSide", Solver::Calcola_Lunghezza, 37, currency(0, -17), 100},
                   ErrorKind::DivisionByZero},
        FailureRow{{"FlowZeroAndDiameterZero", Solver::Calcola_Lunghezza, 0, currency(0), 100}, ErrorKind::Overflow},
        FailureRow{{"FlowZeroAndLossZero", Solver::Calcola_Lunghezza, 37, currency(0, 17), 0}, ErrorKind::Overflow},
        FailureRow{{"ResultBeyondLong", Solver::Calcola_Lunghezza, 37, currency(0, 18), 100}, ErrorKind::Overflow}),
    [](const auto& row_info) { return std::string(row_info.param.call.name); });

// D = 37, P = 116, L = 30, Y = 100 agree: each solver returns the fourth.
TEST(Consistency, StartValuesReproduceEachOther)
{
    EXPECT_EQ(Calcola_Diametro(116, 100, 30), 37);
    EXPECT_EQ(Calcola_Potenza(37, 100, 30), 116);
    EXPECT_EQ(Calcola_Perdita(37, 116, 30), 100);
    EXPECT_EQ(Calcola_Lunghezza(37, Currency::from_long(116), 100), 30);
}

}  // namespace
}  // namespace tubaro
