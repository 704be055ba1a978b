// An installation in a page's address, and the texts the page shows of it:
// what is written, what is read back, and what a hostile or cut address
// opens (only what can be read, and a note that says so).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/installation_link.h"
#include "rules/installation_words.h"

namespace tubaro {
namespace {

// "TRATTO|DA|L|D|KW", one a section.
std::vector<std::string> joined(const InstallationLink& link)
{
    std::vector<std::string> out;
    for (const auto& texts : link.sections) {
        std::string line;
        for (SectionField field : kSectionFields)
            line.append(field == SectionField::Name ? "" : "|").append(texts[field]);
        out.push_back(line);
    }
    return out;
}

std::vector<SectionLine> lines_of(const std::vector<std::array<std::string, 5>>& texts)
{
    std::vector<SectionLine> lines;
    for (const auto& each : texts)
        lines.push_back({{{each[0], each[1], each[2], each[3], each[4]}}, std::nullopt});
    return lines;
}

struct RoundTripRow {
    const char* name;
    const char* separator;
    std::vector<std::array<std::string, 5>> sections;
    const char* allowance;
    const char* fragment;
};

class RoundTrip : public testing::TestWithParam<RoundTripRow> {};

TEST_P(RoundTrip, IsWrittenAndReadBackWhole)
{
    const RoundTripRow& row = GetParam();
    const std::vector<SectionLine> lines = lines_of(row.sections);
    EXPECT_EQ(installation_fragment(row.allowance, lines, row.separator), row.fragment);
    const InstallationLink link = read_installation_fragment(row.fragment, row.separator);
    EXPECT_TRUE(link.whole());
    EXPECT_EQ(link.allowance, row.allowance);
    ASSERT_EQ(link.sections.size(), row.sections.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        for (SectionField field : kSectionFields)
            EXPECT_EQ(link.sections[i][field], lines[i].texts[field]);
    EXPECT_FALSE(link_note(link));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RoundTrip,
    testing::Values(
        RoundTripRow{"TheReadmeHouse",
                     ",",
                     {{"Montante", "", "10", "26", ""},
                      {"Caldaia", "Montante", "6", "", "24"},
                      {"Cucina", "Montante", "8", "", ""},
                      {"Piano cottura", "Cucina", "3", "", "8,5"},
                      {"Scaldabagno", "Cucina", "4", "16", "19,5"}},
                     "100",
                     "impianto=Montante,,10,26,;Caldaia,Montante,6,,24;Cucina,Montante,8,,;Piano%20cottura,Cucina,3,,8.5;"
                     "Scaldabagno,Cucina,4,16,19.5&ammessa=100"},
        RoundTripRow{"ThePointOfAnEnglishReader", ".", {{"A", "", "2.5", "", "8.5"}}, "99.5",
                     "impianto=A,,2.5,,8.5&ammessa=99.5"},
        // A name's point is a point for every reader; a number's point
        // that is no separator is escaped, so it stays no number.
        RoundTripRow{"NamesKeepTheirMarks",
                     ",",
                     {{"a,b;c&d=e%f.g", "", "1.000", "", ""}, {"Cucina 2°", "a,b;c&d=e%f.g", "3", "", "5"}},
                     "",
                     "impianto=a%2Cb%3Bc%26d%3De%25f%2Eg,,1%2E000,,;Cucina%202%C2%B0,a%2Cb%3Bc%26d%3De%25f%2Eg,3,,5"
                     "&ammessa="},
        RoundTripRow{"NoSection", ",", {}, "100", "impianto=&ammessa=100"},
        RoundTripRow{"OneSectionOfEmptyTexts", ",", {{"", "", "", "", ""}}, "100", "impianto=,,,,&ammessa=100"}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

// What an address gives that cannot all be read: the sections that can, in
// their order, and a note of the rest.
struct HostileRow {
    const char* name;
    std::string fragment;
    std::vector<std::string> sections;
    std::optional<std::string> allowance;
    const char* note;  // none: opened whole
};

class HostileAddress : public testing::TestWithParam<HostileRow> {};

TEST_P(HostileAddress, OpensOnlyWhatCanBeRead)
{
    const HostileRow& row = GetParam();
    const InstallationLink link = read_installation_fragment(row.fragment, ",");
    EXPECT_EQ(joined(link), row.sections);
    EXPECT_EQ(link.allowance, row.allowance);
    EXPECT_EQ(link_note(link), row.note ? std::optional<std::string>(row.note) : std::nullopt);
}

std::string many_sections(int count)
{
    std::string fragment = "impianto=";
    for (int i = 0; i < count; ++i)
        fragment += (i ? ";T" : "T") + std::to_string(i) + ",,1,,";
    return fragment + "&ammessa=100";
}

const char* const kCut = "Indirizzo non del tutto leggibile: finisce prima della perdita ammessa (forse è stato "
                         "tagliato), presa di 100 Pa";
const char* const kOneUnreadable = "Indirizzo non del tutto leggibile: 1 tratto illeggibile lasciato fuori";

INSTANTIATE_TEST_SUITE_P(
    Rows, HostileAddress,
    testing::Values(
        HostileRow{"CutAfterAComma", "impianto=A,,10,26,;B,A,6,,24", {"A||10|26|", "B|A|6||24"}, std::nullopt, kCut},
        HostileRow{"CutInsideASection", "impianto=A,,10,26,;B,A,6", {"A||10|26|"}, std::nullopt,
                   "Indirizzo non del tutto leggibile: finisce prima della perdita ammessa (forse è stato tagliato), "
                   "presa di 100 Pa; 1 tratto illeggibile lasciato fuori"},
        HostileRow{"OnlyItsName", "impianto", {}, std::nullopt, kCut},
        HostileRow{"AllowanceBeforeTheSections", "ammessa=50&impianto=A,,1,,", {"A||1||"}, std::nullopt, kCut},
        HostileRow{"SixFields", "impianto=A,,1,,,;B,,2,,&ammessa=1", {"B||2||"}, "1", kOneUnreadable},
        HostileRow{"BrokenEscape", "impianto=A%ZZ,,1,,;B,,2,,&ammessa=1", {"B||2||"}, "1", kOneUnreadable},
        HostileRow{"RightToLeftOverride", "impianto=A%E2%80%AE,,1,,&ammessa=1", {}, "1", kOneUnreadable},
        HostileRow{"Overlong", "impianto=A,,%C0%B1,,&ammessa=1", {}, "1", kOneUnreadable},
        HostileRow{"Markup", "impianto=%3Cimg%20src%3Dx%20onerror%3Dalert(1)%3E,,1,,&ammessa=1",
                   {"<img src=x onerror=alert(1)>||1||"}, "1", nullptr},
        HostileRow{"TooLongAText", "impianto=" + std::string(1001, 'x') + ",,1,,;" + std::string(1000, 'y') + ",,1,,&ammessa=1",
                   {std::string(1000, 'y') + "||1||"}, "1", kOneUnreadable},
        HostileRow{"BrokenAllowance", "impianto=A,,1,,&ammessa=%FF", {"A||1||"}, std::nullopt,
                   "Indirizzo non del tutto leggibile: perdita ammessa illeggibile, presa di 100 Pa"},
        HostileRow{"SecondOfEachNameIgnored", "impianto=A,,1,,&impianto=B,,1,,&ammessa=7&ammessa=8&x=1", {"A||1||"}, "7",
                   nullptr}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(HostileAddress, KeepsTheFirstTwoHundredSections)
{
    const InstallationLink link = read_installation_fragment(many_sections(201), ",");
    ASSERT_EQ(link.sections.size(), kMostSections);
    EXPECT_EQ(link.sections.back()[SectionField::Name], "T199");
    EXPECT_EQ(link_note(link), "Indirizzo non del tutto leggibile: 1 tratto oltre i 200 lasciato fuori");
    EXPECT_EQ(link_note(read_installation_fragment(many_sections(203), ",")),
              "Indirizzo non del tutto leggibile: 3 tratti oltre i 200 lasciati fuori");
}

TEST(Address, NamesTheViewItBelongsTo)
{
    for (const char* fragment : {"impianto", "impianto=", "impianto=A,,1,,&ammessa=1", "impianto&ammessa=1"})
        EXPECT_TRUE(names_installation(fragment)) << fragment;
    for (const char* fragment : {"", "calcola=diametro&potenza=116", "impianti=", "ammessa=1&impianto=A,,1,,",
                                 "Impianto=", "x=impianto"})
        EXPECT_FALSE(names_installation(fragment)) << fragment;
    EXPECT_TRUE(names_installation(kExampleFragment));
    EXPECT_TRUE(read_installation_fragment(kExampleFragment, ",").whole());
}

}  // namespace
}  // namespace tubaro
