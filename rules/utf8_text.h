#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tubaro {

// One character read off the front of a UTF-8 text.
struct CodePoint {
    char32_t value;
    std::size_t length;  // in bytes, 1 to 4
};

// The character that starts `text`, or nullopt where it does not start with
// a well-formed one: an empty text, a stray or missing continuation byte, an
// overlong form (C0 B1 for '1'), a surrogate (ED A0 80) or a code point
// above U+10FFFF (F4 90 80 80 and F5 to FF). Strict, so that no two byte
// sequences read as the same text.
std::optional<CodePoint> first_code_point(std::string_view text);

// Text that a one-line field can hold and show as it is: well-formed UTF-8
// with no control character (C0, DEL, C1), no line or paragraph separator
// (U+2028, U+2029) and no bidirectional formatting character (U+061C,
// U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069), which would reorder
// what is shown around it, in a field or a window's title.
bool plain_line_text(std::string_view text);

}  // namespace tubaro
