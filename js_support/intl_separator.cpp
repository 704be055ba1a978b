#include "js_support/intl_separator.h"

#include <emscripten.h>

#include <cstdlib>
#include <memory>

// clang-format off
EM_JS(char*, js_intl_decimal_separator, (const char* tag), {
    return allocateUTF8(tubaroDecimalSeparator(UTF8ToString(tag)));
});
// clang-format on

std::string intl_decimal_separator(std::string_view language_tag)
{
    const std::unique_ptr<char, decltype(&std::free)> separator(
        js_intl_decimal_separator(std::string(language_tag).c_str()), &std::free);
    return separator ? std::string(separator.get()) : std::string(".");
}
