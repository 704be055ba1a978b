#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "calc/error_kind.h"
#include "tests/support/golden_recalculations.h"
#include "tests/support/quantity_letters.h"
#include "rules/recalculation.h"
#include "tests/support/windowless_form.h"

namespace tubaro {
namespace {

using namespace letters;

// A recalculation as the window starts one without changing an input: a key
// released in the computed field, whose text (a 1, inside every field's
// typed window) is never read. The error it reports, if any.
std::optional<ErrorKind> recalculate_in(WindowlessForm& form)
{
    const Quantity mode = *form.mode();
    form.paste(mode, "1");
    form.clear_errors();
    form.press_key(mode, {Key::Other, WindowlessForm::kShiftCode, kShift});
    form.release_key(mode, {Key::Other, WindowlessForm::kShiftCode, kShift});
    return form.last_error();
}

class Golden : public testing::TestWithParam<golden::Row> {};

TEST_P(Golden, PureRecalculation)
{
    const golden::Row& row = GetParam();
    const FieldTexts texts{row.texts};
    const Outcome<std::string> outcome = recalculate(row.mode, texts, row.separator);
    if (row.expected.error) {
        EXPECT_EQ(outcome.error(), row.expected.error);
    } else {
        ASSERT_TRUE(outcome.ok()) << error_name(*outcome.error());
        EXPECT_EQ(outcome.value(), *row.expected.written);
    }
}

// Ricalcola writes the result into the mode's field and nothing else, or,
// when a step fails, writes nothing (the 1 stays) and reports the step's
// error.
TEST_P(Golden, RicalcolaWritesItOrNothing)
{
    const golden::Row& row = GetParam();
    WindowlessForm form{std::string(row.separator)};
    for (Quantity q : kQuantities)
        form.paste(q, row.text(q));
    form.click_option(row.mode);
    EXPECT_EQ(recalculate_in(form), row.expected.error);
    for (Quantity q : kQuantities) {
        const std::string_view expected =
            q != row.mode ? row.text(q) : row.expected.written ? *row.expected.written : "1";
        EXPECT_EQ(form.text(q), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Golden, testing::ValuesIn(golden::kRows),
                         [](const auto& row_info) { return std::string(row_info.param.name); });

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
    EXPECT_EQ(form.results_written(), 0);
}

// Switching modes moves the hidden spin control and changes no text.
class ModeSwitch : public testing::TestWithParam<Quantity> {};

TEST_P(ModeSwitch, HidesOnlyTheOutputsSpinControl)
{
    WindowlessForm form;
    form.click_option(GetParam());
    EXPECT_EQ(form.mode(), GetParam());
    EXPECT_EQ(form.options_set(), 1);
    for (Quantity q : kQuantities)
        EXPECT_EQ(form.spin_visible(q), q != GetParam());
    EXPECT_EQ(form.text(D), "37");
    EXPECT_EQ(form.text(P), "116");
    EXPECT_EQ(form.results_written(), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, ModeSwitch, testing::ValuesIn(kQuantities));

TEST(Recalculation, StartTextsWriteThemselvesBackInEveryMode)
{
    WindowlessForm form;
    for (Quantity mode : kQuantities) {
        form.click_option(mode);
        EXPECT_EQ(recalculate_in(form), std::nullopt);
    }
    EXPECT_EQ(form.text(D), "37");
    EXPECT_EQ(form.text(P), "116");
    EXPECT_EQ(form.text(Y), "100");
    EXPECT_EQ(form.text(L), "30");
    EXPECT_EQ(form.results_written(), 4);
}

TEST(Recalculation, ComputedDiameterUpdatesDesignationBeforeReturning)
{
    WindowlessForm form;
    form.paste(P, "10");
    form.press_key(P, {Key::Other, '0', 0});
    const FormReply& reply = form.send({FormEvent::Kind::KeyUp, ControlId::Text_P, Part::Whole, {Key::Other, '0', 0}});
    // In one answer: the result, then the designation it gives.
    EXPECT_EQ(reply.effects, (std::vector<Effect>{SetText{ControlId::Text_D, "15"}, SetText{ControlId::Text_Pollici, "1/2\""}}));
}

}  // namespace
}  // namespace tubaro
