#pragma once

#include <optional>
#include <string>
#include <vector>

#include "form/keys.h"
#include "form/window_data.h"

namespace tubaro {

// Which part of a control an event is about: the whole, or an arrow of a
// spin control.
enum class Part { Whole, UpArrow, DownArrow };

// How the keyboard focus came into a control, as far as its toolkit can
// tell. The form decides which key release that makes the arrival's own.
enum class FocusCause {
    Tab,         // the Tab key, forward
    BackTab,     // Shift+Tab
    Activation,  // the window became the active one again
    Pointer,     // a click or a tap
    Program,     // the program's own call
    Unknown,     // the toolkit cannot tell (a page, from the browser's bar)
};

// The timers the form starts and stops (StartTimer, StopTimer); a front end
// runs each on its toolkit's clock and tells the form when it fires.
enum class Timer {
    ErrorNote,  // the note's time is up
    HeldArrow,  // an arrow held down steps again
};

// What happened in the window, as its toolkit tells it: one event, about one
// control (none: the window itself) and one part of it. A front end turns
// each of its toolkit's events into one of these and hands it to the form
// with the window's state (FormPresenter::handle); it decides nothing.
struct FormEvent {
    enum class Kind {
        Loaded,       // the window and its controls exist, before it is first shown
        Shown,        // the window is on screen
        Activated,    // the window became the active one again (cause: how)
        Deactivated,  // another window, or the browser's own bar, took the keyboard
        KeyDown,      // key, repeat; control: where the focus is (none: nowhere)
        KeyOutside,   // a key pressed outside the window's controls, which the toolkit handles
        KeyUp,        // key, repeat
        PointerDown,  // a button or a finger went down on the control's part; clicks
        PointerUp,    // and came up, inside the control or not
        Click,        // the toolkit's own click: clicks 1 (a pointer's) or 0 (keyboard, assistive technology)
        SpinStepped,  // a platform's spin control stepped by itself (part: which arrow)
        FocusIn,      // cause
        FocusOut,
        TextEdited,   // the user changed a text box's text (never the program's own assignment)
        TimerFired,   // timer
        TopmostEnded, // the window stopped being on top by itself (a page's floating window closed)
        AddressChanged,  // a page's address now holds `address`
    };

    Kind kind = Kind::Loaded;
    std::optional<ControlId> control = std::nullopt;
    Part part = Part::Whole;
    KeyChord key{};
    // A held key's repeated press (or, on some toolkits, release).
    bool repeat = false;
    // A pointer's click count: 2 for the second press of a double click.
    int clicks = 0;
    // A pointer that came up inside the control it went down on.
    bool inside = false;
    FocusCause cause = FocusCause::Unknown;
    Timer timer = Timer::ErrorNote;
    // Loaded on a page: the value fields its user changed before its code
    // came, and its address's fragment (still escaped); AddressChanged: the
    // fragment now.
    std::vector<ControlId> changed_before_binding = {};
    std::string address = {};
};

}  // namespace tubaro
