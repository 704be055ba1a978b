#pragma once

#include <windows.h>

#include <cstddef>

#include "form/window_data.h"

// The Win32 control identifier of each control: its row in the window's data
// plus 100. Test tools find the controls by it (GetDlgItem).
constexpr int kFirstControlIdentifier = 100;

constexpr int control_identifier(tubaro::ControlId id)
{
    return kFirstControlIdentifier + static_cast<int>(id);
}

// The identifier of the window's WM_TIMER for each of the form's timers
// (tubaro::Timer): this plus the timer. A test tool's WM_TIMER of the note's
// stands for its time running out.
constexpr UINT_PTR kFirstFormTimer = 10;

// The window class, which test tools look for with FindWindow.
inline constexpr wchar_t kWindowClassName[] = L"TubaroGAS.Form_Principale";
