// Stations along the staked axis: crossings, spacing and order.
#include "road/stations.h"

#include <gtest/gtest.h>

#include "road/road_sample.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

// A staked axis along y = 0 with the given x and marks, and north-south contour lines at the
// given x (in storage order), elevation 100 + x / 10.
Workspace asseEst(const std::vector<std::pair<double, uint8_t>>& punti, const std::vector<double>& curve) {
    Workspace ws;
    Planimetria& p = ws.Piano;
    p.NumeroPuntiAsse = static_cast<int32_t>(punti.size());
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

TEST(Stazioni, CloseCrossingsAreSkippedOnStraightLegsAndOnCurves) {
    FakeHost host;
    // Straight leg: crossings at 20 and 23; the second is 3 m from the first.
    Workspace dritto = asseEst({{0, 0}, {100, 0}}, {20, 23, 50});
    calcolaStazioni(dritto, host);
    EXPECT_EQ(ascisse(dritto), (std::vector<float>{0, 20, 50, 100}));

    // The same crossings on a leg that starts at a stake inside a curve.
    Workspace curva = asseEst({{0, 0}, {10, kMarcaPicchetto}, {100, 0}}, {20, 23, 50});
    calcolaStazioni(curva, host);
    EXPECT_EQ(ascisse(curva), (std::vector<float>{0, 10, 20, 50, 100}));
    EXPECT_EQ(curva.Piano.Intersezioni[3].k, 2);
    EXPECT_EQ(curva.Piano.Intersezioni[1].k, 1);

    // Progress: one caption per phase, and the window closed.
    EXPECT_EQ(host.didascalie, (std::vector<std::string>{"Calcolo delle intersezioni in corso...",
                                                         "Controllo distaze sezioni in corso...",
                                                         "Eliminazione sezioni errate in corso...",
                                                         "Calcolo delle intersezioni in corso...",
                                                         "Controllo distaze sezioni in corso...",
                                                         "Eliminazione sezioni errate in corso..."}));
    EXPECT_EQ(host.attesaAperta, 0);
}

TEST(Stazioni, AxisPointsNearThePreviousStationStayOnlyInsideCurves) {
    FakeHost host;
    // The axis point at 47 is 3 m after the crossing at 44.
    Workspace dritto = asseEst({{0, 0}, {30, 0}, {47, 0}, {100, 0}}, {44});
    calcolaStazioni(dritto, host);
    EXPECT_EQ(ascisse(dritto), (std::vector<float>{0, 30, 44, 100}));

    Workspace curva = asseEst({{0, 0}, {30, kMarcaPicchetto}, {47, 0}, {100, 0}}, {44});
    calcolaStazioni(curva, host);
    EXPECT_EQ(ascisse(curva), (std::vector<float>{0, 30, 44, 47, 100}));
}

TEST(Stazioni, OrderOfDistanceNotOfStorageAndElevationsOfTheCrossings) {
    FakeHost host;
    // Contour lines stored far to near, on a leg running west (x decreasing).
    Workspace ws = asseEst({{100, 0}, {0, 0}}, {10, 40, 70});
    calcolaStazioni(ws, host);
    EXPECT_EQ(ascisse(ws), (std::vector<float>{100, 70, 40, 10, 0}));
    // A station on a contour line has exactly that line's elevation; the axis ends take
    // the nearest line's where no line lies beyond them.
    EXPECT_EQ(ws.Piano.Intersezioni[2].z, 107.0f);
    EXPECT_EQ(ws.Piano.Intersezioni[4].z, 101.0f);
    EXPECT_EQ(ws.Piano.Intersezioni[1].z, 107.0f);
    EXPECT_EQ(ws.Piano.Intersezioni[5].z, 101.0f);
}

TEST(Stazioni, DegenerateLegsGiveFiniteStations) {
    FakeHost host;
    // A leg of length 0 inside a curve, and an axis lying along a contour line.
    Workspace ws = asseEst({{0, 0}, {20, kMarcaPicchetto}, {20, kMarcaPicchetto}, {60, 0}}, {});
    prova::aggiungiCurva(ws.Piano, {{-10, 0}, {80, 0}}, 120);
    prova::aggiungiCurva(ws.Piano, {{40, -50}, {40, 50}}, 104);
    calcolaStazioni(ws, host);
    ASSERT_GE(ws.Piano.NumeroIntersezioni, 4);
    for (int32_t j = 1; j <= ws.Piano.NumeroIntersezioni; ++j) {
        const IntersezioneAsse& s = ws.Piano.Intersezioni[j];
        EXPECT_TRUE(std::isfinite(s.x) && std::isfinite(s.y) && std::isfinite(s.z)) << j;
        EXPECT_EQ(s.z, 120.0f) << j;  // every station lies on the contour line the axis follows
    }
}

}  // namespace
}  // namespace carvela
