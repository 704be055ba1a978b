#pragma once

#include <string>
#include <string_view>

#include "rules/quantity.h"
#include "rules/sizing_link.h"

namespace tubaro {

// The sizing a window shows: the computed quantity, the texts of the four
// value fields and the inch size, as they stand.
struct ShownSizing {
    Quantity mode = Quantity::Diameter;
    PerQuantity<std::string> texts{};
    std::string designation;

    friend bool operator==(const ShownSizing&, const ShownSizing&) = default;
};

// What a page says of the sizing it shows, everywhere it says it: in its
// address, its title and the sheet it prints. One rule for the three, so
// they never disagree with the screen or with each other:
//   - the address holds the computed quantity and the three inputs as they
//     stand, a result or not, so a reload shows the same screen; the
//     window's start sizing is the page's bare address;
//   - the title and the sheet name the computed quantity's number only
//     where the field shows what the inputs give (what a recalculation
//     writes for them), never a number left from other inputs; an empty
//     text is a dash.
struct SizingRecord {
    std::string fragment;  // after '#'; empty for the start sizing
    std::string title;
    // The sheet: each quantity's value and its note ("calcolato" for the
    // computed one, or that it has no result), and the inch size.
    PerQuantity<std::string> values{};
    PerQuantity<std::string_view> notes{};
    std::string designation;

    friend bool operator==(const SizingRecord&, const SizingRecord&) = default;
};

SizingRecord record_of(const ShownSizing& shown, std::string_view decimal_separator);

// The window's start sizing as a link: what a page's bare address opens.
SizingLink start_sizing_link();

}  // namespace tubaro
