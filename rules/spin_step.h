#pragma once

#include <optional>
#include <string_view>

namespace tubaro {

// Where one step of a spin control lands. The control's range is
// [0, upper], its step 1, and it does not wrap around.
//
// A step starts from the paired field's text when that reads as a number
// (rounded halves to even and clamped into the range), otherwise from the
// control's last value. At an end of the range the step cannot move:
// nullopt, and the field is left as it is.
std::optional<int> spin_step(std::string_view paired_text, int last_value, int upper, int direction,
                             std::string_view decimal_separator);

}  // namespace tubaro
