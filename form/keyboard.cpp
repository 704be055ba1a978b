#include "form/keyboard.h"

#include <algorithm>

namespace tubaro {

namespace {

bool takes_focus(const ControlSpec& row, Quantity mode, const PerQuantity<bool>& spin_shown, bool check1_enabled)
{
    switch (row.kind) {
    case ControlKind::Label: return false;
    case ControlKind::TextBox: return true;
    case ControlKind::CheckBox: return check1_enabled;
    case ControlKind::OptionButton: return row.id == kQuantityControls[mode].option;
    case ControlKind::SpinControl: return spin_shown[*quantity_of(row.id)];
    }
    return false;
}

}  // namespace

std::vector<ControlId> tab_stops(Quantity mode, const PerQuantity<bool>& spin_shown, bool check1_enabled)
{
    std::vector<const ControlSpec*> rows;
    for (const ControlSpec& row : kWindowControls)
        if (takes_focus(row, mode, spin_shown, check1_enabled))
            rows.push_back(&row);
    std::sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->tab_index < b->tab_index; });
    std::vector<ControlId> stops;
    stops.reserve(rows.size());
    for (const ControlSpec* row : rows)
        stops.push_back(row->id);
    return stops;
}

ControlId next_tab_stop(Quantity mode, const PerQuantity<bool>& spin_shown, std::optional<ControlId> from,
                        int direction, bool check1_enabled)
{
    const std::vector<ControlId> stops = tab_stops(mode, spin_shown, check1_enabled);
    const bool forward = direction >= 0;
    if (!from)
        return forward ? stops.front() : stops.back();
    // Stops are in tab-index order, so the neighbour is the first stop past
    // the present control's index, the control itself excluded.
    const int at = control_spec(*from).tab_index;
    if (forward) {
        for (ControlId stop : stops)
            if (control_spec(stop).tab_index > at)
                return stop;
        return stops.front();
    }
    for (auto stop = stops.rbegin(); stop != stops.rend(); ++stop)
        if (control_spec(*stop).tab_index < at)
            return *stop;
    return stops.back();
}

ControlId first_focus_at_start()
{
    PerQuantity<bool> shown{};
    for (Quantity quantity : kQuantities)
        shown[quantity] = !control_spec(kQuantityControls[quantity].spin).has(kHiddenAtStart);
    return tab_stops(start_mode(), shown).front();
}

Quantity option_after(Quantity mode, int direction)
{
    const auto count = static_cast<int>(kQuantities.size());
    const int step = direction >= 0 ? 1 : -1;
    return kQuantities[static_cast<std::size_t>((static_cast<int>(mode) + step + count) % count)];
}

}  // namespace tubaro
