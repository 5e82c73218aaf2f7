// Redrawing the plan the batch road job builds from the 100 MB contour drawing of
// dxf_contour_generator.h (1,657 contour lines, 1.14 M vertices, about 6 km across) with its
// 2 km axis computed: the whole plan at extent and a 200 m window in its middle, with the
// point labels on and off, on the raster canvas of the pictures and the canvas window.
//
//   plan_terrain_bench [--mb 100] [Google Benchmark options]
//
// The terrain is made once in the temporary folder; reading and computing it takes a few
// seconds before the first benchmark. Each benchmark reports a checksum of the picture and
// the drawing extent, so two builds can be compared for an identical drawing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "dxf/dxf_commands.h"
#include "dxf/dxf_project.h"
#include "dxf/dxf_reader.h"
#include "dxf_contour_generator.h"
#include "graphics/plan_drawing.h"
#include "graphics/raster_canvas.h"
#include "graphics/road_command.h"
#include "graphics/view_ops.h"
#include "project/coordinate.h"
#include "project/origine.h"
#include "state/silent_host.h"
#include "state/view.h"
#include "state/workspace.h"

namespace {

using namespace carvela;

std::size_t megabyte = 100;

// The plan of the road job: contour lines from the drawing's polylines, the axis of
// road_job_bench, the road computed.
Workspace& pianoStrada() {
    static std::unique_ptr<Workspace> ws = [] {
        auto w = std::make_unique<Workspace>();
        HostMuto host;
        RasterCanvas canvas(1600, 1000);
        inizializzaVista(w->vista, canvas);
        const std::string dxf = bench::fileCurveDxf(megabyte << 20);
        if (!ReadDxf(*w, host, dxf)) std::fprintf(stderr, "Lettura di %s non riuscita\n", dxf.c_str());
        w->TipoDocumento = kDocDxf;
        SceltaDxf scelta;
        scelta.progetto = TipoProgettoDxf::PianoQuotato;
        scelta.modo = ModoSelezioneDxf::Entita;
        scelta.tipo = "POLYLINE";
        scelta.curveDaPolilinee = true;
        scelta.rilasciaDisegno = true;
        convertiProgettoDxf(*w, canvas, host, scelta);
        const double vertici[][2] = {{1511100, 5033700}, {1511500, 5033900}, {1511850, 5033800},
                                     {1512250, 5034050}, {1512600, 5033950}, {1512950, 5034200}};
        Planimetria& p = w->Piano;
        const OrigineProgetto o = leggiOrigine(p.Origine);
        p.VerticiAsse.redim(6);
        for (int i = 0; i < 6; ++i)
            p.VerticiAsse[i + 1] = {coordinataRecord(vertici[i][0], o.est), coordinataRecord(vertici[i][1], o.nord), 0};
        p.AsseTracciato = p.VerticiAsse;
        p.NumeroPuntiAsse = 6;
        calcolaTracciato(*w, canvas, host);
        std::fprintf(stderr, "Piano: %d curve di livello, %d stazioni\n", p.NumeroCurveLivello, p.NumeroIntersezioni);
        return w;
    }();
    return *ws;
}

// FNV-1a over the pixels and the extent, in hexadecimal.
std::string impronta(const RasterCanvas& c, const Vista& v) {
    uint64_t h = 1469598103934665603ull;
    auto aggiungi = [&](uint32_t x) {
        for (int i = 0; i < 4; ++i) h = (h ^ ((x >> (8 * i)) & 0xFF)) * 1099511628211ull;
    };
    for (int y = 0; y < c.altezza(); ++y)
        for (int x = 0; x < c.larghezza(); ++x) {
            const ColoreRgb p = c.pixel(x, y);
            aggiungi(uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b);
        }
    for (float f : {v.estMinX, v.estMinY, v.estMaxX, v.estMaxY}) {
        uint32_t b;
        std::memcpy(&b, &f, 4);
        aggiungi(b);
    }
    char testo[24];
    std::snprintf(testo, sizeof testo, "%016llx", static_cast<unsigned long long>(h));
    return testo;
}

// range(0): 0 the whole plan, else a window of that many metres in its middle;
// range(1): the point labels.
void BM_PiantaTerreno(benchmark::State& state) {
    Workspace& ws = pianoStrada();
    HostMuto host;
    RasterCanvas canvas(1600, 1000);
    ws.impostazioni.MantieniQuoteDraw = state.range(1) != 0;
    inizializzaVista(ws.vista, canvas);
    disegnaPianta(ws, canvas, host);
    zoomEstensione(ws, canvas, host);
    if (const double lato = static_cast<double>(state.range(0)); lato > 0) {
        Vista& v = ws.vista;
        const double cx = v.mondoX(canvas.larghezza() / 2.0), cy = v.mondoY(canvas.altezza() / 2.0);
        v.scala = static_cast<float>(canvas.larghezza() / lato);
        v.offsetX = static_cast<float>(canvas.larghezza() / 2.0 - v.scala * cx);
        v.offsetY = static_cast<float>(canvas.altezza() / 2.0 + v.scala * cy);
    }
    for (auto _ : state) {
        disegnaPianta(ws, canvas, host);
        benchmark::ClobberMemory();
    }
    state.SetLabel(impronta(canvas, ws.vista));
}

}  // namespace

BENCHMARK(BM_PiantaTerreno)
    ->ArgNames({"finestra_m", "etichette"})
    ->Args({0, 1})
    ->Args({0, 0})
    ->Args({200, 1})
    ->Args({200, 0})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--mb") == 0) {
            megabyte = std::strtoul(argv[i + 1], nullptr, 10);
            std::memmove(argv + i, argv + i + 2, sizeof(char*) * static_cast<std::size_t>(argc - i - 1));
            argc -= 2;
            break;
        }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
