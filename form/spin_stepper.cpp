#include "form/spin_stepper.h"

#include "calc/long.h"
#include "rules/spin_step.h"
#include "form/window_data.h"

namespace tubaro {

SpinStepper::SpinStepper(const FormControls& controls, Form_Principale& handlers, std::string decimal_separator)
    : m_controls(controls), m_handlers(handlers), m_separator(std::move(decimal_separator))
{
}

void SpinStepper::step(Quantity field, int direction)
{
    if (!m_controls.spins[field]->visible())
        return;
    const auto next = spin_step(m_controls.fields[field]->text(), m_last_values[field],
                                kQuantityControls[field].spin_upper, direction, m_separator);
    if (!next)
        return;
    m_last_values[field] = *next;
    m_controls.fields[field]->set_text(long_to_text(*next));
    m_handlers.spin_notification();
}

}  // namespace tubaro
