// Arbitrary installations through the library and the command line's
// reader: never a crash or undefined behaviour; the figures hold together
// (sums up the tree, losses from the meter down it, verdicts against the
// allowance, each proposal the smallest that fits its share); the command
// line answers every line read with one line of ten fields, and its end
// agrees with the answers; an address read as a page reads it opens only
// plain texts, and what it opened, written again, reads back whole and the
// same.
//
// Input: a first byte choosing the separator (even: a comma, odd: a
// point), the allowance's text up to the first byte 0x01, then the lines.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/checked_output.h"
#include "rules/installation.h"
#include "rules/installation_link.h"
#include "cli/installation_tsv.h"
#include "rules/installation_words.h"
#include "cli/line_reader.h"
#include "rules/section_loss.h"
#include "fuzz/text_lines.h"
#include "rules/utf8_text.h"

namespace {

using tubaro::SectionField;

void check(bool holds)
{
    if (!holds)
        std::abort();
}

// The library on the lines as they are, split on tabs.
void check_figures(std::string_view allowance, std::string_view text, std::string_view separator)
{
    std::vector<tubaro::SectionLine> lines;
    for (std::string_view line : lines_of(text)) {
        std::array<std::string_view, 5> fields;
        tubaro::SectionLine section;
        if (split_fields(line, fields) != fields.size())
            section.whole_line = tubaro::LineFault::FieldCount;
        section.texts.items = fields;
        lines.push_back(section);
    }
    const tubaro::InstallationResult result = tubaro::evaluate(allowance, lines, separator);
    check(result.sections.size() == lines.size());
    check(result.section_count + result.invalid_lines == lines.size());
    check(result.allowance.has_value() != result.allowance_fault.has_value());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const tubaro::SectionResult& section = result.sections[i];
        if (!section.valid()) {
            check(!section.loss && !section.loss_from_meter && !section.verdict);
            continue;
        }
        check(!section.from || *section.from < i);
        check(!section.power.ok() || section.power.value().count() >= 0);
        if (!section.feeds_appliance)
            check(section.power.value().count() == 0 && section.loss == tubaro::Outcome<tubaro::Long>(0));
        if (section.proposed_diameter) {
            const tubaro::Long d = *section.proposed_diameter;
            check(d >= 1 && d <= tubaro::kLargestProposal && section.share && *section.share > 0);
            check(section.loss->ok() && section.loss->value() <= *section.share);
            const std::string power = tubaro::currency_to_text(section.power.value(), separator);
            const auto smaller = tubaro::section_loss(tubaro::long_to_text(d - 1), power,
                                                      lines[i].texts[SectionField::Length], separator);
            check(d == 1 || !smaller.ok() || smaller.value() > *section.share);
        }
        check(section.proposed_diameter.has_value() + section.no_proposal.has_value() <= 1);
        const tubaro::SectionResult* start = section.from ? &result.sections[*section.from] : nullptr;
        if (section.loss_from_meter) {
            check(section.loss->ok());
            check(*section.loss_from_meter == (start ? *start->loss_from_meter : 0) + section.loss->value());
            check(!result.allowance || section.verdict == (*section.loss_from_meter <= *result.allowance
                                                               ? tubaro::Verdict::Within
                                                               : tubaro::Verdict::Over));
        } else {
            check(!section.verdict);
        }
        if (section.above_without_loss)
            check(*section.above_without_loss < i && !result.sections[*section.above_without_loss].loss_from_meter);
    }
    if (result.worst)
        for (const tubaro::AppliancePath& path : result.appliances)
            check(!path.loss_from_meter || *path.loss_from_meter <= *result.appliances[*result.worst].loss_from_meter);
}

// The same bytes as a page's address.
void check_address(std::string_view fragment, std::string_view separator)
{
    const tubaro::InstallationLink link = tubaro::read_installation_fragment(fragment, separator);
    check(link.sections.size() <= tubaro::kMostSections && link.whole() == !tubaro::link_note(link));
    std::vector<tubaro::SectionLine> lines;
    for (const auto& texts : link.sections) {
        tubaro::SectionLine line;
        for (SectionField field : tubaro::kSectionFields) {
            check(texts[field].size() <= tubaro::kLongestLinkText && tubaro::plain_line_text(texts[field]));
            line.texts[field] = texts[field];
        }
        lines.push_back(line);
    }
    const std::string allowance = link.allowance.value_or(std::string(tubaro::kDefaultAllowance));
    const tubaro::InstallationLink again =
        tubaro::read_installation_fragment(tubaro::installation_fragment(allowance, lines, separator), separator);
    check(again.whole() && again.sections == link.sections && again.allowance == allowance);
}

// The command line's reading and writing of the same bytes.
void check_answers(std::string_view allowance, std::string_view input, std::string_view separator)
{
    std::string in(input);
    // fmemopen refuses an empty buffer.
    std::FILE* source = in.empty() ? std::fopen("/dev/null", "rb") : fmemopen(in.data(), in.size(), "rb");
    char* written = nullptr;
    std::size_t written_size = 0;
    std::FILE* sink = open_memstream(&written, &written_size);
    check(source && sink);
    CheckedOutput output(sink);
    const InstallationRun run = run_installation(source, output, allowance, separator);
    std::fclose(source);
    check(output.finish() && (run.end != InstallationEnd::ReadFailed && run.end != InstallationEnd::WriteFailed));

    std::size_t sections = 0;
    for (std::string_view line : lines_of(input)) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        sections += !line.empty() && line.front() != '#';
    }
    const std::vector<std::string_view> answers = lines_of(std::string_view(written, written_size));
    check(answers.size() == sections + 2 && answers[0].starts_with("# ") && answers[1].starts_with("# "));
    bool invalid = false;
    bool all_within = true;
    for (std::size_t i = 2; i < answers.size(); ++i) {
        std::size_t tabs = 0;
        for (char c : answers[i])
            tabs += c == '\t';
        const std::string_view outcome = answers[i].substr(answers[i].rfind('\t') + 1);
        check(tabs == 9 && !outcome.empty());
        invalid |= outcome.starts_with("riga non valida");
        all_within &= outcome == "entro" || outcome == "entro proposto";
    }
    check((run.end == InstallationEnd::SomeInvalid) == invalid);
    check((run.end == InstallationEnd::AllWithin) == (!invalid && all_within));
    std::free(written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view separator = data[0] % 2 ? "." : ",";
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto split = bytes.find('\x01');
    const std::string_view allowance = split == std::string_view::npos ? "100" : bytes.substr(0, split);
    const std::string_view text = split == std::string_view::npos ? bytes : bytes.substr(split + 1);
    check_figures(allowance, text, separator);
    check_address(bytes, separator);
    if (!tubaro::allowance_fault(allowance, separator))
        check_answers(allowance, text, separator);
    return 0;
}
