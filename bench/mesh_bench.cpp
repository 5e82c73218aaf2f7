// Building the plan mesh of 100 000 points: scattered, on a regular grid (every square's
// corners on one circle) and along a few lines.
#include <benchmark/benchmark.h>

#include <random>

#include "plan/mesh.h"
#include "project/records.h"

namespace {

using namespace carvela;

Planimetria piano(int n, int tipo) {
    Planimetria p;
    p.NumeroPunti = n;
    p.Punti.redim(n);
    std::mt19937 gen(11);
    std::uniform_real_distribution<float> d(0, 2000);
    const int lato = static_cast<int>(std::sqrt(static_cast<double>(n))) + 1;
    for (int i = 1; i <= n; ++i) {
        if (tipo == 0) {
            p.Punti[i] = {d(gen), d(gen), 100};
        } else if (tipo == 1) {
            p.Punti[i] = {float((i - 1) % lato) * 5.0f + 1000.25f, float((i - 1) / lato) * 5.0f + 500.5f, 100};
        } else {
            // Survey lines: points along 20 straight traverses.
            const int linea = i % 20;
            p.Punti[i] = {float(i / 20) * 0.5f, float(linea * 37) + float(i / 20) * 0.25f, 100};
        }
    }
    return p;
}

void BM_Reticolo(benchmark::State& state) {
    Planimetria p = piano(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    int32_t lati = 0;
    for (auto _ : state) {
        lati = costruisciReticolo(p);
        benchmark::DoNotOptimize(lati);
    }
    state.counters["lati"] = lati;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_Reticolo)->Args({100000, 0})->Args({100000, 1})->Args({100000, 2})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
