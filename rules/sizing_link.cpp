#include "rules/sizing_link.h"

#include <utility>

#include "rules/quantity_words.h"
#include "rules/utf8_text.h"

namespace tubaro {

namespace {

constexpr std::string_view kModeName = "calcola";

bool unreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

// A point typed is escaped (%2E), so that only the writer's separator
// becomes the reader's: "1.000" typed in Italian, no number there, stays no
// number.
std::string link_value(std::string_view text, std::string_view separator)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (!separator.empty() && text.substr(i, separator.size()) == separator) {
            out += '.';
            i += separator.size();
            continue;
        }
        const auto c = static_cast<unsigned char>(text[i++]);
        if (unreserved(c) && c != '.') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return out;
}

std::optional<std::string> link_value_text(std::string_view value, std::string_view separator)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '.') {
            out += separator;
            continue;
        }
        if (value[i] != '%') {
            out += value[i];
            continue;
        }
        if (i + 2 >= value.size())
            return std::nullopt;
        const int high = hex_digit(value[i + 1]);
        const int low = hex_digit(value[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::string link_fragment(Quantity mode, const FieldTexts& texts, std::string_view decimal_separator)
{
    // Appended piece by piece: GCC 12 at -O3 takes "&" + std::string(...)
    // for overlapping copies.
    std::string fragment(kModeName);
    fragment.append("=").append(kQuantityWords[mode].word);
    for (Quantity quantity : kQuantities)
        if (quantity != mode)
            fragment.append("&").append(kQuantityWords[quantity].word).append("=").append(
                link_value(texts[quantity], decimal_separator));
    return fragment;
}

SizingLink read_link_fragment(std::string_view fragment, std::string_view decimal_separator)
{
    SizingLink link;
    bool mode_read = false;
    PerQuantity<bool> read{};
    while (!fragment.empty()) {
        const std::size_t end = fragment.find('&');
        const std::string_view pair = fragment.substr(0, end);
        fragment = end == std::string_view::npos ? std::string_view() : fragment.substr(end + 1);
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view name = pair.substr(0, equals);
        const std::string_view raw = pair.substr(equals + 1);
        if (name == kModeName) {
            const std::optional<std::string> value = link_value_text(raw, ".");
            if (value && plain_line_text(*value) && !std::exchange(mode_read, true))
                link.mode = quantity_named(*value, false);
        } else if (const auto quantity = quantity_named(name, false)) {
            const std::optional<std::string> value = link_value_text(raw, decimal_separator);
            if (value && plain_line_text(*value) && !std::exchange(read[*quantity], true))
                link.texts[*quantity] = *value;
        }
    }
    return link;
}

std::string sizing_summary(Quantity mode, const FieldTexts& texts, std::string_view designation)
{
    std::string summary;
    const auto append = [&](Quantity quantity) {
        summary.append(kQuantityWords[quantity].letter).append(" ");
        if (texts[quantity].empty()) {
            summary.append("–");
            return;
        }
        summary.append(texts[quantity]).append(" ").append(kQuantityWords[quantity].unit);
        if (quantity == Quantity::Diameter && !designation.empty())
            summary.append(" ").append(designation);
    };
    append(mode);
    for (Quantity quantity : kQuantities) {
        if (quantity != mode) {
            summary.append(" · ");
            append(quantity);
        }
    }
    return summary;
}

}  // namespace tubaro
