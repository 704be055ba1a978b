#include "calc/plain_decimal.h"

#if defined(__EMSCRIPTEN__)
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#else
#include <charconv>
#endif

namespace tubaro {

#if defined(__EMSCRIPTEN__)

// The WebAssembly build's C++ library has no from_chars for double. Its C
// library's strtod (musl's) rounds as exactly, and knows no decimal point
// but the point, whatever the locale; only its out-of-range answers differ
// (infinity, or zero), and they are read back here as from_chars reports
// them.
std::optional<double> plain_decimal_to_double(std::string_view plain)
{
    const std::string terminated(plain);
    const double value = std::strtod(terminated.c_str(), nullptr);
    if (std::isinf(value))
        return std::nullopt;
    if (value == 0.0 && std::any_of(plain.begin(), plain.end(), [](char c) { return c >= '1' && c <= '9'; }))
        return std::nullopt;
    return value;
}

#else

std::optional<double> plain_decimal_to_double(std::string_view plain)
{
    double value = 0.0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc{})
        return std::nullopt;
    return value;
}

#endif

}  // namespace tubaro
