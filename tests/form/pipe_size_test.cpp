#include "rules/pipe_size.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "calc/error_kind.h"
#include "tests/support/windowless_form.h"

namespace tubaro {
namespace {

struct BandRow {
    const char* name;
    double diameter;
    const char* designation;
};

class Bands : public testing::TestWithParam<BandRow> {};

TEST_P(Bands, EachBoundBelongsToTheBandBelow)
{
    EXPECT_EQ(nominal_pipe_size(GetParam().diameter), GetParam().designation);
}

double above(double x) { return std::nextafter(x, 1e9); }

INSTANTIATE_TEST_SUITE_P(
    Bounds, Bands,
    testing::Values(BandRow{"Negative", -5.0, "3/8\""}, BandRow{"Zero", 0.0, "3/8\""},
                    BandRow{"At13_2", 13.2, "3/8\""}, BandRow{"Above13_2", above(13.2), "1/2\""},
                    BandRow{"At16_7", 16.7, "1/2\""}, BandRow{"Above16_7", above(16.7), "3/4\""},
                    BandRow{"At22_3", 22.3, "3/4\""}, BandRow{"Above22_3", above(22.3), "1\""},
                    BandRow{"At27_9", 27.9, "1\""}, BandRow{"Above27_9", above(27.9), "1''1/4"},
                    BandRow{"At36_6", 36.6, "1''1/4"}, BandRow{"Above36_6", above(36.6), "1''1/2"},
                    BandRow{"Start37", 37.0, "1''1/2"},
                    BandRow{"At42_5", 42.5, "1''1/2"}, BandRow{"Above42_5", above(42.5), "2\""},
                    BandRow{"At53_9", 53.9, "2\""}, BandRow{"Above53_9", above(53.9), "2''1/2"},
                    BandRow{"At69_7", 69.7, "2''1/2"}, BandRow{"Above69_7", above(69.7), "3\""},
                    BandRow{"At81_7", 81.7, "3\""}, BandRow{"Above81_7", above(81.7), ""},
                    BandRow{"Eighty82", 82.0, ""}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

// The rule for a text, which the window and the command line share.
struct TextRow {
    const char* name;
    std::string text;
    std::optional<std::string_view> designation;
    std::optional<ErrorKind> error = std::nullopt;
};

class DesignationOfText : public testing::TestWithParam<TextRow> {};

TEST_P(DesignationOfText, EmptyKeepsNumberNamesNotANumberFails)
{
    const TextRow& row = GetParam();
    try {
        EXPECT_EQ(designation_of_text(row.text, ","), row.designation);
        EXPECT_EQ(row.error, std::nullopt);
    } catch (const CalcError& error) {
        EXPECT_EQ(error.kind(), row.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DesignationOfText,
    testing::Values(TextRow{"EmptyKeepsTheDesignation", "", std::nullopt},
                    TextRow{"Start", "37", "1''1/2"}, TextRow{"DecimalComma", "13,2", "3/8\""},
                    TextRow{"JustAboveABound", "13,200001", "1/2\""}, TextRow{"AboveTheLastBand", "82", ""},
                    TextRow{"Spaces", "  ", std::nullopt, ErrorKind::TypeMismatch},
                    TextRow{"Word", "abc", std::nullopt, ErrorKind::TypeMismatch},
                    TextRow{"PointUnderComma", "13.2", std::nullopt, ErrorKind::TypeMismatch},
                    TextRow{"BeyondADouble", "1" + std::string(600, '0'), std::nullopt, ErrorKind::Overflow}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

constexpr auto D = Quantity::Diameter;

TEST(Indicator, StartTextStaysUntilTheFirstChange)
{
    WindowlessForm form;
    EXPECT_EQ(form.designation(), "1\"1/2");
    form.click_option(Quantity::Power);
    form.step(Quantity::Loss, +1);  // recalculates the power; D unchanged
    EXPECT_EQ(form.designation(), "1\"1/2");
}

TEST(Indicator, RecalculatingTheUnchangedStartDiameterKeepsTheStartText)
{
    // Writing back the equal text "37" is no change of Text_D.
    WindowlessForm form;
    form.press_key(Quantity::Power, {Key::Other, WindowlessForm::kShiftCode, kShift});
    form.release_key(Quantity::Power, {Key::Other, WindowlessForm::kShiftCode, kShift});
    EXPECT_EQ(form.text(D), "37");
    EXPECT_EQ(form.designation(), "1\"1/2");
}

TEST(Indicator, TypedDiameterUpdatesIt)
{
    WindowlessForm form;
    form.click_option(Quantity::Power);
    form.backspace(D);  // "3"
    EXPECT_EQ(form.designation(), "3/8\"");
    form.type(D, "8");
    EXPECT_EQ(form.designation(), "1''1/2");
}

TEST(Indicator, EmptyingKeepsTheDesignation)
{
    WindowlessForm form;
    form.click_option(Quantity::Power);
    form.paste(D, "20");
    form.paste(D, "");
    EXPECT_EQ(form.designation(), "3/4\"");
    EXPECT_TRUE(form.errors().empty());
}

TEST(Indicator, PasteUpdatesOnlyTheIndicator)
{
    WindowlessForm form;
    form.click_option(Quantity::Power);
    form.paste(D, "60");
    EXPECT_EQ(form.designation(), "2''1/2");
    EXPECT_EQ(form.text(Quantity::Power), "116");
    EXPECT_EQ(form.results_written(), 0);
}

TEST(Indicator, NotANumberKeepsTheDesignationAndReportsTwice)
{
    WindowlessForm form;
    form.click_option(Quantity::Power);
    form.type(D, "a");  // "37a": the change and then the key release fail
    EXPECT_EQ(form.designation(), "1\"1/2");
    EXPECT_EQ(form.errors(), (std::vector<ErrorKind>{ErrorKind::TypeMismatch, ErrorKind::TypeMismatch}));
}

TEST(Indicator, TypedIntoItIsReplacedAtTheNextChange)
{
    WindowlessForm form;
    form.paste(ControlId::Text_Pollici, "qualcosa");
    form.paste(Quantity::Power, "10");
    form.step(Quantity::Power, -1);  // 9 kW: computes D = 14
    EXPECT_EQ(form.text(D), "14");
    EXPECT_EQ(form.designation(), "1/2\"");
}

}  // namespace
}  // namespace tubaro
