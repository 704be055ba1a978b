#include "rules/entry_check.h"

#include "calc/number_text.h"

namespace tubaro {

bool starts_recalculation(Quantity field, std::string_view text, std::string_view decimal_separator)
{
    if (text.empty())
        return false;
    const double value = text_to_double(text, decimal_separator);
    return value > 0.0 && value < kTypedLimits[field];
}

}  // namespace tubaro
