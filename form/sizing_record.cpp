#include "form/sizing_record.h"

#include "rules/recalculation.h"
#include "rules/sizing_link.h"
#include "form/user_texts.h"
#include "form/window_data.h"

namespace tubaro {

namespace {

constexpr std::string_view kNoText = "–";

FieldTexts texts_of(const ShownSizing& shown)
{
    FieldTexts texts{};
    for (Quantity quantity : kQuantities)
        texts[quantity] = shown.texts[quantity];
    return texts;
}

bool is_start_sizing(Quantity mode, const FieldTexts& texts)
{
    if (mode != start_mode())
        return false;
    for (Quantity quantity : kQuantities)
        if (quantity != mode && texts[quantity] != control_spec(kQuantityControls[quantity].field).text)
            return false;
    return true;
}

}  // namespace

SizingRecord record_of(const ShownSizing& shown, std::string_view decimal_separator)
{
    FieldTexts texts = texts_of(shown);
    const Quantity mode = shown.mode;
    SizingRecord record;
    if (!is_start_sizing(mode, texts))
        record.fragment = link_fragment(mode, texts, decimal_separator);

    // A number in the computed field that these inputs do not give (left
    // from others, or typed over) is no result of theirs.
    const auto result = recalculate(mode, texts, decimal_separator);
    const bool has_result = !texts[mode].empty() && result.ok() && result.value() == texts[mode];
    if (!has_result)
        texts[mode] = {};
    const bool diameter_shown = !texts[Quantity::Diameter].empty();
    const std::string_view designation = diameter_shown ? std::string_view(shown.designation) : std::string_view();

    record.title = std::string(kWindowCaption).append(" · ").append(sizing_summary(mode, texts, designation));
    for (Quantity quantity : kQuantities) {
        record.values[quantity] = texts[quantity].empty() ? std::string(kNoText) : std::string(texts[quantity]);
        if (quantity == mode)
            record.notes[quantity] = has_result ? texts::kSheetComputed : texts::kSheetNoResult;
    }
    record.designation = designation;
    return record;
}

SizingLink start_sizing_link()
{
    SizingLink link;
    link.mode = start_mode();
    for (Quantity quantity : kQuantities)
        if (quantity != *link.mode)
            link.texts[quantity] = std::string(control_spec(kQuantityControls[quantity].field).text);
    return link;
}

}  // namespace tubaro
