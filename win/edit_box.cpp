#include "edit_box.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "wide_text.h"

tubaro::KeyChord key_chord(WPARAM virtual_key)
{
    int held = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        held |= kShiftHeld;
    if (GetKeyState(VK_CONTROL) < 0)
        held |= kControlHeld;
    if (GetKeyState(VK_MENU) < 0)
        held |= kAltHeld;
    return {static_cast<int>(virtual_key), held};
}

EditBox::EditBox(HWND edit, tubaro::ControlId id, tubaro::FormPresenter& form,
                 std::function<std::optional<tubaro::KeyChord>()> arrival)
    : m_edit(edit), m_id(id), m_form(form), m_arrival(std::move(arrival))
{
    SetWindowSubclass(m_edit, subclass_procedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

EditBox::~EditBox()
{
    RemoveWindowSubclass(m_edit, subclass_procedure, 0);
}

std::string EditBox::text() const
{
    const int length = GetWindowTextLengthW(m_edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(m_edit, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied));
    return narrow(text);
}

void EditBox::set_text(std::string_view text)
{
    SetWindowTextW(m_edit, widen(text).c_str());
}

LRESULT CALLBACK EditBox::subclass_procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self)
{
    auto* box = reinterpret_cast<EditBox*>(self);
    if (box->m_edit != hwnd)
        return DefSubclassProc(hwnd, message, w, l);
    return box->handle(message, w, l);
}

LRESULT EditBox::handle(UINT message, WPARAM w, LPARAM l)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        m_form.key_pressed(m_id, key_chord(w));
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        // After the edit has handled the key, so any change it made comes
        // before the release.
        const LRESULT result = DefSubclassProc(m_edit, message, w, l);
        m_form.key_released(m_id, key_chord(w));
        return result;
    }
    case WM_SETFOCUS:
        m_form.focus_entered(m_id, m_arrival ? m_arrival() : std::nullopt);
        break;
    case WM_KILLFOCUS:
        m_form.focus_left(m_id);
        break;
    case WM_LBUTTONDBLCLK:
        m_after_double_click = true;
        break;
    case WM_LBUTTONUP: {
        const LRESULT result = DefSubclassProc(m_edit, message, w, l);
        const int clicks = std::exchange(m_after_double_click, false) ? 2 : 1;
        RECT client;
        GetClientRect(m_edit, &client);
        const POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
        if (PtInRect(&client, at))
            m_form.clicked(m_id, clicks);
        return result;
    }
    default:
        break;
    }
    return DefSubclassProc(m_edit, message, w, l);
}
