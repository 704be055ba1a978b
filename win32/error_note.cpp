#include "win32/error_note.h"

#include <commctrl.h>

#include "windows_support/wide_text.h"
#include "form/window_data.h"

namespace {

constexpr UINT_PTR kToolIdentifier = 1;

bool overlap(const RECT& a, const RECT& b)
{
    RECT both;
    return IntersectRect(&both, &a, &b) != FALSE;
}

}  // namespace

ErrorNote::~ErrorNote()
{
    if (m_note)
        DestroyWindow(m_note);
}

TOOLINFOW ErrorNote::tool() const
{
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    // Clicks pass through to the field beneath, which the note must not
    // block.
    info.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT;
    info.hwnd = m_owner;
    info.uId = kToolIdentifier;
    info.lpszText = const_cast<wchar_t*>(m_message.c_str());
    return info;
}

void ErrorNote::create(HWND owner)
{
    m_owner = owner;
    // No owner window: Wine will not make a window topmost that owns a
    // tooltip, which is always topmost itself.
    m_note = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW info = tool();
    SendMessageW(m_note, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    const std::wstring title = widen(tubaro::kWindowCaption);
    SendMessageW(m_note, TTM_SETTITLEW, TTI_ERROR, reinterpret_cast<LPARAM>(title.c_str()));
}

void ErrorNote::show(HWND anchor, const std::wstring& message, const RECT& keep_clear)
{
    if (!m_note)
        return;  // not made yet: nothing to show
    m_message = message;
    TOOLINFOW info = tool();
    SendMessageW(m_note, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    SetWindowTextW(m_note, m_message.c_str());

    // Beside the field, out at the window's right edge, so it covers no
    // control: the balloon's stem points back at the field's row.
    RECT field;
    GetWindowRect(anchor ? anchor : m_owner, &field);
    RECT window;
    GetWindowRect(m_owner, &window);
    SendMessageW(m_note, TTM_TRACKPOSITION, 0, MAKELPARAM(window.right, (field.top + field.bottom) / 2));
    SendMessageW(m_note, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));

    // Where the screen's edge has pushed it back over the window, still
    // clear of the check box: above the field instead.
    RECT note;
    GetWindowRect(m_note, &note);
    if (overlap(note, keep_clear))
        SendMessageW(m_note, TTM_TRACKPOSITION, 0, MAKELPARAM(field.left, field.top - (note.bottom - note.top)));
    NotifyWinEvent(EVENT_SYSTEM_ALERT, m_note, OBJID_CLIENT, CHILDID_SELF);
}

void ErrorNote::hide()
{
    if (!m_note)
        return;
    TOOLINFOW info = tool();
    SendMessageW(m_note, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
}
