#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "error_kind.h"
#include "quantity.h"
#include "windowless_form.h"

// One sizing case as the command line gives it: the mode and the four field
// texts, in the order D, P, Y, L.
struct SizingCase {
    tubaro::Quantity mode;
    std::array<std::string_view, 4> texts;
};

struct SizingOutcome {
    std::array<std::string, 4> texts;  // after the recalculation; unchanged after an error
    std::string designation;           // the designation for the final diameter text
    std::optional<tubaro::ErrorKind> error;
};

// Index of a quantity's text in SizingCase::texts.
constexpr std::size_t slot(tubaro::Quantity quantity)
{
    return static_cast<std::size_t>(quantity);
}

// "diametro", "potenza", "perdita", "lunghezza", or their letters D, P, Y, L.
std::optional<tubaro::Quantity> parse_mode(std::string_view word, bool letters_too);

// Runs the window's own recalculation on the texts: the form is set up as a
// user would leave it, with the mode's option set, and Ricalcola is run on it.
class Calculator {
public:
    explicit Calculator(std::string decimal_separator);
    SizingOutcome solve(const SizingCase& sizing_case);

    // The designation the indicator shows for a diameter text: empty when the
    // text is empty, is not a number, or lies above the last band.
    std::string designation_for(std::string_view diameter_text) const;

private:
    std::string m_separator;
    tubaro::WindowlessForm m_form;
};
