// Any bytes, read with both decimal separators: never a crash, and every
// result either agrees with a slow, independent re-reading of the text or is
// the error that re-reading predicts.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <regex>
#include <string>

#include "calc/error_kind.h"
#include "calc/number_text.h"

namespace {

using tubaro::CalcError;
using tubaro::ErrorKind;

struct Spelled {
    bool negative;
    std::string whole;     // without leading zeros
    std::string fraction;  // as written
};

// The accepted forms, written as a regular expression this time.
std::optional<Spelled> respell(const std::string& text, char separator)
{
    static const std::regex comma_form("^ *([+-]?)(?:([0-9]+)(?:,([0-9]*))?|,([0-9]+)) *$");
    static const std::regex point_form("^ *([+-]?)(?:([0-9]+)(?:\\.([0-9]*))?|\\.([0-9]+)) *$");
    const std::regex& form = separator == '.' ? point_form : comma_form;
    std::smatch match;
    if (!std::regex_match(text, match, form))
        return std::nullopt;
    Spelled spelled{match[1] == "-", match[2], match[3].matched ? match[3].str() : match[4].str()};
    spelled.whole.erase(0, spelled.whole.find_first_not_of('0') == std::string::npos
                               ? spelled.whole.size()
                               : spelled.whole.find_first_not_of('0'));
    return spelled;
}

// exact = value * 10^scale rounded halves to even; false beyond 10^30, which
// no range in use comes near.
bool scaled_reference(const Spelled& s, std::size_t scale, __int128& exact)
{
    std::string digits = s.whole + s.fraction.substr(0, std::min(scale, s.fraction.size()));
    digits.append(scale - std::min(scale, s.fraction.size()), '0');
    if (digits.find_first_not_of('0') != std::string::npos &&
        digits.size() - digits.find_first_not_of('0') > 30)
        return false;
    exact = 0;
    for (char c : digits)
        exact = exact * 10 + (c - '0');
    const std::string rest = s.fraction.size() > scale ? s.fraction.substr(scale) : "";
    if (!rest.empty()) {
        const std::string half = "5" + std::string(rest.size() - 1, '0');
        if (rest > half || (rest == half && exact % 2 == 1))
            exact += 1;
    }
    if (s.negative)
        exact = -exact;
    return true;
}

template <typename Read>
std::optional<ErrorKind> kind_of(Read read)
{
    try {
        read();
    } catch (const CalcError& error) {
        return error.kind();
    }
    return std::nullopt;
}

void check(const std::string& text, char separator)
{
    const std::string sep(1, separator);
    const auto spelled = respell(text, separator);

    if (!spelled) {
        if (kind_of([&] { (void)tubaro::text_to_long(text, sep); }) != ErrorKind::TypeMismatch ||
            kind_of([&] { (void)tubaro::text_to_currency(text, sep); }) != ErrorKind::TypeMismatch ||
            kind_of([&] { (void)tubaro::text_to_double(text, sep); }) != ErrorKind::TypeMismatch)
            std::abort();
        return;
    }

    // Long.
    __int128 exact = 0;
    const bool long_fits = scaled_reference(*spelled, 0, exact) && exact >= std::numeric_limits<std::int32_t>::min() &&
                           exact <= std::numeric_limits<std::int32_t>::max();
    try {
        const auto value = tubaro::text_to_long(text, sep);
        if (!long_fits || value != exact)
            std::abort();
    } catch (const CalcError& error) {
        if (long_fits || error.kind() != ErrorKind::Overflow)
            std::abort();
    }

    // Currency, as its count of ten-thousandths.
    const bool currency_fits = scaled_reference(*spelled, 4, exact) &&
                               exact >= std::numeric_limits<std::int64_t>::min() &&
                               exact <= std::numeric_limits<std::int64_t>::max();
    try {
        const auto value = tubaro::text_to_currency(text, sep).count();
        if (!currency_fits || value != exact)
            std::abort();
    } catch (const CalcError& error) {
        if (currency_fits || error.kind() != ErrorKind::Overflow)
            std::abort();
    }

    // Double: the C library's strtod, in the "C" locale, rounds correctly too.
    const std::string plain = (spelled->negative ? "-" : "") + (spelled->whole.empty() ? "0" : spelled->whole) + "." +
                              spelled->fraction + "0";
    errno = 0;
    const double reference = std::strtod(plain.c_str(), nullptr);
    const bool too_large = std::isinf(reference);
    try {
        const double value = tubaro::text_to_double(text, sep);
        if (too_large || std::memcmp(&value, &reference, sizeof value) != 0)
            std::abort();
    } catch (const CalcError& error) {
        if (!too_large || error.kind() != ErrorKind::Overflow)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 512)
        return 0;  // std::regex recurses once per character
    const std::string text(reinterpret_cast<const char*>(data), size);
    check(text, ',');
    check(text, '.');
    return 0;
}
