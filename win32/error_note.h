#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

// The note beside the field being worked in that names what went wrong: a
// tracking balloon tooltip, no dialog, so the focus stays where it is and
// typing goes on. Its text (and its window text, for tools that read it from
// another process) is the message; it raises the alert event that screen
// readers announce, and it never covers the check box.
class ErrorNote {
public:
    ErrorNote() = default;
    ~ErrorNote();
    ErrorNote(const ErrorNote&) = delete;
    ErrorNote& operator=(const ErrorNote&) = delete;

    void create(HWND owner);
    // Shows the note under `anchor` (or the owner), clear of `keep_clear`
    // (screen coordinates).
    void show(HWND anchor, const std::wstring& message, const RECT& keep_clear);
    void hide();
    HWND handle() const { return m_note; }

private:
    TOOLINFOW tool() const;

    HWND m_owner = nullptr;
    HWND m_note = nullptr;
    std::wstring m_message;
};
