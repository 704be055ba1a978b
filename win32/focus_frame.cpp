#include "win32/focus_frame.h"

#include <commctrl.h>

FocusFrame::FocusFrame(HWND control) : m_control(control)
{
    SetWindowSubclass(m_control, subclass_procedure, 0, 0);
}

FocusFrame::~FocusFrame()
{
    RemoveWindowSubclass(m_control, subclass_procedure, 0);
}

LRESULT CALLBACK FocusFrame::subclass_procedure(HWND control, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE: {
        // The whole control, not only the part the control itself redraws.
        const LRESULT result = DefSubclassProc(control, message, w, l);
        InvalidateRect(control, nullptr, TRUE);
        return result;
    }
    case WM_PAINT: {
        const LRESULT result = DefSubclassProc(control, message, w, l);
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
    return DefSubclassProc(control, message, w, l);
}
