#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls.h"
#include "event_edge.h"
#include "form_principale.h"
#include "key_release_filter.h"
#include "quantity.h"
#include "spin_stepper.h"

namespace tubaro {

// The main window without a window, for tests, fuzzers and benchmarks: every
// control as plain data built from the window's data, events delivered as
// the real window delivers them, each through the event edge, and the errors
// that stop there kept where a test can see them.

class TextBoxModel final : public TextBox {
public:
    TextBoxModel(EventEdge& edge, std::string_view start_text) : m_edge(edge), m_text(start_text) {}

    std::string text() const override { return m_text; }
    // An assignment by the program. An equal text is no change, as on the
    // real window.
    void set_text(std::string_view text) override;
    // A change the user makes (a key, a paste): its change event is an
    // event of its own, not nested in a handler.
    void user_edit(std::string_view text);

    std::function<void()> on_change;
    std::function<void()> on_key_release;

    KeyReleaseFilter keys;

private:
    EventEdge& m_edge;
    std::string m_text;
};

class OptionButtonModel final : public OptionButton {
public:
    bool is_set() const override { return m_set; }
    bool m_set = false;
};

class CheckBoxModel final : public CheckBox {
public:
    int value() const override { return m_value; }
    int m_value = Unchecked;
};

class SpinControlModel final : public SpinControl {
public:
    SpinControlModel(TextBox& paired, int upper, std::string decimal_separator, bool visible)
        : m_paired(paired), m_stepper(upper, std::move(decimal_separator)), m_visible(visible)
    {
    }
    void set_visible(bool visible) override { m_visible = visible; }
    bool visible() const override { return m_visible; }

    void step(int direction) { m_stepper.step(direction, m_visible, m_paired, on_notification); }

    std::function<void()> on_notification;

private:
    TextBox& m_paired;
    SpinStepper m_stepper;
    bool m_visible;
};

class WindowModel final : public Window {
public:
    void set_topmost(bool topmost) override
    {
        m_topmost = topmost;
        ++m_topmost_requests;
    }
    bool topmost() const { return m_topmost; }
    int topmost_requests() const { return m_topmost_requests; }

private:
    bool m_topmost = false;
    int m_topmost_requests = 0;
};

class WindowlessForm {
public:
    static constexpr int kTab = 0x09;
    static constexpr int kShift = 0x10;
    static constexpr int kAlt = 0x12;
    static constexpr int kShiftModifier = 1;
    static constexpr int kAltModifier = 4;

    // Builds the window with its start values and runs the load handler.
    explicit WindowlessForm(std::string decimal_separator = ",");
    WindowlessForm(const WindowlessForm&) = delete;
    WindowlessForm& operator=(const WindowlessForm&) = delete;

    // What a user does. Keys are given as chords of the window-less form's
    // own codes (a character, or kTab and the like).
    void press_key(Quantity field, KeyChord key);
    void release_key(Quantity field, KeyChord key);
    // The focus comes into a field: by a key (Tab), whose release then
    // arrives there, or by a click (nullopt).
    void focus(Quantity field, std::optional<KeyChord> moved_by);
    // Types text at the end of the field, one key at a time (press, change,
    // release), as a keyboard would.
    void type(Quantity field, std::string_view text);
    // Backspace at the end of the field.
    void backspace(Quantity field);
    // Replaces the whole text the way a paste or a drop does: no key.
    void paste(Quantity field, std::string_view text);
    void step(Quantity field, int direction);
    void click_option(Quantity mode);
    void click_check1();
    void click_text1();

    // What the window shows.
    std::string text(Quantity field) const { return m_fields[field].text(); }
    std::string designation() const { return m_text_pollici.text(); }
    std::string information() const { return m_text1.text(); }
    std::optional<Quantity> mode() const;
    int options_set() const;
    bool spin_visible(Quantity field) const { return m_spins[field].visible(); }
    int check1() const { return m_check1.value(); }
    bool topmost() const { return m_window.topmost(); }
    const WindowModel& window() const { return m_window; }

    // Errors of the four kinds reported at the edges of events, oldest first.
    const std::vector<ErrorKind>& errors() const { return m_errors; }
    std::optional<ErrorKind> last_error() const;
    void clear_errors() { m_errors.clear(); }
    // Failures outside the four kinds that stopped at an edge; none expected.
    int other_failures() const { return m_other_failures; }
    int recalculations() const { return m_recalculations; }

    // The logic, for tests that call a handler directly.
    Form_Principale& logic() { return m_logic; }
    TextBoxModel& box(Quantity field) { return m_fields[field]; }
    TextBoxModel& designation_box() { return m_text_pollici; }

private:
    SpinControlModel spin_model(Quantity field);

    std::string m_separator;
    std::vector<ErrorKind> m_errors;
    int m_other_failures = 0;
    int m_recalculations = 0;
    EventEdge m_edge;
    PerQuantity<TextBoxModel> m_fields;
    TextBoxModel m_text_pollici;
    TextBoxModel m_text1;
    PerQuantity<OptionButtonModel> m_options;
    PerQuantity<SpinControlModel> m_spins;
    CheckBoxModel m_check1;
    WindowModel m_window;
    Form_Principale m_logic;
};

}  // namespace tubaro
