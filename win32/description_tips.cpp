#include "win32/description_tips.h"

#include <commctrl.h>

DescriptionTips::~DescriptionTips()
{
    if (m_tips)
        DestroyWindow(m_tips);
}

void DescriptionTips::create()
{
    // No owner window, as for the error note: Wine will not make a window
    // topmost that owns a tooltip.
    m_tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
}

void DescriptionTips::add(HWND control, std::wstring_view description)
{
    std::wstring text(description);
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    // The mouse's messages are relayed from the message loop (relay()),
    // not taken by subclassing each control, which under Wine costs a
    // round trip to the server for every message the control gets.
    info.uFlags = TTF_IDISHWND;
    info.hwnd = GetParent(control);
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = text.data();  // the tooltip keeps its own copy
    SendMessageW(m_tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void DescriptionTips::relay(const MSG& message)
{
    if (m_tips && message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST)
        SendMessageW(m_tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void DescriptionTips::set_font(HFONT font)
{
    SendMessageW(m_tips, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}
