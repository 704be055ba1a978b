// Speed of the calculation and of a key release in the window-less form.
#include <benchmark/benchmark.h>

#include "calc/module_calcoli.h"
#include "tests/support/windowless_form.h"

namespace {

using tubaro::Quantity;

void BM_Calcola_Diametro(benchmark::State& state)
{
    tubaro::Long P = 116, Y = 100, L = 30;
    for (auto _ : state) {
        benchmark::DoNotOptimize(P);
        benchmark::DoNotOptimize(tubaro::Calcola_Diametro(P, Y, L));
    }
}
BENCHMARK(BM_Calcola_Diametro);

void BM_Calcola_Potenza(benchmark::State& state)
{
    tubaro::Long D = 37, Y = 100, L = 30;
    for (auto _ : state) {
        benchmark::DoNotOptimize(D);
        benchmark::DoNotOptimize(tubaro::Calcola_Potenza(D, Y, L));
    }
}
BENCHMARK(BM_Calcola_Potenza);

void BM_Calcola_Perdita(benchmark::State& state)
{
    tubaro::Long D = 37, P = 116, L = 30;
    for (auto _ : state) {
        benchmark::DoNotOptimize(D);
        benchmark::DoNotOptimize(tubaro::Calcola_Perdita(D, P, L));
    }
}
BENCHMARK(BM_Calcola_Perdita);

void BM_Calcola_Lunghezza(benchmark::State& state)
{
    tubaro::Long D = 37, Y = 100;
    const auto P = tubaro::Currency::from_count(1'165'000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(D);
        benchmark::DoNotOptimize(tubaro::Calcola_Lunghezza(D, P, Y));
    }
}
BENCHMARK(BM_Calcola_Lunghezza);

// A recalculation as the window starts one without changing an input: a
// key released in the computed field, in each mode.
void BM_Ricalcola(benchmark::State& state)
{
    const Quantity mode = tubaro::kQuantities[static_cast<std::size_t>(state.range(0))];
    tubaro::WindowlessForm form(",");
    form.click_option(mode);
    for (auto _ : state)
        form.release_key(mode, {tubaro::Key::Other, tubaro::WindowlessForm::kShiftCode, tubaro::kShift});
}
BENCHMARK(BM_Ricalcola)->DenseRange(0, 3);

// A key going down and up in Text_P: the check, the recalculation of the
// diameter, the designation.
void BM_KeyRelease(benchmark::State& state)
{
    tubaro::WindowlessForm form(",");
    for (auto _ : state) {
        form.press_key(Quantity::Power, {tubaro::Key::Other, '6', 0});
        form.release_key(Quantity::Power, {tubaro::Key::Other, '6', 0});
    }
}
BENCHMARK(BM_KeyRelease);

}  // namespace

BENCHMARK_MAIN();
