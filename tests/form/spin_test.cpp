#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "rules/spin_step.h"
#include "tests/support/quantity_letters.h"
#include "tests/support/windowless_form.h"

namespace tubaro {
namespace {

using namespace letters;

struct StepRow {
    const char* name;
    std::string text;
    int last_value;
    int upper;
    int direction;
    std::optional<int> expected;
};

class SpinStep : public testing::TestWithParam<StepRow> {};

TEST_P(SpinStep, LandsWithinTheRange)
{
    const StepRow& row = GetParam();
    EXPECT_EQ(spin_step(row.text, row.last_value, row.upper, row.direction, ","), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SpinStep,
    testing::Values(StepRow{"UpFromText", "116", 0, 5000, +1, 117}, StepRow{"DownFromText", "116", 0, 5000, -1, 115},
                    StepRow{"FromRoundedText", "116,5", 0, 5000, +1, 117},
                    StepRow{"FromRoundedTextOdd", "117,5", 0, 5000, +1, 119},
                    StepRow{"TopEndStays", "5000", 0, 5000, +1, std::nullopt},
                    StepRow{"BottomEndStays", "0", 7, 5000, -1, std::nullopt},
                    StepRow{"AboveRangeClampsDown", "7000", 0, 5000, -1, 4999},
                    StepRow{"AboveRangeAtTop", "7000", 0, 5000, +1, std::nullopt},
                    StepRow{"NegativeClampsToZero", "-5", 0, 5000, +1, 1},
                    StepRow{"HugeNumberIsAboveRange", std::string(30, '9'), 0, 1000, -1, 999},
                    StepRow{"HugeNegativeIsBelowRange", std::string("-").append(30, '9'), 0, 1000, +1, 1},
                    StepRow{"NotANumberUsesLastValue", "abc", 42, 5000, +1, 43},
                    StepRow{"EmptyUsesLastValue", "", 42, 5000, -1, 41},
                    StepRow{"ZeroIsReachable", "1", 0, 5000, -1, 0}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

// A step in every mode writes its field before the recalculation reads it.
struct ModeStepRow {
    const char* name;
    Quantity mode;
    Quantity stepped;
    const char* stepped_text;
    const char* computed;  // the mode's field afterwards
};

class StepInMode : public testing::TestWithParam<ModeStepRow> {};

TEST_P(StepInMode, FieldWrittenBeforeRecalculation)
{
    const ModeStepRow& row = GetParam();
    WindowlessForm form;
    form.click_option(row.mode);
    FormEvent press{FormEvent::Kind::PointerDown, kQuantityControls[row.stepped].spin, Part::UpArrow};
    const FormReply reply = form.send(press);
    ASSERT_FALSE(reply.effects.empty());
    EXPECT_EQ(reply.effects.front(), Effect(SetText{kQuantityControls[row.stepped].field, row.stepped_text}));
    EXPECT_EQ(form.text(row.stepped), row.stepped_text);
    EXPECT_EQ(form.text(row.mode), row.computed);
    EXPECT_TRUE(form.errors().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, StepInMode,
    testing::Values(ModeStepRow{"DiameterModeStepsPower", D, P, "117", "37"},
                    ModeStepRow{"PowerModeStepsDiameter", P, D, "38", "124"},
                    ModeStepRow{"LossModeStepsLength", Y, L, "31", "103"},
                    ModeStepRow{"LengthModeStepsLoss", L, Y, "101", "30"}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(StepInMode, PowerModeDiameterStepChangesPower)
{
    WindowlessForm form;
    form.click_option(P);
    form.step(D, +1);
    EXPECT_EQ(form.text(D), "38");
    EXPECT_EQ(form.designation(), "1''1/2");
    EXPECT_EQ(form.text(P), "124");
}

// Each spin control stops at its own top: 1000 mm, 5000 kW, 10000 Pa, 20000 m.
TEST(StepInMode, EachSpinControlStopsAtItsTop)
{
    struct Row {
        Quantity field;
        const char* below_top;
        const char* top;
    };
    const Row rows[] = {{D, "999", "1000"}, {P, "4999", "5000"}, {Y, "9999", "10000"}, {L, "19999", "20000"}};
    for (const Row& row : rows) {
        WindowlessForm form;
        form.click_option(row.field == D ? P : D);  // the field's arrows shown
        form.paste(row.field, row.below_top);
        form.step(row.field, +1);
        EXPECT_EQ(form.text(row.field), row.top);
        form.step(row.field, +1);
        EXPECT_EQ(form.text(row.field), row.top);
    }
}

TEST(StepInMode, HiddenSpinControlDoesNotStep)
{
    WindowlessForm form;  // UpDown_D hidden at start
    form.step(D, +1);
    EXPECT_EQ(form.text(D), "37");
    EXPECT_EQ(form.results_written(), 0);
}

TEST(StepInMode, StepAtTheEndDoesNothing)
{
    WindowlessForm form;
    form.paste(P, "5000");
    form.step(P, +1);
    EXPECT_EQ(form.text(P), "5000");
    EXPECT_EQ(form.results_written(), 0);
}

TEST(StepInMode, SteppingBeyondTheTypedWindow)
{
    // Stepping is bound by the spin range, not the typed window: a length
    // steps past 10000 up to 20000.
    WindowlessForm form;
    form.paste(L, "19999");
    form.step(L, +1);
    EXPECT_EQ(form.text(L), "20000");
    EXPECT_EQ(form.results_written(), 1);
    form.step(L, +1);
    EXPECT_EQ(form.text(L), "20000");
}

TEST(StepInMode, StepToZeroRecalculates)
{
    WindowlessForm form;
    form.paste(P, "1");
    form.step(P, -1);
    EXPECT_EQ(form.text(P), "0");
    EXPECT_EQ(form.text(D), "0");
}

}  // namespace
}  // namespace tubaro
