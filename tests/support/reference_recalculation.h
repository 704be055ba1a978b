#pragma once

// What a recalculation must write, worked out straight from the procedures:
// the mode's inputs converted in the mode's order, the procedure called, the
// result written as text. nullopt when a step fails. Tests, fuzzers and the
// random-use oracle hold the form's Ricalcola against it.

#include <array>
#include <optional>
#include <string>

#include "error_kind.h"
#include "module_calcoli.h"
#include "number_text.h"
#include "quantity.h"

namespace reference {

// texts in the order D, P, Y, L.
inline std::optional<std::string> recalculation(tubaro::Quantity mode, const std::array<std::string, 4>& texts,
                                                const std::string& separator)
{
    using Q = tubaro::Quantity;
    const auto text = [&](Q q) { return texts[static_cast<std::size_t>(q)]; };
    const auto as_long = [&](Q q) { return tubaro::text_to_long(text(q), separator); };
    try {
        switch (mode) {
        case Q::Diameter: {
            const auto L = as_long(Q::Length), Y = as_long(Q::Loss), P = as_long(Q::Power);
            return tubaro::long_to_text(tubaro::Calcola_Diametro(P, Y, L));
        }
        case Q::Power: {
            const auto L = as_long(Q::Length), Y = as_long(Q::Loss), D = as_long(Q::Diameter);
            return tubaro::long_to_text(tubaro::Calcola_Potenza(D, Y, L));
        }
        case Q::Loss: {
            const auto L = as_long(Q::Length), P = as_long(Q::Power), D = as_long(Q::Diameter);
            return tubaro::long_to_text(tubaro::Calcola_Perdita(D, P, L));
        }
        case Q::Length: {
            const auto Y = as_long(Q::Loss);
            const auto P = tubaro::text_to_currency(text(Q::Power), separator);
            const auto D = as_long(Q::Diameter);
            return tubaro::long_to_text(tubaro::Calcola_Lunghezza(D, P, Y));
        }
        }
    } catch (const tubaro::CalcError&) {
    }
    return std::nullopt;
}

}  // namespace reference
