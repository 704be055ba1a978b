#pragma once

#include <windows.h>

#include "controls.h"

// The common controls' up-down control beside a value field. It keeps no
// value of its own (no UDS_SETBUDDYINT): every click on an arrow arrives as
// UDN_DELTAPOS, which the window tells the form as a step, and the form
// writes the field. It is a tab stop: with the focus, Up and Down step it.
class UpDownControl final : public tubaro::SpinControl {
public:
    explicit UpDownControl(HWND up_down);

    void set_visible(bool visible) override { ShowWindow(m_up_down, visible ? SW_SHOWNA : SW_HIDE); }
    bool visible() const override { return IsWindowVisible(m_up_down) != FALSE; }

private:
    HWND m_up_down;
};
