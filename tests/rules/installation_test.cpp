// An installation's figures, as literal rows: each loss is the one the
// window's loss mode shows for that section's D, P and L (tubarogas-calc
// perdita gives the same).
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rules/installation.h"
#include "rules/installation_words.h"
#include "rules/section_figures.h"
#include "rules/section_loss.h"

namespace tubaro {
namespace {

struct Line {
    std::string name, from, length, diameter, power;
    std::optional<LineFault> whole_line = std::nullopt;
};

struct Evaluated {
    std::vector<Line> given;
    std::vector<SectionLine> lines;
    InstallationResult result;
};

// The lines' texts stay in `given`, which the views point into.
std::unique_ptr<Evaluated> evaluated(std::string_view allowance, std::vector<Line> given)
{
    auto out = std::make_unique<Evaluated>();
    out->given = std::move(given);
    for (const Line& line : out->given)
        out->lines.push_back({{{line.name, line.from, line.length, line.diameter, line.power}}, line.whole_line});
    out->result = evaluate(allowance, out->lines, ",");
    return out;
}

// "D | P | Y | PROGRESSIVA | POLLICI | ESITO", "-" where a figure is missing.
std::string figures(const Evaluated& installation, std::size_t i)
{
    const SectionFigures shown = section_figures(installation.result, installation.lines, i, ",");
    const auto or_dash = [](std::string_view text) { return text.empty() ? std::string("-") : std::string(text); };
    return or_dash(shown.diameter) + " | " + or_dash(shown.power) + " | " + or_dash(shown.loss) + " | " +
           or_dash(shown.loss_from_meter) + " | " + or_dash(shown.designation) + " | " +
           outcome_text(installation.result, installation.lines, i);
}

struct Row {
    const char* name;
    const char* allowance;
    std::vector<Line> lines;
    std::vector<const char*> expected;  // figures(), line by line
};

const std::vector<Row> kRows{
    {"TypedDiametersSumsAndTotals",
     "100",
     {{"Montante", "", "10", "26", ""},
      {"Caldaia", "Montante", "6", "18", "24"},
      {"Cucina", "Montante", "8", "20", ""},
      {"Piano", "Cucina", "3", "12", "8,5"},
      {"Forno", "Cucina", "2", "10", "3,25"},
      {"Scaldabagno", "Cucina", "4", "16", "19,5"},
      {"Vuoto", "Cucina", "5", "8", ""}},
     {"26 | 55,25 | 46 | 46 | 1\" | entro", "18 | 24 | 36 | 82 | 3/4\" | entro", "20 | 31,25 | 46 | 92 | 3/4\" | entro",
      "12 | 8,5 | 17 | 109 | 3/8\" | oltre", "10 | 3,25 | 4 | 96 | 3/8\" | entro",
      "16 | 19,5 | 30 | 122 | 1/2\" | oltre", "8 | 0 | 0 | 92 | 3/8\" | entro"}},
    // 16,5 kW enters the loss as 16 (68 Pa); as 17 it would be 76 Pa.
    {"HalfAKilowattToEven",
     "100",
     {{"A", "", "10", "15", ""}, {"B", "A", "1", "50", "8,25"}, {"C", "A", "1", "50", "8,25"}},
     {"15 | 16,5 | 68 | 68 | 1/2\" | entro", "50 | 8,25 | 0 | 68 | 2\" | entro", "50 | 8,25 | 0 | 68 | 2\" | entro"}},
    {"ExactlyTheAllowance", "100", {{"Unico", "", "30", "37", "116"}}, {"37 | 116 | 100 | 100 | 1''1/2 | entro"}},
    {"OnePascalOver", "99", {{"Unico", "", "30", "37", "116"}}, {"37 | 116 | 100 | 100 | 1''1/2 | oltre"}},
    // Shares: Montante 100/17*8 (the water heater's path is the tightest),
    // Caldaia 100/14*6, Cucina 100/17*4, Piano 100/15*3, Scaldabagno 100/17*5.
    {"EveryDiameterProposed",
     "100",
     {{"Montante", "", "8", "", ""},
      {"Caldaia", "Montante", "6", "", "24"},
      {"Cucina", "Montante", "4", "", ""},
      {"Piano", "Cucina", "3", "", "8,5"},
      {"Scaldabagno", "Cucina", "5", "", "18"}},
     {"24 | 50,5 | 46 | 46 | 1\" | entro proposto", "18 | 24 | 36 | 82 | 3/4\" | entro proposto",
      "19 | 26,5 | 21 | 67 | 3/4\" | entro proposto", "12 | 8,5 | 17 | 84 | 3/8\" | entro proposto",
      "17 | 18 | 23 | 90 | 3/4\" | entro proposto"}},
    // Montante loses 42 Pa; Caldaia gets (100-42)/6*6, Cucina (100-42-30)/8*8
    // (Scaldabagno's path), Piano (100-42)/11*3.
    {"ProposalsShareWhatTypedOnesLeave",
     "100",
     {{"Montante", "", "10", "26", ""},
      {"Caldaia", "Montante", "6", "", "24"},
      {"Cucina", "Montante", "8", "", ""},
      {"Piano", "Cucina", "3", "", "8,5"},
      {"Scaldabagno", "Cucina", "4", "16", "19,5"}},
     {"26 | 52 | 42 | 42 | 1\" | entro", "17 | 24 | 47 | 89 | 3/4\" | entro proposto",
      "22 | 28 | 24 | 66 | 3/4\" | entro proposto", "13 | 8,5 | 11 | 77 | 3/8\" | entro proposto",
      "16 | 19,5 | 30 | 96 | 1/2\" | entro"}},
    // Scaldabagno's path is over already: Cucina gets no share, so neither
    // Cucina nor what lies below it has a loss from the meter; Piano keeps
    // its proposal, (60-42)/11*3.
    {"TypedSectionsUseTheAllowanceUp",
     "60",
     {{"Montante", "", "10", "26", ""},
      {"Caldaia", "Montante", "6", "", "24"},
      {"Cucina", "Montante", "8", "", ""},
      {"Piano", "Cucina", "3", "", "8,5"},
      {"Scaldabagno", "Cucina", "4", "16", "19,5"}},
     {"26 | 52 | 42 | 42 | 1\" | entro", "21 | 24 | 17 | 59 | 3/4\" | entro proposto",
      "- | 28 | - | - | - | nessuna proposta: i diametri dati esauriscono la perdita ammessa",
      "16 | 8,5 | 4 | - | 1/2\" | tratto a monte senza perdita: Cucina; proposto",
      "16 | 19,5 | 30 | - | 1/2\" | tratto a monte senza perdita: Cucina"}},
    {"LengthOfZeroMetres",
     "100",
     {{"A", "", "0,4", "", ""}, {"B", "A", "5", "", "10"}},
     {"- | 10 | - | - | - | nessuna proposta: L letta come 0 m", "11 | 10 | 64 | - | 3/8\" | tratto a monte senza perdita: A; proposto"}},
    // A diameter of 0,4 reads as 0 mm: a division by zero, as in the window.
    {"TypedErrorAboveOrBelow",
     "100",
     {{"A", "", "10", "0,4", ""},
      {"B", "A", "5", "", "10"},
      {"C", "A", "2", "20", "5"},
      {"D", "C", "1", "", ""},
      {"E", "", "5", "", "10"},
      {"F", "E", "3", "0,4", "5"}},
     {"0,4 | 15 | - | - | 3/8\" | Divisione per zero",
      "- | 10 | - | - | - | nessuna proposta: sul percorso c'è un tratto con diametro dato senza perdita",
      "20 | 5 | 0 | - | 3/4\" | tratto a monte senza perdita: A", "- | 0 | 0 | - | - | tratto a monte senza perdita: A",
      "- | 15 | - | - | - | nessuna proposta: sul percorso c'è un tratto con diametro dato senza perdita",
      "0,4 | 5 | - | - | 3/8\" | Divisione per zero"}},
    // No appliance at its end or below: no gas, no loss, nothing proposed;
    // the verdict of its start.
    {"SectionsWithoutGas",
     "99",
     {{"A", "", "10", "", ""}, {"B", "A", "3", "20", ""}, {"C", "", "30", "37", "116"}, {"D", "C", "2", "", ""}},
     {"- | 0 | 0 | 0 | - | entro", "20 | 0 | 0 | 0 | 3/4\" | entro", "37 | 116 | 100 | 100 | 1''1/2 | oltre",
      "- | 0 | 0 | 100 | - | oltre"}},
    {"AllowanceNotValid",
     "abc",
     {{"A", "", "30", "37", ""}, {"B", "A", "1", "", "116"}},
     {"37 | 116 | 100 | 100 | 1''1/2 | perdita ammessa non valida",
      "- | 116 | - | - | - | nessuna proposta: perdita ammessa non valida"}},
};

class Installation : public testing::TestWithParam<Row> {};

TEST_P(Installation, GivesItsFiguresLineByLine)
{
    const Row& row = GetParam();
    const auto installation = evaluated(row.allowance, row.lines);
    ASSERT_EQ(installation->result.sections.size(), row.expected.size());
    for (std::size_t i = 0; i < row.expected.size(); ++i)
        EXPECT_EQ(figures(*installation, i), row.expected[i]) << row.lines[i].name;
}

INSTANTIATE_TEST_SUITE_P(Rows, Installation, testing::ValuesIn(kRows),
                         [](const auto& row_info) { return std::string(row_info.param.name); });

// Each proposal fits its share, and one millimetre less does not: the
// window's loss for it is over the share (or cannot be computed).
TEST(Proposal, FitsItsShareAndOneMillimetreLessDoesNot)
{
    struct Fit {
        std::size_t row, line;
        double share;
        Long diameter, loss, loss_one_less;
    };
    const Fit fits[] = {
        {4, 0, 47.058823529411768, 24, 46, 56}, {4, 1, 42.857142857142861, 18, 36, 47},
        {4, 2, 23.529411764705884, 19, 21, 28}, {4, 3, 20.0, 12, 17, 26},
        {4, 4, 29.411764705882355, 17, 23, 31}, {5, 1, 58.0, 17, 47, 63},
        {5, 2, 28.0, 22, 24, 30},               {5, 3, 15.818181818181817, 13, 11, 17},
    };
    for (const Fit& fit : fits) {
        const Row& row = kRows[fit.row];
        const auto installation = evaluated(row.allowance, row.lines);
        const SectionResult& section = installation->result.sections[fit.line];
        const Line& line = row.lines[fit.line];
        SCOPED_TRACE(std::string(row.name) + " " + line.name);
        EXPECT_DOUBLE_EQ(section.share.value_or(0), fit.share);
        EXPECT_EQ(section.proposed_diameter, fit.diameter);
        EXPECT_EQ(section.loss, Outcome<Long>(fit.loss));
        EXPECT_LE(fit.loss, fit.share);
        EXPECT_GT(fit.loss_one_less, fit.share);
        const std::string power = currency_to_text(section.power.value(), ",");
        EXPECT_EQ(section_loss(long_to_text(fit.diameter - 1), power, line.length, ","), Outcome<Long>(fit.loss_one_less));
    }
}

// The smallest diameter that fits, however far the window's diameter mode
// lands from it: a share under a pascal (which that mode cannot take), a
// power that reads as none, a pipe at the top of the range, and none there.
TEST(Proposal, TheSmallestThatFitsFromOneTo4999)
{
    struct Search {
        const char* power;
        const char* length;
        double share;
        std::optional<Long> diameter;
    };
    const Search searches[] = {
        {"116", "30", 100.0, 37},  // exactly the share
        {"116", "30", 99.999, 38},
        {"116", "30", 0.9, 111},   // a share under 1 Pa: only a loss of 0 fits
        {"0,007", "250", 1.5, 1},  // a power that reads as 0 kW
        {"2000000", "30", 100.0, 1524},
        {"2497074", "283", 5.0, 4797},
        {"2497074", "283", 4.0, std::nullopt},  // 5000 mm would lose 4 Pa, but it is no proposal
    };
    for (const Search& search : searches) {
        SCOPED_TRACE(std::string(search.power) + " kW, " + search.length + " m, " + std::to_string(search.share));
        const auto proposal = propose_diameter(search.power, search.length, search.share, ",");
        EXPECT_EQ(proposal ? std::optional<Long>(proposal->diameter) : std::nullopt, search.diameter);
    }
}

// A thousand appliances of 8999,9999 kW: the sums stay exact, and the
// window's loss mode cannot take that power (4000 mm for 1 m loses 0 Pa).
TEST(Proposal, NoneFitsAPowerTheWindowCannotTake)
{
    std::vector<Line> lines{{"Vuoto", "", "10", "", ""}, {"Dato", "", "10", "40", ""}};
    for (int i = 0; i < 1000; ++i)
        lines.push_back({std::string("A").append(std::to_string(i)), i % 2 ? "Vuoto" : "Dato", "1", "4000", "8999,9999"});
    const auto installation = evaluated("100", lines);
    EXPECT_EQ(figures(*installation, 0), "- | 4499999,95 | - | - | - | nessuna proposta: nessun diametro sotto 5000 mm basta");
    EXPECT_EQ(figures(*installation, 1), "40 | 4499999,95 | - | - | 1''1/2 | Overflow");
    EXPECT_EQ(figures(*installation, 2), "4000 | 8999,9999 | 0 | - | - | tratto a monte senza perdita: Dato");
    EXPECT_EQ(installation->result.appliances.size(), 1000u);
    EXPECT_FALSE(installation->result.worst);
}

TEST(Paths, EachAppliancesLossMarginAndTheWorst)
{
    const auto installation = evaluated("100", kRows[0].lines);
    const InstallationResult& result = installation->result;
    struct Expected {
        std::size_t section;
        std::int64_t loss, margin;
        Verdict verdict;
    };
    const Expected expected[] = {
        {1, 82, 18, Verdict::Within}, {3, 109, -9, Verdict::Over}, {4, 96, 4, Verdict::Within}, {5, 122, -22, Verdict::Over}};
    ASSERT_EQ(result.appliances.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(result.appliances[i].section, expected[i].section);
        EXPECT_EQ(result.appliances[i].loss_from_meter, expected[i].loss);
        EXPECT_EQ(result.appliances[i].margin, expected[i].margin);
        EXPECT_EQ(result.appliances[i].verdict, expected[i].verdict);
    }
    EXPECT_EQ(result.worst, 3u);
    EXPECT_EQ(result.section_count, 7u);
    EXPECT_FALSE(result.all_within());
    EXPECT_EQ(installation_summary(result, installation->lines),
              "impianto di 7 tratti, 4 apparecchi; perdita ammessa 100 Pa; percorso peggiore: fino a Scaldabagno, "
              "122 Pa, margine -22 Pa");
    // Of two equal paths, the first is the worst.
    const auto twins = evaluated("100", {{"A", "", "30", "37", "116"}, {"B", "", "30", "37", "116"}, {"C", "", "", "", ""}});
    EXPECT_EQ(twins->result.worst, 0u);
    EXPECT_EQ(installation_summary(twins->result, twins->lines),
              "impianto di 2 tratti, 2 apparecchi; perdita ammessa 100 Pa; percorso peggiore: fino a A, 100 Pa, "
              "margine 0 Pa; 1 riga non valida");
}

// Every kind of invalid line, each reported and no section: nothing of it
// counts above it, and a line starting from it is invalid too.
TEST(InvalidLines, EachSaysWhy)
{
    std::string accented;
    for (int i = 0; i < 40; ++i)
        accented += "\xc3\xa8";  // è, two bytes and one character
    const std::vector<std::pair<Line, const char*>> rows{
        {{"A", "", "10", "", "10"}, nullptr},
        {{"", "", "1", "", ""}, "manca TRATTO"},
        {{"A", "", "1", "", ""}, "TRATTO già dato su una riga precedente"},
        {{"\xff", "", "1", "", ""}, "TRATTO non è testo UTF-8"},
        {{"\xc0\xaf", "", "1", "", ""}, "TRATTO non è testo UTF-8"},
        {{"\xed\xa0\x80", "", "1", "", ""}, "TRATTO non è testo UTF-8"},
        {{"\xf4\x90\x80\x80", "", "1", "", ""}, "TRATTO non è testo UTF-8"},
        {{"ab\xc3", "", "1", "", ""}, "TRATTO non è testo UTF-8"},
        {{"a\x01", "", "1", "", ""}, "TRATTO contiene una tabulazione, un carattere di controllo o di direzione del testo"},
        {{"a\x7f", "", "1", "", ""}, "TRATTO contiene una tabulazione, un carattere di controllo o di direzione del testo"},
        {{"a\xc2\x85", "", "1", "", ""}, "TRATTO contiene una tabulazione, un carattere di controllo o di direzione del testo"},
        {{"a\tb", "", "1", "", ""}, "TRATTO contiene una tabulazione, un carattere di controllo o di direzione del testo"},
        {{"a\xe2\x80\xae", "", "1", "", ""}, "TRATTO contiene una tabulazione, un carattere di controllo o di direzione del testo"},
        {{accented, "", "1", "", ""}, nullptr},
        {{accented + "e", "", "1", "", ""}, "TRATTO supera i 40 caratteri"},
        {{"#x", "", "1", "", ""}, "TRATTO comincia con #"},
        {{"B", "Z", "1", "", ""}, "DA non è un tratto valido di una riga precedente"},
        {{"C", "C", "1", "", ""}, "DA non è un tratto valido di una riga precedente"},
        {{"D", "E", "1", "", ""}, "DA non è un tratto valido di una riga precedente"},
        {{"E", "", "", "", ""}, "manca L"},
        {{"F", "E", "1", "", ""}, "DA non è un tratto valido di una riga precedente"},
        {{"G", "A", "abc", "", "5"}, "L non è un numero"},
        {{"H", "", " ", "", ""}, "L non è un numero"},
        {{"I", "", "0", "", ""}, "L deve stare tra 0 e 10000 m, esclusi"},
        {{"J", "", "10000", "", ""}, "L deve stare tra 0 e 10000 m, esclusi"},
        {{"K", "", "-1", "", ""}, "L deve stare tra 0 e 10000 m, esclusi"},
        {{"L", "", std::string(400, '9'), "", ""}, "L deve stare tra 0 e 10000 m, esclusi"},
        {{"M", "", "1", "5000", ""}, "D deve stare tra 0 e 5000 mm, esclusi"},
        {{"N", "", "1", "1.5", ""}, "D non è un numero"},
        {{"O", "A", "1", "", "9000"}, "KW deve stare tra 0 e 9000 kW, esclusi"},
        {{"P", "A", "9999,4", "4999,4", "8999,9999"}, nullptr},
        // A line that is no section takes no name: the next line of that
        // name is the section, and lines can start from it.
        {{"Vano", "", "1", "", "x"}, "KW non è un numero"},
        {{"Vano", "", "1", "", ""}, nullptr},
        {{"Sotto", "Vano", "1", "", ""}, nullptr},
        {{"", "Z", "abc", "0", "9000"},
         "manca TRATTO; DA non è un tratto valido di una riga precedente; L non è un numero; D deve stare tra 0 e "
         "5000 mm, esclusi; KW deve stare tra 0 e 9000 kW, esclusi"},
        {{"Q", "", "1", "", "", LineFault::FieldCount}, "non sono 5 campi separati da tabulazioni"},
        {{"", "", "", "", "", LineFault::TooLong}, "riga troppo lunga"},
        {{"R", "Q", "1", "", ""}, "DA non è un tratto valido di una riga precedente"},
    };
    std::vector<Line> lines;
    for (const auto& [line, _] : rows)
        lines.push_back(line);
    const auto installation = evaluated("100", lines);
    const InstallationResult& result = installation->result;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SectionResult& section = result.sections[i];
        if (!rows[i].second) {
            EXPECT_TRUE(section.valid()) << i;
        } else {
            EXPECT_FALSE(section.valid()) << i;
            EXPECT_EQ(outcome_text(result, installation->lines, i), "riga non valida: " + std::string(rows[i].second));
            EXPECT_FALSE(section.loss) << i;
        }
    }
    EXPECT_EQ(result.section_count, 5u);
    EXPECT_EQ(result.invalid_lines, rows.size() - 5);
    // Only P's 8999,9999 kW reaches A: not G's nor O's.
    EXPECT_EQ(figures(*installation, 0), "155 | 9009,9999 | 100 | 100 | - | entro proposto");
}

TEST(Allowance, ReadAsTheWindowReadsY)
{
    EXPECT_EQ(allowance_fault("", ","), LineFault::Missing);
    EXPECT_EQ(allowance_fault("abc", ","), LineFault::NotANumber);
    EXPECT_EQ(allowance_fault("0", ","), LineFault::OutOfRange);
    EXPECT_EQ(allowance_fault("100000", ","), LineFault::OutOfRange);
    EXPECT_EQ(allowance_fault("99999,5", ","), std::nullopt);
    EXPECT_EQ(evaluated("99999,5", {})->result.allowance, 100000);  // halves to even
    EXPECT_EQ(evaluated("0,4", {})->result.allowance, 0);
    EXPECT_EQ(allowance_fault_text(LineFault::OutOfRange), "la perdita ammessa deve stare tra 0 e 100000 Pa, esclusi");
    EXPECT_EQ(allowance_fault_text(LineFault::Missing), "manca la perdita ammessa");
}

}  // namespace
}  // namespace tubaro
