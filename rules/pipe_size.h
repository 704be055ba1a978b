#pragma once

#include <optional>
#include <string_view>

namespace tubaro {

// The nominal pipe size, in inches, for an inner diameter in millimetres:
// 37 -> 1''1/2. Each band's upper bound belongs to it (13.2 -> 3/8",
// just above -> 1/2"); above 81.7 there is no designation (empty text).
// The inch sign is one double quote; sizes with a whole part and a fraction
// carry two apostrophes between them.
std::string_view nominal_pipe_size(double diameter_mm);

// What the indicator below the diameter does with a text of Text_D, for the
// window and the command line alike:
//   - the empty text: nullopt, and the indicator keeps the designation it
//     shows (no error);
//   - a number: its band's designation, as nominal_pipe_size gives it;
//   - anything else raises the reading's error (TypeMismatch, or Overflow
//     beyond the largest double), and the indicator keeps its text.
std::optional<std::string_view> designation_of_text(std::string_view diameter_text,
                                                    std::string_view decimal_separator);

}  // namespace tubaro
