#pragma once

#include "form/window_traits.h"

// What a page is, as a window: it floats above other windows only at the
// user's own click, and only where the browser can open a floating window
// for it; Tab at either end of the form goes on to the browser; it keeps
// its sizing in its address; and a tap in a field may bring up a keyboard.
constexpr tubaro::WindowTraits page_traits(bool can_float)
{
    return {can_float ? tubaro::StayOnTop::AtAClick : tubaro::StayOnTop::NotInBrowser, false, true, true};
}
