#include "rules/section_loss.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "calc/number_text.h"
#include "rules/recalculation.h"

namespace tubaro {

Outcome<Long> section_loss(std::string_view diameter, std::string_view power, std::string_view length,
                           std::string_view decimal_separator)
{
    FieldTexts texts{};
    texts[Quantity::Diameter] = diameter;
    texts[Quantity::Power] = power;
    texts[Quantity::Length] = length;
    const Outcome<std::string> written = recalculate(Quantity::Loss, texts, decimal_separator);
    if (!written.ok())
        return *written.error();
    return text_to_long(written.value(), decimal_separator);
}

std::optional<Proposal> propose_diameter(std::string_view power, std::string_view length, double share,
                                         std::string_view decimal_separator)
{
    // The diameters that fit are exactly those from the smallest one
    // upward, so a search that halves its range finds it. With P and L
    // fixed, the loss mode divides a quantity that does not depend on D by
    // a power of D that grows with it, so a wider pipe never loses more.
    // Whether that can be computed depends on D only through the size of
    // the quotient (too large for a double or for a whole number), which a
    // wider pipe only makes smaller: from the first computable diameter
    // upward, every one is. So "computable and at most the share" is false
    // below some diameter and true from it on.
    // The loss of the last diameter found to fit: `high` only ever moves
    // to a diameter just found to fit, so this is the loss at `high`.
    Long loss_at_high = 0;
    const auto fits = [&](Long diameter) {
        const Outcome<Long> loss = section_loss(long_to_text(diameter), power, length, decimal_separator);
        if (!loss.ok() || static_cast<double>(loss.value()) > share)
            return false;
        loss_at_high = loss.value();
        return true;
    };

    // The window's diameter mode, asked for the whole pascals of the share,
    // lands within a millimetre or two of the answer; the search starts
    // there and widens its steps until it has the answer between two
    // bounds. Every diameter below `low` does not fit; `high` fits, or is
    // kLargestProposal + 1 while none has been found to.
    FieldTexts texts{};
    const std::string whole_share = long_to_text(static_cast<Long>(std::min(std::floor(share), 2147483647.0)));
    texts[Quantity::Power] = power;
    texts[Quantity::Loss] = whole_share;
    texts[Quantity::Length] = length;
    const Outcome<std::string> start = recalculate(Quantity::Diameter, texts, decimal_separator);
    const Long guess = start.ok() ? std::clamp(text_to_long(start.value(), decimal_separator), Long{1},
                                               kLargestProposal)
                                  : kLargestProposal / 2;
    Long low = 1;
    Long high = kLargestProposal + 1;
    if (fits(guess)) {
        high = guess;
        Long step = 1;
        while (high - step >= 1 && fits(high - step)) {
            high -= step;
            step *= 2;
        }
        low = std::max(Long{1}, high - step + 1);
    } else {
        low = guess + 1;
        for (Long step = 1; low <= kLargestProposal; step *= 2) {
            const Long probe = std::min(low + step - 1, kLargestProposal);
            if (fits(probe)) {
                high = probe;
                break;
            }
            low = probe + 1;
        }
    }
    while (low < high) {
        const Long middle = low + (high - low) / 2;
        if (fits(middle))
            high = middle;
        else
            low = middle + 1;
    }
    if (high > kLargestProposal)
        return std::nullopt;
    return Proposal{high, loss_at_high};
}

}  // namespace tubaro
