#pragma once

#include "calc/currency.h"
#include "calc/long.h"

namespace tubaro {

// The four solvers of the flow relation of a low-pressure gas pipe run
//
//   Q = 0.0001 * D^2.623 * (Y / (K * L))^0.541,  Q = P * 860 / 8500 * 1000 / 3600
//
// with D the inner diameter [mm], P the power [kW], L the equivalent length
// [m], Y the total pressure loss [Pa], Q the gas flow [l/s] and K the gas
// coefficient (0.6076).
//
// Each solver has its own order of operations, its own points where a value
// is fixed to four decimals and its own form of the exponents, and those
// details decide the last digit of many results. So each is written out step
// by step; do not "simplify" one into another form of the relation.
//
// The first step that fails raises its CalcError; nothing is kept between
// calls.

Long Calcola_Diametro(Long P, Long Y, Long L);
Long Calcola_Potenza(Long D, Long Y, Long L);
Long Calcola_Perdita(Long D, Long P, Long L);
// The power keeps its fraction here (to four decimals).
Long Calcola_Lunghezza(Long D, Currency P, Long Y);

// Each solver's value just before its last step, the rounding to a whole
// number (halves to even). The same steps, and the same errors, as above.
double diameter_before_rounding(Long P, Long Y, Long L);
double power_before_rounding(Long D, Long Y, Long L);
double loss_before_rounding(Long D, Long P, Long L);
double length_before_rounding(Long D, Currency P, Long Y);

}  // namespace tubaro
