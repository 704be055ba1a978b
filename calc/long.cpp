#include "calc/long.h"

#include <charconv>

#include "calc/error_kind.h"

namespace tubaro {

std::string long_to_text(Long value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

Long checked_multiply(Long a, Long b)
{
    Long product;
    if (__builtin_mul_overflow(a, b, &product))
        raise(ErrorKind::Overflow);
    return product;
}

}  // namespace tubaro
