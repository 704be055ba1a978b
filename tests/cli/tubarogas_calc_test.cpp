// Runs the built tubarogas-calc on the golden rows and on its own options.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "calc/error_kind.h"
#include "tests/support/golden_recalculations.h"
#include "tests/support/program_under_test.h"
#include "rules/quantity.h"

namespace {

using tubaro::Quantity;

struct Finished {
    int status;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& arg)
{
    std::string result = "'";
    for (char c : arg)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// `environment`: assignments the shell makes for this run alone.
Finished run(const std::vector<std::string>& args, const std::string& input = "", const std::string& environment = "")
{
    // CTest runs tests side by side: every run gets files of its own.
    static int runs = 0;
    const std::string stem = testing::TempDir() + "/tubarogas_calc_" + std::to_string(getpid()) + "_" +
                             std::to_string(runs++);
    const std::string in_path = stem + ".in", out_path = stem + ".out", err_path = stem + ".err";
    std::ofstream(in_path, std::ios::binary) << input;
    std::string command = environment;
    command.append(" ").append(quoted(calc_under_test(TUBAROGAS_CALC)));
    for (const std::string& arg : args)
        command.append(" ").append(quoted(arg));
    command.append(" <").append(in_path).append(" >").append(out_path).append(" 2>").append(err_path);
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out_path), slurp(err_path)};
}

const char* const kModeWords[] = {"diametro", "potenza", "perdita", "lunghezza"};
const char* const kModeLetters[] = {"D", "P", "Y", "L"};
const char* const kOptions[] = {"--diametro", "--potenza", "--perdita", "--lunghezza"};

std::size_t at(Quantity q)
{
    return static_cast<std::size_t>(q);
}

class OneCase : public testing::TestWithParam<golden::Row> {};

// One case per golden row, the computed quantity's option left out.
TEST_P(OneCase, GivesTheGoldenResult)
{
    const golden::Row& row = GetParam();
    std::vector<std::string> args{kModeWords[at(row.mode)], "--separatore", std::string(row.separator)};
    for (Quantity q : tubaro::kQuantities)
        if (q != row.mode)
            args.insert(args.end(), {kOptions[at(q)], std::string(row.text(q))});
    const Finished got = run(args);
    if (row.expected.error) {
        EXPECT_EQ(got.status, 3);
        EXPECT_EQ(got.out, "");
        EXPECT_EQ(got.err, std::string(tubaro::error_name(*row.expected.error)) + "\n");
    } else {
        std::string out = std::string(*row.expected.written) + "\n";
        if (row.mode == Quantity::Diameter)
            out += std::string(row.designation) + "\n";
        EXPECT_EQ(got.status, 0) << got.err;
        EXPECT_EQ(got.out, out);
    }
}

INSTANTIATE_TEST_SUITE_P(Golden, OneCase, testing::ValuesIn(golden::kRows),
                         [](const auto& row_info) { return std::string(row_info.param.name); });

// Every golden row of one separator as a line of a batch, by word and by
// letter, ending in LF or CR LF; comments and empty lines come back as they
// are.
class Batch : public testing::TestWithParam<const char*> {};

TEST_P(Batch, EveryGoldenRowAsALine)
{
    const std::string_view separator = GetParam();
    std::string input = "# intestazione\n\n";
    std::string expected_out = input;
    int n = 0;
    for (const golden::Row& row : golden::kRows) {
        if (row.separator != separator)
            continue;
        const std::string word = n++ % 2 ? kModeWords[at(row.mode)] : kModeLetters[at(row.mode)];
        std::string line = word, out_line = word;
        for (Quantity q : tubaro::kQuantities) {
            line.append("\t").append(row.text(q));
            const bool written = q == row.mode && row.expected.written;
            out_line.append("\t").append(written ? *row.expected.written : row.text(q));
        }
        input += line + (n % 3 ? "\n" : "\r\n");
        expected_out += out_line + "\t" + std::string(row.designation) + "\t" +
                        std::string(row.expected.error ? tubaro::error_name(*row.expected.error) : "ok") + "\n";
    }
    ASSERT_GT(n, 0);
    const Finished got = run({"--tsv", "--separatore", std::string(separator)}, input);
    EXPECT_EQ(got.status, 0) << got.err;
    EXPECT_EQ(got.out, expected_out);
}

INSTANTIATE_TEST_SUITE_P(Separators, Batch, testing::Values(",", ".", "\xd9\xab"),
                         [](const auto& row_info) { return std::string("Separator") + std::to_string(row_info.index); });

TEST(Tsv, InvalidLinesAreReportedAndTheRunGoesOn)
{
    const Finished got = run({"--tsv", "--separatore", ","}, "X\t1\t2\t3\t4\nD\t1\nD\t\t116\t100\t30\t9\nL\t37\t116\t100\t");
    EXPECT_EQ(got.status, 1);
    EXPECT_EQ(got.out,
              "X\t1\t2\t3\t4\t\triga non valida\n"
              "D\t1\t\t\t\t\triga non valida\n"
              "D\t\t116\t100\t30\t\triga non valida\n"
              "L\t37\t116\t100\t30\t1''1/2\tok\n");
}

TEST(Tsv, ReadsAFile)
{
    const std::string path = testing::TempDir() + "/tubarogas_calc_cases_" + std::to_string(getpid()) + ".tsv";
    std::ofstream(path) << "perdita\t37\t116\t\t30\n";
    const Finished got = run({"--tsv", path, "--separatore", ","});
    EXPECT_EQ(got.out, "perdita\t37\t116\t100\t30\t1''1/2\tok\n");
}

// The worked example of the README, as it stands there: the file it shows,
// then each command and what it prints, byte for byte.
TEST(Installation, TheReadmeExample)
{
    std::istringstream readme(slurp(TUBARO_README));
    const std::string path = testing::TempDir() + "/casa_" + std::to_string(getpid()) + ".tsv";
    std::string file;
    std::vector<std::pair<std::vector<std::string>, std::string>> runs;  // arguments, output
    enum { Prose, File, Output } block = Prose;
    for (std::string line; std::getline(readme, line);) {
        if (line == "    $ cat casa.tsv") {
            block = File;
        } else if (line.starts_with("    $ tubarogas-calc --impianto casa.tsv ")) {
            block = Output;
            std::istringstream words(line.substr(21));
            std::vector<std::string> arguments;
            for (std::string word; words >> word;)
                arguments.push_back(word == "casa.tsv" ? path : word);
            runs.push_back({arguments, ""});
        } else if (!line.starts_with("    ")) {
            block = Prose;
        } else if (block == File) {
            file += line.substr(4) + "\n";
        } else if (block == Output) {
            runs.back().second += line.substr(4) + "\n";
        }
    }
    std::ofstream(path, std::ios::binary) << file;
    const int statuses[] = {0, 5};
    ASSERT_EQ(runs.size(), std::size(statuses));
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Finished got = run(runs[i].first);
        EXPECT_EQ(got.status, statuses[i]) << got.err;
        EXPECT_EQ(got.out, runs[i].second);
    }
}

// Every line comes back in order, comments and empty lines aside: CR LF
// taken as LF, a line too long to hold, one of the wrong shape, a name
// that is not UTF-8 and a line starting from it, each reported.
TEST(Installation, EveryLineAnswered)
{
    const std::string input = "# commento\n\nA\t\t10\t\t24\r\nB\tA\n\r\nC\t" + std::string(70'000, '1') +
                              "\n\xff\t\t1\t\t\nD\t\xff\t1\t\t\nE\tA\t1\t20\t\n";
    const Finished got = run({"--impianto"}, input);
    EXPECT_EQ(got.status, 1) << got.err;
    EXPECT_EQ(got.out,
              "# impianto di 2 tratti, 1 apparecchio; perdita ammessa 100 Pa; percorso peggiore: fino a A, 79 Pa, "
              "margine 21 Pa; 4 righe non valide\n"
              "# TRATTO\tDA\tL\tD\tKW\tP\tY\tPROGRESSIVA\tPOLLICI\tESITO\n"
              "A\t\t10\t17\t24\t24\t79\t79\t3/4\"\tentro proposto\n"
              "B\tA\t\t\t\t\t\t\t\triga non valida: non sono 5 campi separati da tabulazioni\n"
              "\t\t\t\t\t\t\t\t\triga non valida: riga troppo lunga\n"
              "\xff\t\t1\t\t\t\t\t\t\triga non valida: TRATTO non è testo UTF-8\n"
              "D\t\xff\t1\t\t\t\t\t\t\triga non valida: DA non è un tratto valido di una riga precedente\n"
              "E\tA\t1\t20\t\t0\t0\t79\t3/4\"\tentro\n");
}

TEST(Options, UsageErrorsHelpAndVersion)
{
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"volume", "--potenza", "1"}).status, 2);
    EXPECT_EQ(run({"diametro", "--potenza", "116", "--perdita", "100"}).status, 2);  // no length
    EXPECT_EQ(run({"--tsv", "/nonexistent/cases.tsv"}).status, 2);
    const Finished help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--tsv"), std::string::npos);
    EXPECT_NE(help.out.find("--impianto"), std::string::npos);
    const Finished version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find("1.00"), std::string::npos);
}

TEST(Options, OutputOptionIsIgnored)
{
    const Finished got = run({"potenza", "--diametro", "37", "--potenza", "abc", "--perdita", "100", "--lunghezza", "30"});
    EXPECT_EQ(got.status, 0);
    EXPECT_EQ(got.out, "116\n");
}

TEST(Options, SeparatorFromTheEnvironment)
{
    // The C locale reads a point; an explicit separator wins over it.
    EXPECT_EQ(run({"lunghezza", "--diametro", "37", "--potenza", "116.5", "--perdita", "100"}).out, "30\n");
    EXPECT_EQ(run({"diametro", "--potenza", "116,5", "--perdita", "100", "--lunghezza", "30"}).status, 3);
}

// The Linux build's own source of the separator: the C library's locale,
// when it is installed (this machine has Italian, not Esperanto); otherwise
// the point, said once on standard error.
TEST(Options, SeparatorOfAnInstalledLocaleOrThePointAndAWarning)
{
    if (calc_under_test(TUBAROGAS_CALC) != TUBAROGAS_CALC)
        GTEST_SKIP() << "the Linux build's locales";
    struct Row {
        const char* environment;
        const char* power;
        const char* err;
    };
    const Row rows[] = {
        {"LC_ALL=it_IT.UTF-8", "116,5", ""},
        {"LC_ALL= LC_NUMERIC=it_IT.UTF-8 LANG=C", "116,5", ""},
        {"LC_ALL= LC_NUMERIC= LANG=it_IT.UTF-8", "116,5", ""},
        {"LC_ALL=C LANG=it_IT.UTF-8", "116.5", ""},
        {"LC_ALL=eo_XX.UTF-8", "116.5",
         "tubarogas-calc: la lingua eo_XX.UTF-8 non è installata: separatore decimale \".\"; usare --separatore\n"},
        {"LC_ALL= LC_NUMERIC= LANG=eo_XX.UTF-8", "116.5",
         "tubarogas-calc: la lingua eo_XX.UTF-8 non è installata: separatore decimale \".\"; usare --separatore\n"},
    };
    for (const Row& row : rows) {
        const Finished got = run({"lunghezza", "--diametro", "37", "--potenza", row.power, "--perdita", "100"}, "",
                                 row.environment);
        EXPECT_EQ(got.status, 0) << row.environment;
        EXPECT_EQ(got.out, "30\n") << row.environment;
        EXPECT_EQ(got.err, row.err) << row.environment;
    }
    // --separatore needs no locale, and says nothing.
    EXPECT_EQ(run({"lunghezza", "--diametro", "37", "--potenza", "116,5", "--perdita", "100", "--separatore", ","}, "",
                  "LC_ALL=eo_XX.UTF-8")
                  .err,
              "");
}

}  // namespace
