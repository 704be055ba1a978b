#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

// A text and the room, in pixels, that its control gives it.
struct TextRoom {
    std::wstring text;
    SIZE room;
};

// The window's font: the system's message font at the window's resolution,
// made smaller only when a text would not fit its room, since the layout's
// sizes are fixed, by the form's rule (tubaro::largest_fitting_size): one
// measurement at the system's size gives the size and one check confirms
// it; never below 6 points, or the system's own size where that is smaller.
//
// The font in use goes only after `use` has given every control the new one:
// a control never holds a deleted font, which a repaint in between would
// draw with.
class WindowFont {
public:
    void fit(HWND window, UINT dots_per_inch, const std::vector<TextRoom>& texts,
             const std::function<void(HFONT)>& use);
    HFONT handle() const { return m_font.get(); }

private:
    struct Deleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, Deleter>;
    static Font fitted(HWND window, UINT dots_per_inch, const std::vector<TextRoom>& texts);
    Font m_font;
};
