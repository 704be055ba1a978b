#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "calc/currency.h"
#include "calc/long.h"
#include "calc/outcome.h"
#include "rules/section_line.h"

namespace tubaro {

// An installation: the sections from the gas meter to each appliance, each
// on a line of its own, and the loss allowed from the meter to any
// appliance. Every figure is one the window gives: a section's loss is the
// window's loss mode for its diameter, its power written as a decimal and
// its length, digit for digit.

inline constexpr std::string_view kDefaultAllowance = "100";  // pascals

enum class Verdict { Within, Over };  // the loss from the meter against the allowance

// Why an empty diameter gets no proposal.
enum class NoProposal {
    AllowanceNotValid,
    ErrorOnPath,     // a typed section on a path through it has no loss
    LengthZero,      // its length reads as 0 m
    AllowanceUsedUp, // the typed sections of a path leave nothing to share
    NoneFits,        // no diameter below 5000 mm keeps within its share
};

struct SectionResult {
    // What is wrong with the line: the whole of it, or field by field. A
    // line with any fault is no section, and nothing below is set.
    std::optional<LineFault> line_fault;
    PerSectionField<std::optional<LineFault>> field_faults{};

    bool valid() const;

    // The line of the section it starts from; none for the meter.
    std::optional<std::size_t> from;
    // An appliance at its end or below it. Without one the section carries
    // no gas: P 0, loss 0, and an empty diameter stays empty.
    bool feeds_appliance = false;
    // P: the exact sum of the powers at its end and below (Overflow only
    // where the sum leaves Currency).
    Outcome<Currency> power{Currency{}};
    // The proposal, where the diameter was left empty.
    std::optional<Long> proposed_diameter;
    std::optional<double> share;  // the loss allowed to it, in pascals
    std::optional<NoProposal> no_proposal;
    // Y: the window's loss, or its error; none where no proposal was made.
    std::optional<Outcome<Long>> loss;
    // The sum of the losses from the meter to its end, where it and every
    // section above have a loss; otherwise the nearest section above
    // without one, if that is why.
    std::optional<std::int64_t> loss_from_meter;
    std::optional<std::size_t> above_without_loss;
    std::optional<Verdict> verdict;  // where there is a loss from the meter and a valid allowance
    // The inch size of the typed or proposed diameter.
    std::string_view designation;
};

// An appliance's path: from the meter to the section at its end.
struct AppliancePath {
    std::size_t section;
    std::optional<std::int64_t> loss_from_meter;
    std::optional<std::int64_t> margin;  // the allowance less that loss
    std::optional<Verdict> verdict;
};

struct InstallationResult {
    // The allowance in whole pascals, or why it cannot be read.
    std::optional<Long> allowance;
    std::optional<LineFault> allowance_fault;
    std::vector<SectionResult> sections;  // one per line, in the order given
    std::vector<AppliancePath> appliances;  // in the order of their lines
    // The appliance with the highest loss from the meter (the first of
    // equals), among those that have one.
    std::optional<std::size_t> worst;  // index into appliances
    std::size_t section_count = 0;     // valid lines
    std::size_t invalid_lines = 0;

    // Every section has a loss from the meter within the allowance.
    bool all_within() const;
};

// What an installation gives. Texts are read with decimal_separator as the
// window reads them; the allowance in the window's range for Y, whole
// pascals. Linear in the number of lines, besides the few losses worked out
// for each proposal (two or three where the window's diameter mode lands
// near the answer; some twenty-six at the very most).
InstallationResult evaluate(std::string_view allowance, std::span<const SectionLine> lines,
                            std::string_view decimal_separator);

// Why evaluate cannot read this allowance (Missing, NotANumber, OutOfRange),
// or none when it can.
std::optional<LineFault> allowance_fault(std::string_view allowance, std::string_view decimal_separator);

}  // namespace tubaro
