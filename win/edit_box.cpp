#include "edit_box.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "keys.h"
#include "wide_text.h"

tubaro::KeyChord key_chord(WPARAM virtual_key)
{
    tubaro::Key key = tubaro::Key::Other;
    switch (virtual_key) {
    case VK_TAB: key = tubaro::Key::Tab; break;
    case VK_UP: key = tubaro::Key::Up; break;
    case VK_DOWN: key = tubaro::Key::Down; break;
    case VK_LEFT: key = tubaro::Key::Left; break;
    case VK_RIGHT: key = tubaro::Key::Right; break;
    case VK_SPACE: key = tubaro::Key::Space; break;
    case VK_RETURN: key = tubaro::Key::Enter; break;
    default: break;
    }
    unsigned held = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        held |= tubaro::kShift;
    if (GetKeyState(VK_CONTROL) < 0)
        held |= tubaro::kControl;
    if (GetKeyState(VK_MENU) < 0)
        held |= tubaro::kAlt;
    if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0)
        held |= tubaro::kMeta;
    return {key, static_cast<int>(virtual_key), held};
}

EditBox::EditBox(HWND edit, tubaro::ControlId id, tubaro::FormPresenter& form,
                 std::function<tubaro::FocusCause()> cause)
    : m_edit(edit), m_id(id), m_form(form), m_cause(std::move(cause))
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
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        // After the edit has handled the key, so any change it made comes
        // before the release.
        const LRESULT result = DefSubclassProc(m_edit, message, w, l);
        m_form.key_released(m_id, key_chord(w));
        return result;
    }
    case WM_SETFOCUS:
        m_form.focus_entered(m_id, m_pressed ? tubaro::FocusCause::Pointer : m_cause());
        break;
    case WM_KILLFOCUS:
        m_form.focus_left(m_id);
        break;
    case WM_LBUTTONDOWN: {
        m_pressed = true;
        const LRESULT result = DefSubclassProc(m_edit, message, w, l);
        m_pressed = false;
        return result;
    }
    case WM_LBUTTONDBLCLK:
        m_form.double_click_pressed(m_id);
        break;
    case WM_LBUTTONUP: {
        const LRESULT result = DefSubclassProc(m_edit, message, w, l);
        RECT client;
        GetClientRect(m_edit, &client);
        const POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
        if (PtInRect(&client, at))
            m_form.clicked(m_id, 1);
        return result;
    }
    default:
        break;
    }
    return DefSubclassProc(m_edit, message, w, l);
}
