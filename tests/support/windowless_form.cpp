#include "windowless_form.h"

#include "window_data.h"

namespace tubaro {

namespace {

std::string_view start_text(ControlId id)
{
    return control_spec(id).text;
}

std::string_view start_text(Quantity field)
{
    return start_text(kQuantityControls[field].field);
}

template <typename Interface, typename Model>
PerQuantity<Interface*> addresses(PerQuantity<Model>& models)
{
    PerQuantity<Interface*> result{};
    for (Quantity quantity : kQuantities)
        result[quantity] = &models[quantity];
    return result;
}

}  // namespace

SpinControlModel WindowlessForm::spin_model(Quantity field)
{
    const QuantityControls& row = kQuantityControls[field];
    return {m_fields[field], row.spin_upper, m_separator, !control_spec(row.spin).has(kHiddenAtStart)};
}

void TextBoxModel::set_text(std::string_view text)
{
    if (text != m_text)
        m_edge.through_toolkit([&] { user_edit(text); });
}

void TextBoxModel::user_edit(std::string_view text)
{
    if (text == m_text)
        return;
    m_text = text;
    if (on_change)
        on_change();
}

WindowlessForm::WindowlessForm(std::string decimal_separator)
    : m_separator(std::move(decimal_separator)),
      m_edge([this](const EventEdge::Report& report) {
          if (report.kind)
              m_errors.push_back(*report.kind);
          else
              ++m_other_failures;
      }),
      // Start values are stored, not computed: they are in place before any
      // handler is attached, so none runs.
      m_fields{{{{m_edge, start_text(Quantity::Diameter)},
                 {m_edge, start_text(Quantity::Power)},
                 {m_edge, start_text(Quantity::Loss)},
                 {m_edge, start_text(Quantity::Length)}}}},
      m_text_pollici(m_edge, start_text(ControlId::Text_Pollici)),
      m_text1(m_edge, start_text(ControlId::Text1)),
      m_spins{{{spin_model(Quantity::Diameter), spin_model(Quantity::Power), spin_model(Quantity::Loss),
                spin_model(Quantity::Length)}}},
      m_logic(FormControls{addresses<TextBox>(m_fields), addresses<OptionButton>(m_options),
                           addresses<SpinControl>(m_spins), &m_text_pollici, &m_text1, &m_check1, &m_window},
          m_separator)
{
    for (Quantity quantity : kQuantities)
        m_options[quantity].m_set = control_spec(kQuantityControls[quantity].option).has(kSetAtStart);
    m_check1.m_value = control_spec(ControlId::Check1).has(kSetAtStart) ? CheckBox::Checked : CheckBox::Unchecked;

    // The wiring: each event runs its handler through the edge.
    m_fields[Quantity::Diameter].on_change = [this] {
        m_edge.run(ControlId::Text_D, [this] { m_logic.diameter_change(); });
    };
    for (Quantity field : kQuantities) {
        m_fields[field].on_key_release = [this, field] {
            m_edge.run(kQuantityControls[field].field, [this, field] { m_logic.key_release(field); });
        };
        m_spins[field].on_notification = [this, field] { m_logic.spin_notification(field); };
    }
    m_logic.set_recalculated_listener([this] { ++m_recalculations; });

    m_edge.run(std::nullopt, [this] { m_logic.load(); });
}

void WindowlessForm::press_key(Quantity field, KeyChord key)
{
    m_fields[field].keys.pressed(key);
}

void WindowlessForm::release_key(Quantity field, KeyChord key)
{
    TextBoxModel& target = m_fields[field];
    if (target.keys.released(key) && target.on_key_release)
        target.on_key_release();
}

void WindowlessForm::focus(Quantity field, std::optional<KeyChord> moved_by)
{
    for (Quantity each : kQuantities)
        m_fields[each].keys.focus_lost();
    m_fields[field].keys.focus_entered(moved_by);
}

void WindowlessForm::type(Quantity field, std::string_view text)
{
    for (char c : text) {
        const KeyChord key{static_cast<unsigned char>(c), 0};
        press_key(field, key);
        m_fields[field].user_edit(m_fields[field].text() + c);
        release_key(field, key);
    }
}

void WindowlessForm::backspace(Quantity field)
{
    constexpr KeyChord kBackspace{0x08, 0};
    press_key(field, kBackspace);
    std::string text = m_fields[field].text();
    if (!text.empty()) {
        text.pop_back();
        m_fields[field].user_edit(text);
    }
    release_key(field, kBackspace);
}

void WindowlessForm::paste(Quantity field, std::string_view text)
{
    m_fields[field].user_edit(text);
}

void WindowlessForm::step(Quantity field, int direction)
{
    m_edge.run(kQuantityControls[field].field, [this, field, direction] { m_spins[field].step(direction); });
}

void WindowlessForm::click_option(Quantity mode)
{
    for (Quantity each : kQuantities)
        m_options[each].m_set = each == mode;
    m_edge.run(kQuantityControls[mode].option, [this, mode] { m_logic.option_click(mode); });
}

void WindowlessForm::click_check1()
{
    m_check1.m_value = m_check1.m_value == CheckBox::Unchecked ? CheckBox::Checked : CheckBox::Unchecked;
    m_edge.run(ControlId::Check1, [this] { m_logic.stay_on_top_click(); });
}

void WindowlessForm::click_text1()
{
    m_edge.run(ControlId::Text1, [this] { m_logic.information_click(); });
}

std::optional<Quantity> WindowlessForm::mode() const
{
    for (Quantity quantity : kQuantities)
        if (m_options[quantity].is_set())
            return quantity;
    return std::nullopt;
}

int WindowlessForm::options_set() const
{
    int set = 0;
    for (Quantity quantity : kQuantities)
        set += m_options[quantity].is_set();
    return set;
}

std::optional<ErrorKind> WindowlessForm::last_error() const
{
    if (m_errors.empty())
        return std::nullopt;
    return m_errors.back();
}

}  // namespace tubaro
