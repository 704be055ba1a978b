#pragma once

#include <string>

#include "form/form_principale.h"
#include "rules/quantity.h"

namespace tubaro {

// One step of a spin control, from start to end: where it lands (spin_step),
// the paired field written with it, then the control's notification, which
// recalculates. A hidden control does not step. Each control's last value
// is kept here: a step starts from it when the field reads as no number.
class SpinStepper {
public:
    SpinStepper(const FormControls& controls, Form_Principale& handlers, std::string decimal_separator);

    // +1 up, -1 down.
    void step(Quantity field, int direction);

private:
    const FormControls& m_controls;
    Form_Principale& m_handlers;
    std::string m_separator;
    PerQuantity<int> m_last_values{};
};

}  // namespace tubaro
