#include "rules/section_figures.h"

#include "calc/currency.h"
#include "calc/long.h"

namespace tubaro {

SectionFigures section_figures(const InstallationResult& result, std::span<const SectionLine> lines,
                               std::size_t index, std::string_view decimal_separator)
{
    const SectionResult& section = result.sections[index];
    SectionFigures figures;
    figures.diameter = section.proposed_diameter ? long_to_text(*section.proposed_diameter)
                                                 : std::string(lines[index].texts[SectionField::Diameter]);
    if (section.valid() && section.power.ok())
        figures.power = currency_to_text(section.power.value(), decimal_separator);
    if (section.loss && section.loss->ok())
        figures.loss = long_to_text(section.loss->value());
    if (section.loss_from_meter)
        figures.loss_from_meter = std::to_string(*section.loss_from_meter);
    figures.designation = section.designation;
    return figures;
}

}  // namespace tubaro
