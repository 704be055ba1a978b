#pragma once

#include "dom.h"

// A page cannot float above other windows by itself: staying on top moves
// the form into a Document Picture-in-Picture window, which does, and back
// into its place when that window closes (the page then hears
// on_float_ended). The browser answers a request for that window later:
// the form follows the last state asked for by then, and one request at a
// time is made.
class FloatingForm {
public:
    explicit FloatingForm(dom::Element form) : m_form(form) {}
    void set_floating(bool floating);
    // Whether this browser can float the form at all.
    static bool available();

private:
    dom::Element m_form;
};
