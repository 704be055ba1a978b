#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "rules/installation.h"
#include "rules/section_line.h"

namespace tubaro {

// A section's figures as texts, as the command line writes them and the
// page shows them: each empty where the section has none.
struct SectionFigures {
    std::string diameter;         // as typed, or the proposal
    std::string power;            // P, to four decimals at most, in the separator given
    std::string loss;             // Y, whole pascals
    std::string loss_from_meter;  // whole pascals
    std::string_view designation;
};

SectionFigures section_figures(const InstallationResult& result, std::span<const SectionLine> lines,
                               std::size_t index, std::string_view decimal_separator);

}  // namespace tubaro
