#include "win32/virtual_keys.h"

tubaro::KeyChord key_chord(WPARAM virtual_key)
{
    tubaro::Key key = tubaro::Key::Other;
    switch (virtual_key) {
    case VK_TAB: key = tubaro::Key::Tab; break;
    case VK_UP: key = tubaro::Key::Up; break;
    case VK_DOWN: key = tubaro::Key::Down; break;
    case VK_LEFT: key = tubaro::Key::Left; break;
    case VK_RIGHT: key = tubaro::Key::Right; break;
    case VK_SPACE: key = tubaro::Key::Space; break;
    case VK_RETURN: key = tubaro::Key::Enter; break;
    default: break;
    }
    unsigned held = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        held |= tubaro::kShift;
    if (GetKeyState(VK_CONTROL) < 0)
        held |= tubaro::kControl;
    if (GetKeyState(VK_MENU) < 0)
        held |= tubaro::kAlt;
    if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0)
        held |= tubaro::kMeta;
    return {key, static_cast<int>(virtual_key), held};
}
