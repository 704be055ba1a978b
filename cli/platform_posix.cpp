#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "cli/platform.h"

const std::string_view kRegionalSettingsSource = "da LC_ALL, LC_NUMERIC o LANG";

namespace {

// The locale the C library is told to use for numbers: the first of LC_ALL,
// LC_NUMERIC and LANG that is set.
std::string named_locale()
{
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG"})
        if (const char* value = std::getenv(name); value && *value)
            return value;
    return "";
}

}  // namespace

std::string regional_decimal_separator()
{
    if (!std::setlocale(LC_NUMERIC, "")) {
        // Not installed: the point, as documented, but not in silence, since
        // the window and tubarogas-calc.js read the same setting as the
        // language's own separator.
        std::fprintf(stderr,
                     "tubarogas-calc: la lingua %s non è installata: separatore decimale \".\"; usare "
                     "--separatore\n",
                     named_locale().c_str());
        return ".";
    }
    std::string separator = std::localeconv()->decimal_point;
    std::setlocale(LC_NUMERIC, "C");
    return separator.empty() ? "." : separator;
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
