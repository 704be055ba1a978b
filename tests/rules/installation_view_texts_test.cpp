// What the page's view says of an installation, beside its figures: each
// section's Esito, the title, the phrase beside a field that is wrong, a
// new section's name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/installation.h"
#include "rules/installation_words.h"

namespace tubaro {
namespace {

struct ViewRow {
    const char* name;
    const char* allowance;
    std::vector<std::array<std::string, 5>> sections;
    std::vector<const char*> outcomes;
    const char* title;
};

class View : public testing::TestWithParam<ViewRow> {};

TEST_P(View, SaysEachSectionsOutcomeAndTheTitle)
{
    const ViewRow& row = GetParam();
    std::vector<SectionLine> lines;
    for (const auto& texts : row.sections)
        lines.push_back({{{texts[0], texts[1], texts[2], texts[3], texts[4]}}, std::nullopt});
    const InstallationResult result = evaluate(row.allowance, lines, ",");
    ASSERT_EQ(lines.size(), row.outcomes.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(outcome_phrase(result, lines, i), row.outcomes[i]) << i;
    EXPECT_EQ(installation_title(result), row.title);
}

const std::vector<std::array<std::string, 5>> kHouse{{"Montante", "", "10", "26", ""},
                                                    {"Caldaia", "Montante", "6", "", "24"},
                                                    {"Cucina", "Montante", "8", "", ""},
                                                    {"Piano cottura", "Cucina", "3", "", "8,5"},
                                                    {"Scaldabagno", "Cucina", "4", "16", "19,5"}};

INSTANTIATE_TEST_SUITE_P(
    Rows, View,
    testing::Values(
        ViewRow{"TheReadmeHouse",
                "100",
                kHouse,
                {"entro il limite", "entro il limite, margine 11 Pa", "entro il limite", "entro il limite, margine 23 Pa",
                 "entro il limite, margine 4 Pa · percorso peggiore"},
                "Impianto · 5 tratti · peggiore 96 Pa su 100"},
        ViewRow{"TheHouseWithSixtyPascals",
                "60",
                kHouse,
                {"entro il limite", "entro il limite, margine 1 Pa · percorso peggiore",
                 "nessuna proposta: i diametri dati esauriscono la perdita ammessa",
                 "tratto a monte senza perdita: Cucina", "tratto a monte senza perdita: Cucina"},
                "Impianto · 5 tratti · peggiore 59 Pa su 60"},
        ViewRow{"OnePascalOver", "99", {{"Unico", "", "30", "37", "116"}},
                {"oltre il limite, margine -1 Pa · percorso peggiore"}, "Impianto · 1 tratto · peggiore 100 Pa su 99"},
        ViewRow{"AnInvalidSection", "100", {{"A", "", "30", "37", "116"}, {"", "", "1", "", ""}},
                {"entro il limite, margine 0 Pa · percorso peggiore", "tratto non valido"},
                "Impianto · 1 tratto, 1 non valido · peggiore 100 Pa su 100"},
        ViewRow{"AnErrorOfTheWindow", "100", {{"A", "", "10", "0,4", "5"}}, {"Divisione per zero"}, "Impianto · 1 tratto"},
        ViewRow{"AllowanceNotValid", "abc", {{"A", "", "30", "37", "116"}}, {"perdita ammessa non valida"},
                "Impianto · 1 tratto · peggiore 100 Pa"},
        ViewRow{"Nothing", "100", {}, {}, "Impianto · nessun tratto"}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(FieldFault, SaidBesideTheField)
{
    const std::vector<std::tuple<SectionField, LineFault, const char*>> rows{
        {SectionField::Name, LineFault::Missing, "manca"},
        {SectionField::Name, LineFault::NameTaken, "già dato a un tratto sopra"},
        {SectionField::From, LineFault::UnknownStart, "non è un tratto valido sopra questo"},
        {SectionField::Length, LineFault::NotANumber, "non è un numero"},
        {SectionField::Length, LineFault::OutOfRange, "deve stare tra 0 e 10000 m, esclusi"},
        {SectionField::Diameter, LineFault::OutOfRange, "deve stare tra 0 e 5000 mm, esclusi"},
    };
    for (const auto& [field, fault, text] : rows)
        EXPECT_EQ(field_fault_phrase(field, fault), text);
    EXPECT_EQ(allowance_fault_phrase(LineFault::OutOfRange), "deve stare tra 0 e 100000 Pa, esclusi");
    EXPECT_EQ(allowance_fault_phrase(LineFault::Missing), "manca");
}

TEST(NewSection, TakesANameNoLineGives)
{
    const auto name_after = [](std::vector<std::string> names) {
        std::vector<SectionLine> lines;
        for (const std::string& name : names)
            lines.push_back({{{name, "", "", "", ""}}, std::nullopt});
        // (The views point into `names`, alive until the call returns.)
        return new_section_name(lines);
    };
    EXPECT_EQ(name_after({}), "Tratto 1");
    EXPECT_EQ(name_after({"Tratto 2", "A"}), "Tratto 3");
    EXPECT_EQ(name_after({"Tratto 3", "Tratto 4"}), "Tratto 5");
    EXPECT_EQ(most_sections_text(), "Un impianto tiene al più 200 tratti");
}

}  // namespace
}  // namespace tubaro
