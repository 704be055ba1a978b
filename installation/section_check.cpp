#include "section_check.h"

#include <cstddef>
#include <cstdint>

#include "entry_check.h"
#include "outcome.h"

namespace tubaro {

namespace {

constexpr char32_t kNotUtf8 = 0xFFFFFFFF;

// The code point that starts `text`, and its length in bytes; kNotUtf8 for
// a byte that starts none, an overlong form, a surrogate or a value beyond
// U+10FFFF.
char32_t next_code_point(std::string_view text, std::size_t& length)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) {
        length = 1;
        return lead;
    }
    // The payload bits of the lead byte, and the lowest code point that
    // needs this many bytes (anything lower is an overlong form).
    char32_t point = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        point = lead & 0x1Fu;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        point = lead & 0x0Fu;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        point = lead & 0x07u;
        lowest = 0x10000;
    } else {
        return kNotUtf8;
    }
    if (text.size() < length)
        return kNotUtf8;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return kNotUtf8;
        point = point << 6 | (byte(i) & 0x3Fu);
    }
    if (point < lowest || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return kNotUtf8;
    return point;
}

bool is_control(char32_t point)
{
    return point < 0x20 || (point >= 0x7F && point <= 0x9F);
}

}  // namespace

std::optional<LineFault> name_fault(std::string_view name)
{
    if (name.empty())
        return LineFault::Missing;
    std::size_t characters = 0;
    bool control = false;
    for (std::string_view rest = name; !rest.empty(); ++characters) {
        std::size_t length = 0;
        const char32_t point = next_code_point(rest, length);
        if (point == kNotUtf8)
            return LineFault::NotUtf8;
        control |= is_control(point);
        rest.remove_prefix(length);
    }
    if (control)
        return LineFault::ControlCharacter;
    if (characters > kLongestName)
        return LineFault::TooManyCharacters;
    if (name.front() == '#')
        return LineFault::StartsWithHash;
    return std::nullopt;
}

std::optional<LineFault> value_fault(Quantity quantity, std::string_view text, std::string_view decimal_separator)
{
    if (text.empty())
        return LineFault::Missing;
    const Outcome<bool> accepted = capture([&] { return starts_recalculation(quantity, text, decimal_separator); });
    if (accepted.error() == ErrorKind::TypeMismatch)
        return LineFault::NotANumber;
    // A number beyond the doubles lies beyond the limit too.
    if (!accepted.ok() || !accepted.value())
        return LineFault::OutOfRange;
    return std::nullopt;
}

}  // namespace tubaro
