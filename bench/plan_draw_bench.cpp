// Drawing a plan of 100 000 points (with and without labels) and its contour lines.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "graphics/plan_drawing.h"
#include "graphics/raster_canvas.h"
#include "graphics/view_ops.h"
#include "state/silent_host.h"
#include "state/view.h"
#include "state/workspace.h"

namespace {

using namespace carvela;

// A canvas that only counts: the cost of the drawing itself.
class CanvasConteggio : public Canvas {
public:
    long operazioni = 0;
    int larghezza() const override { return 1600; }
    int altezza() const override { return 1000; }
    void clear() override { ++operazioni; }
    void setForeColor(int c) override { colore_ = c; }
    int foreColor() const override { return colore_; }
    void setDrawStyle(StileTratto) override {}
    void setPixel(int, int, int) override { ++operazioni; }
    void moveTo(int, int) override { ++operazioni; }
    void lineTo(int, int) override { ++operazioni; }
    void polyBezier(const std::vector<PuntoCanvas>& p) override { operazioni += static_cast<long>(p.size()); }
    void line(double, double, double, double, int) override { ++operazioni; }
    void box(double, double, double, double, int, bool) override { ++operazioni; }
    void circle(double, double, double, int, double) override { ++operazioni; }
    void arc(double, double, double, int, double, double, double) override { ++operazioni; }

private:
    int colore_ = 15;
};

// 100 000 points over 2 km x 1.5 km and 60 contour lines of 200 pieces each.
Planimetria pianoGrande(int punti) {
    Planimetria p;
    std::mt19937 gen(7);
    std::uniform_real_distribution<float> x(0, 2000), y(0, 1500);
    p.NumeroPunti = punti;
    p.Punti.redim(punti);
    p.PuntiStazione.redim(punti);
    for (int i = 1; i <= punti; ++i) {
        const float a = x(gen), b = y(gen);
        p.Punti[i] = {a, b, 100 + 0.01f * a};
        p.PuntiStazione[i] = i % 50 == 0;
    }
    p.NumeroCurveLivello = 60;
    p.CurveLivello.redim(60);
    for (int c = 1; c <= 60; ++c) {
        auto& pezzi = p.CurveLivello[c];
        pezzi.redim(200);
        for (int k = 1; k <= 200; ++k) {
            const double r = 10 * c, a1 = (k - 1) * 0.0314159, a2 = k * 0.0314159;
            pezzi[k] = {float(1000 + r * std::cos(a1)), float(750 + r * std::sin(a1)), float(c),
                        float(1000 + r * std::cos(a2)), float(750 + r * std::sin(a2)), float(c)};
        }
    }
    return p;
}

void disegna(benchmark::State& state, Canvas& canvas, bool etichette) {
    Workspace ws;
    HostMuto host;
    ws.Piano = pianoGrande(static_cast<int>(state.range(0)));
    ws.impostazioni.MantieniQuoteDraw = etichette;
    inizializzaVista(ws.vista, canvas);
    disegnaPianta(ws, canvas, host);
    zoomEstensione(ws, canvas, host);  // the whole plan on the canvas
    for (auto _ : state) {
        disegnaPianta(ws, canvas, host);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_PianoSoloDisegno(benchmark::State& state) {
    CanvasConteggio c;
    disegna(state, c, state.range(1) != 0);
}
void BM_PianoRaster(benchmark::State& state) {
    RasterCanvas c(1600, 1000);
    disegna(state, c, state.range(1) != 0);
}

}  // namespace

BENCHMARK(BM_PianoSoloDisegno)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PianoRaster)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
