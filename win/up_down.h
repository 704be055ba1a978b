#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "controls.h"
#include "spin_stepper.h"

// The common controls' up-down control beside a value field. It keeps no
// value of its own (no UDS_SETBUDDYINT): every click on an arrow arrives as
// UDN_DELTAPOS, which the window hands to the event edge, and step() takes
// the project's one spin step, which writes the field and then notifies.
// It is a tab stop: with the focus, Up and Down step it (the window's
// keyboard handling).
class UpDownControl final : public tubaro::SpinControl {
public:
    UpDownControl(HWND up_down, tubaro::TextBox& paired, int upper, std::string decimal_separator);

    void set_visible(bool visible) override { ShowWindow(m_up_down, visible ? SW_SHOWNA : SW_HIDE); }
    bool visible() const override { return IsWindowVisible(m_up_down) != FALSE; }

    // +1 up, -1 down.
    void step(int direction);

    std::function<void()> on_notification;

private:
    HWND m_up_down;
    tubaro::TextBox& m_paired;
    tubaro::SpinStepper m_stepper;
};
