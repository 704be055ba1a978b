#include "window_data.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tubaro {

void PrintTo(const PixelRect& rect, std::ostream* out)
{
    *out << "{" << rect.left << ", " << rect.top << ", " << rect.width << ", " << rect.height << "}";
}

namespace {

struct PixelRow {
    const char* name;
    ControlId control;
    int dots_per_inch;
    PixelRect expected;
};

class ControlInPixels : public testing::TestWithParam<PixelRow> {};

TEST_P(ControlInPixels, EdgesAreConvertedNotSizes)
{
    EXPECT_EQ(to_pixels(control_spec(GetParam().control), GetParam().dots_per_inch), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ControlInPixels,
    testing::Values(PixelRow{"TextD96", ControlId::Text_D, 96, {96, 16, 54, 19}},
                    PixelRow{"TextL96", ControlId::Text_L, 96, {96, 112, 56, 19}},
                    PixelRow{"UpDownL96", ControlId::UpDown_L, 96, {152, 112, 17, 19}},
                    PixelRow{"TextL120", ControlId::Text_L, 120, {120, 140, 70, 24}},
                    PixelRow{"UpDownL120", ControlId::UpDown_L, 120, {190, 140, 21, 24}},
                    PixelRow{"TextY144", ControlId::Text_Y, 144, {144, 132, 83, 29}},
                    PixelRow{"Text1At144", ControlId::Text1, 144, {12, 204, 253, 29}},
                    PixelRow{"Check1At192", ControlId::Check1, 192, {368, 272, 34, 34}}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(WindowData, TextLEndsWhereItsSpinControlBeginsAtEveryResolution)
{
    for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        const PixelRect field = to_pixels(control_spec(ControlId::Text_L), dpi);
        const PixelRect spin = to_pixels(control_spec(ControlId::UpDown_L), dpi);
        EXPECT_EQ(field.left + field.width, spin.left) << dpi << " dpi";
    }
}

TEST(WindowData, ClientArea)
{
    EXPECT_EQ(twips_to_pixels(kClientWidthTwips, 96), 207);
    EXPECT_EQ(twips_to_pixels(kClientHeightTwips, 96), 161);
    EXPECT_EQ(twips_to_pixels(kClientWidthTwips, 144), 311);  // 310.5, half away from zero
}

}  // namespace
}  // namespace tubaro
