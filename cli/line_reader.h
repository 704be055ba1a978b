#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <string_view>

// The longest line read, not counting its LF or CR LF. A longer line is not
// held in memory: its reader is told only that it was there.
inline constexpr std::size_t kLongestLine = 64 * 1024;

enum class ReadEnd {
    Done,     // the input read to its end
    Stopped,  // after_chunk asked to stop
    Failed,   // a read failed (errno in LinesRead)
};

struct LinesRead {
    ReadEnd end;
    int read_error = 0;
};

// Reads `input` to its end and hands each line on, in order, without its
// LF and a CR before it: nullopt for a line longer than kLongestLine.
// after_chunk runs after each read's lines (a batch writes what it has
// there); false from it stops the reading. The lines before a failed read
// are all handed on.
LinesRead read_lines(std::FILE* input, const std::function<void(std::optional<std::string_view>)>& each_line,
                     const std::function<bool()>& after_chunk);

// Splits a line on its tabs into `fields` (the first ones, the others
// empty) and gives how many fields it has.
std::size_t split_fields(std::string_view line, std::array<std::string_view, 5>& fields);
