#include "cli/command_line.h"

#include "rules/quantity_words.h"
#include "cli/sizing_case.h"
#include "rules/utf8_text.h"

namespace {

using tubaro::Quantity;

// --diametro, --potenza, --perdita, --lunghezza.
std::optional<Quantity> quantity_option(std::string_view argument)
{
    if (!argument.starts_with("--"))
        return std::nullopt;
    return tubaro::quantity_named(argument.substr(2), false);
}

UsageError error(std::string message)
{
    return UsageError{std::move(message)};
}

}  // namespace

std::optional<std::string> separator_problem(std::string_view separator)
{
    std::string problem;
    if (const auto first = tubaro::first_code_point(separator); !first || first->length != separator.size())
        problem = "--separatore vuole un solo carattere, non '";
    else if (const auto c = static_cast<unsigned char>(separator[0]); (c >= '0' && c <= '9') || c == '+' || c == '-')
        problem = "--separatore non puo' essere una cifra o un segno: '";
    else if (c <= ' ' || c == 0x7F)
        return "--separatore non puo' essere uno spazio, una tabulazione o un carattere di controllo";
    else
        return std::nullopt;
    problem.append(separator);
    problem += '\'';
    return problem;
}

std::variant<CommandLine, UsageError> parse_command_line(std::span<const char* const> arguments)
{
    CommandLine line;
    for (const char* argument : arguments) {
        const std::string_view each = argument;
        if (each == "--help" || each == "-h") {
            line.request = CommandLine::Request::Help;
            return line;
        }
        if (each == "--version") {
            line.request = CommandLine::Request::Version;
            return line;
        }
    }

    std::optional<std::string_view> reading;  // --tsv or --impianto
    std::optional<std::string_view> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        // An option's value, given once, right after it; `what` names it
        // when it is missing.
        const auto take_value = [&](std::optional<std::string_view>& slot,
                                    std::string_view what) -> std::optional<UsageError> {
            if (slot)
                return error("opzione ripetuta: " + std::string(argument));
            if (i + 1 >= arguments.size())
                return error("manca " + std::string(what) + " dopo " + std::string(argument));
            slot = arguments[++i];
            return std::nullopt;
        };
        std::optional<UsageError> problem;
        if (argument == "--tsv" || argument == "--impianto") {
            if (reading == argument)
                return error("opzione ripetuta: " + std::string(argument));
            if (reading)
                return error("--tsv e --impianto non vanno insieme");
            reading = argument;
        } else if (argument == "--separatore") {
            problem = take_value(line.separator, "il carattere");
            if (!problem)
                if (auto wrong = separator_problem(*line.separator))
                    problem = error(std::move(*wrong));
        } else if (argument == "--ammessa") {
            problem = take_value(line.allowance, "il testo");
        } else if (const auto quantity = quantity_option(argument)) {
            problem = take_value(line.texts[*quantity], "il testo");
        } else if (argument.starts_with("--")) {
            return error("opzione sconosciuta: " + std::string(argument));
        } else if (positional) {
            return error("argomento di troppo: " + std::string(argument));
        } else {
            positional = argument;
        }
        if (problem)
            return *problem;
    }

    if (line.allowance && reading != "--impianto")
        return error("--ammessa vale solo con --impianto");
    if (reading) {
        line.request = *reading == "--tsv" ? CommandLine::Request::Batch : CommandLine::Request::Installation;
        std::string given;
        for (Quantity quantity : tubaro::kQuantities)
            if (line.texts[quantity])
                given += std::string(given.empty() ? "" : ", ") + "--" + std::string(tubaro::kQuantityWords[quantity].word);
        if (!given.empty())
            return error("con " + std::string(*reading) + " le grandezze vengono dalle righe; non vale: " + given);
        line.input_file = positional;
        return line;
    }

    if (!positional)
        return error("manca MODO");
    line.mode = parse_mode(*positional, false);
    if (!line.mode)
        return error("MODO sconosciuto: " + std::string(*positional));
    std::string missing;
    for (Quantity quantity : tubaro::kQuantities)
        if (quantity != *line.mode && !line.texts[quantity])
            missing += std::string(missing.empty() ? "" : ", ") + "--" + std::string(tubaro::kQuantityWords[quantity].word);
    if (!missing.empty())
        return error("mancano dei dati: " + missing);
    return line;
}
