// Runs the built tubarogas-calc and checks it against the window-less form's
// own recalculation of the same texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "error_kind.h"
#include "number_text.h"
#include "pipe_size.h"
#include "windowless_form.h"

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

Finished run(const std::vector<std::string>& args, const std::string& input = "")
{
    // CTest runs tests side by side: every run gets files of its own.
    static int runs = 0;
    const std::string stem = testing::TempDir() + "/tubarogas_calc_" + std::to_string(getpid()) + "_" +
                             std::to_string(runs++);
    const std::string in_path = stem + ".in", out_path = stem + ".out", err_path = stem + ".err";
    std::ofstream(in_path, std::ios::binary) << input;
    std::string command = quoted(TUBAROGAS_CALC);
    for (const std::string& arg : args)
        command += " " + quoted(arg);
    command += " <" + in_path + " >" + out_path + " 2>" + err_path;
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out_path), slurp(err_path)};
}

// What the window computes for the same texts.
struct Expected {
    std::string texts[4];
    std::optional<tubaro::ErrorKind> error;
};

Expected reference(Quantity mode, const std::string (&texts)[4])
{
    tubaro::WindowlessForm form(",");
    for (Quantity q : tubaro::kQuantities)
        form.paste(q, texts[static_cast<int>(q)]);
    form.click_option(mode);
    Expected expected;
    try {
        form.logic().Ricalcola();
    } catch (const tubaro::CalcError& error) {
        expected.error = error.kind();
    }
    for (Quantity q : tubaro::kQuantities)
        expected.texts[static_cast<int>(q)] = form.text(q);
    return expected;
}

std::string designation(const std::string& d)
{
    try {
        return d.empty() ? "" : std::string(tubaro::nominal_pipe_size(tubaro::text_to_double(d, ",")));
    } catch (const tubaro::CalcError&) {
        return "";
    }
}

struct Case {
    const char* name;
    Quantity mode;
    std::string texts[4];  // D, P, Y, L
};

const char* const kModeWords[] = {"diametro", "potenza", "perdita", "lunghezza"};
const char* const kModeLetters[] = {"D", "P", "Y", "L"};
const char* const kOptions[] = {"--diametro", "--potenza", "--perdita", "--lunghezza"};

const std::string kHuge(400, '9');

const Case kCases[] = {
    {"Diametro", Quantity::Diameter, {"", "116", "100", "30"}},
    {"Potenza", Quantity::Power, {"37", "", "100", "30"}},
    {"Perdita", Quantity::Loss, {"37", "116", "", "30"}},
    {"Lunghezza", Quantity::Length, {"37", "116", "100", ""}},
    {"LunghezzaFractionalPower", Quantity::Length, {"37", "116,5", "100", ""}},
    {"LargeDiameter", Quantity::Loss, {"500", "2000", "", "30"}},
    {"SpacesAround", Quantity::Diameter, {"", " 116 ", "  100", "30  "}},
    {"TypeMismatchEmpty", Quantity::Diameter, {"", "116", "100", ""}},
    {"TypeMismatchSpaces", Quantity::Power, {"37", "", "   ", "30"}},
    {"TypeMismatchLoneSign", Quantity::Loss, {"-", "116", "", "30"}},
    {"OverflowHugeDigits", Quantity::Diameter, {"", kHuge, "100", "30"}},
    {"OverflowResult", Quantity::Loss, {"1", "116", "", "30"}},
    {"DivisionByZero", Quantity::Length, {"37", "0", "100", ""}},
    {"InvalidArgument", Quantity::Power, {"-37", "", "100", "30"}},
    {"PointIsNoSeparator", Quantity::Diameter, {"", "116.5", "100", "30"}},
};

class OneCase : public testing::TestWithParam<Case> {};

TEST_P(OneCase, SameAsTheWindow)
{
    const Case& c = GetParam();
    const int mode = static_cast<int>(c.mode);
    std::vector<std::string> args{kModeWords[mode], "--separatore", ","};
    for (int q = 0; q < 4; ++q)
        if (q != mode)
            args.insert(args.end(), {kOptions[q], c.texts[q]});
    const Finished got = run(args);
    const Expected expected = reference(c.mode, c.texts);
    if (expected.error) {
        EXPECT_EQ(got.status, 3);
        EXPECT_EQ(got.out, "");
        EXPECT_EQ(got.err, std::string(tubaro::error_name(*expected.error)) + "\n");
    } else {
        std::string out = expected.texts[mode] + "\n";
        if (c.mode == Quantity::Diameter)
            out += designation(expected.texts[mode]) + "\n";
        EXPECT_EQ(got.status, 0) << got.err;
        EXPECT_EQ(got.out, out);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, OneCase, testing::ValuesIn(kCases),
                         [](const auto& row_info) { return std::string(row_info.param.name); });

TEST(Tsv, EveryCaseAsTheWindowGivesIt)
{
    std::string input = "# intestazione\n\n";
    std::string expected_out = "# intestazione\n\n";
    int n = 0;
    for (const Case& c : kCases) {
        const int mode = static_cast<int>(c.mode);
        const std::string word = n++ % 2 ? kModeWords[mode] : kModeLetters[mode];
        std::string line = word;
        for (const std::string& text : c.texts)
            line += "\t" + text;
        input += line + (n % 3 ? "\n" : "\r\n");

        const Expected e = reference(c.mode, c.texts);
        expected_out += word;
        for (const std::string& text : e.texts)
            expected_out += "\t" + text;
        expected_out += "\t" + designation(e.texts[0]) + "\t" +
                        (e.error ? std::string(tubaro::error_name(*e.error)) : std::string("ok")) + "\n";
    }
    const Finished got = run({"--tsv", "--separatore", ","}, input);
    EXPECT_EQ(got.status, 0) << got.err;
    EXPECT_EQ(got.out, expected_out);
}

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

TEST(Options, UsageErrorsHelpAndVersion)
{
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"volume", "--potenza", "1"}).status, 2);
    EXPECT_EQ(run({"diametro", "--potenza", "116", "--perdita", "100"}).status, 2);  // no length
    EXPECT_EQ(run({"--tsv", "/nonexistent/cases.tsv"}).status, 2);
    const Finished help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--tsv"), std::string::npos);
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

}  // namespace
