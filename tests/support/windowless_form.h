#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls.h"
#include "form_presenter.h"
#include "quantity.h"

namespace tubaro {

// The main window without a window, for tests, fuzzers and benchmarks: test
// doubles of the control interface, built from the window's data and bound
// to the real FormPresenter, so every event takes the road it takes on
// screen; the errors reported are kept where a test can see them.

class TextBoxDouble final : public TextBox {
public:
    TextBoxDouble(FormPresenter& form, ControlId id) : m_form(form), m_id(id), m_text(control_spec(id).text) {}

    std::string text() const override { return m_text; }
    // The program's assignment: its change event comes inside it.
    void set_text(std::string_view text) override;
    // A change the user makes (a key, a paste): its change event is an
    // event of its own.
    void user_edit(std::string_view text);

private:
    FormPresenter& m_form;
    ControlId m_id;
    std::string m_text;
};

class OptionButtonDouble final : public OptionButton {
public:
    explicit OptionButtonDouble(ControlId id) : m_set(control_spec(id).has(kSetAtStart)) {}
    bool is_set() const override { return m_set; }
    void set_checked(bool on) override { m_set = on; }

private:
    bool m_set;
};

class CheckBoxDouble final : public CheckBox {
public:
    int value() const override { return m_value; }
    bool enabled() const override { return m_enabled; }
    int m_value = control_spec(ControlId::Check1).has(kSetAtStart) ? Checked : Unchecked;
    bool m_enabled = true;
};

class SpinControlDouble final : public SpinControl {
public:
    explicit SpinControlDouble(ControlId id) : m_visible(!control_spec(id).has(kHiddenAtStart)) {}
    void set_visible(bool visible) override { m_visible = visible; }
    bool visible() const override { return m_visible; }

private:
    bool m_visible;
};

class WindowDouble final : public Window {
public:
    void set_topmost(bool topmost) override { m_topmost = topmost; }
    void focus(ControlId control) override { m_focus = control; }
    void show_error(std::optional<ControlId> source, std::string_view message) override;
    void hide_error() override;

    bool m_topmost = false;
    std::optional<ControlId> m_focus;
    // Every note shown, oldest first, and the one shown now.
    struct Note {
        std::optional<ControlId> source;
        std::string message;
    };
    std::vector<Note> m_notes;
    // The kinds the notes named, oldest first, and the notes that named
    // none of the four.
    std::vector<ErrorKind> m_kinds;
    int m_other_failures = 0;
    bool m_note_shown = false;
    // The form takes the note away after every recalculation that wrote its
    // result, and only then.
    int m_recalculations = 0;
    std::function<void()> on_recalculated;
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
    void click_text1(int clicks = 1);

    // What the window shows.
    std::string text(Quantity field) const { return field_box(field).text(); }
    std::string designation() const { return m_text_pollici.text(); }
    std::string information() const { return m_text1.text(); }
    std::optional<Quantity> mode() const;
    int options_set() const;
    bool spin_visible(Quantity field) const { return m_spins[field].visible(); }
    int check1() const { return m_check1.value(); }
    bool topmost() const { return m_window.m_topmost; }
    const WindowDouble& window() const { return m_window; }
    CheckBoxDouble& check_box() { return m_check1; }

    // Errors of the four kinds reported at the edges of events, oldest first.
    const std::vector<ErrorKind>& errors() const { return m_window.m_kinds; }
    std::optional<ErrorKind> last_error() const;
    void clear_errors();
    // Failures outside the four kinds that stopped at an edge; none expected.
    int other_failures() const { return m_window.m_other_failures; }
    int recalculations() const { return m_window.m_recalculations; }
    // Runs inside every recalculation that wrote its result, after the write.
    void on_recalculated(std::function<void()> listener) { m_window.on_recalculated = std::move(listener); }

    FormPresenter& form() { return m_form; }
    // The handlers, for tests that call the recalculation directly.
    Form_Principale& logic() { return *m_form.handlers(); }
    TextBoxDouble& box(Quantity field) { return m_boxes[field]; }
    TextBoxDouble& designation_box() { return m_text_pollici; }

private:
    const TextBoxDouble& field_box(Quantity field) const { return m_boxes[field]; }

    FormPresenter m_form;
    PerQuantity<TextBoxDouble> m_boxes;
    TextBoxDouble m_text_pollici;
    TextBoxDouble m_text1;
    PerQuantity<OptionButtonDouble> m_options;
    PerQuantity<SpinControlDouble> m_spins;
    CheckBoxDouble m_check1;
    WindowDouble m_window;
};

}  // namespace tubaro
