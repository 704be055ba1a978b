#pragma once

#include <string>
#include <string_view>

#include "form/window_data.h"

namespace tubaro {

// What the handlers of Form_Principale use of the window's controls, and
// nothing more. FormPresenter gives them these over its copy of the window's
// state for the event at hand, and turns every change into an effect.
//
// What the handlers rely on:
//   - set_text runs the box's change handler before it returns, so a
//     computed diameter updates the inch designation before the
//     recalculation goes on. A text equal to the present one is no change
//     (and no effect), so the user's selection, cursor and undo history stay;
//   - an assignment by the program never raises a key release.

class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string text() const = 0;
    virtual void set_text(std::string_view text) = 0;
};

// One of an exclusive group. The form sets the new one first, then clears
// the others.
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

// The window itself, as the load handler and Check1's use it.
class Window {
public:
    virtual ~Window() = default;
    // Keep the window above all other windows, or return it to the normal
    // stacking, without moving or resizing it.
    virtual void set_topmost(bool topmost) = 0;
};

}  // namespace tubaro
