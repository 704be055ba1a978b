#include "tsv_batch.h"

#include <array>
#include <cerrno>
#include <string>
#include <string_view>

#include "io_error.h"
#include "sizing_case.h"

namespace {

constexpr std::string_view kInvalidLine = "riga non valida";

// Splits on tabs; false when the line does not have exactly five fields.
bool split_five(std::string_view line, std::array<std::string_view, 5>& fields, std::size_t& count)
{
    count = 0;
    for (;;) {
        const auto tab = line.find('\t');
        if (count < fields.size())
            fields[count] = line.substr(0, tab);
        ++count;
        if (tab == std::string_view::npos)
            break;
        line.remove_prefix(tab + 1);
    }
    return count == fields.size();
}

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
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.empty() || line.front() == '#') {
        out += line;
        out += '\n';
        return true;
    }

    std::array<std::string_view, 5> fields{};
    std::size_t count = 0;
    const bool five = split_five(line, fields, count);
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
    std::string pending;       // the start of a line not yet ended in the read buffer
    bool too_long = false;     // the pending line has outgrown kLongestLine
    std::array<char, 1 << 16> buffer;

    const auto end_line = [&](std::string_view line) {
        // One byte over the limit may be the CR of a CR LF.
        const bool over = too_long || line.size() > kLongestLine + 1 ||
                          (line.size() == kLongestLine + 1 && line.back() != '\r');
        if (over) {
            out += "\t\t\t\t\t\t";
            out += kInvalidLine;
            out += '\n';
            all_valid = false;
        } else {
            all_valid &= process_line(line, separator, out);
        }
        pending.clear();
        too_long = false;
    };
    const auto keep = [&](std::string_view part) {
        if (too_long)
            return;
        if (pending.size() + part.size() > kLongestLine + 1) {
            too_long = true;
            pending.clear();
            return;
        }
        pending += part;
    };

    for (;;) {
        clear_io_error();
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), input);
        const int read_error = std::ferror(input) ? last_io_error(input) : 0;
        std::string_view chunk(buffer.data(), got);
        for (auto newline = chunk.find('\n'); newline != std::string_view::npos; newline = chunk.find('\n')) {
            if (pending.empty() && !too_long) {
                end_line(chunk.substr(0, newline));
            } else {
                keep(chunk.substr(0, newline));
                end_line(pending);
            }
            chunk.remove_prefix(newline + 1);
        }
        keep(chunk);
        if (out.size() > (1 << 16)) {
            if (!output.write(out))
                return {BatchEnd::WriteFailed};
            out.clear();
        }
        if (read_error) {
            if (!output.write(out))
                return {BatchEnd::WriteFailed};
            return {BatchEnd::ReadFailed, read_error};
        }
        if (got == 0)
            break;
    }
    if (!pending.empty() || too_long)
        end_line(pending);
    if (!output.write(out))
        return {BatchEnd::WriteFailed};
    return {all_valid ? BatchEnd::AllValid : BatchEnd::SomeInvalid};
}
