#pragma once

#include <string_view>
#include <vector>

// A text's lines, without their LFs (nothing after a last LF), as the
// fuzzers count what went in and what came out.
inline std::vector<std::string_view> lines_of(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}
