// The road computation on a large plan: a hill of N contour rings of 180 pieces each and a
// twelve-vertex axis across it. Reports stations per run alongside the time; the ground
// elevation of every station scans all contour pieces, so time grows with pieces x stations.
#include <benchmark/benchmark.h>

#include <cmath>

#include "graphics/recording_canvas.h"
#include "graphics/road_command.h"
#include "road/geometry.h"
#include "state/silent_host.h"
#include "state/workspace.h"

namespace {

using namespace carvela;

Planimetria collina(int anelli) {
    Planimetria p;
    p.NumeroCurveLivello = anelli;
    p.CurveLivello.redim(anelli);
    for (int c = 1; c <= anelli; ++c) {
        const double r = 2000.0 * (anelli - c + 1) / anelli, z = c * 0.5;
        VbArray<ContourSegment>& anello = p.CurveLivello[c];
        anello.redim(180);
        for (int i = 1; i <= 180; ++i) {
            const double a0 = 2 * M_PI * (i - 1) / 180, a1 = 2 * M_PI * i / 180;
            anello[i] = {float(2000 + r * std::cos(a0)), float(2000 + r * std::sin(a0)), float(z),
                         float(2000 + r * std::cos(a1)), float(2000 + r * std::sin(a1)), float(z)};
        }
    }
    p.VerticiAsse.redim(12);
    for (int i = 1; i <= 12; ++i)
        p.VerticiAsse[i] = {float(300 + 300 * i), float(i % 2 ? 900 : 3100), 0};
    p.NumeroPuntiAsse = 12;
    return p;
}

void BM_CalcolaTracciato(benchmark::State& state) {
    const Planimetria piano = collina(static_cast<int>(state.range(0)));
    HostMuto host;
    RecordingCanvas canvas;
    int32_t stazioni = 0;
    for (auto _ : state) {
        Workspace ws;
        ws.Piano = piano;
        calcolaTracciato(ws, canvas, host);
        canvas.svuota();
        stazioni = ws.Piano.NumeroIntersezioni;
        benchmark::DoNotOptimize(ws.Profilo.QuoteProgetto.raw().data());
    }
    state.counters["stazioni"] = stazioni;
    state.counters["pezzi"] = static_cast<double>(state.range(0)) * 180;
}
BENCHMARK(BM_CalcolaTracciato)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_QuotaTerreno(benchmark::State& state) {
    const Planimetria piano = collina(static_cast<int>(state.range(0)));
    double x = 500;
    for (auto _ : state) {
        benchmark::DoNotOptimize(quotaTerreno(piano, x, 1700));
        x = x > 3500 ? 500 : x + 7.3;
    }
}
BENCHMARK(BM_QuotaTerreno)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
