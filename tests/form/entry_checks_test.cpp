#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "calc/error_kind.h"
#include "tests/support/quantity_letters.h"
#include "tests/support/windowless_form.h"

namespace tubaro {
namespace {

using namespace letters;

// State: start values, a mode. Action: the field's text is replaced and a key
// released in it. Expected: a recalculation or none, and the error reported.
struct TypedRow {
    const char* name;
    Quantity mode;
    Quantity field;
    std::string text;
    bool recalculates;
    std::optional<ErrorKind> error = std::nullopt;
};

class TypedWindow : public testing::TestWithParam<TypedRow> {};

TEST_P(TypedWindow, RecalculatesOnlyInsideTheWindow)
{
    const TypedRow& row = GetParam();
    WindowlessForm form;
    form.click_option(row.mode);
    form.paste(row.field, row.text);
    form.paste(row.mode, "-1");  // never read: a recalculation shows by writing over it
    form.clear_errors();
    form.press_key(row.field, {Key::Other, 'x', 0});
    form.release_key(row.field, {Key::Other, 'x', 0});
    EXPECT_EQ(form.results_written(), row.recalculates ? 1 : 0);
    EXPECT_EQ(form.last_error(), row.error);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, TypedWindow,
    testing::Values(
        TypedRow{"DiameterZero", Quantity::Power, D, "0", false},
        TypedRow{"DiameterNegative", Quantity::Power, D, "-5", false},
        TypedRow{"DiameterLimit", Quantity::Power, D, "5000", false},
        TypedRow{"DiameterLimitMinusOne", Quantity::Power, D, "4999", true},
        TypedRow{"DiameterJustUnderLimit", Quantity::Power, D, "4999,999999", true},
        TypedRow{"DiameterJustAboveZero", Quantity::Power, D, "0,0001", true},
        TypedRow{"PowerZero", D, P, "0", false},
        TypedRow{"PowerLimit", D, P, "9000", false},
        TypedRow{"PowerLimitMinusOne", D, P, "8999", true},
        TypedRow{"LengthZero", D, L, "0", false},
        TypedRow{"LengthLimit", D, L, "10000", false},
        TypedRow{"LengthLimitMinusOne", D, L, "9999", true},
        TypedRow{"LossZero", D, Y, "0", false},
        TypedRow{"LossLimit", D, Y, "100000", false},
        TypedRow{"LossLimitMinusOne", D, Y, "99999", true},
        TypedRow{"LossNegative", D, Y, "-5", false},
        // The empty text is skipped; spaces go on and fail to convert.
        TypedRow{"Empty", D, P, "", false},
        TypedRow{"Spaces", D, P, "  ", false, ErrorKind::TypeMismatch},
        TypedRow{"LoneSign", D, P, "-", false, ErrorKind::TypeMismatch},
        TypedRow{"Letter", D, P, "1a", false, ErrorKind::TypeMismatch},
        TypedRow{"BeyondDouble", D, P, "1" + std::string(400, '0'), false, ErrorKind::Overflow},
        // A trailing separator is a number being typed.
        TypedRow{"TrailingSeparator", D, P, "116,", true}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(TypedWindow, HalfJustUnderTheLimitReachesTheFormulasRounded)
{
    WindowlessForm form;
    form.click_option(P);
    form.paste(Y, "100");
    form.paste(L, "30");
    form.paste(D, "4999,5");  // inside the window, read as 5000
    form.press_key(D, {Key::Other, '5', 0});
    form.release_key(D, {Key::Other, '5', 0});
    EXPECT_EQ(form.results_written(), 1);
    EXPECT_EQ(form.text(P), "45036174");  // the power for 5000 mm; 4999 mm would give 45012552
}

TEST(TypedWindow, HalfAboveZeroReachesTheFormulasAsZero)
{
    WindowlessForm form;  // diameter mode
    form.paste(P, "0,5");
    form.press_key(P, {Key::Other, '5', 0});
    form.release_key(P, {Key::Other, '5', 0});
    EXPECT_EQ(form.text(D), "0");
    EXPECT_TRUE(form.errors().empty());
}

TEST(TypedWindow, TypingIntoTheOutputIsOverwrittenAtOnce)
{
    WindowlessForm form;  // diameter mode: Text_D is the output
    form.paste(D, "");
    form.type(D, "12");
    EXPECT_EQ(form.text(D), "37");
    EXPECT_EQ(form.results_written(), 2);  // over "1", then over "37" typed to "372"
}

TEST(TypedWindow, TypedZeroInTheOutputStays)
{
    WindowlessForm form;
    form.paste(D, "");
    form.type(D, "0");
    EXPECT_EQ(form.text(D), "0");
    EXPECT_EQ(form.results_written(), 0);
}

TEST(TypedWindow, KeyThatChangesNothingRecalculatesAgain)
{
    WindowlessForm form;
    const KeyChord shift{Key::Other, WindowlessForm::kShiftCode, kShift};
    for (int twice = 0; twice < 2; ++twice) {
        form.paste(D, "-1");
        form.press_key(P, shift);
        form.release_key(P, shift);
    }
    EXPECT_EQ(form.results_written(), 2);
}

// Only the release of the key, with its modifiers, that moved the focus into
// the field is ignored; every other release in the field counts.
struct ArrivalRow {
    const char* name;
    FocusCause moved_by;                  // how the focus came in
    std::vector<KeyChord> released;       // the keys then released in the field
    int recalculations;
};

constexpr KeyChord kTab{Key::Tab, 0, 0};
constexpr KeyChord kShiftTab{Key::Tab, 0, kShift};
constexpr KeyChord kShiftUp{Key::Other, WindowlessForm::kShiftCode, kShift};
constexpr KeyChord kAltTab{Key::Tab, 0, kAlt};
constexpr KeyChord kAltUp{Key::Other, WindowlessForm::kAltCode, kAlt};
constexpr KeyChord kFive{Key::Other, '5', 0};

class Arrival : public testing::TestWithParam<ArrivalRow> {};

TEST_P(Arrival, IgnoresOnlyTheKeyThatBroughtTheFocus)
{
    const ArrivalRow& row = GetParam();
    WindowlessForm form;
    form.focus(P, row.moved_by);
    for (const KeyChord& key : row.released) {
        form.paste(D, "-1");
        form.release_key(P, key);
    }
    EXPECT_EQ(form.results_written(), row.recalculations);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Arrival,
    testing::Values(ArrivalRow{"Tab", FocusCause::Tab, {kTab}, 0},
                    ArrivalRow{"TabThenATypedKey", FocusCause::Tab, {kTab, kFive}, 1},
                    ArrivalRow{"OnlyTheFirstTabReleaseIsIgnored", FocusCause::Tab, {kTab, kTab}, 1},
                    ArrivalRow{"ShiftTabThenShift", FocusCause::BackTab, {kShiftTab, kShiftUp}, 1},
                    ArrivalRow{"ShiftHeldAcrossAClick", FocusCause::Pointer, {kShiftUp}, 1},
                    ArrivalRow{"TabReleasedAfterAClick", FocusCause::Pointer, {kTab}, 1},
                    ArrivalRow{"TabReleasedAfterTheProgramsFocus", FocusCause::Program, {kTab}, 1},
                    ArrivalRow{"AltTabBackIntoTheWindow", FocusCause::Activation, {kAltTab, kAltUp}, 1},
                    ArrivalRow{"PlainTabAfterAltTab", FocusCause::Activation, {kTab}, 1},
                    ArrivalRow{"TabFromOutsideAPage", FocusCause::Unknown, {kTab, kFive}, 1}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(Arrival, AKeyPressedInTheFieldIsTheUsersOwn)
{
    WindowlessForm form;
    form.focus(P, FocusCause::Activation);
    form.press_key(P, kAltTab);  // the arriving release was lost; this Alt+Tab is pressed here
    form.paste(D, "-1");
    form.release_key(P, kAltTab);
    EXPECT_EQ(form.results_written(), 1);
}

TEST(Arrival, LeavingTheFieldForgetsTheArrival)
{
    WindowlessForm form;
    form.focus(P, FocusCause::Tab);
    form.focus(Y, FocusCause::Pointer);
    form.focus(P, FocusCause::Pointer);
    form.paste(D, "-1");
    form.release_key(P, kTab);
    EXPECT_EQ(form.results_written(), 1);
}

TEST(TypedWindow, EmptiedFieldIsNoErrorUntilItIsRead)
{
    WindowlessForm form;
    form.paste(L, "3");
    form.backspace(L);
    EXPECT_EQ(form.text(L), "");
    EXPECT_TRUE(form.errors().empty());
    form.type(P, "0");  // 1160 kW: recalculates, and reads the empty length
    EXPECT_EQ(form.last_error(), ErrorKind::TypeMismatch);
    EXPECT_EQ(form.text(D), "37");
}

TEST(TypedWindow, TypedNegativeNumberIsPossible)
{
    WindowlessForm form;
    form.paste(P, "");
    form.type(P, "-5");
    EXPECT_EQ(form.text(P), "-5");
    EXPECT_EQ(form.last_error(), ErrorKind::TypeMismatch);  // the lone "-" on its way
    EXPECT_EQ(form.errors().size(), 1u);
    EXPECT_EQ(form.results_written(), 0);
}

// An error in the middle of a handler keeps what was written before it and
// nothing after.
TEST(ErrorsInHandlers, BadLengthInDiameterModeLeavesDiameterAndDesignation)
{
    WindowlessForm form;
    form.paste(L, "abc");
    form.type(P, "0");
    EXPECT_EQ(form.last_error(), ErrorKind::TypeMismatch);
    EXPECT_EQ(form.text(P), "1160");  // the typed key stays
    EXPECT_EQ(form.text(D), "37");
    EXPECT_EQ(form.designation(), "1\"1/2");
}

TEST(ErrorsInHandlers, FormulaErrorAfterAStepKeepsTheStep)
{
    WindowlessForm form;
    form.paste(L, "1");
    form.step(L, -1);  // the length becomes 0: division by zero
    EXPECT_EQ(form.text(L), "0");
    EXPECT_EQ(form.last_error(), ErrorKind::DivisionByZero);
    // Shown beside the field the step wrote, not its arrows, in Italian.
    EXPECT_EQ(form.notes().back(), (ShowNote{ControlId::Text_L, ErrorKind::DivisionByZero, "Divisione per zero"}));
    EXPECT_TRUE(form.note_shown());
    EXPECT_EQ(form.text(D), "37");
}

TEST(ErrorsInHandlers, TheFormGoesOnAfterAnError)
{
    WindowlessForm form;
    form.paste(L, "");
    form.type(L, "x");
    EXPECT_EQ(form.errors(), std::vector<ErrorKind>{ErrorKind::TypeMismatch});
    form.backspace(L);
    form.paste(D, "-1");
    form.type(L, "30");
    EXPECT_EQ(form.errors().size(), 1u);
    EXPECT_EQ(form.results_written(), 2);  // at each key of "30"
    EXPECT_FALSE(form.note_shown());  // a good recalculation takes it away
    EXPECT_EQ(form.text(D), "37");
}

}  // namespace
}  // namespace tubaro
