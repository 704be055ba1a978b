#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "window_data.h"

namespace tubaro {

// What the form uses of the window's controls, and nothing more. Each front
// end implements it over its toolkit (the Qt widgets, the Win32 controls, the
// page's elements), the tests over plain data, so the same rules run in
// tests and on screen. Every event of these controls reaches the form
// through FormPresenter, nothing else.
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
    // False where the window cannot stay on top: the box is no tab stop.
    virtual bool enabled() const = 0;
};

// A spin control paired with a value field. Its stepping is the form's
// (FormPresenter::spin_stepped); the control only shows its arrows. A hidden
// one cannot be stepped and takes no focus.
class SpinControl {
public:
    virtual ~SpinControl() = default;
    virtual void set_visible(bool visible) = 0;
    virtual bool visible() const = 0;
};

class Window {
public:
    virtual ~Window() = default;
    // Keep the window above all other windows, or return it to the normal
    // stacking, without moving or resizing it.
    virtual void set_topmost(bool topmost) = 0;
    // Give a control the keyboard focus.
    virtual void focus(ControlId control) = 0;
    // Show the note that names what went wrong, beside `source` (the window
    // itself when empty), and take it away again.
    virtual void show_error(std::optional<ControlId> source, std::string_view message) = 0;
    virtual void hide_error() = 0;
};

}  // namespace tubaro
