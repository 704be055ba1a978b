#pragma once

#include "controls.h"
#include "form_principale.h"
#include "window_data.h"

namespace tubaro {

// The window is built once, here, from its data: one walk over the rows, in
// their order (top to bottom, left to right), handing each control to the
// toolkit's side as a row of its kind. Everything built from the window's
// data takes that walk: each window through its ControlFactory, the page's
// HTML through its own visitor.

// A control's row as this window shows it at start: the window's data, but
// for Check1 where the window cannot be on top from the start (unticked),
// and where it cannot be at all (disabled too, and saying why).
ControlSpec as_shown(const ControlSpec& row, StayOnTop stay_on_top);

class ControlKindVisitor {
public:
    virtual ~ControlKindVisitor() = default;
    virtual void label(const ControlSpec& row) = 0;
    virtual void text_box(const ControlSpec& row) = 0;
    virtual void option_button(const ControlSpec& row) = 0;
    virtual void check_box(const ControlSpec& row) = 0;
    virtual void spin_control(const ControlSpec& row) = 0;
};

// The walk: every row, as shown, to the visitor's function for its kind.
void walk_window(ControlKindVisitor& visitor, StayOnTop stay_on_top);

// A toolkit's side of building: one control of each kind made (or, on a
// page, found) from its row, at its place and with its start value, its
// events told to the form. The references stay valid as long as the window.
class ControlFactory {
public:
    virtual ~ControlFactory() = default;
    // The window the controls are made in.
    virtual Window& host() = 0;
    virtual void make_label(const ControlSpec& row) = 0;
    virtual TextBox& make_text_box(const ControlSpec& row) = 0;
    virtual OptionButton& make_option_button(const ControlSpec& row) = 0;
    virtual CheckBox& make_check_box(const ControlSpec& row) = 0;
    virtual SpinControl& make_spin_control(const ControlSpec& row) = 0;
};

// Every control made by the factory, and the form's controls assembled.
FormControls build_window(ControlFactory& factory);

}  // namespace tubaro
