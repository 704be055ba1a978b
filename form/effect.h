#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/error_kind.h"
#include "form/form_event.h"
#include "form/sizing_record.h"
#include "form/window_data.h"

namespace tubaro {

// What the form answers an event with: the changes a front end makes to its
// window, in order. Each says what, not how: a front end applies it with its
// toolkit's own means, and the events its toolkit raises while it does so
// are none of the form's (the form has made them part of this answer).

struct SetText {
    ControlId control;
    std::string text;
    friend bool operator==(const SetText&, const SetText&) = default;
};

// An option button set (1) or cleared (0); a check box's 0, 1 or 2.
struct SetValue {
    ControlId control;
    int value;
    friend bool operator==(const SetValue&, const SetValue&) = default;
};

struct SetVisible {
    ControlId control;
    bool visible;
    friend bool operator==(const SetVisible&, const SetVisible&) = default;
};

struct Focus {
    ControlId control;
    FocusCause cause;
    friend bool operator==(const Focus&, const Focus&) = default;
};

// A text box's whole text selected, so typing replaces it.
struct SelectAll {
    ControlId control;
    friend bool operator==(const SelectAll&, const SelectAll&) = default;
};

// The note that names what went wrong, beside the control it speaks of (none:
// the window), which is then marked invalid for assistive technology.
struct ShowNote {
    std::optional<ControlId> beside;
    // Empty for a failure outside the four kinds.
    std::optional<ErrorKind> kind;
    std::string_view message;
    friend bool operator==(const ShowNote&, const ShowNote&) = default;
};

// The note taken away, and the control it spoke of no longer marked.
struct HideNote {
    std::optional<ControlId> beside;
    friend bool operator==(const HideNote&, const HideNote&) = default;
};

struct StartTimer {
    Timer timer;
    std::chrono::milliseconds after;
    friend bool operator==(const StartTimer&, const StartTimer&) = default;
};

struct StopTimer {
    Timer timer;
    friend bool operator==(const StopTimer&, const StopTimer&) = default;
};

// Keep the window above all others, or return it to the normal stacking,
// without moving or resizing it.
struct KeepOnTop {
    bool on;
    friend bool operator==(const KeepOnTop&, const KeepOnTop&) = default;
};

// What a page says of the sizing it shows (WindowTraits::keeps_sizing).
struct SizingChanged {
    SizingRecord record;
    friend bool operator==(const SizingChanged&, const SizingChanged&) = default;
};

using Effect = std::variant<SetText, SetValue, SetVisible, Focus, SelectAll, ShowNote, HideNote, StartTimer, StopTimer,
                            KeepOnTop, SizingChanged>;

struct FormReply {
    std::vector<Effect> effects;
    // The form took the event: the toolkit does nothing more with it (a Tab
    // it moved the focus for, an arrow that stepped, a press that keeps
    // the focus where it is).
    bool taken = false;
};

}  // namespace tubaro
