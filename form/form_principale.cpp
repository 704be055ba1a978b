#include "form/form_principale.h"

#include "rules/entry_check.h"
#include "form/keyboard.h"
#include "rules/pipe_size.h"
#include "rules/recalculation.h"
#include "form/user_texts.h"

namespace tubaro {

Form_Principale::Form_Principale(const FormControls& controls, std::string decimal_separator)
    : m_controls(controls), m_separator(std::move(decimal_separator))
{
}

void Form_Principale::load()
{
    m_controls.window->set_topmost(true);
}

void Form_Principale::option_click(Quantity mode)
{
    // In the order D, P, Y, L; only the computed quantity cannot be stepped.
    for (Quantity quantity : kQuantities)
        m_controls.spins[quantity]->set_visible(quantity != mode);
}

void Form_Principale::key_release(Quantity field)
{
    if (starts_recalculation(field, m_controls.fields[field]->text(), m_separator))
        spin_notification();
}

void Form_Principale::spin_notification()
{
    Ricalcola();
}

void Form_Principale::diameter_change()
{
    if (const auto designation = designation_of_text(m_controls.fields[Quantity::Diameter]->text(), m_separator))
        m_controls.Text_Pollici->set_text(*designation);
}

void Form_Principale::stay_on_top_click()
{
    m_controls.window->set_topmost(m_controls.Check1->value() != CheckBox::Unchecked);
}

void Form_Principale::information_click()
{
    const bool showing_address = m_controls.Text1->text() == texts::kWebAddress;
    m_controls.Text1->set_text(showing_address ? texts::kVersionLine : texts::kWebAddress);
}

Quantity Form_Principale::mode() const
{
    for (Quantity quantity : kQuantities)
        if (m_controls.options[quantity]->is_set())
            return quantity;
    return start_mode();
}

std::vector<ControlId> Form_Principale::tab_stops() const
{
    return tubaro::tab_stops(mode(), spins_shown(), m_controls.Check1->enabled());
}

ControlId Form_Principale::next_tab_stop(std::optional<ControlId> from, int direction) const
{
    return tubaro::next_tab_stop(mode(), spins_shown(), from, direction, m_controls.Check1->enabled());
}

PerQuantity<bool> Form_Principale::spins_shown() const
{
    PerQuantity<bool> shown{};
    for (Quantity quantity : kQuantities)
        shown[quantity] = m_controls.spins[quantity]->visible();
    return shown;
}

void Form_Principale::Ricalcola()
{
    // The four options are tested in the order D, P, Y, L, each test made
    // even after a branch has run; exactly one is set.
    bool wrote = false;
    for (Quantity mode : kQuantities) {
        if (!m_controls.options[mode]->is_set())
            continue;
        // The output's text is never read.
        const auto read = [&](Quantity field) { return field == mode ? std::string() : m_controls.fields[field]->text(); };
        const PerQuantity<std::string> held{{read(Quantity::Diameter), read(Quantity::Power), read(Quantity::Loss),
                                             read(Quantity::Length)}};
        const FieldTexts texts{{held.items[0], held.items[1], held.items[2], held.items[3]}};
        // A computed diameter updates the designation inside this assignment,
        // before the recalculation goes on.
        m_controls.fields[mode]->set_text(recalculate(mode, texts, m_separator).value_or_raise());
        wrote = true;
    }
    if (wrote && m_recalculated)
        m_recalculated();
}

}  // namespace tubaro
