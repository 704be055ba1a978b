#pragma once

#include <string_view>

#include "quantity.h"

namespace tubaro {

// The window's stored start values. They are shown as they are: nothing is
// computed at start. The four values are consistent with each other, so a
// first recalculation in any mode writes its field's own text back. The
// designation's start text has a double quote where the indicator itself
// would write two apostrophes.
namespace start_state {
inline constexpr std::string_view kTextD = "37";
inline constexpr std::string_view kTextP = "116";
inline constexpr std::string_view kTextY = "100";
inline constexpr std::string_view kTextL = "30";
inline constexpr std::string_view kTextPollici = "1\"1/2";
inline constexpr std::string_view kText1 = "cliccare qui per informazioni";
inline constexpr Quantity kMode = Quantity::Diameter;
inline constexpr bool kCheck1Checked = true;

constexpr std::string_view text_of(Quantity field)
{
    switch (field) {
    case Quantity::Diameter: return kTextD;
    case Quantity::Power: return kTextP;
    case Quantity::Loss: return kTextY;
    case Quantity::Length: return kTextL;
    }
    return {};
}
}  // namespace start_state

}  // namespace tubaro
