#include "rules/installation_words.h"

#include <algorithm>

#include "rules/entry_check.h"
#include "calc/error_kind.h"
#include "rules/quantity_words.h"

namespace tubaro {

namespace {

// "deve stare tra 0 e 10000 m, esclusi": the window's typed range.
std::string range_phrase(Quantity quantity)
{
    return "deve stare tra 0 e " + long_to_text(static_cast<Long>(kTypedLimits[quantity])) + " " +
           std::string(kQuantityWords[quantity].unit) + ", esclusi";
}

std::string value_fault_text(std::string_view subject, Quantity quantity, LineFault fault)
{
    switch (fault) {
    case LineFault::Missing: return "manca " + std::string(subject);
    case LineFault::NotANumber: return std::string(subject) + " non è un numero";
    case LineFault::OutOfRange: return std::string(subject) + " " + range_phrase(quantity);
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

namespace {

// Why a valid section has no verdict.
std::string why_no_verdict(const InstallationResult& result, std::span<const SectionLine> lines, std::size_t index)
{
    const SectionResult& section = result.sections[index];
    if (section.loss && !section.loss->ok())
        return std::string(error_name(*section.loss->error()));
    if (section.no_proposal)
        return "nessuna proposta: " + std::string(no_proposal_text(*section.no_proposal));
    if (section.above_without_loss)
        return "tratto a monte senza perdita: " +
               std::string(lines[*section.above_without_loss].texts[SectionField::Name]);
    return "perdita ammessa non valida";
}

}  // namespace

std::string outcome_text(const InstallationResult& result, std::span<const SectionLine> lines, std::size_t index)
{
    const SectionResult& section = result.sections[index];
    if (!section.valid())
        return invalid_line_text(section);
    const std::string proposed = section.proposed_diameter ? std::string(kProposedWord) : "";
    if (section.verdict)
        return std::string(verdict_word(*section.verdict)) + (proposed.empty() ? "" : " " + proposed);
    // Why there is no loss from the meter first; that the diameter was
    // proposed after it. (A loss's error, or no proposal, leaves no
    // proposal to mark.)
    return why_no_verdict(result, lines, index) + (proposed.empty() ? "" : "; " + proposed);
}

std::string outcome_phrase(const InstallationResult& result, std::span<const SectionLine> lines, std::size_t index)
{
    const SectionResult& section = result.sections[index];
    if (!section.valid())
        return "tratto non valido";
    if (!section.verdict)
        return why_no_verdict(result, lines, index);
    std::string text(verdict_phrase(*section.verdict));
    if (!lines[index].texts[SectionField::Power].empty()) {
        text += ", margine " + std::to_string(*result.allowance - *section.loss_from_meter) + " Pa";
        if (result.worst && result.appliances[*result.worst].section == index)
            text.append(" · ").append(kWorstPathWords);
    }
    return text;
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

std::string field_fault_phrase(SectionField field, LineFault fault)
{
    switch (fault) {
    case LineFault::NotUtf8: return "non è testo UTF-8";
    case LineFault::ControlCharacter: return "contiene una tabulazione, un carattere di controllo o di direzione del testo";
    case LineFault::TooManyCharacters: return "supera i " + std::to_string(kLongestName) + " caratteri";
    case LineFault::StartsWithHash: return "comincia con #";
    case LineFault::NameTaken: return "già dato a un tratto sopra";
    case LineFault::UnknownStart: return "non è un tratto valido sopra questo";
    case LineFault::Missing: return "manca";
    case LineFault::NotANumber: return "non è un numero";
    case LineFault::OutOfRange: break;
    case LineFault::FieldCount:
    case LineFault::TooLong: return std::string(whole_line_fault_text(fault));
    }
    switch (field) {
    case SectionField::Length: return range_phrase(Quantity::Length);
    case SectionField::Diameter: return range_phrase(Quantity::Diameter);
    case SectionField::Power: return range_phrase(Quantity::Power);
    default: return "non valido";
    }
}

std::string allowance_fault_phrase(LineFault fault)
{
    return fault == LineFault::OutOfRange ? range_phrase(Quantity::Loss) : field_fault_phrase(SectionField::Length, fault);
}

std::string section_faults_phrase(const SectionResult& section)
{
    if (section.line_fault)
        return std::string(whole_line_fault_text(*section.line_fault));
    std::string text;
    for (SectionField field : kSectionFields) {
        if (const auto fault = section.field_faults[field]) {
            text.append(text.empty() ? "" : "; ").append(kFieldHeadings[field]).append(" ");
            text.append(field_fault_phrase(field, *fault));
        }
    }
    return text;
}

std::string path_phrase(const InstallationResult& result, std::span<const SectionLine> lines, std::size_t appliance)
{
    const AppliancePath& path = result.appliances[appliance];
    if (!path.verdict)
        return why_no_verdict(result, lines, path.section);
    std::string text(verdict_phrase(*path.verdict));
    if (result.worst == appliance)
        text.append(" · ").append(kWorstPathWords);
    return text;
}

std::string installation_title(const InstallationResult& result)
{
    std::string title(kViewName);
    if (result.section_count == 0 && result.invalid_lines == 0)
        return title + " · nessun tratto";
    title += " · " + counted(result.section_count, "tratto", "tratti");
    if (result.invalid_lines > 0)
        title += ", " + std::to_string(result.invalid_lines) + (result.invalid_lines == 1 ? " non valido" : " non validi");
    if (result.worst) {
        title += " · peggiore " + std::to_string(*result.appliances[*result.worst].loss_from_meter) + " Pa";
        if (result.allowance)
            title += " su " + long_to_text(*result.allowance);
    }
    return title;
}

std::string new_section_name(std::span<const SectionLine> lines)
{
    for (std::size_t number = lines.size() + 1;; ++number) {
        const std::string name = std::string(kFieldHeadings[SectionField::Name]) + " " + std::to_string(number);
        if (std::none_of(lines.begin(), lines.end(),
                         [&](const SectionLine& line) { return line.texts[SectionField::Name] == name; }))
            return name;
    }
}

std::string most_sections_text()
{
    return "Un impianto tiene al più " + std::to_string(kMostSections) + " tratti";
}

std::optional<std::string> link_note(const InstallationLink& link)
{
    if (link.whole())
        return std::nullopt;
    std::string text = "Indirizzo non del tutto leggibile";
    std::string_view between = ": ";
    const auto say = [&](const std::string& part) {
        text.append(between).append(part);
        between = "; ";
    };
    const std::string allowance_taken = "presa di " + std::string(kDefaultAllowance) + " Pa";
    if (link.cut_short)
        say("finisce prima della perdita ammessa (forse è stato tagliato), " + allowance_taken);
    if (link.allowance_unreadable)
        say("perdita ammessa illeggibile, " + allowance_taken);
    if (link.unreadable > 0)
        say(link.unreadable == 1 ? "1 tratto illeggibile lasciato fuori"
                                 : std::to_string(link.unreadable) + " tratti illeggibili lasciati fuori");
    if (link.beyond_most > 0)
        say(counted(link.beyond_most, "tratto", "tratti") + " oltre i " + std::to_string(kMostSections) +
            (link.beyond_most == 1 ? " lasciato fuori" : " lasciati fuori"));
    return text;
}

}  // namespace tubaro
