#include "windowless_form.h"

#include "long.h"
#include "spin_step.h"
#include "start_state.h"

namespace tubaro {

void TextBoxModel::set_text(std::string_view text)
{
    if (text == m_text)
        return;  // an equal text is no change, as on the real window
    m_text = text;
    if (on_change)
        on_change();
}

void SpinControlModel::step(int direction, std::string_view decimal_separator)
{
    if (!m_visible)
        return;
    const auto next = spin_step(m_paired.text(), m_last_value, m_upper, direction, decimal_separator);
    if (!next)
        return;
    m_last_value = *next;
    m_paired.set_text(long_to_text(*next));
    if (on_notification)
        on_notification();
}

WindowlessForm::WindowlessForm(std::string decimal_separator)
    : m_separator(std::move(decimal_separator)),
      m_updown_d(m_text_d, limits_of(Quantity::Diameter).spin_upper),
      m_updown_p(m_text_p, limits_of(Quantity::Power).spin_upper),
      m_updown_y(m_text_y, limits_of(Quantity::Loss).spin_upper),
      m_updown_l(m_text_l, limits_of(Quantity::Length).spin_upper),
      m_controls{m_text_d,          m_text_p,         m_text_y,         m_text_l,         m_text_pollici,
                 m_text1,           m_option_diametro, m_option_potenza, m_option_perdita, m_option_lunghezza,
                 m_updown_d,        m_updown_p,       m_updown_y,       m_updown_l,       m_check1,
                 m_window},
      m_logic(m_controls, m_separator),
      m_edge([this](ErrorKind kind) { m_errors.push_back(kind); })
{
    // Start values are stored, not computed: set them before any handler is
    // attached, so none runs.
    for (Quantity field : kQuantities) {
        box(field).set_text(start_state::text_of(field));
        spin(field).set_visible(field != start_state::kMode);
    }
    m_text_pollici.set_text(start_state::kTextPollici);
    m_text1.set_text(start_state::kText1);
    option(start_state::kMode).m_set = true;
    m_check1.m_value = start_state::kCheck1Checked ? CheckBox::Checked : CheckBox::Unchecked;

    // The wiring: each event runs its handler at an edge.
    m_text_d.on_change = [this] { m_edge.run([this] { m_logic.diameter_change(); }); };
    for (Quantity field : kQuantities) {
        box(field).on_key_release = [this, field] { m_edge.run([this, field] { m_logic.key_release(field); }); };
        spin(field).on_notification = [this, field] {
            m_edge.run([this, field] { m_logic.spin_notification(field); });
        };
    }
    m_text1.on_click = [this] { m_edge.run([this] { m_logic.information_click(); }); };
    m_logic.set_recalculated_listener([this] { ++m_recalculations; });

    m_edge.run([this] { m_logic.load(); });
}

TextBoxModel& WindowlessForm::box(Quantity field)
{
    return static_cast<TextBoxModel&>(m_controls.field(field));
}

const TextBoxModel& WindowlessForm::box(Quantity field) const
{
    return static_cast<const TextBoxModel&>(m_controls.field(field));
}

SpinControlModel& WindowlessForm::spin(Quantity field)
{
    return static_cast<SpinControlModel&>(m_controls.spin(field));
}

const SpinControlModel& WindowlessForm::spin(Quantity field) const
{
    return static_cast<const SpinControlModel&>(m_controls.spin(field));
}

OptionButtonModel& WindowlessForm::option(Quantity mode)
{
    switch (mode) {
    case Quantity::Diameter: return m_option_diametro;
    case Quantity::Power: return m_option_potenza;
    case Quantity::Loss: return m_option_perdita;
    case Quantity::Length: return m_option_lunghezza;
    }
    return m_option_diametro;
}

void WindowlessForm::press_key(Quantity field, int key)
{
    box(field).keys.pressed(key);
}

void WindowlessForm::release_key(Quantity field, int key)
{
    TextBoxModel& target = box(field);
    if (target.keys.released(key) && target.on_key_release)
        target.on_key_release();
}

void WindowlessForm::type(Quantity field, std::string_view text)
{
    for (char c : text) {
        const int key = static_cast<unsigned char>(c);
        press_key(field, key);
        box(field).set_text(box(field).text() + c);
        release_key(field, key);
    }
}

void WindowlessForm::backspace(Quantity field)
{
    constexpr int kBackspace = 8;
    press_key(field, kBackspace);
    std::string text = box(field).text();
    if (!text.empty()) {
        text.pop_back();
        box(field).set_text(text);
    }
    release_key(field, kBackspace);
}

void WindowlessForm::paste(Quantity field, std::string_view text)
{
    box(field).set_text(text);
}

void WindowlessForm::step(Quantity field, int direction)
{
    spin(field).step(direction, m_separator);
}

void WindowlessForm::click_option(Quantity mode)
{
    for (Quantity each : kQuantities)
        option(each).m_set = each == mode;
    m_edge.run([this, mode] { m_logic.option_click(mode); });
}

void WindowlessForm::click_check1()
{
    m_check1.m_value = m_check1.m_value == CheckBox::Unchecked ? CheckBox::Checked : CheckBox::Unchecked;
    m_edge.run([this] { m_logic.stay_on_top_click(); });
}

void WindowlessForm::click_text1()
{
    if (m_text1.on_click)
        m_text1.on_click();
}

std::optional<Quantity> WindowlessForm::mode() const
{
    const OptionButtonModel* options[] = {&m_option_diametro, &m_option_potenza, &m_option_perdita,
                                          &m_option_lunghezza};
    for (std::size_t i = 0; i < 4; ++i)
        if (options[i]->is_set())
            return kQuantities[i];
    return std::nullopt;
}

int WindowlessForm::options_set() const
{
    return int{m_option_diametro.is_set()} + int{m_option_potenza.is_set()} + int{m_option_perdita.is_set()} +
           int{m_option_lunghezza.is_set()};
}

std::optional<ErrorKind> WindowlessForm::last_error() const
{
    if (m_errors.empty())
        return std::nullopt;
    return m_errors.back();
}

}  // namespace tubaro
