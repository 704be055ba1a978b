#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rules/quantity.h"
#include "rules/recalculation.h"

namespace tubaro {

// A sizing as a page's address keeps it, after its '#':
//
//   calcola=diametro&potenza=116&perdita=100&lunghezza=30
//
// the computed quantity and the three inputs, named by the command line's
// own words (kQuantityWords), the inputs in the order D P Y L, each as the
// text in its field. Numbers are written with the point, whatever the
// writer's separator, so a link opens alike for every reader; every byte
// but a letter, a digit and - . _ ~ is written %XX. Nothing in it is
// markup or code: it is only ever read back as texts.
struct SizingLink {
    std::optional<Quantity> mode;
    // The texts of the inputs, in the reader's own separator; none where
    // the link gives none (or none that can be used).
    PerQuantity<std::optional<std::string>> texts{};
};

// One value as a link writes it: the writer's decimal separator as a point,
// and every other byte but a letter, a digit and - _ ~ escaped (%XX), a
// point too; with no separator (a name, not a number) every point is
// escaped. An installation's address writes its texts so too.
std::string link_value(std::string_view text, std::string_view decimal_separator);

// A link's value as a text: a point is the reader's separator, an escape
// the byte it names; nullopt where an escape is broken.
std::optional<std::string> link_value_text(std::string_view value, std::string_view decimal_separator);

// The fragment for the computed quantity `mode` and the four fields' texts
// (the mode's own is not written), read with `decimal_separator`.
std::string link_fragment(Quantity mode, const FieldTexts& texts, std::string_view decimal_separator);

// What a fragment (without its '#') gives, its points in `decimal_separator`.
// What cannot be used is left out: a name it does not know, a pair without
// '=', a second pair of one name, a value whose escapes are broken or that
// is no plain one-line text (plain_line_text: well-formed UTF-8, no control
// or bidirectional formatting character).
SizingLink read_link_fragment(std::string_view fragment, std::string_view decimal_separator);

// The sizing in a few words, the computed quantity first, its designation
// beside a diameter: "D 37 mm 1''1/2 · P 116 kW · Y 100 Pa · L 30 m"; an
// empty text is a dash: "L – · D 50 mm 2\" · P 9000 kW · Y 20 Pa".
std::string sizing_summary(Quantity mode, const FieldTexts& texts, std::string_view designation);

}  // namespace tubaro
