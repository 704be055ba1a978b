#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>

#include "form/controls.h"
#include "form/effect.h"
#include "form/event_edge.h"
#include "form/form_event.h"
#include "form/form_principale.h"
#include "form/key_release_filter.h"
#include "rules/sizing_link.h"
#include "form/sizing_record.h"
#include "form/spin_stepper.h"
#include "form/window_data.h"
#include "form/window_state.h"
#include "form/window_traits.h"

namespace tubaro {

// The form decides over one event. A front end hands it each of its
// toolkit's events with the window's state as the toolkit shows it, and
// applies the effects it answers, in order; it decides nothing itself.
//
// For the event at hand the form works on its own copy of the state, so the
// window's semantics hold within one answer: a text written to Text_D
// updates the inch size inside the same handler, and an error leaves what
// was written before it. Between events it keeps nothing of the window, only
// its rules' own memory: which key release belongs to the focus's arrival,
// each spin control's last value, where the focus was, an arrow held down,
// the note it shows, the sizing it last told a page.
//
// Every rule of what follows an event is here: which handler runs, through
// the one EventEdge; which key release counts; what a modified key means
// (nothing); what the keys do and where Tab goes, selecting a field's text
// as it arrives; how a click and a double click count; how the focus came;
// how an arrow held down repeats; what an error says, beside which control,
// and for how long; what Check1 shows where the window cannot stay on top;
// what a page says of its sizing.
class FormPresenter {
public:
    // How long a note stays when no good recalculation takes it away first.
    static constexpr std::chrono::milliseconds kNoteShownFor{4000};
    // An arrow held down steps at once, again after the first wait, then
    // at every repeat.
    static constexpr std::chrono::milliseconds kHeldArrowFirstWait{400};
    static constexpr std::chrono::milliseconds kHeldArrowRepeat{80};

    FormPresenter(const WindowTraits& traits, std::string decimal_separator);
    FormPresenter(const FormPresenter&) = delete;
    FormPresenter& operator=(const FormPresenter&) = delete;

    FormReply handle(const FormEvent& event, const WindowState& state);

private:
    // The handlers' view of the controls, over the state of the event at
    // hand: reads are the state's, changes go into it and into the answer.
    class StateTextBox final : public TextBox {
    public:
        StateTextBox(FormPresenter& form, ControlId id) : m_form(form), m_id(id) {}
        std::string text() const override { return m_form.m_state[m_id].text; }
        void set_text(std::string_view text) override;

    private:
        FormPresenter& m_form;
        ControlId m_id;
    };
    class StateOptionButton final : public OptionButton {
    public:
        StateOptionButton(FormPresenter& form, ControlId id) : m_form(form), m_id(id) {}
        bool is_set() const override { return m_form.m_state[m_id].value != 0; }
        void set_checked(bool on) override { m_form.set_value(m_id, on ? 1 : 0); }

    private:
        FormPresenter& m_form;
        ControlId m_id;
    };
    class StateCheckBox final : public CheckBox {
    public:
        explicit StateCheckBox(FormPresenter& form) : m_form(form) {}
        int value() const override { return m_form.m_state[ControlId::Check1].value; }
        void set_value(int value) override { m_form.set_value(ControlId::Check1, value); }
        bool enabled() const override { return m_form.m_state[ControlId::Check1].enabled; }

    private:
        FormPresenter& m_form;
    };
    class StateSpinControl final : public SpinControl {
    public:
        StateSpinControl(FormPresenter& form, ControlId id) : m_form(form), m_id(id) {}
        void set_visible(bool visible) override;
        bool visible() const override { return m_form.m_state[m_id].visible; }

    private:
        FormPresenter& m_form;
        ControlId m_id;
    };
    class StateWindow final : public Window {
    public:
        explicit StateWindow(FormPresenter& form) : m_form(form) {}
        void set_topmost(bool topmost) override { m_form.answer_with(KeepOnTop{topmost}); }

    private:
        FormPresenter& m_form;
    };
    struct StateControls {
        explicit StateControls(FormPresenter& form);
        PerQuantity<StateTextBox> fields;
        PerQuantity<StateOptionButton> options;
        PerQuantity<StateSpinControl> spins;
        StateTextBox pollici, text1;
        StateCheckBox check1;
        StateWindow window;
        FormControls view();
    };

    template <typename Each>
    void answer_with(Each effect) { m_reply.effects.emplace_back(std::move(effect)); }
    void set_value(ControlId id, int value);

    void loaded(const FormEvent& event);
    void shown();
    void activated(FocusCause cause);
    bool key_down(std::optional<ControlId> control, KeyChord key, bool repeat);
    void key_up(ControlId control, KeyChord key);
    void pointer_down(const FormEvent& event);
    void pointer_up(const FormEvent& event);
    void click(ControlId control, Part part, int clicks);
    void focus_in(ControlId control, FocusCause cause);
    void text_edited(ControlId control);
    void timer_fired(Timer timer);
    void open(const SizingLink& link);

    void follow_the_option_shown();
    void work_out_shown();
    void record_sizing();
    void report(const EventEdge::Report& report);
    void recalculated();
    void hide_note();
    bool navigation_key(ControlId control, Key key, bool repeat);
    enum class TakesFocus { No, Yes };
    void choose_option(Quantity mode, TakesFocus focus);
    void step(Quantity field, int direction);
    bool tab(std::optional<ControlId> from, int direction);
    void move_focus(ControlId to, FocusCause cause);
    KeyReleaseFilter& filter(ControlId control) { return m_key_filters[static_cast<std::size_t>(control)]; }
    Quantity mode() const { return m_logic.mode(); }

    WindowTraits m_traits;
    std::string m_separator;
    // The event at hand: the window as the form has it, and the answer.
    WindowState m_state;
    FormReply m_reply;
    EventEdge m_edge;
    StateControls m_view;
    FormControls m_controls;
    Form_Principale m_logic;
    SpinStepper m_stepper;
    std::array<KeyReleaseFilter, kControlCount> m_key_filters;
    // Where the focus last was in the window, to take it back there when
    // the window is active again.
    std::optional<ControlId> m_last_focus;
    // A pointer went down and no focus has come since: the next one came by
    // it, unless a key or another window came first.
    bool m_pointer_pressed = false;
    // The text box a pointer went down in, and the press's click count
    // (2: the second of a double click), until it comes up.
    struct Press {
        ControlId control;
        int clicks;
    };
    std::optional<Press> m_press;
    // The arrow held down: its field and direction.
    struct HeldArrow {
        Quantity field;
        int direction;
    };
    std::optional<HeldArrow> m_held;
    // The note shown, and the control it is beside.
    struct Note {
        std::optional<ControlId> beside;
    };
    std::optional<Note> m_note;
    // Recalculations that wrote their result.
    int m_results = 0;
    // The sizing last told a page, and whether it must be told again.
    std::optional<ShownSizing> m_recorded;
    bool m_record_again = false;
};

}  // namespace tubaro
