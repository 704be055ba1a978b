#include "pipe_size.h"

#include <array>

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

}  // namespace tubaro
