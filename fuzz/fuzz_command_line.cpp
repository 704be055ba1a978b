// Arbitrary arguments and batch input through tubarogas-calc's reading:
// never a crash or undefined behaviour; a command line is either followed or
// refused with a message; a batch answers every line it reads with exactly
// one line: a comment or an empty line as it came, anything else as seven
// tab-separated fields whose last is a known outcome.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/checked_output.h"
#include "cli/command_line.h"
#include "calc/error_kind.h"
#include "fuzz/text_lines.h"
#include "cli/tsv_batch.h"

namespace {

bool known_outcome(std::string_view outcome)
{
    if (outcome == "ok" || outcome == "riga non valida")
        return true;
    for (auto kind : {tubaro::ErrorKind::TypeMismatch, tubaro::ErrorKind::Overflow, tubaro::ErrorKind::DivisionByZero,
                      tubaro::ErrorKind::InvalidArgument})
        if (outcome == tubaro::error_name(kind))
            return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Up to the first byte 0x01: arguments separated by NUL; after it: the
    // batch's input.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto split = bytes.find('\x01');
    const std::string_view argument_bytes = bytes.substr(0, split);
    const std::string_view input = split == std::string_view::npos ? std::string_view{} : bytes.substr(split + 1);

    std::vector<std::string> arguments;
    for (std::string_view rest = argument_bytes; !rest.empty();) {
        const auto end = rest.find('\0');
        arguments.emplace_back(rest.substr(0, end));
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    std::vector<const char*> argv;
    for (const std::string& each : arguments)
        argv.push_back(each.c_str());

    const auto parsed = parse_command_line(argv);
    if (const auto* problem = std::get_if<UsageError>(&parsed)) {
        if (problem->message.empty())
            std::abort();
        return 0;
    }
    const CommandLine& line = std::get<CommandLine>(parsed);
    if (line.request == CommandLine::Request::OneCase && !line.mode)
        std::abort();
    if (line.separator && separator_problem(*line.separator))
        std::abort();

    // Every input goes through a batch, with the separator given or a comma.
    std::string in(input);
    // fmemopen refuses an empty buffer.
    std::FILE* source = in.empty() ? std::fopen("/dev/null", "rb") : fmemopen(in.data(), in.size(), "rb");
    char* written = nullptr;
    std::size_t written_size = 0;
    std::FILE* sink = open_memstream(&written, &written_size);
    if (!source || !sink)
        std::abort();
    CheckedOutput output(sink);
    const BatchResult result = run_tsv(source, output, line.separator ? *line.separator : std::string_view(","));
    std::fclose(source);
    if (!output.finish() || result.end == BatchEnd::ReadFailed || result.end == BatchEnd::WriteFailed)
        std::abort();

    const std::vector<std::string_view> in_lines = lines_of(input);
    const std::vector<std::string_view> out_lines = lines_of(std::string_view(written, written_size));
    if (in_lines.size() != out_lines.size())
        std::abort();
    bool all_valid = true;
    for (std::size_t i = 0; i < in_lines.size(); ++i) {
        std::string_view given = in_lines[i];
        if (!given.empty() && given.back() == '\r')
            given.remove_suffix(1);
        if (given.empty() || given.front() == '#') {
            if (out_lines[i] != given)
                std::abort();
            continue;
        }
        const std::string_view answer = out_lines[i];
        std::size_t tabs = 0;
        for (char c : answer)
            tabs += c == '\t';
        if (tabs != 6 || !known_outcome(answer.substr(answer.rfind('\t') + 1)))
            std::abort();
        all_valid &= !answer.ends_with("\triga non valida");
    }
    if ((result.end == BatchEnd::AllValid) != all_valid)
        std::abort();
    std::free(written);
    return 0;
}
