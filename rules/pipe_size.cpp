#include "rules/pipe_size.h"

#include <array>

#include "calc/number_text.h"

namespace tubaro {

namespace {

struct Band {
    double upper_mm;  // inclusive
    std::string_view designation;
};

constexpr std::array<Band, 9> kBands{{
    {13.2, "3/8\""},
    {16.7, "1/2\""},
    {22.3, "3/4\""},
    {27.9, "1\""},
    {36.6, "1''1/4"},
    {42.5, "1''1/2"},
    {53.9, "2\""},
    {69.7, "2''1/2"},
    {81.7, "3\""},
}};

}  // namespace

std::string_view nominal_pipe_size(double diameter_mm)
{
    for (const Band& band : kBands)
        if (diameter_mm <= band.upper_mm)
            return band.designation;
    return {};
}

std::optional<std::string_view> designation_of_text(std::string_view diameter_text,
                                                    std::string_view decimal_separator)
{
    if (diameter_text.empty())
        return std::nullopt;
    return nominal_pipe_size(text_to_double(diameter_text, decimal_separator));
}

}  // namespace tubaro
