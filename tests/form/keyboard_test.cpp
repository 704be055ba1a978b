#include "form/user_texts.h"
#include "form/keyboard.h"

#include "form/window_build.h"
#include "tests/support/windowless_form.h"

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

// Tab goes by the form's order and moves the focus itself; in a window it
// wraps around at either end, in a page that Tab is the browser's. A Tab with
// Control, Alt or Meta is the system's.
TEST(TabOrder, TheFormMovesTheFocusAndWrapsInAWindowOnly)
{
    WindowlessForm window;
    WindowlessForm page(",", {StayOnTop::AtAClick, false});
    struct Row {
        std::optional<ControlId> from;
        KeyChord key;
        // Where the focus goes; none: the key is not taken, the focus stays.
        std::optional<ControlId> window_to, page_to;
    };
    const KeyChord tab{Key::Tab, 0, 0};
    const KeyChord back{Key::Tab, 0, kShift};
    const Row rows[] = {
        {C::Text_Y, tab, C::Text_P, C::Text_P},
        {C::Text_Y, back, C::Text_Pollici, std::nullopt},
        {C::Text_Pollici, tab, C::Text_Y, std::nullopt},
        {C::UpDown_L, tab, C::Text_Pollici, C::Text_Pollici},
        {C::Label3, tab, C::UpDown_L, C::UpDown_L},
        {C::Text_P, {Key::Tab, 0, kControl}, std::nullopt, std::nullopt},
        {C::Text_P, {Key::Tab, 0, kAlt | kShift}, std::nullopt, std::nullopt},
    };
    for (const Row& row : rows) {
        const std::string at = std::string(control_spec(*row.from).name) + " " + std::to_string(row.key.modifiers);
        for (WindowlessForm* form : {&window, &page}) {
            form->press(std::nullopt, tab);  // somewhere to start from
            const std::optional<ControlId> before = form->focused();
            const bool taken = form->press(*row.from, row.key);
            const std::optional<ControlId> expected = form == &window ? row.window_to : row.page_to;
            EXPECT_EQ(taken, expected.has_value()) << at;
            EXPECT_EQ(form->focused(), expected ? expected : before) << at;
        }
    }
    EXPECT_TRUE(window.press(std::nullopt, back));
    EXPECT_EQ(window.focused(), C::Text_Pollici);
}

// Where the window cannot stay on top Check1 starts unticked and disabled,
// says why, and Tab passes it; the load handler asks for nothing.
TEST(TabOrder, ADisabledCheckBoxIsNoStop)
{
    WindowlessForm form(",", {StayOnTop::NotOnWayland, true});
    EXPECT_EQ(form.check1(), CheckBox::Unchecked);
    EXPECT_FALSE(form.state()[C::Check1].enabled);
    EXPECT_EQ(tooltip_of(as_shown(control_spec(C::Check1), {StayOnTop::NotOnWayland, true})),
              texts::kStayOnTopUnavailableOnWayland);
    EXPECT_FALSE(form.topmost());
    form.press(C::UpDown_Y, {Key::Tab, 0, 0});
    EXPECT_EQ(form.focused(), C::Text1);
    form.press(C::Text1, {Key::Tab, 0, kShift});
    EXPECT_EQ(form.focused(), C::UpDown_Y);
}

// What each key does on the control that has the focus, one row after the
// other on the same window, which starts in the diameter's mode.
TEST(NavigationKeys, MeaningInEachControl)
{
    using K = Key;
    WindowlessForm form;
    struct Row {
        ControlId on;
        Key key;
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
        {C::Check1, K::Down, false, true, Quantity::Diameter, "117", version},  // nothing, in every window
        {C::Check1, K::Left, false, true, Quantity::Diameter, "117", version},
        {C::UpDown_P, K::Other, false, false, Quantity::Diameter, "117", version},
    };
    for (const Row& row : rows) {
        const std::string at = std::string(control_spec(row.on).name) + " key " + std::to_string(static_cast<int>(row.key));
        EXPECT_EQ(form.press(row.on, {row.key, 0, 0}, row.repeat), row.taken) << at;
        EXPECT_EQ(form.mode(), row.mode) << at;
        EXPECT_EQ(form.options_set(), 1) << at;
        EXPECT_EQ(form.text(Quantity::Power), row.power) << at;
        EXPECT_EQ(form.information(), row.information) << at;
    }
    // An option chosen by a key takes the focus, and its arrows go.
    EXPECT_EQ(form.focused(), C::Option_Diametro);
    EXPECT_FALSE(form.spin_visible(Quantity::Diameter));

    // With a modifier held, no key means anything here.
    for (unsigned modifier : {kShift, kControl, kAlt, kMeta}) {
        EXPECT_FALSE(form.press(C::UpDown_P, {K::Up, 0, modifier}));
        EXPECT_FALSE(form.press(C::Option_Diametro, {K::Down, 0, modifier}));
    }
    EXPECT_EQ(form.text(Quantity::Power), "117");
    EXPECT_EQ(form.mode(), Quantity::Diameter);

    // A double click on the information line is one click.
    form.click_text1(1);
    form.click_text1(2);
    EXPECT_EQ(form.information(), address);
}

}  // namespace
}  // namespace tubaro
