#pragma once

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "controls.h"
#include "event_edge.h"
#include "form_principale.h"
#include "key_release_filter.h"
#include "keys.h"
#include "sizing_link.h"
#include "sizing_record.h"
#include "spin_stepper.h"
#include "window_build.h"
#include "window_data.h"

namespace tubaro {

// What a front end may follow beyond its controls.
struct FormListeners {
    // After every recalculation that wrote its result.
    std::function<void()> recalculated;
    // After every event that changed the sizing the window shows (the
    // first event included), and after every link opened: what a page says
    // of it in its address, its title and its printed sheet.
    std::function<void(const SizingRecord&)> sizing_recorded;
};

// The one way the window's events reach the form. It builds the window
// through the toolkit's factory (build_window) and exists whole from then
// on; a front end then only tells it, by control, what happened in its
// toolkit, as facts: this key with these modifiers, the focus came this way,
// a click was the second of a double click. Every rule of what follows is
// here: which handler runs, through the one EventEdge; which key release
// counts; what a modified key means (nothing); what the keys do and where
// Tab goes; how a double click counts; what Check1 shows where the window
// cannot stay on top; what an error says and beside which control.
class FormPresenter {
public:
    static constexpr std::string_view kInternalError = "Errore interno";

    // Builds the window. On a page, whose elements a user can change before
    // its code binds them, the form then follows what the page shows: the
    // option set there counts, and the spin controls follow it; texts
    // changed there are worked out at load.
    FormPresenter(ControlFactory& factory, std::string decimal_separator);
    FormPresenter(const FormPresenter&) = delete;
    FormPresenter& operator=(const FormPresenter&) = delete;

    // Once, after the window exists and before it is first shown: the load
    // handler, where the window can stay on top from the start. On a page,
    // the value fields its user changed before the binding (not those the
    // page itself emptied meanwhile) are worked out as a link's texts are;
    // otherwise the sizing of its address, if it holds one, is opened.
    void loaded(std::span<const ControlId> changed_before_binding = {},
                const std::optional<SizingLink>& address = std::nullopt);
    // The window is on screen: the focus goes to the first stop of the Tab
    // order, unless one of the controls has it already.
    void shown();

    // A text box's text changed, by the user or by the program's assignment.
    void text_changed(ControlId box);
    // A key pressed on the control with the focus, auto-repeated or not;
    // true when the form took it (the toolkit must then do nothing more
    // with it).
    bool key_pressed(ControlId control, KeyChord key, bool auto_repeat);
    // A key released in a text box: every release counts, but that of the
    // key which brought the focus in (KeyReleaseFilter).
    void key_released(ControlId box, KeyChord key);
    void focus_entered(ControlId control, FocusCause cause);
    void focus_left(ControlId control);
    // A click on a control: `clicks` is 1 for a pointer's click, 2 for the
    // second click of a double click, 0 for one from the keyboard or
    // assistive technology. A toolkit that tells a double click by its
    // second press says so first (double_click_pressed); the click that
    // follows is then the second. An option button is set here if its
    // toolkit has not set it already.
    void double_click_pressed(ControlId control);
    void clicked(ControlId control, int clicks);
    // An arrow of a spin control: +1 up, -1 down.
    void spin_stepped(ControlId spin, int direction);
    // Tab (+1) or Shift+Tab (-1) from a control, or from none: the focus
    // moves by the form's one order; false where it leaves the form instead
    // (a page at either end).
    bool tab(std::optional<ControlId> from, int direction);
    // The window stopped being on top by itself (a page's floating window
    // closed, or was refused).
    void topmost_ended();

    // A sizing a page's address holds (sizing_link.h), opened after load
    // (one that names nothing changes nothing on screen): its option chosen
    // as by a click, its texts put into the fields as a user types them,
    // the designation following the diameter shown, then the result worked
    // out as a key release would, where every input lies inside its typed
    // range; otherwise, or where the recalculation fails, the computed field
    // (and the designation of a diameter that gives none) shows no number.
    // Either way the sizing shown is recorded anew, since the address no
    // longer says it.
    void open(const SizingLink& link);

    void listen(FormListeners listeners) { m_listeners = std::move(listeners); }

    // The computed quantity.
    Quantity mode() const { return m_logic.mode(); }
    // The handlers themselves, for tests and benchmarks that call the
    // recalculation directly.
    Form_Principale& handlers() { return m_logic; }

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

    // Every event that can change what the window shows is one scope; when
    // the outermost ends, the sizing shown is recorded if it changed.
    class EventScope {
    public:
        explicit EventScope(FormPresenter& form) : m_form(form) { ++m_form.m_event_depth; }
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;
        ~EventScope()
        {
            if (--m_form.m_event_depth == 0)
                m_form.record_sizing();
        }

    private:
        FormPresenter& m_form;
    };

    FormControls with_assigned_text_boxes(FormControls built);
    void follow_the_option_shown();
    void work_out_shown();
    void record_sizing();
    void report(const EventEdge::Report& report);
    void recalculated();
    bool navigation_key(ControlId control, Key key, bool auto_repeat);
    enum class TakesFocus { No, Yes };
    void choose_option(Quantity mode, TakesFocus focus);
    void step(Quantity field, int direction);
    KeyReleaseFilter& filter(ControlId control) { return m_key_filters[static_cast<std::size_t>(control)]; }

    std::string m_separator;
    EventEdge m_edge;
    Window& m_window;
    WindowTraits m_traits;
    // A deque: the handlers hold their addresses, which adding keeps.
    std::deque<AssignedTextBox> m_boxes;
    FormControls m_controls;
    Form_Principale m_logic;
    SpinStepper m_stepper;
    std::array<KeyReleaseFilter, kControlCount> m_key_filters;
    // The key by which the form itself is moving the focus right now, for
    // the control the focus reaches.
    std::optional<KeyChord> m_moving_focus_by;
    // The control whose next click is the second of a double click.
    std::optional<ControlId> m_double_pressed;
    FormListeners m_listeners;
    // Recalculations that wrote their result.
    int m_results = 0;
    int m_event_depth = 0;
    // The sizing last recorded, and whether it must be recorded again.
    std::optional<ShownSizing> m_recorded;
    bool m_record_again = false;
};

}  // namespace tubaro
