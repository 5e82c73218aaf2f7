// The grid index over the contour pieces against the scan of every piece: the same ground
// elevations bit for bit, the same crossings in the same order, the same road computed.
#include "road/contour_index.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <optional>
#include <random>
#include <tuple>

#include "dxf/dxf_exports.h"
#include "dxf/dxf_road_exports.h"
#include "graphics/recording_canvas.h"
#include "graphics/road_command.h"
#include "road/geometry.h"
#include "road/road_sample.h"
#include "state/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

using Punti = std::vector<std::pair<double, double>>;

// Wavy rings of a hill about (cx, cy), one metre of elevation apart, as the large test
// drawings are made; every fifth ring stops short, so far points fall between ends.
Planimetria anelli(double cx, double cy, int quanti) {
    Planimetria p;
    for (int k = 0; k < quanti; ++k) {
        const double r = 8 + 1.7 * k;
        const int vertici = 24 + int(r / 3);
        Punti anello;
        const int fino = k % 5 == 4 ? vertici * 3 / 4 : vertici;
        for (int v = 0; v <= fino; ++v) {
            const double a = 6.283185307179586 * v / vertici;
            const double rr = r * (1 + 0.04 * std::sin(5 * a + k));
            anello.push_back({cx + rr * std::sin(a), cy + rr * std::cos(a)});
        }
        prova::aggiungiCurva(p, anello, 300 - k);
    }
    return p;
}

// Staircase contour lines on a 5 m lattice: only north-south and east-west pieces, each
// vertex shared by the pieces that meet there, and a duplicated line (coincident crossings).
Planimetria gradini() {
    Planimetria p;
    for (int k = 0; k < 40; ++k) {
        Punti linea;
        for (int i = 0; i < 40; ++i) {
            linea.push_back({5.0 * i, 5.0 * (i + k) - 100});
            linea.push_back({5.0 * (i + 1), 5.0 * (i + k) - 100});
        }
        prova::aggiungiCurva(p, linea, 100 + k);
        if (k == 20) prova::aggiungiCurva(p, linea, 150);
    }
    return p;
}

uint32_t bit(float v) { return std::bit_cast<uint32_t>(v); }

TEST(IndiceCurve, ElevationsAndCrossingsAreThoseOfTheFullScan) {
    std::mt19937 caso(7);
    for (const Planimetria& piano : {anelli(1512000, 5034000, 120), gradini()}) {
        const IndiceCurve indice(piano);
        double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
        for (std::size_t i = 0; i < indice.numeroPezzi(); ++i) {
            const ContourSegment& s = indice.pezzo(uint32_t(i));
            minX = std::min({minX, double(s.x1), double(s.x2)}), maxX = std::max({maxX, double(s.x1), double(s.x2)});
            minY = std::min({minY, double(s.y1), double(s.y2)}), maxY = std::max({maxY, double(s.y1), double(s.y2)});
        }
        const double w = maxX - minX, h = maxY - minY;
        std::uniform_real_distribution<double> ux(minX - w / 2, maxX + w / 2), uy(minY - h / 2, maxY + h / 2);
        std::uniform_int_distribution<uint32_t> up(0, uint32_t(indice.numeroPezzi() - 1));
        std::vector<std::pair<double, double>> punti;
        for (int i = 0; i < 3000; ++i) punti.push_back({ux(caso), uy(caso)});
        // On vertices, on pieces, and a hair beside them.
        for (int i = 0; i < 1000; ++i) {
            const ContourSegment& s = indice.pezzo(up(caso));
            const double t = i % 3 == 0 ? 0 : i % 3 == 1 ? 0.5 : 1e-10;
            punti.push_back({s.x1 + t * (s.x2 - s.x1), s.y1 + t * (s.y2 - s.y1)});
            punti.push_back({float(s.x1 + 1e-7 * i), s.y1});
        }
        for (const auto& [x, y] : punti)
            ASSERT_EQ(bit(indice.quota(x, y)), bit(quotaTerreno(piano, x, y)))
                << std::setprecision(17) << x << " " << y;

        // Crossings of random segments, and of segments from vertex to vertex.
        std::vector<uint32_t> vicini;
        auto incroci = [&](double ax, double ay, double bx, double by, bool completa) {
            std::vector<std::tuple<double, double, float>> r;
            if (completa) {
                for (int32_t c = 1; c <= piano.NumeroCurveLivello; ++c)
                    for (int32_t k = 1; k <= piano.CurveLivello[c].upperBound(); ++k) {
                        const ContourSegment& s = piano.CurveLivello[c][k];
                        double x, y;
                        if (intersezioneSegmenti(ax, ay, bx, by, s.x1, s.y1, s.x2, s.y2, x, y))
                            r.push_back({x, y, s.z1});
                    }
                return r;
            }
            indice.pezziLungo(ax, ay, bx, by, vicini);
            for (uint32_t id : vicini) {
                const ContourSegment& s = indice.pezzo(id);
                double x, y;
                if (intersezioneSegmenti(ax, ay, bx, by, s.x1, s.y1, s.x2, s.y2, x, y)) r.push_back({x, y, s.z1});
            }
            return r;
        };
        for (int i = 0; i < 400; ++i) {
            double ax = ux(caso), ay = uy(caso), bx = ux(caso), by = uy(caso);
            if (i % 2) {
                const ContourSegment &s = indice.pezzo(up(caso)), &q = indice.pezzo(up(caso));
                ax = s.x1, ay = s.y1, bx = i % 4 == 1 ? q.x2 : s.x1 + 300.0, by = i % 4 == 1 ? q.y2 : s.y1;
            }
            ASSERT_EQ(incroci(ax, ay, bx, by, false), incroci(ax, ay, bx, by, true)) << i;
        }
    }
}

// The road computed with the index and with the scan of every piece, field by field and
// through the exports.
struct Strada {
    Workspace ws;
    std::string pianta, sezioni;
};

Strada calcola(const Planimetria& terreno, const Punti& asse, float distanzaRicerca, bool completa) {
    Strada s;
    s.ws.Piano = terreno;
    s.ws.impostazioni.DistazaMinimaSezioni = 0.5f;
    s.ws.impostazioni.DistazaRicercaIntersezioni = distanzaRicerca;
    prova::impostaAsse(s.ws.Piano, asse);
    RecordingCanvas canvas{800, 600};
    FakeHost host;
    std::optional<ScansioneCompletaCurve> scansione;
    if (completa) scansione.emplace();
    calcolaTracciato(s.ws, canvas, host);
    s.pianta = esportaPianta(s.ws.Piano, s.ws.impostazioni);
    s.sezioni = esportaSezioni(s.ws.Sezioni, s.ws.impostazioni);
    return s;
}

TEST(IndiceCurve, RoadComputationIsTheSameAsWithTheFullScan) {
    const double x0 = 1512000, y0 = 5034000;
    const struct {
        Planimetria terreno;
        Punti asse;
        float ricerca;
    } casi[] = {
        // Thousands of stations across the hill; the section lines reach past its edge.
        {anelli(x0, y0, 400),
         {{x0 - 700, y0 - 100},
          {x0 + 650, y0 - 60},
          {x0 - 600, y0 + 50},
          {x0 + 640, y0 + 120},
          {x0 - 500, y0 + 200},
          {x0 + 720, y0 + 250}},
         60},
        // Legs along lattice lines and through shared vertices; axis vertices on contour vertices.
        {gradini(), {{0, 0}, {100, 0}, {100, 100}, {150, 50}, {200, 50}}, 25},
        {gradini(), {{2.5, -60}, {2.5, 150}, {190, 150}}, 300},
    };
    for (const auto& c : casi) {
        const Strada indice = calcola(c.terreno, c.asse, c.ricerca, false);
        const Strada scansione = calcola(c.terreno, c.asse, c.ricerca, true);
        ASSERT_GT(indice.ws.Piano.NumeroIntersezioni, 10);
        EXPECT_TRUE(indice.ws.Piano == scansione.ws.Piano);
        EXPECT_TRUE(indice.ws.Sezioni == scansione.ws.Sezioni);
        EXPECT_TRUE(indice.ws.Profilo == scansione.ws.Profilo);
        EXPECT_TRUE(indice.ws.Paleggi == scansione.ws.Paleggi);
        EXPECT_EQ(indice.pianta, scansione.pianta);
        EXPECT_EQ(indice.sezioni, scansione.sezioni);
    }
}

}  // namespace
}  // namespace carvela
