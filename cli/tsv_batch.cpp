#include "cli/tsv_batch.h"

#include <array>
#include <string>
#include <string_view>

#include "cli/line_reader.h"
#include "cli/sizing_case.h"

namespace {

constexpr std::string_view kInvalidLine = "riga non valida";

void append_fields(std::string& out, std::string_view mode, const std::array<std::string_view, 4>& texts,
                   std::string_view designation, std::string_view result)
{
    out += mode;
    for (const std::string_view text : texts) {
        out += '\t';
        out += text;
    }
    out += '\t';
    out += designation;
    out += '\t';
    out += result;
    out += '\n';
}

bool process_line(std::string_view line, std::string_view separator, std::string& out)
{
    if (line.empty() || line.front() == '#') {
        out += line;
        out += '\n';
        return true;
    }

    std::array<std::string_view, 5> fields{};
    const bool five = split_fields(line, fields) == fields.size();
    const auto mode = five ? parse_mode(fields[0], true) : std::nullopt;
    if (!mode) {
        // The first five fields as given (missing ones empty), no designation.
        append_fields(out, fields[0], std::array{fields[1], fields[2], fields[3], fields[4]}, "", kInvalidLine);
        return false;
    }

    const SizingCase sizing_case{*mode, {{fields[1], fields[2], fields[3], fields[4]}}};
    const SizingResult result = solve(sizing_case, separator);
    std::array<std::string_view, 4> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = result.text(sizing_case, tubaro::kQuantities[i]);
    const auto error = result.written.error();
    append_fields(out, fields[0], texts, result.designation, error ? tubaro::error_name(*error) : "ok");
    return true;
}

}  // namespace

BatchResult run_tsv(std::FILE* input, CheckedOutput& output, std::string_view separator)
{
    bool all_valid = true;
    std::string out;
    const auto each_line = [&](std::optional<std::string_view> line) {
        if (line) {
            all_valid &= process_line(*line, separator, out);
        } else {
            out += "\t\t\t\t\t\t";
            out += kInvalidLine;
            out += '\n';
            all_valid = false;
        }
    };
    const auto after_chunk = [&] {
        if (out.size() <= (1 << 16))
            return true;
        const bool written = output.write(out);
        out.clear();
        return written;
    };
    const LinesRead read = read_lines(input, each_line, after_chunk);
    if (read.end == ReadEnd::Stopped || !output.write(out))
        return {BatchEnd::WriteFailed};
    if (read.end == ReadEnd::Failed)
        return {BatchEnd::ReadFailed, read.read_error};
    return {all_valid ? BatchEnd::AllValid : BatchEnd::SomeInvalid};
}
