#pragma once

#include <cstddef>

#include "window_data.h"

// The Win32 control identifier of each control: its row in the window's data
// plus 100. Test tools find the controls by it (GetDlgItem).
constexpr int kFirstControlIdentifier = 100;

constexpr int control_identifier(tubaro::ControlId id)
{
    return kFirstControlIdentifier + static_cast<int>(id);
}

// The window class, which test tools look for with FindWindow.
inline constexpr wchar_t kWindowClassName[] = L"TubaroGAS.Form_Principale";
