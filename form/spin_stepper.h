#pragma once

#include <functional>
#include <string>

#include "controls.h"

namespace tubaro {

// One spin control's stepping, the same in every implementation of the
// control: a click on an arrow (or an arrow key) runs step().
class SpinStepper {
public:
    SpinStepper(int upper, std::string decimal_separator)
        : m_upper(upper), m_separator(std::move(decimal_separator))
    {
    }

    // +1 up, -1 down. A hidden control does nothing, nor does one at an end
    // of its range. Otherwise the new value goes into the paired field as
    // plain digits (raising the field's change event), and then `notify`
    // runs: its handler finds the stepped value already in the field.
    void step(int direction, bool visible, TextBox& paired, const std::function<void()>& notify);

private:
    int m_upper;
    int m_last_value = 0;
    std::string m_separator;
};

}  // namespace tubaro
