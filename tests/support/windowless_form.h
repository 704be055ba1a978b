#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/effect.h"
#include "form/form_event.h"
#include "form/form_presenter.h"
#include "rules/quantity.h"
#include "form/window_state.h"

namespace tubaro {

// What a page's user did to its elements before its code bound the form:
// the texts are those they typed (what the page emptied meanwhile it has
// put back by then).
struct DoneBeforeBinding {
    std::optional<Quantity> option;
    bool check1_ticked = false;
    std::vector<std::pair<ControlId, std::string>> texts;
    // The fragment of the page's address, where it has one.
    std::string address;
};

// The main window without a toolkit, for tests, fuzzers and benchmarks: the
// window's state as a toolkit holds it, each user action handed to the real
// FormPresenter as a toolkit's events, and the effects it answers applied,
// as a front end applies them.
class WindowlessForm {
public:
    static constexpr int kShiftCode = 0x10;
    static constexpr int kAltCode = 0x12;

    // The window as built, then loaded.
    explicit WindowlessForm(std::string decimal_separator = ",", WindowTraits traits = {},
                            DoneBeforeBinding done = {});

    // One event with the state, and the answer applied.
    const FormReply& send(FormEvent event);

    // What a user does. Keys are given as chords of the window-less form's
    // own codes (a character, or kShiftCode and the like).
    void press_key(Quantity field, KeyChord key);
    void release_key(Quantity field, KeyChord key);
    // A key pressed on any control (none: the focus is nowhere); true when
    // the form took it.
    bool press(std::optional<ControlId> control, KeyChord key, bool repeat = false);
    // The focus comes into a field the toolkit's way: by Tab from outside,
    // a click, and so on.
    void focus(Quantity field, FocusCause cause);
    // The focus leaves the window's controls (another window took it).
    void focus_away();
    // Types text at the end of the field, one key at a time (press, change,
    // release), as a keyboard would.
    void type(Quantity field, std::string_view text);
    void backspace(Quantity field);
    // Replaces the whole text the way a paste or a drop does: no key.
    void paste(Quantity field, std::string_view text) { paste(kQuantityControls[field].field, text); }
    void paste(ControlId box, std::string_view text);
    // A click on an arrow: down, then up.
    void step(Quantity field, int direction);
    void click_option(Quantity mode);
    void click_check1();
    // A press and release in the information line; 2 for the second of a
    // double click.
    void click_text1(int clicks = 1);
    // A timer the form started, fired.
    void fire(Timer timer);

    // What the window shows.
    const WindowState& state() const { return m_state; }
    std::string text(Quantity field) const { return m_state[kQuantityControls[field].field].text; }
    std::string designation() const { return m_state[ControlId::Text_Pollici].text; }
    std::string information() const { return m_state[ControlId::Text1].text; }
    std::optional<Quantity> mode() const;
    int options_set() const;
    bool spin_visible(Quantity field) const { return m_state[kQuantityControls[field].spin].visible; }
    int check1() const { return m_state[ControlId::Check1].value; }
    bool topmost() const { return m_topmost; }
    std::optional<ControlId> focused() const { return m_state.focused; }
    // A timer running, and after how long it fires.
    std::optional<std::chrono::milliseconds> timer(Timer timer) const { return m_timers[static_cast<std::size_t>(timer)]; }

    // Every note shown, oldest first, and whether one is shown now.
    const std::vector<ShowNote>& notes() const { return m_notes; }
    bool note_shown() const { return m_note_shown; }
    // The kinds the notes named, oldest first.
    const std::vector<ErrorKind>& errors() const { return m_kinds; }
    std::optional<ErrorKind> last_error() const;
    void clear_errors();
    // Notes that named none of the four kinds; none expected.
    int other_failures() const { return m_other_failures; }
    // Results written into the computed field (a text equal to the one there
    // is no write).
    int results_written() const { return m_results_written; }
    // What the form said of the sizing shown, answer after answer.
    const std::vector<SizingRecord>& records() const { return m_records; }

private:
    void apply(const Effect& effect);

    FormPresenter m_form;
    WindowState m_state;
    FormReply m_reply;
    bool m_topmost = false;
    bool m_note_shown = false;
    std::vector<ShowNote> m_notes;
    std::vector<ErrorKind> m_kinds;
    int m_other_failures = 0;
    std::array<std::optional<std::chrono::milliseconds>, 2> m_timers{};
    int m_results_written = 0;
    std::vector<SizingRecord> m_records;
};

}  // namespace tubaro
