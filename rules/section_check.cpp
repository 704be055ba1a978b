#include "rules/section_check.h"

#include <cstddef>

#include "rules/entry_check.h"
#include "calc/outcome.h"
#include "rules/utf8_text.h"

namespace tubaro {

std::optional<LineFault> name_fault(std::string_view name)
{
    if (name.empty())
        return LineFault::Missing;
    std::size_t characters = 0;
    for (std::string_view rest = name; !rest.empty(); ++characters) {
        const auto each = first_code_point(rest);
        if (!each)
            return LineFault::NotUtf8;
        rest.remove_prefix(each->length);
    }
    // A name is shown on one line and, on a page, in a title: no control
    // character, and nothing that would reorder what is shown around it.
    if (!plain_line_text(name))
        return LineFault::ControlCharacter;
    if (characters > kLongestName)
        return LineFault::TooManyCharacters;
    if (name.front() == '#')
        return LineFault::StartsWithHash;
    return std::nullopt;
}

std::optional<LineFault> value_fault(Quantity quantity, std::string_view text, std::string_view decimal_separator)
{
    if (text.empty())
        return LineFault::Missing;
    const Outcome<bool> accepted = capture([&] { return starts_recalculation(quantity, text, decimal_separator); });
    if (accepted.error() == ErrorKind::TypeMismatch)
        return LineFault::NotANumber;
    // A number beyond the doubles lies beyond the limit too.
    if (!accepted.ok() || !accepted.value())
        return LineFault::OutOfRange;
    return std::nullopt;
}

}  // namespace tubaro
