// The built programs run as scripts and careless users run them: full disks,
// closed pipes and streams, folders, odd separators, misplaced and repeated
// options, over-long lines, no display. Each row is a bash command with
// $CALC and $WINDOW standing for the programs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/program_under_test.h"

namespace {

struct HostileCommand {
    const char* name;
    const char* command;
    int status;
    const char* first_error_line;  // standard error's first line ("" for none)
    const char* output = nullptr;  // standard output, when it matters
    bool one_error_line = false;   // nothing on standard error but that line
};

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string shell_quoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class HostileRun : public testing::TestWithParam<HostileCommand> {};

TEST_P(HostileRun, EndsWithItsStatusAndMessage)
{
    const HostileCommand& run = GetParam();
    const std::string stem = testing::TempDir() + "/hostile_" + std::to_string(getpid()) + "_" + run.name;
    const std::string script = "CALC=" + shell_quoted(calc_under_test(TUBAROGAS_CALC)) + "; WINDOW=" + shell_quoted(TUBAROGAS_WINDOW) +
                               "; TMPDIR_CASES=" + shell_quoted(stem + ".tsv") + "; " + run.command;
    const std::string command = "bash -c " + shell_quoted(script) + " >" + stem + ".out 2>" + stem + ".err";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw)) << "ended by a signal";
    EXPECT_EQ(WEXITSTATUS(raw), run.status);
    const std::string errors = slurp(stem + ".err");
    EXPECT_EQ(errors.substr(0, errors.find('\n')), run.first_error_line) << errors;
    if (run.one_error_line) {
        EXPECT_EQ(errors, std::string(run.first_error_line) + "\n");
    }
    if (run.output) {
        EXPECT_EQ(slurp(stem + ".out"), run.output);
    }
}

#define ONE_CASE "diametro --potenza 116 --perdita 100 --lunghezza 30"
#define ONE_LINE "printf 'D\\t\\t116\\t100\\t30\\n'"
#define ONE_SECTION "printf 'Caldaia\\t\\t30\\t\\t116\\n'"

const HostileCommand kCalcRuns[] = {
    // Every write is checked, the last flush and close included.
    {"FullDiskOneCase", "\"$CALC\" " ONE_CASE " >/dev/full", 4,
     "tubarogas-calc: scrittura non riuscita: No space left on device"},
    {"FullDiskBatch", ONE_LINE " | \"$CALC\" --tsv >/dev/full", 4,
     "tubarogas-calc: scrittura non riuscita: No space left on device"},
    {"FullDiskHelp", "\"$CALC\" --help >/dev/full", 4,
     "tubarogas-calc: scrittura non riuscita: No space left on device"},
    {"FullDiskVersion", "\"$CALC\" --version >/dev/full", 4,
     "tubarogas-calc: scrittura non riuscita: No space left on device"},
    {"ClosedStandardOutput", "\"$CALC\" " ONE_CASE " >&-", 4,
     "tubarogas-calc: scrittura non riuscita: Bad file descriptor"},
    // A closed pipe ends an endless batch at once, SIGPIPE ignored or not.
    {"ClosedPipeWithSigpipeIgnored",
     "trap '' PIPE; yes $'D\\t\\t116\\t100\\t30' 2>/dev/null | timeout 60 \"$CALC\" --tsv | head -c 1 >/dev/null;"
     " exit ${PIPESTATUS[1]}",
     4, "tubarogas-calc: scrittura non riuscita: Broken pipe"},
    {"ClosedPipeSigpipeDefault",
     "yes $'D\\t\\t116\\t100\\t30' | timeout 60 \"$CALC\" --tsv | head -c 1 >/dev/null; exit ${PIPESTATUS[1]}",
     128 + 13, ""},
    // Every read is checked. (No permission is not tried: these tests may
    // run as root, who reads every file.)
    {"Folder", "\"$CALC\" --tsv /", 2, "tubarogas-calc: lettura non riuscita: /: Is a directory", ""},
    {"MissingFile", "\"$CALC\" --tsv /nonexistent/cases.tsv", 2,
     "tubarogas-calc: /nonexistent/cases.tsv: No such file or directory", ""},
    {"ClosedStandardInput", "\"$CALC\" --tsv <&-", 2,
     "tubarogas-calc: lettura non riuscita: standard input: Bad file descriptor", ""},
    {"ClosedStandardInputAsDash", "\"$CALC\" --tsv - <&-", 2,
     "tubarogas-calc: lettura non riuscita: standard input: Bad file descriptor", ""},
    // The separator is one character, not a digit, sign, space or tab.
    {"SeparatorOfTwoCharacters", "\"$CALC\" --separatore ,, " ONE_CASE, 2,
     "tubarogas-calc: --separatore vuole un solo carattere, non ',,'"},
    {"SeparatorDigit", "\"$CALC\" --separatore 1 " ONE_CASE, 2,
     "tubarogas-calc: --separatore non puo' essere una cifra o un segno: '1'"},
    {"SeparatorMinus", "\"$CALC\" --separatore - " ONE_CASE, 2,
     "tubarogas-calc: --separatore non puo' essere una cifra o un segno: '-'"},
    {"SeparatorTab", "\"$CALC\" --separatore $'\\t' " ONE_CASE, 2,
     "tubarogas-calc: --separatore non puo' essere uno spazio, una tabulazione o un carattere di controllo"},
    {"SeparatorEmpty", "\"$CALC\" --separatore '' " ONE_CASE, 2,
     "tubarogas-calc: --separatore vuole un solo carattere, non ''"},
    {"SeparatorNotUtf8", "\"$CALC\" --separatore $'\\xff' " ONE_CASE, 2,
     "tubarogas-calc: --separatore vuole un solo carattere, non '\xff'"},
    {"SeparatorOfTwoBytes",
     "\"$CALC\" lunghezza --separatore $'\\xd9\\xab' --diametro 37 --potenza $'116\\xd9\\xab""5' --perdita 100", 0, "",
     "30\n"},
    // Options in any order around the file, each once, none a batch ignores.
    {"SeparatorBetweenTsvAndFile", ONE_LINE " >\"$TMPDIR_CASES\"; \"$CALC\" --tsv --separatore , \"$TMPDIR_CASES\"", 0,
     "", "D\t37\t116\t100\t30\t1''1/2\tok\n"},
    {"FileBeforeTsv", ONE_LINE " >\"$TMPDIR_CASES\"; \"$CALC\" \"$TMPDIR_CASES\" --separatore , --tsv", 0, "",
     "D\t37\t116\t100\t30\t1''1/2\tok\n"},
    {"QuantityBesideTsv", ONE_LINE " | \"$CALC\" --tsv --potenza 5 --perdita 3", 2,
     "tubarogas-calc: con --tsv le grandezze vengono dalle righe; non vale: --potenza, --perdita", ""},
    {"RepeatedQuantity", "\"$CALC\" " ONE_CASE " --perdita 90", 2, "tubarogas-calc: opzione ripetuta: --perdita", ""},
    {"RepeatedSeparator", "\"$CALC\" --separatore , --separatore . " ONE_CASE, 2,
     "tubarogas-calc: opzione ripetuta: --separatore", ""},
    {"RepeatedTsv", "\"$CALC\" --tsv --tsv", 2, "tubarogas-calc: opzione ripetuta: --tsv", ""},
    {"TwoFiles", "\"$CALC\" --tsv a.tsv b.tsv", 2, "tubarogas-calc: argomento di troppo: b.tsv", ""},
    {"UnknownOption", "\"$CALC\" " ONE_CASE " --volume 3", 2, "tubarogas-calc: opzione sconosciuta: --volume", ""},
    {"UnknownMode", "\"$CALC\" volume --potenza 1", 2, "tubarogas-calc: MODO sconosciuto: volume", ""},
    {"MissingInputs", "\"$CALC\" diametro --potenza 116", 2,
     "tubarogas-calc: mancano dei dati: --perdita, --lunghezza", ""},
    {"MissingValue", "\"$CALC\" diametro --potenza", 2, "tubarogas-calc: manca il testo dopo --potenza", ""},
    // Bytes pass as they are: a 0x1A (end of file to a Windows text stream)
    // ends nothing, and a file whose name is not ASCII opens.
    {"ByteOneAInTheInput", "printf 'D\\t\\t116\\t100\\t30\\x1a\\nL\\t37\\t116\\t100\\t\\n' | \"$CALC\" --tsv", 0, "",
     "D\t\t116\t100\t30\x1a\t\tTipo non corrispondente\nL\t37\t116\t100\t30\t1''1/2\tok\n"},
    {"FileNameNotAscii",
     ONE_LINE " >\"${TMPDIR_CASES%.tsv}-perdite-caldaia-\xc3\xa8-\xe2\x82\xac.tsv\"; "
     "\"$CALC\" --tsv \"${TMPDIR_CASES%.tsv}-perdite-caldaia-\xc3\xa8-\xe2\x82\xac.tsv\" --separatore ,",
     0, "", "D\t37\t116\t100\t30\t1''1/2\tok\n"},
    // An over-long line is its own not-valid line; the batch goes on.
    {"OverLongLine",
     "{ printf 'L\\t'; head -c 70000 /dev/zero | tr '\\0' 1; printf '\\n'; " ONE_LINE "; } | \"$CALC\" --tsv", 1, "",
     "\t\t\t\t\t\triga non valida\nD\t37\t116\t100\t30\t1''1/2\tok\n"},
    // An installation: the same checks, its own options, and a chain of a
    // million sections worked out in one pass down and one up.
    {"FullDiskInstallation", ONE_SECTION " | \"$CALC\" --impianto >/dev/full", 4,
     "tubarogas-calc: scrittura non riuscita: No space left on device"},
    {"InstallationFolder", "\"$CALC\" --impianto /", 2, "tubarogas-calc: lettura non riuscita: /: Is a directory", ""},
    {"InstallationClosedStandardInput", "\"$CALC\" --impianto <&-", 2,
     "tubarogas-calc: lettura non riuscita: standard input: Bad file descriptor", ""},
    {"InstallationMissingFile", "\"$CALC\" --impianto /nonexistent/casa.tsv", 2,
     "tubarogas-calc: /nonexistent/casa.tsv: No such file or directory", ""},
    {"AllowanceNotANumber", ONE_SECTION " | \"$CALC\" --impianto --ammessa 1,5", 2,
     "tubarogas-calc: --ammessa: la perdita ammessa non \xc3\xa8 un numero: '1,5'", ""},
    {"AllowanceOutOfRange", ONE_SECTION " | \"$CALC\" --ammessa 100000 --impianto", 2,
     "tubarogas-calc: --ammessa: la perdita ammessa deve stare tra 0 e 100000 Pa, esclusi: '100000'", ""},
    {"AllowanceBesideTsv", ONE_LINE " | \"$CALC\" --tsv --ammessa 50", 2,
     "tubarogas-calc: --ammessa vale solo con --impianto", ""},
    {"RepeatedAllowance", "\"$CALC\" --impianto --ammessa 50 --ammessa 60", 2,
     "tubarogas-calc: opzione ripetuta: --ammessa", ""},
    {"TsvBesideInstallation", "\"$CALC\" --impianto --tsv", 2, "tubarogas-calc: --tsv e --impianto non vanno insieme", ""},
    {"QuantityBesideInstallation", "\"$CALC\" --impianto --diametro 20", 2,
     "tubarogas-calc: con --impianto le grandezze vengono dalle righe; non vale: --diametro", ""},
    // An installation too large for the memory given it is said, with
    // nothing of it held half-way; a batch goes on line by line.
    {"InstallationBeyondMemory",
     "awk 'BEGIN { for (i = 0; i < 1000000; i++) printf \"T%d\\t\\t10\\t20\\t5\\n\", i }'"
     " | (ulimit -v 200000; \"$CALC\" --impianto >/dev/null)",
     2, "tubarogas-calc: standard input: impianto troppo grande per la memoria disponibile"},
    {"MillionSectionChain",
     "awk 'BEGIN { print \"S0\\t\\t1\\t10\\t\"; for (i = 1; i < 1000000; i++)"
     " printf \"S%d\\tS%d\\t1\\t10\\t%s\\n\", i, i - 1, i == 999999 ? \"10\" : \"\" }'"
     " | timeout 120 \"$CALC\" --impianto | tail -n 1; exit ${PIPESTATUS[1]}",
     5, "", "S999999\tS999998\t1\t10\t10\t10\t20\t20000000\t3/8\"\toltre\n"},
};

INSTANTIATE_TEST_SUITE_P(Calc, HostileRun, testing::ValuesIn(kCalcRuns),
                         [](const auto& row_info) { return std::string(row_info.param.name); });

// tubarogas-calc.exe under Wine, where the rows above that speak of signals,
// of invalid UTF-8 arguments (Windows passes UTF-16) or of the C library's
// wording do not apply. Run only against it (TUBAROGAS_CALC_UNDER_TEST).
const HostileCommand kUnderWineRuns[] = {
    {"Folder", "\"$CALC\" --tsv /", 2, "tubarogas-calc: Z:\\: Is a directory", ""},
    {"ClosedStandardInput", "\"$CALC\" --tsv <&-", 2,
     "tubarogas-calc: lettura non riuscita: standard input: Invalid argument", ""},
    {"InstallationFolder", "\"$CALC\" --impianto /", 2, "tubarogas-calc: Z:\\: Is a directory", ""},
    {"InstallationClosedStandardInput", "\"$CALC\" --impianto <&-", 2,
     "tubarogas-calc: lettura non riuscita: standard input: Invalid argument", ""},
};

INSTANTIATE_TEST_SUITE_P(UnderWine, HostileRun, testing::ValuesIn(kUnderWineRuns),
                         [](const auto& row_info) { return std::string(row_info.param.name); });

#ifdef TUBAROGAS_WITH_WINDOW
#define NO_DISPLAY "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "
const HostileCommand kWindowRuns[] = {
    // One clear line, status 1: no abort, no core.
    {"NoDisplay", NO_DISPLAY "\"$WINDOW\"", 1, "TubaroGAS: nessun display disponibile (DISPLAY non impostato)", "",
     true},
    {"UnreachableDisplay", NO_DISPLAY "DISPLAY=:4242 \"$WINDOW\"", 1,
     "TubaroGAS: nessun display disponibile (impossibile collegarsi a :4242)", "", true},
    {"VersionWithoutDisplay", NO_DISPLAY "\"$WINDOW\" --version", 0, "", "TubaroGAS (Tubaro GAS) 1.00\n"},
    {"HelpWithoutDisplay", NO_DISPLAY "\"$WINDOW\" --help | head -n 1", 0, "", "Uso: TubaroGAS [--help | --version]\n"},
    {"HelpToAFullDisk", NO_DISPLAY "\"$WINDOW\" --help >/dev/full", 1,
     "TubaroGAS: scrittura non riuscita: No space left on device"},
};

INSTANTIATE_TEST_SUITE_P(Window, HostileRun, testing::ValuesIn(kWindowRuns),
                         [](const auto& row_info) { return std::string(row_info.param.name); });
#endif

}  // namespace
