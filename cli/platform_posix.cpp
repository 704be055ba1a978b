#include <clocale>

#include "platform.h"

const std::string_view kRegionalSettingsSource = "da LC_NUMERIC o LANG";

std::string regional_decimal_separator()
{
    if (!std::setlocale(LC_NUMERIC, ""))
        return ".";
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
