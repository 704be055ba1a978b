#pragma once

#include "rules/quantity.h"

// The quantities by the letters the window's labels and the tables use, so
// test rows stay short.
namespace tubaro::letters {
inline constexpr auto D = Quantity::Diameter;
inline constexpr auto P = Quantity::Power;
inline constexpr auto Y = Quantity::Loss;
inline constexpr auto L = Quantity::Length;
}  // namespace tubaro::letters
