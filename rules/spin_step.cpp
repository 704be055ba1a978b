#include "rules/spin_step.h"

#include <algorithm>

#include "calc/number_text.h"
#include "calc/outcome.h"

namespace tubaro {

namespace {

int start_value(std::string_view text, int last_value, int upper, std::string_view separator)
{
    const Outcome<Long> read = capture([&] { return text_to_long(text, separator); });
    if (read.ok())
        return std::clamp<Long>(read.value(), 0, upper);
    if (read.error() != ErrorKind::Overflow)
        return last_value;  // not a number: keep counting from where we were
    // A number beyond any Long is beyond either end of the range.
    const auto sign = text.find_first_not_of(' ');
    return text[sign] == '-' ? 0 : upper;
}

}  // namespace

std::optional<int> spin_step(std::string_view paired_text, int last_value, int upper, int direction,
                             std::string_view decimal_separator)
{
    const int from = start_value(paired_text, std::clamp(last_value, 0, upper), upper, decimal_separator);
    const int to = from + (direction > 0 ? 1 : -1);
    if (to < 0 || to > upper)
        return std::nullopt;
    return to;
}

}  // namespace tubaro
