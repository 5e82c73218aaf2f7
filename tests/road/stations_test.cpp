// Stations along the staked axis: crossings, spacing and order.
#include "road/stations.h"

#include <gtest/gtest.h>

#include "road/road_sample.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

// A staked axis along y = 0 with the given x and marks, and north-south contour lines at the
// given x (in storage order), elevation 100 + x / 10; stations 5 m apart at least.
Workspace asseEst(const std::vector<std::pair<double, uint8_t>>& punti, const std::vector<double>& curve) {
    Workspace ws;
    Planimetria& p = ws.Piano;
    p.NumeroPuntiAsse = int32_t(punti.size());
    p.AsseTracciato.redim(p.NumeroPuntiAsse);
    for (int32_t i = 1; i <= p.NumeroPuntiAsse; ++i) p.AsseTracciato[i] = {float(punti[i - 1].first), 0, punti[i - 1].second};
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

TEST(Stazioni, SpacingOrderAndElevations) {
    const struct {
        std::vector<std::pair<double, uint8_t>> asse;
        std::vector<double> curve;
        std::vector<float> attese;
    } casi[] = {
        // A crossing 3 m after another is skipped, on a straight leg and on a leg from a stake.
        {{{0, 0}, {100, 0}}, {20, 23, 50}, {0, 20, 50, 100}},
        {{{0, 0}, {10, P}, {100, 0}}, {20, 23, 50}, {0, 10, 20, 50, 100}},
        // An axis point 3 m after a crossing stays only inside a curve.
        {{{0, 0}, {30, 0}, {47, 0}, {100, 0}}, {44}, {0, 30, 44, 100}},
        {{{0, 0}, {30, P}, {47, 0}, {100, 0}}, {44}, {0, 30, 44, 47, 100}},
        // Order of distance along a leg running west, not of storage.
        {{{100, 0}, {0, 0}}, {10, 40, 70}, {100, 70, 40, 10, 0}},
    };
    for (const auto& c : casi) {
        FakeHost host;
        Workspace ws = asseEst(c.asse, c.curve);
        calcolaStazioni(ws, host);
        EXPECT_EQ(ascisse(ws), c.attese) << c.asse.size() << " points";
        // Progress: one caption per phase, and the window closed.
        EXPECT_EQ(host.didascalie, (std::vector<std::string>{"Calcolo delle intersezioni in corso...",
                                                             "Controllo distaze sezioni in corso...",
                                                             "Eliminazione sezioni errate in corso..."}));
        EXPECT_EQ(host.attesaAperta, 0);
    }
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
