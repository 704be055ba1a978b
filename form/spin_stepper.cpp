#include "spin_stepper.h"

#include "long.h"
#include "spin_step.h"

namespace tubaro {

void SpinStepper::step(int direction, bool visible, TextBox& paired, const std::function<void()>& notify)
{
    if (!visible)
        return;
    const auto next = spin_step(paired.text(), m_last_value, m_upper, direction, m_separator);
    if (!next)
        return;
    m_last_value = *next;
    paired.set_text(long_to_text(*next));
    if (notify)
        notify();
}

}  // namespace tubaro
