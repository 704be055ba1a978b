#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "rules/quantity.h"

// What tubarogas-calc was asked to do.
struct CommandLine {
    enum class Request { Help, Version, OneCase, Batch, Installation };
    Request request = Request::OneCase;
    // One case: the computed quantity and the texts given for the others
    // (the computed one's, if given, is ignored).
    std::optional<tubaro::Quantity> mode;
    tubaro::PerQuantity<std::optional<std::string_view>> texts{};
    std::optional<std::string_view> separator;
    // A batch or an installation: its file; absent or "-" for standard
    // input.
    std::optional<std::string_view> input_file;
    // An installation: the allowance's text as given (not yet read: the
    // separator may come from the regional settings).
    std::optional<std::string_view> allowance;
};

// A command line that cannot be followed, with what is wrong in Italian.
struct UsageError {
    std::string message;
};

// Reads the arguments that follow the program's name. --help and --version
// answer whatever else is there. Otherwise options come in any order, each
// at most once, with their values after them; the one argument that is not
// an option is MODO for one case, or FILE for --tsv or --impianto. A batch
// and an installation take their quantities from their lines, so a
// quantity option beside --tsv or --impianto is an error; so is --tsv
// beside --impianto, --ammessa without --impianto, an unknown option, a
// missing value, a second MODO or FILE, and a separator that is not
// exactly one character other than a digit, a sign, a space or a control
// character (tab, line end).
std::variant<CommandLine, UsageError> parse_command_line(std::span<const char* const> arguments);

// Why a text cannot be the decimal separator, or nullopt when it can.
std::optional<std::string> separator_problem(std::string_view separator);
