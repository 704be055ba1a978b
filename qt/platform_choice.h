#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Which of Qt's platforms to ask for, decided before Qt starts.
//
// A native Wayland window cannot ask to stay above the others: no standard
// protocol offers it, and Qt's stay-on-top hint does nothing there. Through
// XWayland the window is an X11 one, and the desktops' window managers
// honour _NET_WM_STATE_ABOVE for it. So in a Wayland session that has
// XWayland (DISPLAY set as well as WAYLAND_DISPLAY) the answer is
// "xcb;wayland": XWayland first, and where it cannot be reached (a stale
// DISPLAY, XWayland gone) a native Wayland window rather than none.
// Otherwise, or when the user has chosen (QT_QPA_PLATFORM, or -platform on
// the command line), none: Qt's own choice stands.
//
// `environment` reads a variable, empty when unset.
std::optional<std::string> platform_to_ask_for(const std::function<std::string(const char*)>& environment,
                                               const std::vector<std::string_view>& arguments);

// Whether a window on Qt's platform of this name can be kept above the
// others: not a native Wayland one.
bool platform_keeps_windows_on_top(std::string_view platform_name);
