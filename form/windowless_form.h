#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls.h"
#include "event_edge.h"
#include "form_principale.h"
#include "key_release_filter.h"

namespace tubaro {

// The main window without a window: every control as plain data, events
// delivered as the real window delivers them, and errors stopped at the edge
// of the event that a user action started, where a test can see them.

class TextBoxModel final : public TextBox {
public:
    std::string text() const override { return m_text; }
    void set_text(std::string_view text) override;

    std::function<void()> on_change;
    std::function<void()> on_key_release;
    std::function<void()> on_click;

    KeyReleaseFilter keys;

private:
    std::string m_text;
};

class OptionButtonModel final : public OptionButton {
public:
    bool is_set() const override { return m_set; }

private:
    friend class WindowlessForm;
    bool m_set = false;
};

class CheckBoxModel final : public CheckBox {
public:
    int value() const override { return m_value; }

private:
    friend class WindowlessForm;
    int m_value = Unchecked;
};

class SpinControlModel final : public SpinControl {
public:
    SpinControlModel(TextBox& paired, int upper) : m_paired(paired), m_upper(upper) {}
    void set_visible(bool visible) override { m_visible = visible; }
    bool visible() const { return m_visible; }

    // Steps up (+1) or down (-1): writes the paired field, then notifies.
    // A hidden control, or one at the end of its range, does nothing.
    void step(int direction, std::string_view decimal_separator);

    std::function<void()> on_notification;

private:
    TextBox& m_paired;
    int m_upper;
    int m_last_value = 0;
    bool m_visible = true;
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
    // Builds the window with its start values and runs the load handler.
    explicit WindowlessForm(std::string decimal_separator = ",");
    WindowlessForm(const WindowlessForm&) = delete;
    WindowlessForm& operator=(const WindowlessForm&) = delete;

    // What a user does.
    void press_key(Quantity field, int key);
    void release_key(Quantity field, int key);
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
    std::string text(Quantity field) const { return box(field).text(); }
    std::string designation() const { return m_text_pollici.text(); }
    std::string text1() const { return m_text1.text(); }
    std::optional<Quantity> mode() const;
    int options_set() const;
    bool spin_visible(Quantity field) const { return spin(field).visible(); }
    int check1() const { return m_check1.value(); }
    bool topmost() const { return m_window.topmost(); }
    const WindowModel& window() const { return m_window; }

    // Errors reported at the edges of events, oldest first.
    const std::vector<ErrorKind>& errors() const { return m_errors; }
    std::optional<ErrorKind> last_error() const;
    void clear_errors() { m_errors.clear(); }
    int recalculations() const { return m_recalculations; }

    // The logic, for tests that call a handler directly.
    Form_Principale& logic() { return m_logic; }
    TextBoxModel& box(Quantity field);
    const TextBoxModel& box(Quantity field) const;
    TextBoxModel& designation_box() { return m_text_pollici; }

private:
    SpinControlModel& spin(Quantity field);
    const SpinControlModel& spin(Quantity field) const;
    OptionButtonModel& option(Quantity mode);

    std::string m_separator;
    TextBoxModel m_text_d, m_text_p, m_text_y, m_text_l, m_text_pollici, m_text1;
    OptionButtonModel m_option_diametro, m_option_potenza, m_option_perdita, m_option_lunghezza;
    SpinControlModel m_updown_d, m_updown_p, m_updown_y, m_updown_l;
    CheckBoxModel m_check1;
    WindowModel m_window;
    FormControls m_controls;
    Form_Principale m_logic;
    EventEdge m_edge;
    std::vector<ErrorKind> m_errors;
    int m_recalculations = 0;
};

}  // namespace tubaro
