#pragma once

#include <string>
#include <string_view>

namespace tubaro {

// What the form logic uses of the window's controls, and nothing more. The
// window-less model and the Qt widgets both implement it, so the logic runs
// the same in tests and on screen.
//
// Event delivery is the implementation's: it calls the form's handlers one at
// a time, with these guarantees the logic relies on:
//   - set_text raises the box's change event before it returns (so a computed
//     diameter updates the inch designation before the recalculation goes on);
//     assigning a text equal to the present one leaves the box alone: no
//     change event, and the user's selection, cursor and undo history stay;
//   - an assignment by the program never raises a key release;
//   - a key that changes the text raises the change before its release.

class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string text() const = 0;
    virtual void set_text(std::string_view text) = 0;
};

// One of an exclusive group: setting one clears the others.
class OptionButton {
public:
    virtual ~OptionButton() = default;
    virtual bool is_set() const = 0;
};

class CheckBox {
public:
    enum Value : int { Unchecked = 0, Checked = 1, Grayed = 2 };
    virtual ~CheckBox() = default;
    virtual int value() const = 0;
};

// A spin control paired with a value field: a step writes the new value into
// the field (raising its change event) and then raises its notification.
// A hidden one cannot be stepped and takes no focus.
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
};

}  // namespace tubaro
