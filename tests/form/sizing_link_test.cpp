#include <gtest/gtest.h>

#include <functional>

#include "tests/support/quantity_letters.h"
#include "rules/sizing_link.h"
#include "tests/support/windowless_form.h"

namespace tubaro {
namespace {

using namespace letters;

struct FragmentRow {
    const char* name;
    Quantity mode;
    PerQuantity<const char*> texts;
    const char* separator;
    const char* fragment;
};

class Fragment : public testing::TestWithParam<FragmentRow> {};

TEST_P(Fragment, IsWrittenAndReadBack)
{
    const FragmentRow& row = GetParam();
    const FieldTexts texts{{row.texts[D], row.texts[P], row.texts[Y], row.texts[L]}};
    EXPECT_EQ(link_fragment(row.mode, texts, row.separator), row.fragment);
    const SizingLink link = read_link_fragment(row.fragment, row.separator);
    EXPECT_EQ(link.mode, row.mode);
    for (Quantity quantity : kQuantities)
        EXPECT_EQ(link.texts[quantity], quantity == row.mode ? std::nullopt : std::optional<std::string>(row.texts[quantity]));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Fragment,
    testing::Values(
        FragmentRow{"Start", D, {{"37", "116", "100", "30"}}, ",", "calcola=diametro&potenza=116&perdita=100&lunghezza=30"},
        FragmentRow{"CommaBecomesAPoint", L, {{"37", "116,5", "100", ""}}, ",", "calcola=lunghezza&diametro=37&potenza=116.5&perdita=100"},
        FragmentRow{"AnythingElseEscaped", P, {{" +5 ", "", "1e3", "x&y=<b>"}}, ".",
                    "calcola=potenza&diametro=%20%2B5%20&perdita=1e3&lunghezza=x%26y%3D%3Cb%3E"},
        FragmentRow{"APointThatIsNoSeparator", Y, {{"1.000", "116,5", "", "30"}}, ",",
                    "calcola=perdita&diametro=1%2E000&potenza=116.5&lunghezza=30"},
        FragmentRow{"ASeparatorOfTwoBytes", D, {{"", "116\xD9\xAB" "5", "1.0", "30"}}, "\xD9\xAB",
                    "calcola=diametro&potenza=116.5&perdita=1%2E0&lunghezza=30"}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

// What a fragment gives that cannot all be used: only what can.
struct HostileRow {
    const char* name;
    std::string fragment;
    std::optional<Quantity> mode;
    std::optional<std::string> power;
};

class HostileFragment : public testing::TestWithParam<HostileRow> {};

TEST_P(HostileFragment, GivesOnlyWhatCanBeUsed)
{
    const HostileRow& row = GetParam();
    const SizingLink link = read_link_fragment(row.fragment, ",");
    EXPECT_EQ(link.mode, row.mode);
    EXPECT_EQ(link.texts[P], row.power);
    EXPECT_EQ(link.texts[D], std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HostileFragment,
    testing::Values(HostileRow{"Empty", "", std::nullopt, std::nullopt},
                    HostileRow{"UnknownNames", "calcola=volume&volume=5&potenza=5", std::nullopt, "5"},
                    HostileRow{"NoEquals", "potenza&calcola", std::nullopt, std::nullopt},
                    HostileRow{"Nul", "potenza=1%00", std::nullopt, std::nullopt},
                    HostileRow{"ANewLine", "potenza=1%0A2", std::nullopt, std::nullopt},
                    HostileRow{"BrokenEscape", "potenza=%Z1&calcola=perdita", Y, std::nullopt},
                    HostileRow{"CutEscape", "potenza=1%2", std::nullopt, std::nullopt},
                    HostileRow{"NotUtf8", "potenza=%FF", std::nullopt, std::nullopt},
                    HostileRow{"Overlong", "potenza=%C0%B1", std::nullopt, std::nullopt},
                    HostileRow{"OverlongThreeBytes", "potenza=%E0%80%B1", std::nullopt, std::nullopt},
                    HostileRow{"Surrogate", "potenza=%ED%A0%80", std::nullopt, std::nullopt},
                    HostileRow{"AboveTheLastCodePoint", "potenza=%F4%90%80%80", std::nullopt, std::nullopt},
                    HostileRow{"LeadF5", "potenza=%F5%80%80%80", std::nullopt, std::nullopt},
                    HostileRow{"TheLastCodePoint", "potenza=%F4%8F%BF%BF", std::nullopt, "\xF4\x8F\xBF\xBF"},
                    HostileRow{"Delete", "potenza=1%7F", std::nullopt, std::nullopt},
                    HostileRow{"C1Control", "potenza=%C2%85", std::nullopt, std::nullopt},
                    HostileRow{"AfterTheC1Controls", "potenza=%C2%A0", std::nullopt, "\xC2\xA0"},
                    HostileRow{"ArabicLetterMark", "potenza=%D8%9C", std::nullopt, std::nullopt},
                    HostileRow{"LeftToRightMark", "potenza=%E2%80%8E", std::nullopt, std::nullopt},
                    HostileRow{"RightToLeftMark", "potenza=%E2%80%8F", std::nullopt, std::nullopt},
                    HostileRow{"LeftToRightEmbedding", "potenza=%E2%80%AA", std::nullopt, std::nullopt},
                    HostileRow{"BeforeTheEmbeddings", "potenza=%E2%80%A9", std::nullopt, std::nullopt},
                    HostileRow{"LineSeparator", "potenza=%E2%80%A8", std::nullopt, std::nullopt},
                    HostileRow{"AfterTheIsolates", "potenza=%E2%81%AA", std::nullopt, "\xE2\x81\xAA"},
                    HostileRow{"RightToLeftOverride", "potenza=%E2%80%AE", std::nullopt, std::nullopt},
                    HostileRow{"FirstIsolate", "potenza=%E2%81%A6", std::nullopt, std::nullopt},
                    HostileRow{"PopDirectionalIsolate", "potenza=%E2%81%A9", std::nullopt, std::nullopt},
                    HostileRow{"Utf8", "potenza=%C3%A8", std::nullopt, "\xC3\xA8"},
                    HostileRow{"Utf8FourBytesAndANine", "potenza=%F0%9F%94%A5%39", std::nullopt, "\xF0\x9F\x94\xA5" "9"},
                    HostileRow{"HalfAnEscape", "potenza=%4Z", std::nullopt, std::nullopt},
                    HostileRow{"LettersAreNoNames", "P=5&calcola=P", std::nullopt, std::nullopt},
                    HostileRow{"TheFirstOfTwo", "potenza=1&potenza=2&calcola=potenza&calcola=diametro", P, "1"},
                    HostileRow{"MarkupIsAText", "potenza=%3Cscript%3E", std::nullopt, "<script>"},
                    HostileRow{"AHugeNumber", "potenza=" + std::string(100000, '9'), std::nullopt, std::string(100000, '9')}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(SizingSummary, TheComputedQuantityFirst)
{
    EXPECT_EQ(sizing_summary(D, {{"37", "116", "100", "30"}}, "1''1/2"), "D 37 mm 1''1/2 · P 116 kW · Y 100 Pa · L 30 m");
    EXPECT_EQ(sizing_summary(Y, {{"37", "116,5", "100", "30"}}, ""), "Y 100 Pa · D 37 mm · P 116,5 kW · L 30 m");
}

// A link opened in a page: as typed, then as a key release would.
struct OpenRow {
    const char* name;
    const char* fragment;
    Quantity mode;
    PerQuantity<const char*> texts;
    const char* designation;
    std::optional<ErrorKind> error;
};

class OpenedLink : public testing::TestWithParam<OpenRow> {};

TEST_P(OpenedLink, GivesWhatTypingWould)
{
    const OpenRow& row = GetParam();
    WindowlessForm form(",", {StayOnTop::AtAClick, false});
    FormEvent opened{FormEvent::Kind::AddressChanged};
    opened.address = row.fragment;
    form.send(opened);
    EXPECT_EQ(form.mode(), row.mode);
    for (Quantity quantity : kQuantities) {
        EXPECT_EQ(form.text(quantity), row.texts[quantity]) << static_cast<int>(quantity);
        EXPECT_EQ(form.spin_visible(quantity), quantity != row.mode);
    }
    EXPECT_EQ(form.designation(), row.designation);
    EXPECT_EQ(form.last_error(), row.error);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OpenedLink,
    testing::Values(
        OpenRow{"Diameter", "calcola=diametro&potenza=50&perdita=200&lunghezza=20", D, {{"21", "50", "200", "20"}}, "3/4\"", std::nullopt},
        OpenRow{"Power", "calcola=potenza&diametro=40&perdita=100&lunghezza=30", P, {{"40", "142", "100", "30"}}, "1''1/2", std::nullopt},
        OpenRow{"Loss", "calcola=perdita&diametro=37&potenza=116&lunghezza=30", Y, {{"37", "116", "100", "30"}}, "1''1/2", std::nullopt},
        OpenRow{"LengthWithTheComma", "calcola=lunghezza&diametro=37&potenza=116.5&perdita=100", L, {{"37", "116,5", "100", "30"}}, "1''1/2", std::nullopt},
        OpenRow{"OutOfRange", "calcola=diametro&potenza=9000", D, {{"", "9000", "100", "30"}}, "", std::nullopt},
        OpenRow{"NoNumber", "calcola=potenza&diametro=abc", P, {{"abc", "", "100", "30"}}, "", ErrorKind::TypeMismatch},
        OpenRow{"NothingUsable", "potenza=%00", D, {{"37", "116", "100", "30"}}, "1\"1/2", std::nullopt}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

// What a page says of its sizing, after whatever happened last: its
// address, title and sheet describe the screen, a result or its absence.
struct RecordRow {
    const char* name;
    std::optional<std::string> address;
    std::function<void(WindowlessForm&)> then;
    const char* fragment;
    const char* title;
    PerQuantity<const char*> values;
    PerQuantity<const char*> notes;
    const char* designation;
};

class PageRecord : public testing::TestWithParam<RecordRow> {};

TEST_P(PageRecord, DescribesTheScreen)
{
    const RecordRow& row = GetParam();
    WindowlessForm form(",", {StayOnTop::AtAClick, false, true}, {std::nullopt, false, {}, row.address.value_or("")});
    if (row.then)
        row.then(form);
    ASSERT_FALSE(form.records().empty());
    const SizingRecord& record = form.records().back();
    EXPECT_EQ(record.fragment, row.fragment);
    EXPECT_EQ(record.title, row.title);
    for (Quantity quantity : kQuantities) {
        EXPECT_EQ(record.values[quantity], row.values[quantity]) << static_cast<int>(quantity);
        EXPECT_EQ(record.notes[quantity], row.notes[quantity]) << static_cast<int>(quantity);
    }
    EXPECT_EQ(record.designation, row.designation);
}

const auto kOpen = [](const char* fragment) {
    return [fragment](WindowlessForm& form) {
        FormEvent opened{FormEvent::Kind::AddressChanged};
        opened.address = fragment;
        form.send(opened);
    };
};

INSTANTIATE_TEST_SUITE_P(
    Rows, PageRecord,
    testing::Values(
        RecordRow{"TheStartIsTheBareAddress", std::nullopt, {}, "", "Tubaro GAS · D 37 mm 1\"1/2 · P 116 kW · Y 100 Pa · L 30 m",
                  {{"37", "116", "100", "30"}}, {{"calcolato", "", "", ""}}, "1\"1/2"},
        RecordRow{"ALinkWithNoResult", "calcola=lunghezza&diametro=50&potenza=9000&perdita=20", {},
                  "calcola=lunghezza&diametro=50&potenza=9000&perdita=20", "Tubaro GAS · L – · D 50 mm 2\" · P 9000 kW · Y 20 Pa",
                  {{"50", "9000", "20", "–"}}, {{"", "", "", "nessun risultato"}}, "2\""},
        RecordRow{"ThenALinkWithNoResult", "calcola=potenza&diametro=40&perdita=100&lunghezza=30",
                  kOpen("calcola=diametro&potenza=9000"), "calcola=diametro&potenza=9000&perdita=100&lunghezza=30",
                  "Tubaro GAS · D – · P 9000 kW · Y 100 Pa · L 30 m", {{"–", "9000", "100", "30"}},
                  {{"nessun risultato", "", "", ""}}, ""},
        RecordRow{"ALinkThatNamesNothing", "calcola=lunghezza", kOpen("potenza=%00"),
                  "calcola=lunghezza&diametro=37&potenza=116&perdita=100",
                  "Tubaro GAS · L 30 m · D 37 mm 1''1/2 · P 116 kW · Y 100 Pa", {{"37", "116", "100", "30"}},
                  {{"", "", "", "calcolato"}}, "1''1/2"},
        RecordRow{"BackToABareAddress", "calcola=potenza&diametro=40&perdita=100&lunghezza=30", kOpen(""), "",
                  "Tubaro GAS · D 37 mm 1''1/2 · P 116 kW · Y 100 Pa · L 30 m", {{"37", "116", "100", "30"}},
                  {{"calcolato", "", "", ""}}, "1''1/2"},
        RecordRow{"AnOptionChosen", std::nullopt, [](WindowlessForm& form) { form.click_option(P); },
                  "calcola=potenza&diametro=37&perdita=100&lunghezza=30",
                  "Tubaro GAS · P 116 kW · D 37 mm 1\"1/2 · Y 100 Pa · L 30 m", {{"37", "116", "100", "30"}},
                  {{"", "calcolato", "", ""}}, "1\"1/2"},
        RecordRow{"AResultLeftFromOtherInputs", std::nullopt,
                  [](WindowlessForm& form) {
                      form.type(Y, "0");
                      form.type(P, "00");
                  },
                  "calcola=diametro&potenza=11600&perdita=1000&lunghezza=30",
                  "Tubaro GAS · D – · P 11600 kW · Y 1000 Pa · L 30 m", {{"–", "11600", "1000", "30"}},
                  {{"nessun risultato", "", "", ""}}, ""},
        RecordRow{"AnEmptyInput", std::nullopt, [](WindowlessForm& form) { form.backspace(L), form.backspace(L); },
                  "calcola=diametro&potenza=116&perdita=100&lunghezza=", "Tubaro GAS · D – · P 116 kW · Y 100 Pa · L –",
                  {{"–", "116", "100", "–"}}, {{"nessun risultato", "", "", ""}}, ""},
        RecordRow{"TheComma", "calcola=lunghezza&diametro=37&potenza=116.5&perdita=100", {},
                  "calcola=lunghezza&diametro=37&potenza=116.5&perdita=100",
                  "Tubaro GAS · L 30 m · D 37 mm 1''1/2 · P 116,5 kW · Y 100 Pa", {{"37", "116,5", "100", "30"}},
                  {{"", "", "", "calcolato"}}, "1''1/2"}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

}  // namespace
}  // namespace tubaro
