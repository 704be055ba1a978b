#pragma once

#include <optional>
#include <string_view>

#include "calc/long.h"
#include "calc/outcome.h"

namespace tubaro {

// A section's loss as the window's loss mode gives it for these texts of
// D, P and L: the same reading, the same formula, the same error.
Outcome<Long> section_loss(std::string_view diameter, std::string_view power, std::string_view length,
                           std::string_view decimal_separator);

struct Proposal {
    Long diameter;  // mm
    Long loss;      // its section_loss
};

inline constexpr Long kLargestProposal = 4999;  // mm: the window's diameter field stops below 5000

// The smallest whole diameter from 1 to kLargestProposal whose loss, with
// these texts of P and L, is computable and at most `share`; none when no
// diameter fits.
std::optional<Proposal> propose_diameter(std::string_view power, std::string_view length, double share,
                                         std::string_view decimal_separator);

}  // namespace tubaro
