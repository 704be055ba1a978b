#pragma once

#include "quantity.h"

// The quantities by the letters the window's labels and the tables use, so
// test rows stay short.
namespace tubaro::letters {
inline constexpr auto D = Quantity::Diametro;
inline constexpr auto P = Quantity::Potenza;
inline constexpr auto Y = Quantity::Perdita;
inline constexpr auto L = Quantity::Lunghezza;
}  // namespace tubaro::letters
