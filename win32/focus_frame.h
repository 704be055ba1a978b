#pragma once

#include <windows.h>

// The focus rectangle around the whole of a control that draws none a user
// can see: the up-down control draws none at all, and an option button or a
// check box without a caption draws its own around the empty caption. Shown
// while the control has the focus and the window shows focus (once the
// keyboard is in use), as the platform's own rectangles are.
// Set once on each such control, for as long as the control lives.
void draw_focus_frame(HWND control);
