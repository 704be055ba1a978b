#pragma once

#include <windows.h>

#include "controls.h"

// The option buttons and the check box as the form sees them.

// A BUTTON of BS_RADIOBUTTON style, which checks nothing by itself: the form
// sets the one chosen and clears the other three.
class RadioOption final : public tubaro::OptionButton {
public:
    explicit RadioOption(HWND button) : m_button(button) {}
    bool is_set() const override { return SendMessageW(m_button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void set_checked(bool on) override { SendMessageW(m_button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

private:
    HWND m_button;
};

// A BUTTON of BS_AUTOCHECKBOX style; BM_GETCHECK answers the check box's own
// values.
class CheckBoxControl final : public tubaro::CheckBox {
public:
    explicit CheckBoxControl(HWND button) : m_button(button) {}
    int value() const override { return static_cast<int>(SendMessageW(m_button, BM_GETCHECK, 0, 0)); }
    void set_value(int value) override { SendMessageW(m_button, BM_SETCHECK, static_cast<WPARAM>(value), 0); }
    bool enabled() const override { return IsWindowEnabled(m_button) != FALSE; }

private:
    HWND m_button;
};
