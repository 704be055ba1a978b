#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The tooltips that describe the controls when the mouse rests on them, as
// the window's data words them.
class DescriptionTips {
public:
    ~DescriptionTips();
    void create();
    void add(HWND control, std::wstring_view description);
    // A message the loop takes: the mouse's, for the tips to show and hide.
    void relay(const MSG& message);
    void set_font(HFONT font);

private:
    HWND m_tips = nullptr;
};
