#include "tsv_batch.h"

#include <array>
#include <string>
#include <string_view>

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

int run_tsv(std::FILE* input, std::FILE* output, std::string_view separator)
{
    bool all_valid = true;
    std::string out;
    std::string pending;  // a line not yet ended in the read buffer
    std::array<char, 1 << 16> buffer;

    const auto flush = [&] {
        std::fwrite(out.data(), 1, out.size(), output);
        out.clear();
    };

    for (;;) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), input);
        if (got == 0)
            break;
        std::string_view chunk(buffer.data(), got);
        for (auto newline = chunk.find('\n'); newline != std::string_view::npos; newline = chunk.find('\n')) {
            if (pending.empty()) {
                all_valid &= process_line(chunk.substr(0, newline), separator, out);
            } else {
                pending += chunk.substr(0, newline);
                all_valid &= process_line(pending, separator, out);
                pending.clear();
            }
            chunk.remove_prefix(newline + 1);
        }
        pending += chunk;
        if (out.size() > (1 << 16))
            flush();
    }
    if (!pending.empty())
        all_valid &= process_line(pending, separator, out);
    flush();
    std::fflush(output);
    return all_valid ? 0 : 1;
}
