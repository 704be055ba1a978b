#include "cli/line_reader.h"

#include <string>

#include "cli/io_error.h"

LinesRead read_lines(std::FILE* input, const std::function<void(std::optional<std::string_view>)>& each_line,
                     const std::function<bool()>& after_chunk)
{
    std::string pending;    // the start of a line not yet ended in the read buffer
    bool too_long = false;  // the pending line has outgrown kLongestLine
    std::array<char, 1 << 16> buffer;

    const auto end_line = [&](std::string_view line) {
        // One byte over the limit may be the CR of a CR LF.
        const bool over = too_long || line.size() > kLongestLine + 1 ||
                          (line.size() == kLongestLine + 1 && line.back() != '\r');
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        each_line(over ? std::nullopt : std::optional(line));
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
        if (!after_chunk())
            return {ReadEnd::Stopped};
        if (read_error)
            return {ReadEnd::Failed, read_error};
        if (got == 0)
            break;
    }
    if (!pending.empty() || too_long)
        end_line(pending);
    return {ReadEnd::Done};
}

std::size_t split_fields(std::string_view line, std::array<std::string_view, 5>& fields)
{
    fields = {};
    std::size_t count = 0;
    for (;;) {
        const auto tab = line.find('\t');
        if (count < fields.size())
            fields[count] = line.substr(0, tab);
        ++count;
        if (tab == std::string_view::npos)
            return count;
        line.remove_prefix(tab + 1);
    }
}
