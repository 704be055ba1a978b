#pragma once

namespace tubaro {

// Whether the window can be kept above all others.
enum class StayOnTop {
    Always,        // a desktop window: on top from the start, Check1 ticked
    AtAClick,      // a page: only at the user's own click, which floating needs
    NotOnWayland,  // a native Wayland window: no protocol asks for it
    NotInBrowser,  // a browser with no floating window for a page
};

// Facts about the window that only its front end knows, told to the form
// once, when it is made.
struct WindowTraits {
    StayOnTop stay_on_top = StayOnTop::Always;
    // A window's Tab order wraps around; a page hands a Tab at either end of
    // the form to the browser, which a page must not keep from the keyboard.
    bool tab_wraps = true;
    // A page keeps the sizing it shows in its address, title and sheet
    // (SizingChanged); a desktop window keeps nothing.
    bool keeps_sizing = false;
    // A tap in a text field may bring up a keyboard on the screen (a page,
    // on a phone): a field the program writes and never reads is then
    // read-only, or a tap would bring it up for nothing.
    bool keyboard_on_screen = false;
};

}  // namespace tubaro
