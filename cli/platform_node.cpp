#include <emscripten.h>

#include <cstdlib>
#include <memory>

#include "platform.h"

// tubarogas-calc for Node.js. The C library here knows no locale but C, so
// the separator comes from the language of the environment's LC_ALL,
// LC_NUMERIC or LANG (the first one set, as the C library would take it),
// as Node.js's Intl writes a decimal in it: a point for C or POSIX, or for a
// language Intl does not know.

const std::string_view kRegionalSettingsSource = "da LC_ALL, LC_NUMERIC o LANG";

// clang-format off
EM_JS(char*, node_decimal_separator, (), {
    const env = process.env;
    const locale = env.LC_ALL || env.LC_NUMERIC || env.LANG || "";
    // "it_IT.UTF-8@euro" is the language tag "it-IT".
    const tag = locale.split(/[.@]/)[0].replace("_", "-");
    let separator = ".";
    if (tag && tag !== "C" && tag !== "POSIX") {
        try {
            const part = new Intl.NumberFormat(tag).formatToParts(1.5).find(each => each.type === "decimal");
            if (part) separator = part.value;
        } catch (e) {
            // Not a language tag: the point.
        }
    }
    const size = lengthBytesUTF8(separator) + 1;
    const text = _malloc(size);
    stringToUTF8(separator, text, size);
    return text;
});
// clang-format on

std::string regional_decimal_separator()
{
    const std::unique_ptr<char, decltype(&std::free)> separator(node_decimal_separator(), &std::free);
    return separator ? std::string(separator.get()) : std::string(".");
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
