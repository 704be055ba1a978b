#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls.h"
#include "form_presenter.h"
#include "quantity.h"
#include "window_build.h"

namespace tubaro {

// The main window without a window, for tests, fuzzers and benchmarks: test
// doubles of the control interface, made by the form's own walk over the
// window's data (WindowlessForm is their factory) and driving the real
// FormPresenter, so every event takes the road it takes on screen; what the
// form reports is kept where a test can see it.

class TextBoxDouble final : public TextBox {
public:
    TextBoxDouble(FormPresenter& form, const ControlSpec& row) : m_form(form), m_id(row.id), m_text(row.text) {}

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
    explicit OptionButtonDouble(const ControlSpec& row) : m_set(row.has(kSetAtStart)) {}
    bool is_set() const override { return m_set; }
    void set_checked(bool on) override { m_set = on; }

private:
    bool m_set;
};

class CheckBoxDouble final : public CheckBox {
public:
    explicit CheckBoxDouble(const ControlSpec& row)
        : m_value(row.has(kSetAtStart) ? Checked : Unchecked), m_enabled(!row.has(kDisabledAtStart)),
          m_tooltip(tooltip_of(row))
    {
    }
    int value() const override { return m_value; }
    void set_value(int value) override { m_value = value; }
    bool enabled() const override { return m_enabled; }

    int m_value;
    bool m_enabled;
    std::string_view m_tooltip;
};

class SpinControlDouble final : public SpinControl {
public:
    explicit SpinControlDouble(const ControlSpec& row) : m_visible(!row.has(kHiddenAtStart)) {}
    void set_visible(bool visible) override { m_visible = visible; }
    bool visible() const override { return m_visible; }

private:
    bool m_visible;
};

// A window whose focus events come inside focus(), as on every toolkit here.
class WindowDouble final : public Window {
public:
    WindowDouble(FormPresenter& form, WindowTraits traits) : m_form(form), m_traits(traits) {}

    WindowTraits traits() const override { return m_traits; }
    void set_topmost(bool topmost) override { m_topmost = topmost; }
    std::optional<ControlId> focused() const override { return m_focus; }
    void focus(ControlId control, FocusCause cause) override;
    void show_error(const ErrorReport& report) override;
    void hide_error() override { m_note_shown = false; }

    bool m_topmost = false;
    std::optional<ControlId> m_focus;
    // Every note shown, oldest first.
    struct Note {
        std::optional<ControlId> source;
        std::optional<ErrorKind> kind;
        std::string message;
    };
    std::vector<Note> m_notes;
    // The kinds named, oldest first, and the notes that named none of the
    // four, kept as they come.
    std::vector<ErrorKind> m_kinds;
    int m_other_failures = 0;
    bool m_note_shown = false;

private:
    FormPresenter& m_form;
    WindowTraits m_traits;
};

// What a page's user did to its elements before its code bound the form:
// the texts are those they typed (what the page emptied meanwhile it has
// put back by then).
struct DoneBeforeBinding {
    std::optional<Quantity> option;
    bool check1_ticked = false;
    std::vector<std::pair<ControlId, std::string>> texts;
    // The fragment of the page's address, where it has one.
    std::optional<std::string> address;
};

class WindowlessForm {
public:
    static constexpr int kShiftCode = 0x10;
    static constexpr int kAltCode = 0x12;

    // Builds the window with its start values and runs the load handler.
    explicit WindowlessForm(std::string decimal_separator = ",", WindowTraits traits = {},
                            DoneBeforeBinding done = {});
    WindowlessForm(const WindowlessForm&) = delete;
    WindowlessForm& operator=(const WindowlessForm&) = delete;

    // What a user does. Keys are given as chords of the window-less form's
    // own codes (a character, or kShiftCode and the like).
    void press_key(Quantity field, KeyChord key);
    void release_key(Quantity field, KeyChord key);
    // The focus comes into a field: by Tab, whose release then arrives there,
    // by a click, and so on.
    void focus(Quantity field, FocusCause cause);
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
    std::string text(Quantity field) const { return m_doubles.text_box(kQuantityControls[field].field).text(); }
    std::string designation() const { return m_doubles.text_box(ControlId::Text_Pollici).text(); }
    std::string information() const { return m_doubles.text_box(ControlId::Text1).text(); }
    std::optional<Quantity> mode() const;
    int options_set() const;
    bool spin_visible(Quantity field) const;
    int check1() const { return m_doubles.m_check1->value(); }
    bool topmost() const { return m_window.m_topmost; }
    const WindowDouble& window() const { return m_window; }
    CheckBoxDouble& check_box() { return *m_doubles.m_check1; }

    // Errors of the four kinds reported at the edges of events, oldest first.
    const std::vector<ErrorKind>& errors() const { return m_window.m_kinds; }
    std::optional<ErrorKind> last_error() const;
    void clear_errors();
    // Failures outside the four kinds that stopped at an edge; none expected.
    int other_failures() const { return m_window.m_other_failures; }
    // Recalculations that wrote their result, as the form tells them.
    int recalculations() const { return m_recalculations; }
    // What the form recorded of the sizing shown, event after event.
    const std::vector<SizingRecord>& records() const { return m_records; }
    // Runs inside every recalculation that wrote its result, after the write.
    void on_recalculated(std::function<void()> listener) { m_on_recalculated = std::move(listener); }

    FormPresenter& form() { return m_form; }
    // The handlers, for tests that call the recalculation directly.
    Form_Principale& logic() { return m_form.handlers(); }
    TextBoxDouble& box(Quantity field) { return m_doubles.text_box(kQuantityControls[field].field); }
    TextBoxDouble& designation_box() { return m_doubles.text_box(ControlId::Text_Pollici); }

private:
    // The doubles, made by the form's walk over the window's data.
    class Doubles final : public ControlFactory {
    public:
        Doubles(WindowDouble& window, FormPresenter& form, DoneBeforeBinding done)
            : m_window(window), m_form(form), m_done(std::move(done))
        {
        }
        Window& host() override { return m_window; }
        void make_label(const ControlSpec&) override {}  // nothing of a label is read
        TextBox& make_text_box(const ControlSpec& row) override;
        OptionButton& make_option_button(const ControlSpec& row) override;
        CheckBox& make_check_box(const ControlSpec& row) override;
        SpinControl& make_spin_control(const ControlSpec& row) override;

        TextBoxDouble& text_box(ControlId id) const { return *m_text_boxes[index(id)]; }
        const OptionButtonDouble& option(Quantity mode) const { return *m_options[index(kQuantityControls[mode].option)]; }
        const SpinControlDouble& spin(Quantity field) const { return *m_spins[index(kQuantityControls[field].spin)]; }
        std::unique_ptr<CheckBoxDouble> m_check1;

    private:
        static std::size_t index(ControlId id) { return static_cast<std::size_t>(id); }
        // Each row as the user left its element.
        ControlSpec as_left(const ControlSpec& row) const;

        WindowDouble& m_window;
        FormPresenter& m_form;
        DoneBeforeBinding m_done;
        std::array<std::unique_ptr<TextBoxDouble>, kControlCount> m_text_boxes;
        std::array<std::unique_ptr<OptionButtonDouble>, kControlCount> m_options;
        std::array<std::unique_ptr<SpinControlDouble>, kControlCount> m_spins;
    };

    WindowDouble m_window;
    Doubles m_doubles;
    int m_recalculations = 0;
    std::vector<SizingRecord> m_records;
    std::function<void()> m_on_recalculated;
    // Last: it builds the window through the factory above.
    FormPresenter m_form;
};

}  // namespace tubaro
