#pragma once

#include <array>
#include <optional>
#include <string>

#include "form/window_data.h"
#include "form/window_traits.h"

namespace tubaro {

// One control as its toolkit shows it.
struct ControlState {
    std::string text;   // a text box's text
    int value = 0;      // an option button 1 when set; a check box 0, 1 or 2 (grayed)
    bool visible = true;
    bool enabled = true;

    friend bool operator==(const ControlState&, const ControlState&) = default;
};

// The window as its toolkit shows it, read by the front end once for each
// event it hands the form: the toolkit holds the state, and neither the
// front end nor the form keeps a copy of it between events.
struct WindowState {
    std::array<ControlState, kControlCount> controls;
    // The control that has the keyboard focus, if one of the form's has.
    std::optional<ControlId> focused;

    ControlState& operator[](ControlId id) { return controls[static_cast<std::size_t>(id)]; }
    const ControlState& operator[](ControlId id) const { return controls[static_cast<std::size_t>(id)]; }

    friend bool operator==(const WindowState&, const WindowState&) = default;
};

// The window as it is made, from its data, for a window of these traits.
WindowState start_state(const WindowTraits& traits);

}  // namespace tubaro
