#include "cli/sizing_case.h"

#include "rules/pipe_size.h"
#include "rules/quantity_words.h"

using tubaro::Quantity;

std::string_view SizingResult::text(const SizingCase& sizing_case, Quantity field) const
{
    if (field == sizing_case.mode && written.ok())
        return written.value();
    return sizing_case.texts[field];
}

SizingResult solve(const SizingCase& sizing_case, std::string_view decimal_separator)
{
    SizingResult result{tubaro::recalculate(sizing_case.mode, sizing_case.texts, decimal_separator), {}};
    const auto designation = tubaro::capture([&] {
        return tubaro::designation_of_text(result.text(sizing_case, Quantity::Diameter), decimal_separator);
    });
    if (designation.ok() && designation.value())
        result.designation = *designation.value();
    return result;
}

std::optional<Quantity> parse_mode(std::string_view word, bool letters_too)
{
    return tubaro::quantity_named(word, letters_too);
}
