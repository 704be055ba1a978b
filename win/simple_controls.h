#pragma once

#include <windows.h>

#include "controls.h"

// The option buttons, the check box and the window as the form logic sees
// them: each reads or sets one thing of a native control.

// A BUTTON of BS_RADIOBUTTON style. The window keeps the four as one group:
// setting one clears the other three.
class RadioOption final : public tubaro::OptionButton {
public:
    explicit RadioOption(HWND button) : m_button(button) {}
    bool is_set() const override { return SendMessageW(m_button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void set(bool on) const { SendMessageW(m_button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
    HWND handle() const { return m_button; }

private:
    HWND m_button;
};

// A BUTTON of BS_AUTOCHECKBOX style; BM_GETCHECK's 0, 1 and 2 are the
// check box's own unchecked, checked and grayed.
class CheckBoxControl final : public tubaro::CheckBox {
public:
    explicit CheckBoxControl(HWND button) : m_button(button) {}
    int value() const override { return static_cast<int>(SendMessageW(m_button, BM_GETCHECK, 0, 0)); }

private:
    HWND m_button;
};

// The main window's place in the stacking of windows, through user32's
// SetWindowPos: HWND_TOPMOST (-1) or HWND_NOTOPMOST (-2), with SWP_NOSIZE |
// SWP_NOMOVE (3), so the window keeps its size and place. The result is not
// examined: a refusal changes nothing.
class TopmostWindow final : public tubaro::Window {
public:
    explicit TopmostWindow(HWND window) : m_window(window) {}
    void set_topmost(bool topmost) override
    {
        SetWindowPos(m_window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    }

private:
    HWND m_window;
};
