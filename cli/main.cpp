#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <variant>

#include "cli/checked_output.h"
#include "cli/platform.h"
#include "cli/command_line.h"
#include "rules/installation.h"
#include "cli/installation_tsv.h"
#include "rules/installation_words.h"
#include "cli/sizing_case.h"
#include "cli/tsv_batch.h"
#include "tubaro_version.h"

namespace {

using tubaro::Quantity;

// Exit statuses, as --help and the README list them.
constexpr int kSucceeded = 0;
constexpr int kInvalidLines = 1;
constexpr int kUsageOrInput = 2;
constexpr int kCalculationError = 3;
constexpr int kWriteFailed = 4;
constexpr int kNotAllWithin = 5;

constexpr std::string_view kUsage =
    "Uso:\n"
    "  tubarogas-calc MODO --diametro T --potenza T --perdita T --lunghezza T [--separatore C]\n"
    "  tubarogas-calc --tsv [FILE] [--separatore C]\n"
    "  tubarogas-calc --impianto [FILE] [--ammessa Y] [--separatore C]\n"
    "  tubarogas-calc --help | --version\n";

constexpr std::string_view kHelp =
    "Dimensionamento di tubazioni gas a bassa pressione, con gli stessi risultati\n"
    "della finestra di Tubaro GAS.\n"
    "\n"
    "MODO e' la grandezza calcolata: diametro, potenza, perdita o lunghezza.\n"
    "Le altre tre si danno come testi, letti come li legge la finestra:\n"
    "  --diametro T    diametro interno [mm]\n"
    "  --potenza T     potenza [kW]\n"
    "  --perdita T     perdita di carico totale [Pa]\n"
    "  --lunghezza T   lunghezza equivalente [m]\n"
    "L'opzione della grandezza calcolata si puo' omettere ed e' ignorata.\n"
    "Stampa il risultato; per il diametro, su una seconda riga, la misura in pollici.\n"
    "\n"
    "--tsv [FILE]      legge da FILE (o dallo standard input, anche con FILE -)\n"
    "                  righe di cinque campi separati da tabulazioni, MODO D P Y L\n"
    "                  (MODO anche come D, P, Y, L), e scrive per ognuna\n"
    "                  MODO D P Y L POLLICI ESITO. ESITO e' ok, il nome\n"
    "                  dell'errore, o 'riga non valida' (anche per una riga di\n"
    "                  oltre 65536 byte, che torna con i campi vuoti).\n"
    "--impianto [FILE] legge da FILE (o dallo standard input) un impianto, un\n"
    "                  tratto per riga: TRATTO DA L D KW, separati da\n"
    "                  tabulazioni. TRATTO e' il nome (fino a 40 caratteri),\n"
    "                  DA il tratto da cui parte (vuoto: dal contatore, se no\n"
    "                  un tratto di una riga precedente), L la lunghezza\n"
    "                  equivalente [m], D il diametro [mm] (vuoto: proposto),\n"
    "                  KW la potenza dell'apparecchio alla fine (vuoto:\n"
    "                  nessuno); le righe vuote o che cominciano con # si\n"
    "                  saltano. Scrive due righe di intestazione (#), poi per\n"
    "                  ogni riga TRATTO DA L D KW P Y PROGRESSIVA POLLICI ESITO:\n"
    "                  P la potenza che il tratto porta, Y la sua perdita [Pa],\n"
    "                  PROGRESSIVA la perdita dal contatore [Pa]. ESITO e'\n"
    "                  entro o oltre (seguito da proposto per un diametro\n"
    "                  proposto), oppure dice perche' manca la progressiva o\n"
    "                  perche' la riga non e' valida.\n"
    "--ammessa Y       la perdita ammessa dal contatore a ogni apparecchio [Pa],\n"
    "                  letta come la finestra legge Y (predefinita: 100)\n"
    "--separatore C    separatore decimale, un solo carattere\n"
    "\n"
    "Le opzioni valgono in qualsiasi ordine, ognuna una volta sola.\n"
    "\n"
    "Uscita: 0 riuscito; 1 righe non valide in --tsv o --impianto; 2 uso errato,\n"
    "o FILE che non si puo' aprire o leggere; 3 errore di calcolo (il nome\n"
    "dell'errore e' sullo standard error); 4 scrittura non riuscita (disco\n"
    "pieno, pipe chiusa); 5 in --impianto, un tratto oltre la perdita ammessa\n"
    "o senza perdita dal contatore.\n";

void say(std::string_view message)
{
    std::fprintf(stderr, "tubarogas-calc: %.*s\n", static_cast<int>(message.size()), message.data());
}

int usage_error(std::string_view problem)
{
    say(problem);
    std::fwrite(kUsage.data(), 1, kUsage.size(), stderr);
    return kUsageOrInput;
}

// Ends the run once everything has been written: a write that failed, the
// last flush and close included, turns any status into kWriteFailed.
int finish(CheckedOutput& output, int status)
{
    if (!output.finish()) {
        say("scrittura non riuscita: " + output.failure());
        return kWriteFailed;
    }
    return status;
}

// FILE, or standard input for none or "-"; null, said, when it cannot be
// opened.
std::FILE* open_input(const CommandLine& line, std::string& name)
{
    name = "standard input";
    if (!line.input_file || *line.input_file == "-")
        return stdin;
    name = std::string(*line.input_file);
    std::FILE* input = open_for_reading(name);
    if (!input)
        say(name + ": " + std::strerror(errno));
    return input;
}

int read_failed(CheckedOutput& output, const std::string& name, int read_error)
{
    say("lettura non riuscita: " + name + ": " + std::strerror(read_error));
    return finish(output, kUsageOrInput);
}

int run_batch(const CommandLine& line, const std::string& separator, CheckedOutput& output)
{
    std::string name;
    std::FILE* input = open_input(line, name);
    if (!input)
        return kUsageOrInput;
    const BatchResult result = run_tsv(input, output, separator);
    if (input != stdin)
        std::fclose(input);
    switch (result.end) {
    case BatchEnd::AllValid: return finish(output, kSucceeded);
    case BatchEnd::SomeInvalid: return finish(output, kInvalidLines);
    case BatchEnd::ReadFailed: return read_failed(output, name, result.read_error);
    case BatchEnd::WriteFailed: break;
    }
    return finish(output, kWriteFailed);
}

int run_installation_mode(const CommandLine& line, const std::string& separator, CheckedOutput& output)
{
    const std::string_view allowance = line.allowance.value_or(tubaro::kDefaultAllowance);
    if (const auto fault = tubaro::allowance_fault(allowance, separator))
        return usage_error("--ammessa: " + tubaro::allowance_fault_text(*fault) + ": '" + std::string(allowance) + "'");
    std::string name;
    std::FILE* input = open_input(line, name);
    if (!input)
        return kUsageOrInput;
    InstallationRun result{InstallationEnd::AllWithin};
    try {
        result = run_installation(input, output, allowance, separator);
    } catch (const std::bad_alloc&) {
        // An installation is held whole (its sums and paths need every
        // line): one that does not fit in memory is said, not a crash.
        if (input != stdin)
            std::fclose(input);
        say(name + ": impianto troppo grande per la memoria disponibile");
        return finish(output, kUsageOrInput);
    }
    if (input != stdin)
        std::fclose(input);
    switch (result.end) {
    case InstallationEnd::AllWithin: return finish(output, kSucceeded);
    case InstallationEnd::SomeInvalid: return finish(output, kInvalidLines);
    case InstallationEnd::NotAllWithin: return finish(output, kNotAllWithin);
    case InstallationEnd::ReadFailed: return read_failed(output, name, result.read_error);
    case InstallationEnd::WriteFailed: break;
    }
    return finish(output, kWriteFailed);
}

int run_one_case(const CommandLine& line, const std::string& separator, CheckedOutput& output)
{
    SizingCase sizing_case{*line.mode, {}};
    for (Quantity quantity : tubaro::kQuantities)
        if (quantity != *line.mode)  // the output field is never read
            sizing_case.texts[quantity] = *line.texts[quantity];

    const SizingResult result = solve(sizing_case, separator);
    if (const auto error = result.written.error()) {
        const std::string_view name = tubaro::error_name(*error);
        std::fprintf(stderr, "%.*s\n", static_cast<int>(name.size()), name.data());
        return finish(output, kCalculationError);
    }
    output.write(result.written.value());
    output.write("\n");
    if (*line.mode == Quantity::Diameter) {
        output.write(result.designation);
        output.write("\n");
    }
    return finish(output, kSucceeded);
}

}  // namespace

int tubarogas_calc(std::span<const char* const> arguments)
{
    use_binary_standard_streams();
    CheckedOutput output(stdout);
    const auto parsed = parse_command_line(arguments);
    if (const auto* problem = std::get_if<UsageError>(&parsed))
        return usage_error(problem->message);
    const CommandLine& line = std::get<CommandLine>(parsed);

    switch (line.request) {
    case CommandLine::Request::Help:
        output.write(kUsage);
        output.write("\n");
        output.write(kHelp);
        // Where the separator comes from without --separatore differs by
        // platform.
        output.write("\nSenza --separatore il separatore decimale e' quello delle impostazioni\ninternazionali, ");
        output.write(kRegionalSettingsSource);
        output.write(".\n");
        return finish(output, kSucceeded);
    case CommandLine::Request::Version:
        output.write("tubarogas-calc (Tubaro GAS) ");
        output.write(tubaro::kVersionText);
        output.write("\n");
        return finish(output, kSucceeded);
    case CommandLine::Request::OneCase:
    case CommandLine::Request::Batch:
    case CommandLine::Request::Installation:
        break;
    }

    const std::string separator = line.separator ? std::string(*line.separator) : regional_decimal_separator();
    if (line.request == CommandLine::Request::Batch)
        return run_batch(line, separator, output);
    if (line.request == CommandLine::Request::Installation)
        return run_installation_mode(line, separator, output);
    return run_one_case(line, separator, output);
}
