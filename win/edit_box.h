#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "controls.h"
#include "form_presenter.h"

// An EDIT control as the form sees a text box. The edit raises EN_CHANGE
// inside WM_SETTEXT, so an assignment's change event (which the window tells
// the form) runs before set_text returns. The subclassed edit tells the form
// its key presses and releases (WM_KEYDOWN, WM_KEYUP and their WM_SYS
// kind), the focus coming and going with the key that moved it, and its
// clicks (WM_LBUTTONUP, with a double click's second as its second).
class EditBox final : public tubaro::TextBox {
public:
    // `arrival` tells, when the edit takes the focus, which key moved it
    // there (nullopt for a click).
    EditBox(HWND edit, tubaro::ControlId id, tubaro::FormPresenter& form,
            std::function<std::optional<tubaro::KeyChord>()> arrival);
    ~EditBox() override;
    EditBox(const EditBox&) = delete;
    EditBox& operator=(const EditBox&) = delete;

    std::string text() const override;
    void set_text(std::string_view text) override;


private:
    static LRESULT CALLBACK subclass_procedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);

    HWND m_edit;
    tubaro::ControlId m_id;
    tubaro::FormPresenter& m_form;
    std::function<std::optional<tubaro::KeyChord>()> m_arrival;
    bool m_after_double_click = false;
};

// A key as the filter compares it: the virtual-key code with the Shift,
// Control and Alt keys held at the time of the message.
tubaro::KeyChord key_chord(WPARAM virtual_key);

inline constexpr int kShiftHeld = 1;
inline constexpr int kControlHeld = 2;
inline constexpr int kAltHeld = 4;
