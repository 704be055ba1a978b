#include "installation_words.h"

#include "entry_check.h"
#include "error_kind.h"
#include "quantity_words.h"

namespace tubaro {

namespace {

std::string value_fault_text(std::string_view subject, Quantity quantity, LineFault fault)
{
    switch (fault) {
    case LineFault::Missing: return "manca " + std::string(subject);
    case LineFault::NotANumber: return std::string(subject) + " non è un numero";
    case LineFault::OutOfRange:
        return std::string(subject) + " deve stare tra 0 e " +
               long_to_text(static_cast<Long>(kTypedLimits[quantity])) + " " +
               std::string(kQuantityWords[quantity].unit) + ", esclusi";
    default: return std::string(subject) + " non valido";
    }
}

std::string counted(std::size_t count, std::string_view one, std::string_view many)
{
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

}  // namespace

std::string_view verdict_word(Verdict verdict)
{
    return verdict == Verdict::Within ? "entro" : "oltre";
}

std::string_view verdict_phrase(Verdict verdict)
{
    return verdict == Verdict::Within ? "entro il limite" : "oltre il limite";
}

std::string field_fault_text(SectionField field, LineFault fault)
{
    const std::string name(kSectionFieldNames[field]);
    switch (fault) {
    case LineFault::NotUtf8: return name + " non è testo UTF-8";
    case LineFault::ControlCharacter:
        return name + " contiene una tabulazione, un carattere di controllo o di direzione del testo";
    case LineFault::TooManyCharacters: return name + " supera i " + std::to_string(kLongestName) + " caratteri";
    case LineFault::StartsWithHash: return name + " comincia con #";
    case LineFault::NameTaken: return name + " già dato su una riga precedente";
    case LineFault::UnknownStart: return name + " non è un tratto valido di una riga precedente";
    default: break;
    }
    switch (field) {
    case SectionField::Length: return value_fault_text(name, Quantity::Length, fault);
    case SectionField::Diameter: return value_fault_text(name, Quantity::Diameter, fault);
    case SectionField::Power: return value_fault_text(name, Quantity::Power, fault);
    default: return "manca " + name;
    }
}

std::string_view whole_line_fault_text(LineFault fault)
{
    return fault == LineFault::TooLong ? "riga troppo lunga" : "non sono 5 campi separati da tabulazioni";
}

std::string allowance_fault_text(LineFault fault)
{
    return value_fault_text("la perdita ammessa", Quantity::Loss, fault);
}

std::string invalid_line_text(const SectionResult& section)
{
    std::string text = "riga non valida";
    if (section.line_fault)
        return text.append(": ").append(whole_line_fault_text(*section.line_fault));
    std::string_view between = ": ";
    for (SectionField field : kSectionFields) {
        if (const auto fault = section.field_faults[field]) {
            text.append(between).append(field_fault_text(field, *fault));
            between = "; ";
        }
    }
    return text;
}

std::string_view no_proposal_text(NoProposal why)
{
    switch (why) {
    case NoProposal::AllowanceNotValid: return "perdita ammessa non valida";
    case NoProposal::ErrorOnPath: return "sul percorso c'è un tratto con diametro dato senza perdita";
    case NoProposal::LengthZero: return "L letta come 0 m";
    case NoProposal::AllowanceUsedUp: return "i diametri dati esauriscono la perdita ammessa";
    case NoProposal::NoneFits: return "nessun diametro sotto 5000 mm basta";
    }
    return "";
}

std::string outcome_text(const InstallationResult& result, std::span<const SectionLine> lines, std::size_t index)
{
    const SectionResult& section = result.sections[index];
    if (!section.valid())
        return invalid_line_text(section);
    const std::string proposed = section.proposed_diameter ? std::string(kProposedWord) : "";
    if (section.verdict)
        return std::string(verdict_word(*section.verdict)) + (proposed.empty() ? "" : " " + proposed);
    if (section.loss && !section.loss->ok())
        return std::string(error_name(*section.loss->error()));
    if (section.no_proposal)
        return "nessuna proposta: " + std::string(no_proposal_text(*section.no_proposal));
    // Why there is no loss from the meter first; that the diameter was
    // proposed after it.
    const std::string mark = proposed.empty() ? "" : "; " + proposed;
    if (section.above_without_loss)
        return "tratto a monte senza perdita: " +
               std::string(lines[*section.above_without_loss].texts[SectionField::Name]) + mark;
    return "perdita ammessa non valida" + mark;
}

std::string installation_summary(const InstallationResult& result, std::span<const SectionLine> lines)
{
    std::string text = "impianto di " + counted(result.section_count, "tratto", "tratti") + ", " +
                       counted(result.appliances.size(), "apparecchio", "apparecchi");
    if (result.allowance)
        text += "; perdita ammessa " + long_to_text(*result.allowance) + " Pa";
    else
        text += "; perdita ammessa non valida";
    if (result.worst) {
        const AppliancePath& worst = result.appliances[*result.worst];
        text += "; percorso peggiore: fino a " + std::string(lines[worst.section].texts[SectionField::Name]) + ", " +
                std::to_string(*worst.loss_from_meter) + " Pa";
        if (worst.margin)
            text += ", margine " + std::to_string(*worst.margin) + " Pa";
    } else if (!result.appliances.empty()) {
        text += "; nessun percorso con perdita dal contatore";
    }
    if (result.invalid_lines > 0)
        text += "; " + counted(result.invalid_lines, "riga non valida", "righe non valide");
    return text;
}

}  // namespace tubaro
