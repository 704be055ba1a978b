#include "up_down.h"

#include <commctrl.h>

UpDownControl::UpDownControl(HWND up_down) : m_up_down(up_down)
{
    // A wide range with the position in its middle, which never moves (the
    // window refuses every change of it), so each click reports its
    // direction whatever the field holds.
    SendMessageW(m_up_down, UDM_SETRANGE32, static_cast<WPARAM>(-1'000'000), 1'000'000);
    SendMessageW(m_up_down, UDM_SETPOS32, 0, 0);
}
