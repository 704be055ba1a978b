#include "form/user_texts.h"
#include "form/window_build.h"
#include "form/window_data.h"
#include "form/text_fit.h"

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
    EXPECT_EQ(twips_to_pixels(5, 144), 1);                    // 0.5
    EXPECT_EQ(twips_to_pixels(-5, 144), -1);                  // -0.5
    EXPECT_EQ(twips_to_pixels(-15, 144), -2);                 // -1.5
    EXPECT_EQ(twips_to_pixels(-4, 144), 0);                   // -0.4
}

// The font's size for the fixed layout, with a made-up measure in place of a
// toolkit's: `room` is the size at which the texts just fit, and a size of
// `hinted` measures a hair too wide.
TEST(FontFit, LargestSizeThatFits)
{
    struct Row {
        const char* name;
        int own, smallest;
        double room;
        int hinted;
        int expected;
        int measurements;  // sizes laid out: one, and one check at most
    };
    const Row rows[] = {
        {"FitsAsItIs", 18, 12, 20.0, 0, 18, 1},
        {"JustFits", 18, 12, 18.0, 0, 18, 1},
        {"InProportion", 18, 12, 14.0, 0, 14, 2},
        {"BetweenSteps", 18, 12, 14.6, 0, 14, 2},
        {"HintedOneStepDown", 18, 12, 14.6, 14, 13, 3},
        {"NeverBelowTheSmallest", 18, 12, 3.0, 0, 12, 1},
    };
    for (const Row& row : rows) {
        int measured = 0;
        const auto scale_at = [&](int size) {
            ++measured;
            return size == row.hinted ? 0.99 : row.room / size;
        };
        EXPECT_EQ(largest_fitting_size(row.own, row.smallest, scale_at), row.expected) << row.name;
        EXPECT_EQ(measured, row.measurements) << row.name;
    }
    EXPECT_DOUBLE_EQ(fit_scale({200, 10}, {100, 20}), 0.5);  // width-bound
    EXPECT_DOUBLE_EQ(fit_scale({50, 40}, {100, 20}), 0.5);   // height-bound
    EXPECT_DOUBLE_EQ(fit_scale({0, 0}, {100, 20}), 1.0);     // nothing to fit
}

// What the font must fit: every caption and start text, and both texts of
// the information line.
TEST(FontFit, TheTextsOfTheWindow)
{
    std::vector<std::string> seen;
    for (const TextToFit& each : texts_to_fit())
        seen.push_back(std::string(control_spec(each.control).name) + "=" + std::string(each.text));
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "Label3=Diametro [mm]", "Text_D=37", "Text_Pollici=1\"1/2", "G=P [kW]", "Text_P=116",
                        "Label4=Y tot. [Pa]", "Text_Y=100", "Label5=L equiv. [m]", "Text_L=30",
                        "Text1=cliccare qui per informazioni", "Text1=https://www.tubaro.example/gas",
                        "Text1=Versione Beta - 2004 11 19"}));
}

// A pointer's tooltip: none on a label, whose caption says it; the
// description elsewhere; why, on a control shown disabled.
TEST(WindowData, Tooltips)
{
    EXPECT_EQ(tooltip_of(control_spec(ControlId::Label3)), "");
    EXPECT_EQ(tooltip_of(control_spec(ControlId::Text_D)), "Diametro interno del tubo, in millimetri");
    EXPECT_EQ(tooltip_of(as_shown(control_spec(ControlId::Check1), {StayOnTop::NotInBrowser})),
              texts::kStayOnTopUnavailableInBrowser);
}

// The inch size, which the program only writes, is read-only where a tap
// would bring up a keyboard for it; editable in a desktop window.
TEST(WindowData, TheInchSizeReadOnlyWhereATapBringsUpAKeyboard)
{
    const ControlSpec& row = control_spec(ControlId::Text_Pollici);
    EXPECT_FALSE(as_shown(row, {}).has(kReadOnly));
    WindowTraits page{StayOnTop::AtAClick, false, true, true};
    EXPECT_TRUE(as_shown(row, page).has(kReadOnly));
    EXPECT_FALSE(as_shown(control_spec(ControlId::Text_D), page).has(kReadOnly));
}

}  // namespace
}  // namespace tubaro
