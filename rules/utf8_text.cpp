#include "rules/utf8_text.h"

namespace tubaro {

std::optional<CodePoint> first_code_point(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return CodePoint{lead, 1};
    // The lead byte gives the length and the least value that needs it; the
    // ranges of RFC 3629, table 3-7 of the Unicode standard.
    struct Form {
        std::size_t length;
        char32_t lead_bits;
        char32_t least;
    };
    Form form{};
    if (lead >= 0xC2 && lead <= 0xDF)
        form = {2, 0x1F, 0x80};
    else if (lead >= 0xE0 && lead <= 0xEF)
        form = {3, 0x0F, 0x800};
    else if (lead >= 0xF0 && lead <= 0xF4)
        form = {4, 0x07, 0x10000};
    else
        return std::nullopt;
    const std::size_t length = form.length;
    char32_t value = lead & form.lead_bits;
    if (text.size() < length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return std::nullopt;
        value = (value << 6) | (byte(i) & 0x3Fu);
    }
    if (value < form.least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    return CodePoint{value, length};
}

bool plain_line_text(std::string_view text)
{
    while (!text.empty()) {
        const auto each = first_code_point(text);
        if (!each)
            return false;
        const char32_t c = each->value;
        const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
        const bool bidirectional = c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
                                   (c >= 0x2066 && c <= 0x2069);
        const bool line_break = c == 0x2028 || c == 0x2029;
        if (control || bidirectional || line_break)
            return false;
        text.remove_prefix(each->length);
    }
    return true;
}

}  // namespace tubaro
