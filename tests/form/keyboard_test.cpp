#include "keyboard.h"

#include "form_presenter.h"
#include "windowless_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tubaro {
namespace {

using C = ControlId;

PerQuantity<bool> spins_shown_in(Quantity mode)
{
    PerQuantity<bool> shown{};
    for (Quantity quantity : kQuantities)
        shown[quantity] = quantity != mode;
    return shown;
}

struct TabCycle {
    const char* name;
    Quantity mode;
    std::vector<ControlId> visits;  // from Text_Y, by Tab
};

class TabOrder : public testing::TestWithParam<TabCycle> {};

// Tab from Text_Y visits every stop once and comes back; Shift+Tab walks the
// same cycle the other way.
TEST_P(TabOrder, TabAndShiftTabWalkOneCycle)
{
    const TabCycle& row = GetParam();
    const PerQuantity<bool> shown = spins_shown_in(row.mode);
    EXPECT_EQ(tab_stops(row.mode, shown), row.visits);

    std::vector<ControlId> forward{C::Text_Y};
    while (forward.size() <= row.visits.size())
        forward.push_back(next_tab_stop(row.mode, shown, forward.back(), +1));
    EXPECT_EQ(forward.back(), C::Text_Y);
    forward.pop_back();
    EXPECT_EQ(forward, row.visits);

    std::vector<ControlId> back{C::Text_Y};
    while (back.size() <= row.visits.size())
        back.push_back(next_tab_stop(row.mode, shown, back.back(), -1));
    EXPECT_EQ(back.back(), C::Text_Y);
    std::vector<ControlId> reversed(row.visits.rbegin(), row.visits.rend() - 1);
    EXPECT_EQ(std::vector<ControlId>(back.begin() + 1, back.end() - 1), reversed);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, TabOrder,
    testing::Values(
        TabCycle{"Diameter", Quantity::Diameter,
                 {C::Text_Y, C::Text_P, C::UpDown_P, C::Text_L, C::Option_Diametro, C::UpDown_Y, C::Check1, C::Text1,
                  C::Text_D, C::UpDown_L, C::Text_Pollici}},
        TabCycle{"Power", Quantity::Power,
                 {C::Text_Y, C::Text_P, C::Text_L, C::Option_Potenza, C::UpDown_Y, C::Check1, C::Text1, C::Text_D,
                  C::UpDown_D, C::UpDown_L, C::Text_Pollici}},
        TabCycle{"Loss", Quantity::Loss,
                 {C::Text_Y, C::Text_P, C::UpDown_P, C::Text_L, C::Option_Perdita, C::Check1, C::Text1, C::Text_D,
                  C::UpDown_D, C::UpDown_L, C::Text_Pollici}},
        TabCycle{"Length", Quantity::Length,
                 {C::Text_Y, C::Text_P, C::UpDown_P, C::Text_L, C::UpDown_Y, C::Check1, C::Text1, C::Text_D,
                  C::UpDown_D, C::Option_Lunghezza, C::Text_Pollici}}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(TabOrder, FromAControlThatIsNoStop)
{
    const PerQuantity<bool> shown = spins_shown_in(Quantity::Diameter);
    struct Row {
        std::optional<ControlId> from;
        int direction;
        ControlId expected;
    };
    const Row rows[] = {
        {C::Label4, +1, C::Text_P},            // a label: by its tab index
        {C::Option_Potenza, +1, C::UpDown_Y},  // an option not set
        {C::Option_Potenza, -1, C::Option_Diametro},
        {C::UpDown_D, -1, C::Text_D},  // hidden
        {std::nullopt, +1, C::Text_Y},
        {std::nullopt, -1, C::Text_Pollici},
    };
    for (const Row& row : rows)
        EXPECT_EQ(next_tab_stop(Quantity::Diameter, shown, row.from, row.direction), row.expected)
            << control_spec(row.from.value_or(C::Text_Y)).name << " " << row.direction;
}

// Tab from either end of the order wraps around; a page hands that Tab to
// the browser instead.
TEST(TabOrder, TheFormTellsWhereTabGoesAndWhetherItWraps)
{
    WindowlessForm form;
    struct Row {
        std::optional<ControlId> from;
        int direction;
        TabMove expected;
    };
    const Row rows[] = {
        {std::nullopt, +1, {C::Text_Y, false}},  {std::nullopt, -1, {C::Text_Pollici, false}},
        {C::Text_Y, +1, {C::Text_P, false}},     {C::Text_Y, -1, {C::Text_Pollici, true}},
        {C::Text_Pollici, +1, {C::Text_Y, true}}, {C::UpDown_L, +1, {C::Text_Pollici, false}},
        {C::Label3, +1, {C::UpDown_L, false}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(form.form().tab(row.from, row.direction), row.expected)
            << control_spec(row.from.value_or(C::Text_Y)).name << " " << row.direction;
    EXPECT_EQ(form.form().first_focus(), C::Text_Y);
}

// Where the window cannot stay on top Check1 is disabled, and Tab passes it.
TEST(TabOrder, ADisabledCheckBoxIsNoStop)
{
    WindowlessForm form;
    form.check_box().m_enabled = false;
    EXPECT_EQ(form.form().tab(C::UpDown_Y, +1), (TabMove{C::Text1, false}));
    EXPECT_EQ(form.form().tab(C::Text1, -1), (TabMove{C::UpDown_Y, false}));
}

// What each key does on the control that has the focus, one row after the
// other on the same window, which starts in the diameter's mode.
TEST(NavigationKeys, MeaningInEachControl)
{
    using K = NavigationKey;
    WindowlessForm form;
    struct Row {
        ControlId on;
        NavigationKey key;
        bool repeat;
        bool taken;
        Quantity mode;  // afterwards
        const char* power;
        const char* information;
    };
    const char* start = "cliccare qui per informazioni";
    const char* address = "https://www.tubaro.example/gas";
    const char* version = "Versione Beta - 2004 11 19";
    const Row rows[] = {
        {C::Option_Diametro, K::Down, false, true, Quantity::Power, "116", start},
        {C::Option_Potenza, K::Up, false, true, Quantity::Diameter, "116", start},
        {C::Option_Diametro, K::Left, false, true, Quantity::Length, "116", start},  // wraps
        {C::Option_Lunghezza, K::Right, false, true, Quantity::Diameter, "116", start},
        {C::Option_Diametro, K::Space, false, false, Quantity::Diameter, "116", start},
        {C::UpDown_P, K::Up, false, true, Quantity::Diameter, "117", start},
        {C::UpDown_P, K::Up, true, true, Quantity::Diameter, "118", start},  // a held key steps on
        {C::UpDown_P, K::Down, false, true, Quantity::Diameter, "117", start},
        {C::UpDown_P, K::Right, false, false, Quantity::Diameter, "117", start},
        {C::Text1, K::Space, false, true, Quantity::Diameter, "117", address},
        {C::Text1, K::Space, true, true, Quantity::Diameter, "117", address},  // held: one press
        {C::Text1, K::Enter, false, true, Quantity::Diameter, "117", version},
        {C::Text1, K::Up, false, false, Quantity::Diameter, "117", version},
        {C::Text_P, K::Space, false, false, Quantity::Diameter, "117", version},
        {C::Check1, K::Space, false, false, Quantity::Diameter, "117", version},  // the toolkit's own
    };
    for (const Row& row : rows) {
        const std::string at = std::string(control_spec(row.on).name) + " key " + std::to_string(static_cast<int>(row.key));
        EXPECT_EQ(form.form().navigation_key(row.on, row.key, row.repeat), row.taken) << at;
        EXPECT_EQ(form.mode(), row.mode) << at;
        EXPECT_EQ(form.options_set(), 1) << at;
        EXPECT_EQ(form.text(Quantity::Power), row.power) << at;
        EXPECT_EQ(form.information(), row.information) << at;
    }
    // An option chosen by a key takes the focus, and its arrows go.
    EXPECT_EQ(form.window().m_focus, C::Option_Diametro);
    EXPECT_FALSE(form.spin_visible(Quantity::Diameter));
    EXPECT_EQ(form.recalculations(), 3);

    // A double click on the information line is one click.
    form.click_text1(1);
    form.click_text1(2);
    EXPECT_EQ(form.information(), address);
}

// Events that come before the controls are bound (a page typed into before
// its code has loaded) change nothing and break nothing.
TEST(FormPresenter, EventsBeforeBindingAreIgnored)
{
    FormPresenter form(",");
    form.key_released(C::Text_P, {'1', 0});
    form.text_changed(C::Text_D);
    form.clicked(C::Option_Potenza, 1);
    form.spin_stepped(C::UpDown_P, +1);
    EXPECT_FALSE(form.navigation_key(C::Option_Diametro, NavigationKey::Down, false));
    EXPECT_EQ(form.mode(), Quantity::Diameter);
    EXPECT_EQ(form.first_focus(), C::Text_Y);
    EXPECT_EQ(form.handlers(), nullptr);
}

}  // namespace
}  // namespace tubaro
