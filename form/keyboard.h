#pragma once

#include <optional>
#include <vector>

#include "rules/quantity.h"
#include "form/window_data.h"

namespace tubaro {

// What the keyboard does in the window, the same on every front end, so a
// keyboard-only user can reach everything a mouse can.

// The controls that take the focus by Tab, in ascending tab index: the value
// fields, Text_Pollici and Text1 (read-only ones too, so they can be read and
// copied), every shown spin control, the option button that is set (the
// group's one stop; the arrow keys move within it) and Check1 unless it is
// disabled (where the window cannot stay on top). Labels never.
std::vector<ControlId> tab_stops(Quantity mode, const PerQuantity<bool>& spin_shown, bool check1_enabled = true);

// The control Tab (+1) or Shift+Tab (-1) moves the focus to from `from`,
// wrapping around at either end. From a control that is no stop (a label, an
// option button not set, a hidden spin control) it is the next stop by tab
// index in that direction; from nowhere, the first stop (last for Shift+Tab).
ControlId next_tab_stop(Quantity mode, const PerQuantity<bool>& spin_shown, std::optional<ControlId> from,
                        int direction, bool check1_enabled = true);

// Where the focus starts when the window is first shown: the first stop of
// the order at start.
ControlId first_focus_at_start();

// The option after `mode` in the group's order, D P Y L, wrapping around:
// +1 the next, -1 the previous.
Quantity option_after(Quantity mode, int direction);

}  // namespace tubaro
