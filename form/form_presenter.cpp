#include "form_presenter.h"

#include <algorithm>
#include <utility>

#include "entry_check.h"
#include "keyboard.h"
#include "outcome.h"
#include "pipe_size.h"

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

}  // namespace

void FormPresenter::AssignedTextBox::set_text(std::string_view text)
{
    // Assigning the same text would move the cursor, drop the selection and
    // the undo history: a result written back as it was leaves the field as
    // the user has it (Ctrl+A, Ctrl+C).
    if (text == m_box.text())
        return;
    m_edge.through_toolkit([&] { m_box.set_text(text); });
}

FormPresenter::FormPresenter(ControlFactory& factory, std::string decimal_separator)
    : m_separator(std::move(decimal_separator)),
      m_edge([this](const EventEdge::Report& each) { report(each); }),
      m_window(factory.host()),
      m_traits(m_window.traits()),
      m_controls(with_assigned_text_boxes(build_window(factory))),
      m_logic(m_controls, m_separator),
      m_stepper(m_controls, m_logic, m_separator)
{
    m_logic.set_recalculated_listener([this] { recalculated(); });
    follow_the_option_shown();
}

FormControls FormPresenter::with_assigned_text_boxes(FormControls built)
{
    const auto assigned = [this](TextBox* box) { return &m_boxes.emplace_back(*box, m_edge); };
    for (Quantity quantity : kQuantities)
        built.fields[quantity] = assigned(built.fields[quantity]);
    built.Text_Pollici = assigned(built.Text_Pollici);
    built.Text1 = assigned(built.Text1);
    return built;
}

void FormPresenter::follow_the_option_shown()
{
    // An option a page's user chose before its code bound the form is
    // chosen now, as the click that set it would have done.
    const Quantity set = m_logic.mode();
    for (Quantity quantity : kQuantities) {
        if (m_controls.spins[quantity]->visible() != (quantity != set)) {
            m_edge.run(kQuantityControls[set].option, [this, set] { m_logic.option_click(set); });
            return;
        }
    }
}

void FormPresenter::report(const EventEdge::Report& report)
{
    m_window.show_error({report.source, report.kind, report.kind ? error_name(*report.kind) : kInternalError});
}

void FormPresenter::recalculated()
{
    ++m_results;
    // A good result takes the last note away.
    m_window.hide_error();
    if (m_listeners.recalculated)
        m_listeners.recalculated();
}

void FormPresenter::loaded(std::span<const ControlId> changed_before_binding, const std::optional<SizingLink>& address)
{
    EventScope event(*this);
    // What a page's user typed before its code came stands over its
    // address: worked out now, not at the next key.
    const bool typed = std::any_of(changed_before_binding.begin(), changed_before_binding.end(),
                                   [](ControlId id) { return quantity_of(id) && kQuantityControls[*quantity_of(id)].field == id; });
    if (typed)
        work_out_shown();
    switch (m_traits.stay_on_top) {
    case StayOnTop::Always: m_edge.run(std::nullopt, [this] { m_logic.load(); }); break;
    case StayOnTop::AtAClick:
        // Ticked before the code was bound: asked for now, as its click
        // would have; the browser may still refuse (topmost_ended).
        if (m_controls.Check1->value() != CheckBox::Unchecked)
            m_edge.run(ControlId::Check1, [this] { m_logic.stay_on_top_click(); });
        break;
    case StayOnTop::NotOnWayland:
    case StayOnTop::NotInBrowser: break;  // the box says why
    }
    if (!typed && address)
        open(*address);
}

void FormPresenter::shown()
{
    if (!m_window.focused())
        m_window.focus(m_logic.tab_stops().front(), FocusCause::Program);
}

void FormPresenter::text_changed(ControlId box)
{
    EventScope event(*this);
    if (box == kQuantityControls[Quantity::Diameter].field)
        m_edge.run(box, [this] { m_logic.diameter_change(); });
}

bool FormPresenter::key_pressed(ControlId control, KeyChord key, bool auto_repeat)
{
    EventScope event(*this);
    filter(control).pressed(key);
    if (key.key == Key::Tab) {
        // Tab and Shift+Tab; with Control, Alt or Meta it is the system's.
        if ((key.modifiers & ~static_cast<unsigned>(kShift)) != 0)
            return false;
        return tab(control, (key.modifiers & kShift) != 0 ? -1 : +1);
    }
    // A modified key means nothing here: Ctrl+Up and the like are the
    // toolkit's, or nobody's.
    if (key.modifiers != 0 || key.key == Key::Other)
        return false;
    return navigation_key(control, key.key, auto_repeat);
}

void FormPresenter::key_released(ControlId box, KeyChord key)
{
    EventScope event(*this);
    if (!filter(box).released(key))
        return;
    const auto quantity = quantity_of(box);
    if (quantity && kQuantityControls[*quantity].field == box)
        m_edge.run(box, [this, field = *quantity] { m_logic.key_release(field); });
}

void FormPresenter::focus_entered(ControlId control, FocusCause cause)
{
    filter(control).focus_entered(m_moving_focus_by ? m_moving_focus_by : arrival_key(cause));
}

void FormPresenter::focus_left(ControlId control)
{
    filter(control).focus_lost();
}

void FormPresenter::double_click_pressed(ControlId control)
{
    m_double_pressed = control;
}

void FormPresenter::clicked(ControlId control, int clicks)
{
    EventScope event(*this);
    if (std::exchange(m_double_pressed, std::nullopt) == control && clicks == 1)
        clicks = 2;
    if (control_spec(control).kind == ControlKind::OptionButton) {
        choose_option(*quantity_of(control), TakesFocus::No);
    } else if (control == ControlId::Check1) {
        m_edge.run(control, [this] { m_logic.stay_on_top_click(); });
    } else if (control == ControlId::Text1 && clicks <= 1) {
        // A double click is one click, as on the platform's own text box.
        m_edge.run(control, [this] { m_logic.information_click(); });
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
        m_window.focus(kQuantityControls[mode].option, FocusCause::Program);
    m_edge.run(kQuantityControls[mode].option, [this, mode] { m_logic.option_click(mode); });
}

void FormPresenter::spin_stepped(ControlId spin, int direction)
{
    EventScope event(*this);
    step(*quantity_of(spin), direction);
}

void FormPresenter::step(Quantity field, int direction)
{
    // A step's error is reported beside the field it wrote, not its arrows.
    m_edge.run(kQuantityControls[field].field, [this, field, direction] { m_stepper.step(field, direction); });
}

bool FormPresenter::navigation_key(ControlId control, Key key, bool auto_repeat)
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
        if (!auto_repeat)
            m_edge.run(control, [this] { m_logic.information_click(); });
        return true;
    case ControlKind::Label:
    case ControlKind::CheckBox: return false;
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
    const bool back = direction < 0;
    m_moving_focus_by = back ? kShiftTabKey : kTabKey;
    m_window.focus(to, back ? FocusCause::BackTab : FocusCause::Tab);
    m_moving_focus_by.reset();
    return true;
}

void FormPresenter::open(const SizingLink& link)
{
    EventScope event(*this);
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
    if (!m_listeners.sizing_recorded)
        return;
    ShownSizing shown;
    shown.mode = mode();
    for (Quantity quantity : kQuantities)
        shown.texts[quantity] = m_controls.fields[quantity]->text();
    shown.designation = m_controls.Text_Pollici->text();
    if (m_recorded == shown && !std::exchange(m_record_again, false))
        return;
    m_record_again = false;
    m_recorded = shown;
    m_listeners.sizing_recorded(record_of(shown, m_separator));
}

void FormPresenter::topmost_ended()
{
    m_controls.Check1->set_value(CheckBox::Unchecked);
}

}  // namespace tubaro
