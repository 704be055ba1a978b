#pragma once

#include <windows.h>

#include <optional>

#include "keyboard.h"

// Windows' virtual keys by what they mean in the window; with Control or Alt
// held a key means nothing here.
inline std::optional<tubaro::NavigationKey> navigation_key(WPARAM virtual_key)
{
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0)
        return std::nullopt;
    switch (virtual_key) {
    case VK_UP: return tubaro::NavigationKey::Up;
    case VK_DOWN: return tubaro::NavigationKey::Down;
    case VK_LEFT: return tubaro::NavigationKey::Left;
    case VK_RIGHT: return tubaro::NavigationKey::Right;
    case VK_SPACE: return tubaro::NavigationKey::Space;
    case VK_RETURN: return tubaro::NavigationKey::Enter;
    default: return std::nullopt;
    }
}
