#pragma once

#include <windows.h>

// A control's messages through a procedure of ours first, then its class's
// own, which is kept in the control's user data (a control of the system's
// classes leaves that to the program). Not SetWindowSubclass: its every
// message looks the control's properties up, and under Wine each lookup is
// a round trip to the server, about 0.1 ms a message, paid again for each
// text read when the form is handed the window's state.
inline void route_through(HWND control, WNDPROC procedure)
{
    SetWindowLongPtrW(control, GWLP_USERDATA,
                      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

// The message to the control's own procedure.
inline LRESULT pass_on(HWND control, UINT message, WPARAM w, LPARAM l)
{
    return CallWindowProcW(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA)), control, message, w,
                           l);
}
