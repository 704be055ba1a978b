#include "section_loss.h"

#include <string>

#include "number_text.h"
#include "recalculation.h"

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
    // A binary search finds the smallest fitting diameter because the
    // diameters that fit are exactly those from it upward. With P and L
    // fixed, the loss mode divides a quantity that does not depend on D by
    // a power of D that grows with it, so a wider pipe never loses more.
    // Whether that can be computed depends on D only through the size of
    // the quotient (too large for a double or for a whole number), which
    // a wider pipe only makes smaller: from the first computable diameter
    // upward, every one is. So "computable and at most the share" is false
    // below some diameter and true from it on.
    Long low = 1;
    Long high = kLargestProposal + 1;  // stands for "none fits" until a diameter does
    Long loss_at_high = 0;
    while (low < high) {
        const Long middle = low + (high - low) / 2;
        const Outcome<Long> loss = section_loss(long_to_text(middle), power, length, decimal_separator);
        if (loss.ok() && static_cast<double>(loss.value()) <= share) {
            high = middle;
            loss_at_high = loss.value();
        } else {
            low = middle + 1;
        }
    }
    if (high > kLargestProposal)
        return std::nullopt;
    return Proposal{high, loss_at_high};
}

}  // namespace tubaro
