#include "sizing_link.h"

#include <utility>

#include "quantity_words.h"
#include "utf8_text.h"

namespace tubaro {

namespace {

constexpr std::string_view kModeName = "calcola";

bool unreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

std::string escaped(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char each : text) {
        const auto c = static_cast<unsigned char>(each);
        if (unreserved(c)) {
            out += each;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return out;
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

std::optional<std::string> unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = hex_digit(text[i + 1]);
        const int low = hex_digit(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::string with_separator(std::string_view text, std::string_view from, std::string_view to)
{
    if (from == to || from.empty())
        return std::string(text);
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i, from.size()) == from) {
            out += to;
            i += from.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

}  // namespace

std::string link_fragment(Quantity mode, const FieldTexts& texts, std::string_view decimal_separator)
{
    // Appended piece by piece: GCC 12 at -O3 takes "&" + std::string(...)
    // for overlapping copies.
    std::string fragment(kModeName);
    fragment.append("=").append(kQuantityWords[mode].word);
    for (Quantity quantity : kQuantities)
        if (quantity != mode)
            fragment.append("&").append(kQuantityWords[quantity].word).append("=").append(
                escaped(with_separator(texts[quantity], decimal_separator, ".")));
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
        const std::optional<std::string> value = unescaped(pair.substr(equals + 1));
        if (!value || !plain_line_text(*value))
            continue;
        if (name == kModeName) {
            if (!std::exchange(mode_read, true))
                link.mode = quantity_named(*value, false);
        } else if (const auto quantity = quantity_named(name, false)) {
            if (!std::exchange(read[*quantity], true))
                link.texts[*quantity] = with_separator(*value, ".", decimal_separator);
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
