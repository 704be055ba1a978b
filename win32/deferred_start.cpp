#include "win32/deferred_start.h"

#include <utility>

namespace {

// The one start still waiting, for the hook, which has no other way to it.
DeferredStart* g_waiting = nullptr;

bool is_input(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

}  // namespace

DeferredStart::~DeferredStart()
{
    end_waiting();
}

void DeferredStart::begin(HWND window)
{
    if (m_finished)
        return;
    m_window = window;
    SetTimer(m_window, kTimer, USER_TIMER_MINIMUM, nullptr);
    g_waiting = this;
    m_hook = SetWindowsHookExW(WH_CALLWNDPROC, watch_for_questions, nullptr, GetCurrentThreadId());
}

void DeferredStart::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    end_waiting();
    if (m_rest)
        std::exchange(m_rest, nullptr)();
}

void DeferredStart::before_dispatch(const MSG& message)
{
    if (!m_finished && is_input(message.message))
        finish();
}

void DeferredStart::end_waiting()
{
    if (m_window)
        KillTimer(m_window, kTimer);
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
    m_hook = nullptr;
    if (g_waiting == this)
        g_waiting = nullptr;
}

LRESULT CALLBACK DeferredStart::watch_for_questions(int code, WPARAM w, LPARAM l)
{
    if (code == HC_ACTION && g_waiting && reinterpret_cast<const CWPSTRUCT*>(l)->message == WM_GETOBJECT)
        g_waiting->finish();
    return CallNextHookEx(nullptr, code, w, l);
}
