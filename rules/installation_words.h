#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "rules/installation.h"
#include "rules/installation_link.h"
#include "rules/section_line.h"

namespace tubaro {

// Every text a user reads about an installation, for the command line and
// the page alike.

// The fields' names, as the command line's columns head them.
inline constexpr PerSectionField<std::string_view> kSectionFieldNames{{"TRATTO", "DA", "L", "D", "KW"}};

// The command line's words, and the page's phrases, for a verdict.
std::string_view verdict_word(Verdict verdict);    // entro, oltre
std::string_view verdict_phrase(Verdict verdict);  // entro il limite, oltre il limite
inline constexpr std::string_view kProposedWord = "proposto";

// What is wrong with one field ("L non è un numero"), with the whole line
// ("riga troppo lunga"), or with the allowance.
std::string field_fault_text(SectionField field, LineFault fault);
std::string_view whole_line_fault_text(LineFault fault);
std::string allowance_fault_text(LineFault fault);

// "riga non valida: " and every fault of the line, "; " between them.
std::string invalid_line_text(const SectionResult& section);

std::string_view no_proposal_text(NoProposal why);

// The command line's ESITO of line `index`: the verdict's word (and
// "proposto" after it for a proposed diameter), or why the section has no
// loss from the meter, or why the line is no section.
std::string outcome_text(const InstallationResult& result, std::span<const SectionLine> lines, std::size_t index);

// The installation in one line: its counts, the allowance, the worst path
// and its margin.
std::string installation_summary(const InstallationResult& result, std::span<const SectionLine> lines);

// The page's view of an installation: a table of sections, a row each, and
// the sheet it prints.
inline constexpr std::string_view kViewName = "Impianto";
// Where a section starts when it starts from no other.
inline constexpr std::string_view kMeterName = "contatore";
// The columns: the five fields as the user types them, then the figures.
inline constexpr PerSectionField<std::string_view> kFieldHeadings{
    {"Tratto", "Da", "L equiv. [m]", "Diametro [mm]", "Apparecchio [kW]"}};
enum class FigureColumn { Power, Loss, LossFromMeter, Designation, Outcome };
inline constexpr std::array<FigureColumn, 5> kFigureColumns{FigureColumn::Power, FigureColumn::Loss,
                                                             FigureColumn::LossFromMeter, FigureColumn::Designation,
                                                             FigureColumn::Outcome};
inline constexpr std::array<std::string_view, 5> kFigureHeadings{
    {"P [kW]", "Y [Pa]", "Y dal contatore [Pa]", "Pollici", "Esito"}};
inline constexpr std::string_view kAllowanceHeading = "Perdita ammessa [Pa]";
inline constexpr std::string_view kActionsHeading = "Azioni";
inline constexpr std::string_view kAddSection = "Aggiungi tratto";
inline constexpr std::string_view kAddSectionFromHere = "Tratto da qui";
inline constexpr std::string_view kRemoveSection = "Togli";
inline constexpr std::string_view kEmptyHint =
    "Nessun tratto: «Aggiungi tratto» fa il primo, dal contatore. Un diametro lasciato vuoto viene proposto.";
inline constexpr std::string_view kWorstPathWords = "percorso peggiore";
// Said when "Aggiungi tratto" finds kMostSections already there.
std::string most_sections_text();

// What is wrong with a field, said beside it: its column heads it, so the
// field is not named ("non è un numero", "manca").
std::string field_fault_phrase(SectionField field, LineFault fault);
std::string allowance_fault_phrase(LineFault fault);

// The view's Esito of line `index`: the verdict's phrase, and beside an
// appliance the margin of its path ("entro il limite, margine 4 Pa"), the
// worst path named as such; or why the section has no loss from the meter
// (as outcome_text says it), or that it is no section (its fields say why).
std::string outcome_phrase(const InstallationResult& result, std::span<const SectionLine> lines, std::size_t index);

// Why a line is no section, field by field, each named by its heading:
// "L equiv. [m] non è un numero; Da non è un tratto valido sopra questo".
std::string section_faults_phrase(const SectionResult& section);

// An appliance's path on the sheet: the verdict's phrase, the worst one
// named as such, or why it has no loss from the meter.
std::string path_phrase(const InstallationResult& result, std::span<const SectionLine> lines, std::size_t appliance);

// The installation in a few words, for the page's title:
// "Impianto · 5 tratti · peggiore 96 Pa su 100".
std::string installation_title(const InstallationResult& result);

// A name for a new section that no line gives yet: "Tratto 6".
std::string new_section_name(std::span<const SectionLine> lines);

// What a page says of an address it could not open whole; none where it
// opened whole.
std::optional<std::string> link_note(const InstallationLink& link);

// The sheet for paper.
inline constexpr std::string_view kSheetHeading = "Impianto gas: tratti dal contatore agli apparecchi";
inline constexpr std::string_view kPathsHeading = "Percorsi dal contatore a ogni apparecchio";
inline constexpr std::string_view kMarginHeading = "Margine [Pa]";
inline constexpr std::string_view kAssumptions =
    "Gas naturale, come lo calcola la finestra del programma (K 0,6076; potere calorifico 8500 kcal/m³). "
    "La lunghezza di ogni tratto è quella equivalente, raccordi compresi. Ogni apparecchio è preso alla "
    "sua piena potenza, tutti insieme.";
inline constexpr std::string_view kSheetPrinted = "Stampato il";
inline constexpr std::string_view kSheetReopen = "Per riaprire questo impianto:";

}  // namespace tubaro
