#include "form/window_data.h"

#include <array>

namespace tubaro {

namespace {

constexpr bool rows_in_id_order()
{
    for (std::size_t i = 0; i < kWindowControls.size(); ++i)
        if (static_cast<std::size_t>(kWindowControls[i].id) != i)
            return false;
    return true;
}

// Every control has its own tab index, 0 to 18 without a gap.
constexpr bool tab_indexes_are_a_permutation()
{
    std::array<bool, kControlCount> seen{};
    for (const ControlSpec& row : kWindowControls) {
        if (row.tab_index < 0 || row.tab_index >= static_cast<int>(kControlCount) ||
            seen[static_cast<std::size_t>(row.tab_index)])
            return false;
        seen[static_cast<std::size_t>(row.tab_index)] = true;
    }
    return true;
}

// Exactly one option button is set at start, and its spin control is the one
// hidden.
constexpr bool one_mode_at_start()
{
    int set = 0;
    for (Quantity quantity : kQuantities) {
        const QuantityControls& row = kQuantityControls[quantity];
        const bool is_mode = control_spec(row.option).has(kSetAtStart);
        set += is_mode;
        if (control_spec(row.spin).has(kHiddenAtStart) != is_mode)
            return false;
    }
    return set == 1;
}

static_assert(rows_in_id_order());
static_assert(tab_indexes_are_a_permutation());
static_assert(one_mode_at_start());

}  // namespace

}  // namespace tubaro
