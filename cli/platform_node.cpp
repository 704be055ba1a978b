#include <emscripten.h>

#include <cstdlib>
#include <memory>

#include "js_support/intl_separator.h"
#include "cli/platform.h"

// tubarogas-calc for Node.js. The C library here knows no locale but C, so
// the separator comes from the language of the environment's LC_ALL,
// LC_NUMERIC or LANG (the first one set, as the C library would take it),
// as Node.js's Intl writes a decimal in it: a point for C or POSIX, or for a
// language Intl does not know.

const std::string_view kRegionalSettingsSource = "da LC_ALL, LC_NUMERIC o LANG";

// clang-format off
// The language of the first of LC_ALL, LC_NUMERIC and LANG that is set:
// "it_IT.UTF-8@euro" is "it-IT"; empty for C and POSIX.
EM_JS(char*, node_locale_language, (), {
    const env = process.env;
    const locale = env.LC_ALL || env.LC_NUMERIC || env.LANG || "";
    let tag = locale.split(/[.@]/)[0].replace("_", "-");
    if (tag === "C" || tag === "POSIX") tag = "";
    return allocateUTF8(tag);
});
// clang-format on

std::string regional_decimal_separator()
{
    const std::unique_ptr<char, decltype(&std::free)> language(node_locale_language(), &std::free);
    if (!language || !*language)
        return ".";
    return intl_decimal_separator(language.get());
}

std::FILE* open_for_reading(const std::string& utf8_name)
{
    return std::fopen(utf8_name.c_str(), "rb");
}

void use_binary_standard_streams() {}

int main(int argc, char* argv[])
{
    return tubarogas_calc({const_cast<const char* const*>(argv) + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)});
}
