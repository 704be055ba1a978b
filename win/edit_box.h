#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "controls.h"
#include "event_edge.h"
#include "key_release_filter.h"

// An EDIT control as the form logic sees a text box. The edit raises
// EN_CHANGE inside WM_SETTEXT, so an assignment's change event runs before
// set_text returns; an equal text is not set at all. Key releases come from
// the subclassed edit (WM_KEYUP, WM_SYSKEYUP) through the key-release filter,
// and a click from its WM_LBUTTONUP (a double click counting once).
class EditBox final : public tubaro::TextBox {
public:
    // `arrival` tells, when the edit takes the focus, which key moved it
    // there (nullopt for a click).
    EditBox(HWND edit, tubaro::EventEdge& edge, std::function<std::optional<tubaro::KeyChord>()> arrival);
    ~EditBox() override;
    EditBox(const EditBox&) = delete;
    EditBox& operator=(const EditBox&) = delete;

    std::string text() const override;
    void set_text(std::string_view text) override;


    // EN_CHANGE, which the window forwards here.
    void changed();

    // The window hands each of these to the event edge.
    std::function<void()> on_change;
    std::function<void()> on_key_release;
    std::function<void()> on_click;

private:
    static LRESULT CALLBACK subclass_procedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);

    HWND m_edit;
    tubaro::EventEdge& m_edge;
    std::function<std::optional<tubaro::KeyChord>()> m_arrival;
    tubaro::KeyReleaseFilter m_keys;
    bool m_after_double_click = false;
};

// A key as the filter compares it: the virtual-key code with the Shift,
// Control and Alt keys held at the time of the message.
tubaro::KeyChord key_chord(WPARAM virtual_key);

inline constexpr int kShiftHeld = 1;
inline constexpr int kControlHeld = 2;
inline constexpr int kAltHeld = 4;
