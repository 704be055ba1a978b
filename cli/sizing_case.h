#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/outcome.h"
#include "rules/quantity.h"
#include "rules/recalculation.h"

// One sizing case as the command line gives it: the computed quantity and
// the four field texts (the mode's own is never read).
struct SizingCase {
    tubaro::Quantity mode;
    tubaro::FieldTexts texts;
};

// A case solved as the window solves it.
struct SizingResult {
    // The text written into the mode's field, or the error that stopped the
    // recalculation.
    tubaro::Outcome<std::string> written;
    // What the indicator shows after the recalculation, for a case that
    // starts with an empty indicator: the designation of the diameter's
    // final text, empty when that text is empty or names no number.
    std::string_view designation;

    // A field's text afterwards: the result in the mode's field, the given
    // text everywhere else and after an error.
    std::string_view text(const SizingCase& sizing_case, tubaro::Quantity field) const;
};

SizingResult solve(const SizingCase& sizing_case, std::string_view decimal_separator);

// "diametro", "potenza", "perdita", "lunghezza", or their letters D, P, Y, L.
std::optional<tubaro::Quantity> parse_mode(std::string_view word, bool letters_too);
