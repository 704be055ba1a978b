#include "keyboard.h"

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

TEST(NavigationKeys, MeaningInEachControl)
{
    using K = NavigationKey;
    EXPECT_EQ(option_after(Quantity::Diameter, K::Down), Quantity::Power);
    EXPECT_EQ(option_after(Quantity::Diameter, K::Right), Quantity::Power);
    EXPECT_EQ(option_after(Quantity::Diameter, K::Up), Quantity::Length);  // wraps
    EXPECT_EQ(option_after(Quantity::Length, K::Left), Quantity::Loss);
    EXPECT_EQ(option_after(Quantity::Length, K::Down), Quantity::Diameter);
    EXPECT_EQ(option_after(Quantity::Power, K::Space), std::nullopt);

    EXPECT_EQ(spin_direction(K::Up), +1);
    EXPECT_EQ(spin_direction(K::Down), -1);
    EXPECT_EQ(spin_direction(K::Right), std::nullopt);

    EXPECT_TRUE(presses_information_field(K::Space));
    EXPECT_TRUE(presses_information_field(K::Enter));
    EXPECT_FALSE(presses_information_field(K::Down));
}

}  // namespace
}  // namespace tubaro
