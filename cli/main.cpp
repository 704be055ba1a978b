#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "sizing_case.h"
#include "tsv_batch.h"
#include "tubaro_version.h"

namespace {

using tubaro::Quantity;

constexpr int kUsageError = 2;
constexpr int kCalculationError = 3;

constexpr const char* kUsage =
    "Uso:\n"
    "  tubarogas-calc MODO --diametro T --potenza T --perdita T --lunghezza T\n"
    "  tubarogas-calc --tsv [FILE]\n"
    "  tubarogas-calc --help | --version\n";

constexpr const char* kHelp =
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
    "--tsv [FILE]      legge da FILE (o dallo standard input) righe di cinque campi\n"
    "                  separati da tabulazioni, MODO D P Y L (MODO anche come D, P,\n"
    "                  Y, L), e scrive per ognuna MODO D P Y L POLLICI ESITO.\n"
    "                  ESITO e' ok, il nome dell'errore, o 'riga non valida'.\n"
    "--separatore C    separatore decimale (predefinito: quello delle impostazioni\n"
    "                  internazionali, da LC_NUMERIC o LANG)\n"
    "\n"
    "Uscita: 0 riuscito, 1 righe non valide in --tsv, 2 uso errato,\n"
    "3 errore di calcolo (il nome dell'errore e' sullo standard error).\n";

int usage_error(const char* problem)
{
    std::fprintf(stderr, "tubarogas-calc: %s\n%s", problem, kUsage);
    return kUsageError;
}

// The regional decimal separator, read once from the C library's locale.
std::string regional_separator()
{
    if (!std::setlocale(LC_NUMERIC, ""))
        return ".";
    std::string separator = std::localeconv()->decimal_point;
    std::setlocale(LC_NUMERIC, "C");
    return separator.empty() ? "." : separator;
}

std::optional<Quantity> option_quantity(std::string_view option)
{
    if (!option.starts_with("--"))
        return std::nullopt;
    return parse_mode(option.substr(2), false);
}

}  // namespace

int main(int argc, char* argv[])
{
    std::optional<std::string> separator;
    std::optional<Quantity> mode;
    bool tsv = false;
    std::optional<std::string> tsv_file;
    tubaro::PerQuantity<std::optional<std::string_view>> texts;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::fputs("\n", stdout);
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("tubarogas-calc (Tubaro GAS) %.*s\n", static_cast<int>(tubaro::kVersionText.size()),
                        tubaro::kVersionText.data());
            return 0;
        }
        if (arg == "--separatore") {
            if (!has_value || argv[i + 1][0] == '\0')
                return usage_error("--separatore vuole un carattere");
            separator = argv[++i];
        } else if (arg == "--tsv") {
            tsv = true;
            if (has_value && !std::string_view(argv[i + 1]).starts_with("--"))
                tsv_file = argv[++i];
        } else if (const auto quantity = option_quantity(arg)) {
            if (!has_value)
                return usage_error("manca il testo dopo un'opzione");
            texts[*quantity] = argv[++i];
        } else if (!arg.starts_with("--") && !mode) {
            mode = parse_mode(arg, false);
            if (!mode)
                return usage_error("MODO sconosciuto");
        } else {
            return usage_error("argomento non riconosciuto");
        }
    }

    const std::string decimal_separator = separator ? *separator : regional_separator();

    if (tsv) {
        if (mode)
            return usage_error("--tsv non prende un MODO");
        std::FILE* input = stdin;
        if (tsv_file && *tsv_file != "-") {
            input = std::fopen(tsv_file->c_str(), "rb");
            if (!input) {
                std::fprintf(stderr, "tubarogas-calc: %s: %s\n", tsv_file->c_str(), std::strerror(errno));
                return kUsageError;
            }
        }
        const int status = run_tsv(input, stdout, decimal_separator);
        if (input != stdin)
            std::fclose(input);
        return status;
    }

    if (!mode)
        return usage_error("manca MODO");
    SizingCase sizing_case{*mode, {}};
    for (Quantity quantity : tubaro::kQuantities) {
        if (quantity == *mode)
            continue;  // the output field is never read
        if (!texts[quantity])
            return usage_error("mancano dei dati: servono le tre grandezze non calcolate");
        sizing_case.texts[quantity] = *texts[quantity];
    }

    const SizingResult result = solve(sizing_case, decimal_separator);
    if (const auto error = result.written.error()) {
        const std::string_view name = tubaro::error_name(*error);
        std::fprintf(stderr, "%.*s\n", static_cast<int>(name.size()), name.data());
        return kCalculationError;
    }
    std::puts(result.written.value().c_str());
    if (*mode == Quantity::Diameter)
        std::printf("%.*s\n", static_cast<int>(result.designation.size()), result.designation.data());
    return 0;
}
