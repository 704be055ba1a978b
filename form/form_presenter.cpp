#include "form/form_presenter.h"

#include <algorithm>
#include <utility>

#include "rules/entry_check.h"
#include "form/keyboard.h"
#include "calc/outcome.h"
#include "rules/pipe_size.h"
#include "form/user_texts.h"

namespace tubaro {

namespace {

constexpr KeyChord kTabKey{Key::Tab, 0, 0};
constexpr KeyChord kShiftTabKey{Key::Tab, 0, kShift};
// Back from another program, most often by Alt+Tab.
constexpr KeyChord kAltTabKey{Key::Tab, 0, kAlt};

// The key whose release belongs to the focus's arrival, not to the field.
std::optional<KeyChord> arrival_key(FocusCause cause)
{
    switch (cause) {
    case FocusCause::Tab: return kTabKey;
    case FocusCause::BackTab: return kShiftTabKey;
    case FocusCause::Activation: return kAltTabKey;
    // Into a page from the browser's own bar, mostly by Tab.
    case FocusCause::Unknown: return kTabKey;
    case FocusCause::Pointer:
    case FocusCause::Program: break;
    }
    return std::nullopt;
}

int direction_of(Part part)
{
    return part == Part::DownArrow ? -1 : +1;
}

}  // namespace

void FormPresenter::StateTextBox::set_text(std::string_view text)
{
    // Assigning the same text would move the cursor, drop the selection and
    // the undo history: a result written back as it was leaves the field as
    // the user has it (Ctrl+A, Ctrl+C).
    std::string& shown = m_form.m_state[m_id].text;
    if (shown == text)
        return;
    shown = text;
    m_form.answer_with(SetText{m_id, shown});
    // The box's change handler, inside the assignment.
    if (m_id == kQuantityControls[Quantity::Diameter].field)
        m_form.m_logic.diameter_change();
}

void FormPresenter::StateSpinControl::set_visible(bool visible)
{
    bool& shown = m_form.m_state[m_id].visible;
    if (shown == visible)
        return;
    shown = visible;
    m_form.answer_with(SetVisible{m_id, visible});
}

FormPresenter::StateControls::StateControls(FormPresenter& form)
    : fields{{{{form, ControlId::Text_D}, {form, ControlId::Text_P}, {form, ControlId::Text_Y}, {form, ControlId::Text_L}}}},
      options{{{{form, ControlId::Option_Diametro},
                {form, ControlId::Option_Potenza},
                {form, ControlId::Option_Perdita},
                {form, ControlId::Option_Lunghezza}}}},
      spins{{{{form, ControlId::UpDown_D}, {form, ControlId::UpDown_P}, {form, ControlId::UpDown_Y}, {form, ControlId::UpDown_L}}}},
      pollici(form, ControlId::Text_Pollici), text1(form, ControlId::Text1), check1(form), window(form)
{
}

FormControls FormPresenter::StateControls::view()
{
    FormControls controls{};
    for (Quantity quantity : kQuantities) {
        controls.fields[quantity] = &fields[quantity];
        controls.options[quantity] = &options[quantity];
        controls.spins[quantity] = &spins[quantity];
    }
    controls.Text_Pollici = &pollici;
    controls.Text1 = &text1;
    controls.Check1 = &check1;
    controls.window = &window;
    return controls;
}

FormPresenter::FormPresenter(const WindowTraits& traits, std::string decimal_separator)
    : m_traits(traits), m_separator(std::move(decimal_separator)), m_state(start_state(traits)),
      m_edge([this](const EventEdge::Report& each) { report(each); }), m_view(*this), m_controls(m_view.view()),
      m_logic(m_controls, m_separator), m_stepper(m_controls, m_logic, m_separator)
{
    m_logic.set_recalculated_listener([this] { recalculated(); });
}

void FormPresenter::set_value(ControlId id, int value)
{
    int& shown = m_state[id].value;
    if (shown == value)
        return;
    shown = value;
    answer_with(SetValue{id, value});
}

FormReply FormPresenter::handle(const FormEvent& event, const WindowState& state)
{
    m_state = state;
    m_reply = {};
    // Where the focus is as the event comes: where a window that loses it
    // to another gives it back.
    if (state.focused)
        m_last_focus = state.focused;
    using Kind = FormEvent::Kind;
    switch (event.kind) {
    case Kind::Loaded: loaded(event); break;
    case Kind::Shown: shown(); break;
    case Kind::Activated: activated(event.cause); break;
    case Kind::Deactivated:
    case Kind::KeyOutside:
        // Another window took the keyboard, or a key went elsewhere: the
        // next focus is no pointer's.
        m_pointer_pressed = false;
        break;
    case Kind::KeyDown: m_reply.taken = key_down(event.control, event.key, event.repeat); break;
    case Kind::KeyUp:
        // A held key repeats its press; a toolkit that repeats its release
        // too has released it only once.
        if (event.control && !event.repeat)
            key_up(*event.control, event.key);
        break;
    case Kind::PointerDown: pointer_down(event); break;
    case Kind::PointerUp: pointer_up(event); break;
    case Kind::Click:
        if (event.control)
            click(*event.control, event.part, event.clicks);
        break;
    case Kind::SpinStepped:
        if (event.control && quantity_of(*event.control))
            step(*quantity_of(*event.control), direction_of(event.part));
        break;
    case Kind::FocusIn:
        if (event.control)
            focus_in(*event.control, event.cause);
        break;
    case Kind::FocusOut:
        if (event.control)
            filter(*event.control).focus_lost();
        break;
    case Kind::TextEdited:
        if (event.control)
            text_edited(*event.control);
        break;
    case Kind::TimerFired: timer_fired(event.timer); break;
    case Kind::TopmostEnded: set_value(ControlId::Check1, CheckBox::Unchecked); break;
    case Kind::AddressChanged:
        // A bare address is the start sizing (back to the page as it was
        // first opened, say).
        open(event.address.empty() ? start_sizing_link() : read_link_fragment(event.address, m_separator));
        break;
    }
    record_sizing();
    return std::move(m_reply);
}

void FormPresenter::loaded(const FormEvent& event)
{
    follow_the_option_shown();
    // What a page's user typed before its code came stands over its
    // address: worked out now, not at the next key.
    const bool typed =
        std::any_of(event.changed_before_binding.begin(), event.changed_before_binding.end(), [](ControlId id) {
            const auto quantity = quantity_of(id);
            return quantity && kQuantityControls[*quantity].field == id;
        });
    if (typed)
        work_out_shown();
    switch (m_traits.stay_on_top) {
    case StayOnTop::Always: m_edge.run(std::nullopt, [this] { m_logic.load(); }); break;
    case StayOnTop::AtAClick:
        // Ticked before the code was bound: asked for now, as its click
        // would have; the browser may still refuse (TopmostEnded).
        if (m_state[ControlId::Check1].value != CheckBox::Unchecked)
            m_edge.run(ControlId::Check1, [this] { m_logic.stay_on_top_click(); });
        break;
    case StayOnTop::NotOnWayland:
    case StayOnTop::NotInBrowser: break;  // the box says why
    }
    if (!typed && !event.address.empty())
        open(read_link_fragment(event.address, m_separator));
}

void FormPresenter::follow_the_option_shown()
{
    // An option a page's user chose before its code bound the form is
    // chosen now, as the click that set it would have done.
    const Quantity set = mode();
    for (Quantity quantity : kQuantities) {
        if (m_state[kQuantityControls[quantity].spin].visible != (quantity != set)) {
            m_edge.run(kQuantityControls[set].option, [this, set] { m_logic.option_click(set); });
            return;
        }
    }
}

void FormPresenter::shown()
{
    if (!m_state.focused)
        move_focus(m_logic.tab_stops().front(), FocusCause::Program);
}

void FormPresenter::activated(FocusCause cause)
{
    // The focus goes back where it was: a window that lost it to another
    // program takes it back, as a dialog does.
    if (m_last_focus && m_state.focused != m_last_focus)
        move_focus(*m_last_focus, cause);
}

void FormPresenter::report(const EventEdge::Report& report)
{
    hide_note();
    const std::string_view message = report.kind ? error_name(*report.kind) : texts::kInternalError;
    answer_with(ShowNote{report.source, report.kind, message});
    answer_with(StartTimer{Timer::ErrorNote, kNoteShownFor});
    m_note = Note{report.source};
}

void FormPresenter::hide_note()
{
    if (!m_note)
        return;
    answer_with(HideNote{m_note->beside});
    answer_with(StopTimer{Timer::ErrorNote});
    m_note.reset();
}

void FormPresenter::recalculated()
{
    ++m_results;
    // A good result takes the last note away.
    hide_note();
}

void FormPresenter::text_edited(ControlId box)
{
    if (box == kQuantityControls[Quantity::Diameter].field)
        m_edge.run(box, [this] { m_logic.diameter_change(); });
}

bool FormPresenter::key_down(std::optional<ControlId> control, KeyChord key, bool repeat)
{
    // A key: the focus that follows is no pointer's.
    m_pointer_pressed = false;
    if (control)
        filter(*control).pressed(key);
    if (key.key == Key::Tab) {
        // Tab and Shift+Tab; with Control, Alt or Meta it is the system's.
        if ((key.modifiers & ~static_cast<unsigned>(kShift)) != 0)
            return false;
        return tab(control, (key.modifiers & kShift) != 0 ? -1 : +1);
    }
    // A modified key means nothing here: Ctrl+Up and the like are the
    // toolkit's, or nobody's.
    if (!control || key.modifiers != 0 || key.key == Key::Other)
        return false;
    return navigation_key(*control, key.key, repeat);
}

void FormPresenter::key_up(ControlId box, KeyChord key)
{
    if (!filter(box).released(key))
        return;
    const auto quantity = quantity_of(box);
    if (quantity && kQuantityControls[*quantity].field == box)
        m_edge.run(box, [this, field = *quantity] { m_logic.key_release(field); });
}

void FormPresenter::pointer_down(const FormEvent& event)
{
    m_pointer_pressed = true;
    if (!event.control)
        return;
    const ControlSpec& row = control_spec(*event.control);
    if (row.kind == ControlKind::SpinControl && event.part != Part::Whole) {
        // An arrow steps as it goes down, and again while it is held; the
        // focus stays where it is.
        const Quantity field = *quantity_of(row.id);
        const int direction = direction_of(event.part);
        step(field, direction);
        m_held = HeldArrow{field, direction};
        answer_with(StartTimer{Timer::HeldArrow, kHeldArrowFirstWait});
        m_reply.taken = true;
        return;
    }
    if (row.kind == ControlKind::TextBox)
        m_press = Press{row.id, event.clicks};
}

void FormPresenter::pointer_up(const FormEvent& event)
{
    if (std::exchange(m_held, std::nullopt))
        answer_with(StopTimer{Timer::HeldArrow});
    // A click in a text box: down and up in the same box.
    const auto press = std::exchange(m_press, std::nullopt);
    if (press && event.control == press->control && event.inside)
        click(press->control, Part::Whole, press->clicks);
}

void FormPresenter::click(ControlId control, Part part, int clicks)
{
    const ControlSpec& row = control_spec(control);
    if (row.kind == ControlKind::SpinControl) {
        // A pointer's arrow has stepped as it went down; one from the
        // keyboard or assistive technology steps now.
        if (part != Part::Whole && clicks == 0)
            step(*quantity_of(control), direction_of(part));
    } else if (row.kind == ControlKind::OptionButton) {
        choose_option(*quantity_of(control), TakesFocus::No);
    } else if (control == ControlId::Check1) {
        m_edge.run(control, [this] { m_logic.stay_on_top_click(); });
    } else if (control == ControlId::Text1 && clicks <= 1) {
        // A double click is one click, as on the platform's own text box.
        m_edge.run(control, [this] { m_logic.information_click(); });
    }
}

void FormPresenter::focus_in(ControlId control, FocusCause cause)
{
    if (cause == FocusCause::Unknown && m_pointer_pressed)
        cause = FocusCause::Pointer;
    m_pointer_pressed = false;
    filter(control).focus_entered(arrival_key(cause));
    m_last_focus = control;
}

void FormPresenter::timer_fired(Timer timer)
{
    switch (timer) {
    case Timer::ErrorNote:
        if (m_note) {
            answer_with(HideNote{m_note->beside});
            m_note.reset();
        }
        break;
    case Timer::HeldArrow:
        if (m_held) {
            step(m_held->field, m_held->direction);
            answer_with(StartTimer{Timer::HeldArrow, kHeldArrowRepeat});
        }
        break;
    }
}

void FormPresenter::choose_option(Quantity mode, TakesFocus focus)
{
    // One group: the new one set, then the others cleared; focused when a
    // key chose it (a click focuses by itself); then its click handler.
    m_controls.options[mode]->set_checked(true);
    for (Quantity each : kQuantities)
        if (each != mode)
            m_controls.options[each]->set_checked(false);
    if (focus == TakesFocus::Yes)
        move_focus(kQuantityControls[mode].option, FocusCause::Program);
    m_edge.run(kQuantityControls[mode].option, [this, mode] { m_logic.option_click(mode); });
}

void FormPresenter::step(Quantity field, int direction)
{
    // A step's error is reported beside the field it wrote, not its arrows.
    m_edge.run(kQuantityControls[field].field, [this, field, direction] { m_stepper.step(field, direction); });
}

bool FormPresenter::navigation_key(ControlId control, Key key, bool repeat)
{
    const bool up_or_left = key == Key::Up || key == Key::Left;
    const bool down_or_right = key == Key::Down || key == Key::Right;
    switch (control_spec(control).kind) {
    case ControlKind::OptionButton: {
        // The group moves by the form's order and wraps around, where a
        // toolkit's own arrows would move by place and stop at the ends.
        if (!up_or_left && !down_or_right)
            return false;
        choose_option(option_after(mode(), up_or_left ? -1 : +1), TakesFocus::Yes);
        return true;
    }
    case ControlKind::SpinControl:
        // Each press a step, a held key's repeats included, as a held arrow.
        if (key != Key::Up && key != Key::Down)
            return false;
        step(*quantity_of(control), key == Key::Up ? +1 : -1);
        return true;
    case ControlKind::TextBox:
        // The information line answers Space and Enter as a click, once a
        // press: a held key is not a stream of clicks.
        if (control != ControlId::Text1 || (key != Key::Space && key != Key::Enter))
            return false;
        if (!repeat)
            m_edge.run(control, [this] { m_logic.information_click(); });
        return true;
    case ControlKind::CheckBox:
        // Its arrows do nothing, in every window: one toolkit's own would
        // move the focus as Tab does, the others' nothing at all.
        return up_or_left || down_or_right;
    case ControlKind::Label: return false;
    }
    return false;
}

bool FormPresenter::tab(std::optional<ControlId> from, int direction)
{
    const ControlId to = m_logic.next_tab_stop(from, direction);
    if (from && !m_traits.tab_wraps) {
        // Stops follow the tab indexes, so going back past the start (or on
        // past the end) is wrapping around.
        const int at = control_spec(*from).tab_index;
        const int there = control_spec(to).tab_index;
        if (direction >= 0 ? there <= at : there >= at)
            return false;
    }
    move_focus(to, direction < 0 ? FocusCause::BackTab : FocusCause::Tab);
    // Typing replaces, as in a dialog.
    if (control_spec(to).kind == ControlKind::TextBox)
        answer_with(SelectAll{to});
    return true;
}

void FormPresenter::move_focus(ControlId to, FocusCause cause)
{
    if (m_state.focused)
        filter(*m_state.focused).focus_lost();
    m_state.focused = to;
    m_last_focus = to;
    filter(to).focus_entered(arrival_key(cause));
    answer_with(Focus{to, cause});
}

void FormPresenter::open(const SizingLink& link)
{
    m_record_again = true;
    const bool names_something =
        link.mode || std::any_of(link.texts.items.begin(), link.texts.items.end(), [](const auto& text) { return text; });
    if (!names_something)
        return;
    if (link.mode && *link.mode != mode())
        choose_option(*link.mode, TakesFocus::No);
    const Quantity computed = mode();
    for (Quantity quantity : kQuantities)
        if (quantity != computed && link.texts[quantity])
            m_edge.run(kQuantityControls[quantity].field,
                       [this, quantity, &link] { m_controls.fields[quantity]->set_text(*link.texts[quantity]); });
    work_out_shown();
}

void FormPresenter::work_out_shown()
{
    const Quantity computed = mode();
    // The designation follows the diameter shown.
    m_edge.run(kQuantityControls[Quantity::Diameter].field, [this] { m_logic.diameter_change(); });

    // Each input's own key-release check, which reports what it reads as no
    // number as typing it would.
    bool computes = true;
    for (Quantity quantity : kQuantities) {
        if (quantity == computed || !computes)
            continue;
        computes = false;
        m_edge.run(kQuantityControls[quantity].field, [this, quantity, &computes] {
            computes = starts_recalculation(quantity, m_controls.fields[quantity]->text(), m_separator);
        });
    }
    const int results = m_results;
    if (computes)
        m_edge.run(kQuantityControls[computed].field, [this] { m_logic.Ricalcola(); });
    if (m_results != results)
        return;
    // No result stands that these inputs did not give.
    m_edge.run(std::nullopt, [this, computed] {
        m_controls.fields[computed]->set_text("");
        const auto designation =
            capture([this] { return designation_of_text(m_controls.fields[Quantity::Diameter]->text(), m_separator); });
        if (!designation.ok() || !designation.value())
            m_controls.Text_Pollici->set_text("");
    });
}

void FormPresenter::record_sizing()
{
    if (!m_traits.keeps_sizing)
        return;
    ShownSizing shown;
    shown.mode = mode();
    for (Quantity quantity : kQuantities)
        shown.texts[quantity] = m_state[kQuantityControls[quantity].field].text;
    shown.designation = m_state[ControlId::Text_Pollici].text;
    const bool again = std::exchange(m_record_again, false);
    if (m_recorded == shown && !again)
        return;
    m_recorded = shown;
    answer_with(SizingChanged{record_of(shown, m_separator)});
}

}  // namespace tubaro
