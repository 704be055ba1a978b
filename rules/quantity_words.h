#pragma once

#include <optional>
#include <string_view>

#include "rules/quantity.h"

namespace tubaro {

// How the quantities are named outside the window: by the command line
// (its modes and options), in the page's address and in a sizing's summary.
struct QuantityWords {
    std::string_view word;    // diametro
    std::string_view letter;  // D
    std::string_view unit;    // mm
};

inline constexpr PerQuantity<QuantityWords> kQuantityWords{{{
    {"diametro", "D", "mm"},
    {"potenza", "P", "kW"},
    {"perdita", "Y", "Pa"},
    {"lunghezza", "L", "m"},
}}};

// The quantity of a word ("potenza"), or of its letter ("P") too.
constexpr std::optional<Quantity> quantity_named(std::string_view name, bool letters_too)
{
    for (Quantity quantity : kQuantities)
        if (name == kQuantityWords[quantity].word || (letters_too && name == kQuantityWords[quantity].letter))
            return quantity;
    return std::nullopt;
}

}  // namespace tubaro
