#pragma once

#include <string>
#include <string_view>

#include "calc/outcome.h"
#include "rules/quantity.h"

namespace tubaro {

// The texts of the four value fields, indexed by quantity.
using FieldTexts = PerQuantity<std::string_view>;

// What Ricalcola writes into the field of the computed quantity `mode`: the
// decimal text of the result, or the kind of the first step that failed.
//
// Only the three inputs are read; the mode's own text never is. They are
// converted in the mode's own order, which decides the error a user sees when
// several fields are bad, and handed to the mode's procedure:
//
//   Diameter  L, Y, P  ->  Calcola_Diametro(P, Y, L)
//   Power     L, Y, D  ->  Calcola_Potenza(D, Y, L)
//   Loss      L, P, D  ->  Calcola_Perdita(D, P, L)
//   Length    Y, P, D  ->  Calcola_Lunghezza(D, P, Y)
//
// Every input is rounded to a whole number, halves to even ("116,5" -> 116),
// except the power in length mode, which keeps its fraction to four decimals.
Outcome<std::string> recalculate(Quantity mode, const FieldTexts& texts, std::string_view decimal_separator);

}  // namespace tubaro
