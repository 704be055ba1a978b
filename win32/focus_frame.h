#pragma once

#include <windows.h>

// The focus rectangle around the whole of a control that draws none a user
// can see: the up-down control draws none at all, and an option button or a
// check box without a caption draws its own around the empty caption. Shown
// while the control has the focus and the window shows focus (once the
// keyboard is in use), as the platform's own rectangles are.
class FocusFrame {
public:
    explicit FocusFrame(HWND control);
    ~FocusFrame();
    FocusFrame(const FocusFrame&) = delete;
    FocusFrame& operator=(const FocusFrame&) = delete;

private:
    static LRESULT CALLBACK subclass_procedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    HWND m_control;
};
