#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "installation.h"
#include "section_line.h"

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

}  // namespace tubaro
