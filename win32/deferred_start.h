#pragma once

#include <windows.h>

#include <functional>
#include <utility>

// The part of the window's start that its first paint does not need (the
// error note's window, the tooltips, the accessible names, the large icon),
// run once: when the window is painted and the queue has run dry, or
// sooner, before the first input or the first question of a screen reader
// (WM_GETOBJECT, which a hook sees before it is answered), or whenever
// finish() is called. Its hook and timer go when it has run, or when it is
// destroyed unrun, whatever ends it.
class DeferredStart {
public:
    // The window's WM_TIMER with this identifier is this start's.
    static constexpr UINT_PTR kTimer = 2;

    explicit DeferredStart(std::function<void()> rest) : m_rest(std::move(rest)) {}
    ~DeferredStart();
    DeferredStart(const DeferredStart&) = delete;
    DeferredStart& operator=(const DeferredStart&) = delete;

    // Waits for the queue of `window`'s thread to run dry, then runs the
    // rest; nothing when it has already run.
    void begin(HWND window);
    // Runs the rest now, unless it has run.
    void finish();
    bool finished() const { return m_finished; }
    // Every message the loop takes, before it is dispatched.
    void before_dispatch(const MSG& message);

private:
    static LRESULT CALLBACK watch_for_questions(int code, WPARAM w, LPARAM l);
    void end_waiting();

    HWND m_window = nullptr;
    std::function<void()> m_rest;
    HHOOK m_hook = nullptr;
    bool m_finished = false;
};
