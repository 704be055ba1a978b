#include "form_presenter.h"

#include "long.h"
#include "spin_step.h"

namespace tubaro {

namespace {

bool is_option(ControlId id)
{
    return control_spec(id).kind == ControlKind::OptionButton;
}

PerQuantity<bool> spins_shown_at_start()
{
    PerQuantity<bool> shown{};
    for (Quantity quantity : kQuantities)
        shown[quantity] = !control_spec(kQuantityControls[quantity].spin).has(kHiddenAtStart);
    return shown;
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

FormPresenter::FormPresenter(std::string decimal_separator)
    : m_separator(std::move(decimal_separator)), m_edge([this](const EventEdge::Report& each) { report(each); })
{
}

void FormPresenter::bind(const FormControls& controls)
{
    m_window = controls.window;
    m_controls = controls;
    m_boxes.clear();
    const auto assigned = [this](TextBox* box) { return &m_boxes.emplace_back(*box, m_edge); };
    for (Quantity quantity : kQuantities)
        m_controls.fields[quantity] = assigned(controls.fields[quantity]);
    m_controls.Text_Pollici = assigned(controls.Text_Pollici);
    m_controls.Text1 = assigned(controls.Text1);

    m_logic.emplace(m_controls, m_separator);
    m_logic->set_recalculated_listener([this] { m_window->hide_error(); });
}

void FormPresenter::report(const EventEdge::Report& report)
{
    if (m_window)
        m_window->show_error(report.source, report.kind ? error_name(*report.kind) : kInternalError);
}

void FormPresenter::loaded()
{
    if (m_logic)
        m_edge.run(std::nullopt, [this] { m_logic->load(); });
}

ControlId FormPresenter::first_focus() const
{
    return m_logic ? m_logic->tab_stops().front() : tab_stops(start_mode(), spins_shown_at_start()).front();
}

void FormPresenter::text_changed(ControlId box)
{
    if (m_logic && box == kQuantityControls[Quantity::Diameter].field)
        m_edge.run(box, [this] { m_logic->diameter_change(); });
}

void FormPresenter::key_pressed(ControlId box, KeyChord key)
{
    m_key_filters[static_cast<std::size_t>(box)].pressed(key);
}

void FormPresenter::key_released(ControlId box, KeyChord key)
{
    if (!m_key_filters[static_cast<std::size_t>(box)].released(key) || !m_logic)
        return;
    const auto quantity = quantity_of(box);
    if (quantity && kQuantityControls[*quantity].field == box)
        m_edge.run(box, [this, field = *quantity] { m_logic->key_release(field); });
}

void FormPresenter::focus_entered(ControlId box, std::optional<KeyChord> moved_by)
{
    m_key_filters[static_cast<std::size_t>(box)].focus_entered(moved_by);
}

void FormPresenter::focus_left(ControlId box)
{
    m_key_filters[static_cast<std::size_t>(box)].focus_lost();
}

void FormPresenter::clicked(ControlId control, int clicks)
{
    if (!m_logic)
        return;
    if (is_option(control)) {
        choose_option(*quantity_of(control), TakesFocus::No);
    } else if (control == ControlId::Check1) {
        m_edge.run(control, [this] { m_logic->stay_on_top_click(); });
    } else if (control == ControlId::Text1 && clicks <= 1) {
        // A double click is one click, as on the platform's own text box.
        m_edge.run(control, [this] { m_logic->information_click(); });
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
        m_window->focus(kQuantityControls[mode].option);
    m_edge.run(kQuantityControls[mode].option, [this, mode] { m_logic->option_click(mode); });
}

void FormPresenter::spin_stepped(ControlId spin, int direction)
{
    if (m_logic)
        step(*quantity_of(spin), direction);
}

void FormPresenter::step(Quantity field, int direction)
{
    // A step's error is reported beside the field it wrote, not its arrows.
    m_edge.run(kQuantityControls[field].field, [this, field, direction] {
        if (!m_controls.spins[field]->visible())
            return;
        const auto next = spin_step(m_controls.fields[field]->text(), m_spin_values[field],
                                    kQuantityControls[field].spin_upper, direction, m_separator);
        if (!next)
            return;
        m_spin_values[field] = *next;
        m_controls.fields[field]->set_text(long_to_text(*next));
        m_logic->spin_notification(field);
    });
}

bool FormPresenter::navigation_key(ControlId control, NavigationKey key, bool auto_repeat)
{
    if (!m_logic)
        return false;
    const bool up_or_left = key == NavigationKey::Up || key == NavigationKey::Left;
    const bool down_or_right = key == NavigationKey::Down || key == NavigationKey::Right;
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
        if (key != NavigationKey::Up && key != NavigationKey::Down)
            return false;
        step(*quantity_of(control), key == NavigationKey::Up ? +1 : -1);
        return true;
    case ControlKind::TextBox:
        // The information line answers Space and Enter as a click, once a
        // press: a held key is not a stream of clicks.
        if (control != ControlId::Text1 || (key != NavigationKey::Space && key != NavigationKey::Enter))
            return false;
        if (!auto_repeat)
            m_edge.run(control, [this] { m_logic->information_click(); });
        return true;
    case ControlKind::Label:
    case ControlKind::CheckBox: return false;
    }
    return false;
}

TabMove FormPresenter::tab(std::optional<ControlId> from, int direction) const
{
    const ControlId to = m_logic ? m_logic->next_tab_stop(from, direction)
                                 : next_tab_stop(start_mode(), spins_shown_at_start(), from, direction);
    if (!from)
        return {to, false};
    // Stops follow the tab indexes, so going back past the start (or on past
    // the end) is wrapping around.
    const int at = control_spec(*from).tab_index;
    const int there = control_spec(to).tab_index;
    return {to, direction >= 0 ? there <= at : there >= at};
}

Quantity FormPresenter::mode() const
{
    return m_logic ? m_logic->mode() : start_mode();
}

}  // namespace tubaro
