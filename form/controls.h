#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "error_kind.h"
#include "window_data.h"

namespace tubaro {

// What the form uses of the window's controls, and nothing more. Each front
// end implements it over its toolkit (the Qt widgets, the Win32 controls, the
// page's elements), the tests over plain data, so the same rules run in
// tests and on screen. Every state is the toolkit's: an implementation asks
// its widget and keeps no copy. Every event of these controls reaches the
// form through FormPresenter, nothing else.
//
// What the form relies on:
//   - set_text raises the box's change event (FormPresenter::text_changed)
//     before it returns, so a computed diameter updates the inch designation
//     before the recalculation goes on. The form never assigns a text equal
//     to the present one, so the user's selection, cursor and undo history
//     stay;
//   - an assignment by the program never raises a key release;
//   - a key that changes the text raises the change before its release.

class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string text() const = 0;
    virtual void set_text(std::string_view text) = 0;
};

// One of an exclusive group. The form sets the new one first, then clears
// the others, so a group that keeps one set by itself never refuses.
class OptionButton {
public:
    virtual ~OptionButton() = default;
    virtual bool is_set() const = 0;
    virtual void set_checked(bool on) = 0;
};

class CheckBox {
public:
    enum Value : int { Unchecked = 0, Checked = 1, Grayed = 2 };
    virtual ~CheckBox() = default;
    virtual int value() const = 0;
    virtual void set_value(int value) = 0;
    // False where the window cannot stay on top: the box is no tab stop.
    virtual bool enabled() const = 0;
};

// A spin control paired with a value field. Its stepping is the form's
// (SpinStepper); the control only shows its arrows. A hidden one cannot be
// stepped and takes no focus.
class SpinControl {
public:
    virtual ~SpinControl() = default;
    virtual void set_visible(bool visible) = 0;
    virtual bool visible() const = 0;
};

// How the keyboard focus came into a control, as far as its toolkit can
// tell. The form decides which key release that makes the arrival's own.
enum class FocusCause {
    Tab,         // the Tab key, forward
    BackTab,     // Shift+Tab
    Activation,  // the window became the active one again
    Pointer,     // a click or a tap
    Program,     // the program's own call, or the form's
    Unknown,     // from outside a page, which never saw how
};

// Whether the window can be kept above all others.
enum class StayOnTop {
    Always,        // a desktop window: on top from the start, Check1 ticked
    AtAClick,      // a page: only at the user's own click, which floating needs
    NotOnWayland,  // a native Wayland window: no protocol asks for it
    NotInBrowser,  // a browser with no floating window for a page
};

// Facts about the window that only its front end knows.
struct WindowTraits {
    StayOnTop stay_on_top = StayOnTop::Always;
    // A window's Tab order wraps around; a page hands a Tab at either end of
    // the form to the browser, which a page must not keep from the keyboard.
    bool tab_wraps = true;
};

// What went wrong, for the note that names it.
struct ErrorReport {
    // The control the note is beside; empty for the window itself.
    std::optional<ControlId> source;
    // Empty for a failure outside the four kinds.
    std::optional<ErrorKind> kind;
    // What the note says, in Italian.
    std::string_view message;
};

// How long a note stays when no good recalculation takes it away first.
inline constexpr std::chrono::milliseconds kErrorNoteShownFor{4000};

class Window {
public:
    virtual ~Window() = default;
    virtual WindowTraits traits() const = 0;
    // Keep the window above all other windows, or return it to the normal
    // stacking, without moving or resizing it.
    virtual void set_topmost(bool topmost) = 0;
    // The control that has the keyboard focus, if one of the form's has.
    virtual std::optional<ControlId> focused() const = 0;
    // Give a control the keyboard focus; `cause` is why, for a toolkit that
    // reports it back with the focus event.
    virtual void focus(ControlId control, FocusCause cause) = 0;
    // Show the note that names what went wrong, and take it away again.
    virtual void show_error(const ErrorReport& report) = 0;
    virtual void hide_error() = 0;
};

}  // namespace tubaro
