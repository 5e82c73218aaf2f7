// Plan geometry of the road, and the stations along the staked axis.
#include "road/geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "road/road_sample.h"
#include "road/shell_sort.h"
#include "road/stations.h"
#include "state/workspace.h"
#include "support/cases.h"
#include "support/fake_host.h"
#include "support/trim2_fixtures.h"

namespace carvela {
namespace {

constexpr double kPi = 3.1415929794311523;

TEST(Geometria, BearingsClockwiseFromNorthWithTheProgramsPi) {
    const double a = std::atan(0.5);
    const struct {
        double dx, dy, attesa;
    } casi[] = {{0, 1, 0}, {1, 0, kPi / 2},  {0, -1, kPi},      {-1, 0, 3 * kPi / 2},
                {1, 2, a}, {1, -2, kPi - a}, {-1, -2, kPi + a}, {-1, 2, 2 * kPi - a},
                {0, 0, 0}, {NAN, 1, 0}};
    for (const auto& c : casi) EXPECT_DOUBLE_EQ(rilevamento(c.dx, c.dy), c.attesa) << c.dx << " " << c.dy;
}

TEST(Geometria, SegmentCrossingsEndsParallelsAndNorthSouthPieces) {
    double x = 0, y = 0;
    ASSERT_TRUE(intersezioneSegmenti(0, 0, 10, 10, 0, 10, 10, 0, x, y));
    EXPECT_TRUE(prova::vicini({x, y}, {5, 5}, 1e-12));
    EXPECT_TRUE(intersezioneSegmenti(0, 0, 10, 0, 10, -5, 10, 5, x, y));  // ends included
    EXPECT_FALSE(intersezioneSegmenti(0, 0, 10, 0, 10.001, -5, 10.001, 5, x, y));
    EXPECT_FALSE(intersezioneSegmenti(0, 0, 10, 0, 0, 1, 10, 1, x, y));  // parallel
    EXPECT_FALSE(intersezioneSegmenti(0, 0, 10, 0, 5, 0, 15, 0, x, y));  // overlapping
    EXPECT_FALSE(intersezioneSegmenti(3, 3, 3, 3, 0, 0, 10, 10, x, y));  // length 0

    // A north-south contour piece crossed by an east-going axis leg; the same line stopping
    // short of the leg is not crossed, though its x-range alone would say so.
    ASSERT_TRUE(intersezioneSegmenti(0, 4, 10, 4, 5, 0, 5, 10, x, y));
    EXPECT_TRUE(prova::vicini({x, y}, {5, 4}, 1e-12));
    EXPECT_FALSE(intersezioneSegmenti(0, 4, 10, 4, 5, 5, 5, 10, x, y));
    // A north-south leg: crossing within it, and beyond its end.
    EXPECT_TRUE(intersezioneSegmenti(2, 0, 2, 10, 0, 0, 10, 10, x, y));
    EXPECT_FALSE(intersezioneSegmenti(2, 0, 2, 1, 0, 0, 10, 10, x, y));

    // The section line of a station on a north-going leg crosses a north-south piece.
    Workspace ws;
    prova::impostaAsse(ws.Piano, {{0, 0}, {0, 100}});
    ws.Piano.Intersezioni.assignRaw({{}, {0, 50, 0, 1}});
    double l = 0, r = 0;
    direzioniSezione(ws, 1, l, r);
    const double xl = 15 * std::sin(l), yl = 50 + 15 * std::cos(l), xr = 15 * std::sin(r), yr = 50 + 15 * std::cos(r);
    ASSERT_TRUE(intersezioneSegmenti(xl, yl, xr, yr, 6, 40, 6, 60, x, y));
    EXPECT_TRUE(prova::vicini({x, y}, {6, 50}, 1e-5));  // the program's pi tilts the line by 4e-8 rad
    EXPECT_FALSE(intersezioneSegmenti(xl, yl, xr, yr, 6, 52, 6, 60, x, y));
}

TEST(Geometria, GroundElevationOnPlanesOnLinesAndBeyondTheLastLine) {
    // z = 100 + 0.1 x: north-south contour lines, each in two pieces stored out of order.
    Planimetria nordSud;
    for (int i = 0; i <= 10; ++i) {
        prova::aggiungiCurva(nordSud, {{10.0 * i, 50}, {10.0 * i, 100}}, 100 + i);
        prova::aggiungiCurva(nordSud, {{10.0 * i, 0}, {10.0 * i, 50}}, 100 + i);
    }
    for (double x : {0.5, 17.25, 44.4, 99.0})
        for (double y : {1.0, 50.0, 71.3}) EXPECT_NEAR(quotaTerreno(nordSud, x, y), 100 + 0.1 * x, 1e-4) << x;
    // z = 2 x + y: oblique two-piece contour lines.
    const Planimetria obliquo = prova::pianoInclinato(0, 2, 1, 2);
    for (auto [x, y] : {std::pair{2.3, 0.4}, {40.0, -3.0}, {11.2, 55.5}})
        EXPECT_NEAR(quotaTerreno(obliquo, x, y), 2 * x + y, 1e-4) << x;

    // On a line, on a vertex, at an end: exactly that line's elevation.
    // Beyond the outermost line: the nearest line's elevation. No lines, or no number: 0.
    EXPECT_EQ(std::vector<float>({quotaTerreno(nordSud, 30, 12.5), quotaTerreno(nordSud, 30, 50),
                                  quotaTerreno(nordSud, 100, 100), quotaTerreno(nordSud, 120, 40),
                                  quotaTerreno(nordSud, -7, 40), quotaTerreno(Planimetria{}, 5, 5),
                                  quotaTerreno(nordSud, NAN, 5)}),
              std::vector<float>({103, 103, 110, 110, 100, 0, 0}));
}

TEST(Geometria, SectionDirectionsOnLegsAndCurves) {
    Workspace ws;
    prova::impostaAsse(ws.Piano, {{0, 0}, {0, 100}, {10, 110}, {50, 110}, {50, 110}});
    ws.Piano.AsseTracciato[2].marca = kMarcaPicchetto;  // a stake of a right-hand curve
    ws.CentriCurve.assignRaw({{}, {}, {20, 100, 0}, {}, {}, {}});
    // On a north-going leg, a curve, a level leg running east, a leg of length 0.
    ws.Piano.Intersezioni.assignRaw({{}, {0, 50, 0, 1}, {4, 108, 0, 2}, {30, 110, 0, 3}, {50, 110, 0, 4}});
    double l = 0, r = 0;
    direzioniSezione(ws, 1, l, r);  // north-going: left is west
    EXPECT_TRUE(prova::vicini({std::sin(l), std::sin(r)}, {-1, 1}, 1e-9));
    const double rho = rilevamento(4 - 20, 108 - 100);
    direzioniSezione(ws, 2, l, r);  // right-hand curve: left points away from the centre
    EXPECT_TRUE(prova::vicini({l, r}, {rho, rho + kPi}, 1e-12));
    ws.CentriCurve[2].lato = 1;
    direzioniSezione(ws, 2, l, r);  // left-hand curve: left toward the centre
    EXPECT_NEAR(l, rho + kPi, 1e-12);
    // A level leg keeps its direction (the section runs north-south), and a leg of length 0
    // borrows the one before it.
    for (int32_t j : {3, 4}) {
        direzioniSezione(ws, j, l, r);
        EXPECT_TRUE(prova::vicini({std::cos(l), std::cos(r)}, {1, -1}, 1e-9)) << j;
    }
    ws.Piano.Intersezioni[2] = {20, 100, 0, 2};  // at the centre itself
    for (int32_t j : {2, 99}) {
        direzioniSezione(ws, j, l, r);
        EXPECT_TRUE(std::isfinite(l) && std::isfinite(r)) << j;
    }
}

TEST(Geometria, ShellSortOrderIncludingEqualKeys) {
    // Gap 2 swaps (1a, 0) then (2, 1b); gap 1 finds nothing to swap: 1b ends before 1a.
    std::vector<std::pair<double, char>> v{{1, 'a'}, {2, 'x'}, {0, 'y'}, {1, 'b'}};
    ordinaShell(v, [](const auto& e) { return e.first; });
    std::string ordine;
    for (auto& e : v) ordine += e.second;
    EXPECT_EQ(ordine, "ybax");
    std::vector<int> w{9, 8, 3, 2, 1, 0};
    ordinaShell(w, 2, 5, [](int e) { return e; });  // a sub-range only
    EXPECT_EQ(w, (std::vector<int>{9, 8, 1, 2, 3, 0}));
    std::vector<int> grande;
    for (int i = 0; i < 1000; ++i) grande.push_back((i * 7919) % 1000);
    ordinaShell(grande, [](int e) { return e; });
    EXPECT_TRUE(std::is_sorted(grande.begin(), grande.end()));
}

// A staked axis along y = 0 with the given x and marks, and north-south contour lines at the
// given x (in storage order), elevation 100 + x / 10; stations 5 m apart at least.
Workspace asseEst(const std::vector<std::pair<double, uint8_t>>& punti, const std::vector<double>& curve) {
    Workspace ws;
    Planimetria& p = ws.Piano;
    p.NumeroPuntiAsse = int32_t(punti.size());
    p.AsseTracciato.redim(p.NumeroPuntiAsse);
    for (int32_t i = 1; i <= p.NumeroPuntiAsse; ++i)
        p.AsseTracciato[i] = {float(punti[i - 1].first), 0, punti[i - 1].second};
    for (double x : curve) prova::aggiungiCurva(p, {{x, -50}, {x, 50}}, 100 + x / 10);
    ws.impostazioni.DistazaMinimaSezioni = 5;
    return ws;
}

std::vector<float> ascisse(const Workspace& ws) {
    std::vector<float> v;
    for (int32_t j = 1; j <= ws.Piano.NumeroIntersezioni; ++j) v.push_back(ws.Piano.Intersezioni[j].x);
    return v;
}

constexpr uint8_t P = kMarcaPicchetto;

TEST(Stazioni, CasiTabellati) {
    for (const test::Caso& c : test::leggiCasi("stations.txt")) {
        SCOPED_TRACE(c.testo);
        std::vector<std::pair<double, uint8_t>> asse;
        for (const std::string& p : c.parole(1)) asse.push_back({std::stod(p), p.back() == 'P' ? P : 0});
        FakeHost host;
        Workspace ws = asseEst(asse, c.numeri(2));
        if (c.campi[0] != "-") ws.impostazioni.IntervalloSezioniRegolari = std::stof(c.campi[0]);
        calcolaStazioni(ws, host);
        const std::vector<double> attese = c.numeri(3);
        EXPECT_EQ(ascisse(ws), std::vector<float>(attese.begin(), attese.end()));
        // Progress: one caption per phase, and the window closed.
        EXPECT_EQ(host.didascalie, (std::vector<std::string>{"Calcolo delle intersezioni in corso...",
                                                             "Controllo distaze sezioni in corso...",
                                                             "Eliminazione sezioni errate in corso..."}));
        EXPECT_EQ(host.attesaAperta, 0);
    }
}

TEST(Stazioni, LegsAndElevations) {
    FakeHost host;
    Workspace ws = asseEst({{0, 0}, {10, P}, {100, 0}}, {20, 23, 50});
    calcolaStazioni(ws, host);
    EXPECT_EQ(std::vector<int>({ws.Piano.Intersezioni[1].k, ws.Piano.Intersezioni[3].k}), std::vector<int>({1, 2}));
    // A station on a contour line has exactly that line's elevation; the axis ends take the
    // nearest line's where no line lies beyond them.
    ws = asseEst({{100, 0}, {0, 0}}, {10, 40, 70});
    calcolaStazioni(ws, host);
    std::vector<float> quote;
    for (int32_t j = 1; j <= 5; ++j) quote.push_back(ws.Piano.Intersezioni[j].z);
    EXPECT_EQ(quote, (std::vector<float>{107, 107, 104, 101, 101}));
}

TEST(Stazioni, RegolariAOgniMultiploDellIntervallo) {
    // A bent axis with a curve: every multiple of 20 m along the chain of stations (as the
    // profile measures it) is a station, and no gap is longer than the interval.
    Workspace ws = asseEst({{0, 0}, {70, P}, {80, P}, {88, P}, {95, 0}, {230, 0}}, {13, 75, 120, 121, 200});
    const float y[] = {0, 0, 3, 9, 16, 90};
    for (int32_t i = 1; i <= 6; ++i) ws.Piano.AsseTracciato[i].y = y[i - 1];
    ws.impostazioni.IntervalloSezioniRegolari = 20;
    FakeHost host;
    calcolaStazioni(ws, host);
    std::vector<double> progressive{0};
    for (int32_t j = 2; j <= ws.Piano.NumeroIntersezioni; ++j) {
        const IntersezioneAsse a = ws.Piano.Intersezioni[j - 1], b = ws.Piano.Intersezioni[j];
        progressive.push_back(progressive.back() + std::hypot(double{b.x} - a.x, double{b.y} - a.y));
        EXPECT_LE(progressive.back() - progressive[progressive.size() - 2], 20 + 1e-3) << j;
        EXPECT_TRUE(std::isfinite(b.z) && b.z >= 100) << j;
    }
    ASSERT_GT(progressive.back(), 200);
    for (double m = 20; m < progressive.back(); m += 20)
        EXPECT_TRUE(std::any_of(progressive.begin(), progressive.end(), [m](double p) {
            return std::fabs(p - m) < 1e-3;
        })) << m;
    // The curve's stakes are all there.
    const std::vector<float> x = ascisse(ws);
    for (float stake : {70.0f, 80.0f, 88.0f, 95.0f}) EXPECT_EQ(std::count(x.begin(), x.end(), stake), 1) << stake;
}

TEST(Stazioni, DegenerateLegsGiveFiniteStations) {
    // A leg of length 0 inside a curve, and an axis lying along a contour line at 120.
    FakeHost host;
    Workspace ws = asseEst({{0, 0}, {20, P}, {20, P}, {60, 0}}, {});
    prova::aggiungiCurva(ws.Piano, {{-10, 0}, {80, 0}}, 120);
    prova::aggiungiCurva(ws.Piano, {{40, -50}, {40, 50}}, 104);
    calcolaStazioni(ws, host);
    ASSERT_GE(ws.Piano.NumeroIntersezioni, 4);
    for (int32_t j = 1; j <= ws.Piano.NumeroIntersezioni; ++j) {
        const IntersezioneAsse& s = ws.Piano.Intersezioni[j];
        EXPECT_TRUE(std::isfinite(s.x) && std::isfinite(s.y)) << j;
        EXPECT_EQ(s.z, 120.0f) << j;
    }
}

}  // namespace
}  // namespace carvela
