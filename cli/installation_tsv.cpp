#include "cli/installation_tsv.h"

#include <string>
#include <vector>

#include "rules/installation.h"
#include "rules/installation_words.h"
#include "cli/line_reader.h"
#include "rules/section_figures.h"

namespace {

using tubaro::SectionField;

// Every line kept, one after the other in one text, so that a million
// lines do not make a million strings.
struct LinesKept {
    struct Span {
        std::size_t begin = 0;
        std::size_t size = 0;
        bool too_long = false;
    };
    std::string text;
    std::vector<Span> spans;

    std::vector<tubaro::SectionLine> sections() const
    {
        std::vector<tubaro::SectionLine> lines(spans.size());
        for (std::size_t i = 0; i < spans.size(); ++i) {
            if (spans[i].too_long) {
                lines[i].whole_line = tubaro::LineFault::TooLong;
                continue;
            }
            std::array<std::string_view, 5> fields;
            if (split_fields(std::string_view(text).substr(spans[i].begin, spans[i].size), fields) != fields.size())
                lines[i].whole_line = tubaro::LineFault::FieldCount;
            lines[i].texts.items = fields;
        }
        return lines;
    }
};

void append_row(std::string& out, const tubaro::InstallationResult& result,
                const std::vector<tubaro::SectionLine>& lines, std::size_t index, std::string_view separator)
{
    const tubaro::SectionFigures figures = tubaro::section_figures(result, lines, index, separator);
    for (SectionField field : tubaro::kSectionFields) {
        out += field == SectionField::Diameter ? std::string_view(figures.diameter) : lines[index].texts[field];
        out += '\t';
    }
    for (std::string_view figure : {std::string_view(figures.power), std::string_view(figures.loss),
                                    std::string_view(figures.loss_from_meter), figures.designation})
        out.append(figure).append("\t");
    out += tubaro::outcome_text(result, lines, index);
    out += '\n';
}

}  // namespace

InstallationRun run_installation(std::FILE* input, CheckedOutput& output, std::string_view allowance,
                                 std::string_view separator)
{
    LinesKept kept;
    const auto each_line = [&](std::optional<std::string_view> line) {
        if (!line) {
            kept.spans.push_back({kept.text.size(), 0, true});
        } else if (!line->empty() && line->front() != '#') {
            kept.spans.push_back({kept.text.size(), line->size(), false});
            kept.text += *line;
        }
    };
    const LinesRead read = read_lines(input, each_line, [] { return true; });
    if (read.end != ReadEnd::Done)
        return {InstallationEnd::ReadFailed, read.read_error};

    const std::vector<tubaro::SectionLine> lines = kept.sections();
    const tubaro::InstallationResult result = tubaro::evaluate(allowance, lines, separator);

    std::string out = "# " + tubaro::installation_summary(result, lines) + "\n# ";
    for (SectionField field : tubaro::kSectionFields)
        out.append(tubaro::kSectionFieldNames[field]).append("\t");
    out += "P\tY\tPROGRESSIVA\tPOLLICI\tESITO\n";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        append_row(out, result, lines, i, separator);
        if (out.size() > (1 << 16)) {
            if (!output.write(out))
                return {InstallationEnd::WriteFailed};
            out.clear();
        }
    }
    if (!output.write(out))
        return {InstallationEnd::WriteFailed};
    if (result.invalid_lines > 0)
        return {InstallationEnd::SomeInvalid};
    return {result.all_within() ? InstallationEnd::AllWithin : InstallationEnd::NotAllWithin};
}
