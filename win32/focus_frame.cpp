#include "win32/focus_frame.h"

#include "win32/control_procedure.h"

namespace {

LRESULT CALLBACK focus_frame_procedure(HWND control, UINT message, WPARAM w, LPARAM l)
{
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE: {
        // The whole control, not only the part the control itself redraws.
        const LRESULT result = pass_on(control, message, w, l);
        InvalidateRect(control, nullptr, TRUE);
        return result;
    }
    case WM_PAINT: {
        const LRESULT result = pass_on(control, message, w, l);
        const bool focus_hidden = (SendMessageW(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
        if (GetFocus() == control && !focus_hidden) {
            RECT frame;
            GetClientRect(control, &frame);
            const HDC dc = GetDC(control);
            DrawFocusRect(dc, &frame);
            ReleaseDC(control, dc);
        }
        return result;
    }
    default:
        break;
    }
    return pass_on(control, message, w, l);
}

}  // namespace

void draw_focus_frame(HWND control)
{
    route_through(control, focus_frame_procedure);
}
