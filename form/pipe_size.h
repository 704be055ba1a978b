#pragma once

#include <string_view>

namespace tubaro {

// The nominal pipe size, in inches, for an inner diameter in millimetres:
// 37 -> 1''1/2. Each band's upper bound belongs to it (13.2 -> 3/8",
// just above -> 1/2"); above 81.7 there is no designation (empty text).
// The inch sign is one double quote; sizes with a whole part and a fraction
// carry two apostrophes between them.
std::string_view nominal_pipe_size(double diameter_mm);

}  // namespace tubaro
