#pragma once

#include <optional>
#include <string_view>

#include "rules/quantity.h"
#include "rules/section_line.h"

namespace tubaro {

// The first thing wrong with a section's name, in this order: Missing,
// NotUtf8, ControlCharacter, TooManyCharacters, StartsWithHash; none for a
// good name. Names are compared byte for byte, so no two spellings of one
// name are taken for the same.
std::optional<LineFault> name_fault(std::string_view name);

// What is wrong with a value typed for `quantity` (Missing for an empty
// text), or none when the window's field would take it: the text read as
// a double, above 0 and below the field's limit.
std::optional<LineFault> value_fault(Quantity quantity, std::string_view text, std::string_view decimal_separator);

}  // namespace tubaro
