#pragma once

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "controls.h"
#include "event_edge.h"
#include "form_principale.h"
#include "key_release_filter.h"
#include "keyboard.h"
#include "window_data.h"

namespace tubaro {

// Where Tab or Shift+Tab takes the focus: the next stop of the form's one
// order, and whether that order wrapped around to get there (a page lets
// the browser have that Tab instead).
struct TabMove {
    ControlId to;
    bool wraps;
    friend constexpr bool operator==(const TabMove&, const TabMove&) = default;
};

// The one way the window's events reach the form. A front end builds its
// controls from the window's data, binds them here, and then only tells
// this object, by control, what happened in its toolkit's terms; every rule
// of what follows is here: which handler runs, through the one EventEdge,
// which key release counts, what the keys do, where the focus goes, what an
// error says and beside which control.
//
// An event that arrives before bind() (a page's fields can be typed into
// before its code has loaded) changes nothing here.
class FormPresenter {
public:
    static constexpr std::string_view kInternalError = "Errore interno";

    explicit FormPresenter(std::string decimal_separator);
    FormPresenter(const FormPresenter&) = delete;
    FormPresenter& operator=(const FormPresenter&) = delete;

    // The window's controls, made with their start values: from now on
    // events run the handlers. No pointer is null.
    void bind(const FormControls& controls);

    // Once, after the window exists and before it is first shown.
    void loaded();
    // Where the focus starts: the first stop of the Tab order.
    ControlId first_focus() const;

    // A text box's text changed, by the user or by the program's assignment.
    void text_changed(ControlId box);
    // Keys in a text box, in the toolkit's own codes: every release while
    // the box has the focus counts, but that of the key which brought the
    // focus in (KeyReleaseFilter).
    void key_pressed(ControlId box, KeyChord key);
    void key_released(ControlId box, KeyChord key);
    // The focus came into a text box, by a key or (nullopt) otherwise, or
    // left it.
    void focus_entered(ControlId box, std::optional<KeyChord> moved_by);
    void focus_left(ControlId box);
    // A click on a control; `clicks` is 2 for the second click of a double
    // click, 0 for one from the keyboard or assistive technology. An option
    // button is set here if its toolkit has not set it already.
    void clicked(ControlId control, int clicks);
    // An arrow of a spin control: +1 up, -1 down. Writes the paired field,
    // then recalculates; an error is reported beside that field.
    void spin_stepped(ControlId spin, int direction);
    // A key with a meaning beyond typing, pressed on the control with the
    // focus; true when the form took it (the toolkit must then do nothing
    // more with it).
    bool navigation_key(ControlId control, NavigationKey key, bool auto_repeat);
    // Tab (+1) or Shift+Tab (-1) from the control with the focus (none: from
    // outside the form). The window moves the focus, as the move came by a
    // key whose release it must tell the field.
    TabMove tab(std::optional<ControlId> from, int direction) const;

    // The computed quantity.
    Quantity mode() const;
    // The handlers themselves, for tests and benchmarks that call the
    // recalculation directly. Null before bind().
    Form_Principale* handlers() { return m_logic ? &*m_logic : nullptr; }

private:
    // The form's text boxes, each assignment made through the edge and
    // never of an equal text.
    class AssignedTextBox final : public TextBox {
    public:
        AssignedTextBox(TextBox& box, EventEdge& edge) : m_box(box), m_edge(edge) {}
        std::string text() const override { return m_box.text(); }
        void set_text(std::string_view text) override;

    private:
        TextBox& m_box;
        EventEdge& m_edge;
    };

    void report(const EventEdge::Report& report);
    enum class TakesFocus { No, Yes };
    void choose_option(Quantity mode, TakesFocus focus);
    void step(Quantity field, int direction);

    std::string m_separator;
    EventEdge m_edge;
    Window* m_window = nullptr;
    // A deque: the handlers hold their addresses, which adding keeps.
    std::deque<AssignedTextBox> m_boxes;
    FormControls m_controls{};
    std::optional<Form_Principale> m_logic;
    std::array<KeyReleaseFilter, kControlCount> m_key_filters;
    // Each spin control's last value, where a step starts when its field
    // does not read as a number.
    PerQuantity<int> m_spin_values{};
};

}  // namespace tubaro
