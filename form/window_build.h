#pragma once

#include <array>

#include "form/window_data.h"
#include "form/window_traits.h"

namespace tubaro {

// Every window is built from its data with one plain loop over these rows,
// in their order (top to bottom, left to right), each control made from its
// row at its place with its start value; the page's HTML is written from
// them too.

// A control's row as a window of these traits shows it at start: the
// window's data, but for Check1 where the window cannot be on top from the
// start (unticked), and where it cannot be at all (disabled too, and saying
// why); and a field the program only writes, read-only where a tap would
// bring up a keyboard for nothing.
ControlSpec as_shown(const ControlSpec& row, const WindowTraits& traits);

// Every row as shown.
std::array<ControlSpec, kControlCount> shown_rows(const WindowTraits& traits);

}  // namespace tubaro
