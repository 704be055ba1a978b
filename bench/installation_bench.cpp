// An installation of 200 sections, every diameter left empty and so
// proposed, from its text to the command line's answer: read, evaluated,
// written.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/checked_output.h"
#include "cli/installation_tsv.h"

namespace {

// A binary tree of 200 sections from the meter, 1 to 10 m each, an
// appliance of 5 to 24,5 kW at the end of every section that feeds no
// other.
std::string two_hundred_sections()
{
    std::string text;
    for (int i = 0; i < 200; ++i) {
        text.append("T").append(std::to_string(i)).append("\t");
        if (i > 0)
            text.append("T").append(std::to_string((i - 1) / 2));
        text.append("\t").append(std::to_string(1 + i % 10)).append("\t\t");
        if (2 * i + 1 >= 200)
            text.append(std::to_string(5 + i % 20)).append(",5");
        text.append("\n");
    }
    return text;
}

std::string answer(std::string& input)
{
    std::FILE* source = fmemopen(input.data(), input.size(), "rb");
    char* written = nullptr;
    std::size_t written_size = 0;
    CheckedOutput output(open_memstream(&written, &written_size));
    run_installation(source, output, "100", ",");
    std::fclose(source);
    output.finish();
    std::string out(written, written_size);
    std::free(written);
    return out;
}

void BM_InstallationParsedToPrinted(benchmark::State& state)
{
    std::string input = two_hundred_sections();
    const std::string out = answer(input);
    std::size_t proposed = 0;
    for (std::size_t at = out.find("proposto"); at != std::string::npos; at = out.find("proposto", at + 1))
        ++proposed;
    if (proposed != 200)
        state.SkipWithError("not every diameter was proposed");
    for (auto _ : state)
        benchmark::DoNotOptimize(answer(input));
}
BENCHMARK(BM_InstallationParsedToPrinted)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
