#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "error_kind.h"
#include "quantity_letters.h"
#include "windowless_form.h"

namespace tubaro {
namespace {

using namespace letters;

std::optional<ErrorKind> recalculate(WindowlessForm& form)
{
    try {
        form.logic().Ricalcola();
    } catch (const CalcError& error) {
        return error.kind();
    }
    return std::nullopt;
}

void select(WindowlessForm& form, Quantity mode)
{
    form.click_option(mode);
}

TEST(StartState, StoredValuesNothingComputed)
{
    WindowlessForm form;
    EXPECT_EQ(form.text(D), "37");
    EXPECT_EQ(form.text(P), "116");
    EXPECT_EQ(form.text(Y), "100");
    EXPECT_EQ(form.text(L), "30");
    EXPECT_EQ(form.designation(), "1\"1/2");
    EXPECT_EQ(form.mode(), D);
    EXPECT_FALSE(form.spin_visible(D));
    EXPECT_TRUE(form.spin_visible(P) && form.spin_visible(Y) && form.spin_visible(L));
    EXPECT_EQ(form.recalculations(), 0);
}

// Switching modes moves the hidden spin control and changes no text.
class ModeSwitch : public testing::TestWithParam<Quantity> {};

TEST_P(ModeSwitch, HidesOnlyTheOutputsSpinControl)
{
    WindowlessForm form;
    select(form, GetParam());
    EXPECT_EQ(form.mode(), GetParam());
    EXPECT_EQ(form.options_set(), 1);
    for (Quantity q : kQuantities)
        EXPECT_EQ(form.spin_visible(q), q != GetParam());
    EXPECT_EQ(form.text(D), "37");
    EXPECT_EQ(form.text(P), "116");
    EXPECT_EQ(form.recalculations(), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, ModeSwitch, testing::ValuesIn(kQuantities));

struct RecalcRow {
    const char* name;
    Quantity mode;
    const char* d;
    const char* p;
    const char* y;
    const char* l;
    Quantity output;
    std::string expected_output;  // the output field's text afterwards
    std::optional<ErrorKind> error;
};

class Recalculation : public testing::TestWithParam<RecalcRow> {};

TEST_P(Recalculation, WritesResultOrNothing)
{
    const RecalcRow& row = GetParam();
    WindowlessForm form;
    select(form, row.mode);
    form.paste(D, row.d);
    form.paste(P, row.p);
    form.paste(Y, row.y);
    form.paste(L, row.l);
    EXPECT_EQ(recalculate(form), row.error);
    EXPECT_EQ(form.text(row.output), row.expected_output);
}

INSTANTIATE_TEST_SUITE_P(
    StartTextsWriteThemselvesBack, Recalculation,
    testing::Values(RecalcRow{"Diametro", D, "0", "116", "100", "30", D, "37", std::nullopt},
                    RecalcRow{"Potenza", P, "37", "0", "100", "30", P, "116", std::nullopt},
                    RecalcRow{"Perdita", Y, "37", "116", "0", "30", Y, "100", std::nullopt},
                    RecalcRow{"Lunghezza", L, "37", "116", "100", "0", L, "30", std::nullopt}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

// The power keeps its fraction only in length mode.
INSTANTIATE_TEST_SUITE_P(
    FractionalPower, Recalculation,
    testing::Values(RecalcRow{"LengthKeepsFraction", L, "37", "116,5", "100", "x", L, "30", std::nullopt},
                    RecalcRow{"LengthTenKilowatts", L, "37", "10", "100", "x", L, "2786", std::nullopt},
                    RecalcRow{"LossRoundsHalfToEven", Y, "37", "116,5", "x", "30", Y, "100", std::nullopt},
                    RecalcRow{"DiameterRoundsUp", D, "x", "9,6", "100", "30", D, "15", std::nullopt},
                    RecalcRow{"LengthTinyPowerIsNoFlow", L, "37", "0,00017", "100", "x", L, "x",
                              ErrorKind::DivisionByZero}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

// With several bad inputs the mode's conversion order decides the error,
// and the output field keeps its text. "" is a type mismatch, "9999999999"
// an overflow.
INSTANTIATE_TEST_SUITE_P(
    ConversionOrder, Recalculation,
    testing::Values(
        // Diameter mode converts L, Y, P.
        RecalcRow{"DiametroLengthFirst", D, "keep", "9999999999", "9999999999", "", D, "keep", ErrorKind::TypeMismatch},
        RecalcRow{"DiametroLossBeforePower", D, "keep", "", "9999999999", "30", D, "keep", ErrorKind::Overflow},
        RecalcRow{"DiametroPowerLast", D, "keep", "", "100", "30", D, "keep", ErrorKind::TypeMismatch},
        // Power mode converts L, Y, D.
        RecalcRow{"PotenzaLengthFirst", P, "", "keep", "9999999999", "", P, "keep", ErrorKind::TypeMismatch},
        RecalcRow{"PotenzaLossBeforeDiameter", P, "", "keep", "9999999999", "30", P, "keep", ErrorKind::Overflow},
        // Loss mode converts L, P, D.
        RecalcRow{"PerditaLengthFirst", Y, "", "9999999999", "keep", " ", Y, "keep", ErrorKind::TypeMismatch},
        RecalcRow{"PerditaPowerBeforeDiameter", Y, "", "9999999999", "keep", "30", Y, "keep", ErrorKind::Overflow},
        // Length mode converts Y, P (as Currency), D.
        RecalcRow{"LunghezzaLossFirst", L, "", "9999999999", "", "keep", L, "keep", ErrorKind::TypeMismatch},
        RecalcRow{"LunghezzaPowerBeforeDiameter", L, "", "9999999999999999", "100", "keep", L, "keep",
                  ErrorKind::Overflow},
        // A power too large for a Long is still a Currency in length mode.
        RecalcRow{"LunghezzaLargePowerIsCurrency", L, "", "9999999999", "100", "keep", L, "keep",
                  ErrorKind::TypeMismatch},
        // The formula's own error comes after every conversion.
        RecalcRow{"FormulaAfterConversions", D, "keep", "116", "100", "0", D, "keep", ErrorKind::DivisionByZero}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(Recalculation, OutputTextIsNeverRead)
{
    WindowlessForm form;
    form.paste(D, "not a number at all");
    EXPECT_EQ(recalculate(form), std::nullopt);
    EXPECT_EQ(form.text(D), "37");
}

TEST(Recalculation, ComputedDiameterUpdatesDesignationBeforeReturning)
{
    WindowlessForm form;
    form.paste(P, "10");
    std::string seen_during_recalculation;
    form.logic().set_recalculated_listener([&] { seen_during_recalculation = form.designation(); });
    EXPECT_EQ(recalculate(form), std::nullopt);
    EXPECT_EQ(form.text(D), "15");
    EXPECT_EQ(seen_during_recalculation, "1/2\"");
}

}  // namespace
}  // namespace tubaro
