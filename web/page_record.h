#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/window_state.h"

// A DOM event as the page's bridge (page/page_bridge.js) carries it, with
// the state of the form's controls at that moment: a record of
// length-prefixed UTF-8 fields, "5:keyup6:Text_P...".
struct PageRecord {
    std::string type;     // the DOM event's type, or the bridge's own: load, shown, timer, floatended
    std::string control;  // the control it came from (a timer's name); empty for the form or the window
    std::string part;     // "up" or "down" for a spin control's arrow; empty for the whole
    int key_code = 0;     // the browser's keyCode: 229 from many on-screen keyboards
    unsigned modifiers = 0;  // the form's bits: 1 Shift, 2 Control, 4 Alt, 8 Meta
    bool repeat = false;
    int detail = 0;       // a click's count: 0 from the keyboard or assistive technology
    std::string extra;    // hashchange: the fragment; load: the fragment and the fields changed
    tubaro::WindowState state;
};

// The record read, or nullopt where it is not one the bridge writes.
std::optional<PageRecord> read_page_record(std::string_view text);

// Length-prefixed fields, as the bridge writes them; nullopt where broken.
std::optional<std::vector<std::string_view>> page_fields(std::string_view text);
