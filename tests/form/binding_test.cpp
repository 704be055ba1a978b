#include <gtest/gtest.h>

#include "tests/support/quantity_letters.h"
#include "tests/support/windowless_form.h"

namespace tubaro {
namespace {

using namespace letters;

// A page whose user chose, ticked or typed before its code bound the form:
// from the binding on, the form and what the page shows agree.
struct BindingRow {
    const char* name;
    StayOnTop stay_on_top;
    DoneBeforeBinding done;
    Quantity mode;
    PerQuantity<bool> spins;
    int check1;
    bool check1_enabled;
    bool topmost;
};

class LateBinding : public testing::TestWithParam<BindingRow> {};

TEST_P(LateBinding, TheFormFollowsWhatThePageShows)
{
    const BindingRow& row = GetParam();
    WindowlessForm form(",", {row.stay_on_top, false}, row.done);
    EXPECT_EQ(form.mode(), row.mode);
    for (Quantity quantity : kQuantities)
        EXPECT_EQ(form.spin_visible(quantity), row.spins[quantity]) << static_cast<int>(quantity);
    EXPECT_EQ(form.check1(), row.check1);
    EXPECT_EQ(form.state()[ControlId::Check1].enabled, row.check1_enabled);
    EXPECT_EQ(form.topmost(), row.topmost);
    EXPECT_EQ(form.results_written(), 0);
    EXPECT_TRUE(form.errors().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Pages, LateBinding,
    testing::Values(
        BindingRow{"Untouched", StayOnTop::AtAClick, {}, D, {{false, true, true, true}}, 0, true, false},
        BindingRow{"OptionChosen", StayOnTop::AtAClick, {P, false, {}, {}}, P, {{true, false, true, true}}, 0, true, false},
        BindingRow{"BoxTickedWhereItFloats", StayOnTop::AtAClick, {std::nullopt, true, {}, {}}, D,
                   {{false, true, true, true}}, 1, true, true},
        BindingRow{"BoxTickedWhereNothingFloats", StayOnTop::NotInBrowser, {L, true, {}, {}}, L,
                   {{true, true, true, false}}, 0, false, false}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

// Texts a user changed before the binding (the page showing the result and
// the inch size as pending) are worked out at once, as a link's would be,
// and stand over the page's address; where the user changed none (the page
// only emptied what it could not compute yet), the address is opened.
struct TypedEarlyRow {
    const char* name;
    DoneBeforeBinding done;
    const char* diameter;
    const char* power;
    const char* designation;
    int recalculations;
    std::optional<ErrorKind> error;
};

class TypedEarly : public testing::TestWithParam<TypedEarlyRow> {};

TEST_P(TypedEarly, TheBindingWorksItOut)
{
    const TypedEarlyRow& row = GetParam();
    WindowlessForm form(",", {StayOnTop::AtAClick, false}, row.done);
    EXPECT_EQ(form.text(D), row.diameter);
    EXPECT_EQ(form.text(P), row.power);
    EXPECT_EQ(form.designation(), row.designation);
    EXPECT_EQ(form.results_written(), row.recalculations);
    EXPECT_EQ(form.last_error(), row.error);
}

constexpr const char* kLink = "calcola=diametro&potenza=50&perdita=100";

INSTANTIATE_TEST_SUITE_P(
    Pages, TypedEarly,
    testing::Values(
        TypedEarlyRow{"StartTexts", {}, "37", "116", "1\"1/2", 0, std::nullopt},
        TypedEarlyRow{"LossTyped", {std::nullopt, false, {{ControlId::Text_Y, "1000"}}, {}}, "23", "116", "1\"", 1, std::nullopt},
        TypedEarlyRow{"TypedBackToTheStart", {std::nullopt, false, {{ControlId::Text_Y, "100"}}, {}}, "37", "116", "1''1/2", 0,
                      std::nullopt},
        TypedEarlyRow{"DiameterTypedInPowerMode", {P, false, {{ControlId::Text_D, "60"}}, {}}, "60", "412", "2''1/2", 1,
                      std::nullopt},
        TypedEarlyRow{"NoResultFromTheseTexts", {std::nullopt, false, {{ControlId::Text_L, "x"}}, {}}, "", "116", "", 0,
                      ErrorKind::TypeMismatch},
        TypedEarlyRow{"OutOfRange", {std::nullopt, false, {{ControlId::Text_P, "9000"}}, {}}, "", "9000", "", 0, std::nullopt},
        TypedEarlyRow{"TheAddressOpened", {std::nullopt, false, {}, kLink}, "27", "50", "1\"", 1, std::nullopt},
        TypedEarlyRow{"TypedStandsOverTheAddress", {std::nullopt, false, {{ControlId::Text_Y, "1000"}}, kLink}, "23", "116",
                      "1\"", 1, std::nullopt}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

// The floating window closed by itself: the box no longer claims it.
TEST(LateBinding, TheEndOfFloatingUnticksTheBox)
{
    WindowlessForm form(",", {StayOnTop::AtAClick, false});
    form.click_check1();
    EXPECT_TRUE(form.topmost());
    form.send({FormEvent::Kind::TopmostEnded});
    EXPECT_EQ(form.check1(), CheckBox::Unchecked);
}

}  // namespace
}  // namespace tubaro
