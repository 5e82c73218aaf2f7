// Terrain cross-sections: section lines across the axis, ground points from the contour
// lines, far points, order, widths, the solve and the copies into Sezioni.
#include "road/terrain_sections.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "road/road_sample.h"
#include "state/workspace.h"
#include "support/fake_host.h"
#include "support/trim2_fixtures.h"

using namespace carvela;
using carvela::prova::vicini;

namespace {

// An axis running north along x = 0 with a curve stake at (0, 200); contour lines running
// north-south, stored out of order.
Workspace progetto() {
    Workspace ws;
    Planimetria& p = ws.Piano;
    for (auto [x, z] : {std::pair{4.0, 102}, {-3.0, 99}, {20.0, 110}, {-12.0, 96}})
        prova::aggiungiCurva(p, {{x, -50}, {x, 150}}, z);
    prova::aggiungiCurva(p, {{8, 40}, {8, 60}}, 0);               // a line without elevation, crossing station 2 only
    prova::aggiungiCurva(p, {{-0.005f, 45}, {-0.005f, 55}}, 98);  // crossing station 2 at the axis
    p.NumeroPuntiAsse = 3;
    p.AsseTracciato.assignRaw({{}, {0, 0, 0}, {0, 200, kMarcaPicchetto}, {0, 400, 0}});
    ws.CentriCurve.assignRaw({{}, {}, {-50, 300, 1}, {}});  // a left-hand curve, centre west of the axis
    p.NumeroIntersezioni = 3;
    p.Intersezioni.assignRaw({{}, {0, 10, 99.5f, 1}, {0, 50, 99.7f, 1}, {0, 300, 99.9f, 2}});
    ws.Profilo.Progressive.assignRaw({0, 0, 40, 290});
    ws.Profilo.QuoteTerreno.assignRaw({0, 99.5f, 99.7f, 99.9f});
    ws.Profilo.QuoteProgetto.assignRaw({0, 98.5f, 99, 101});
    return ws;
}

// The ground line as x z pairs.
std::vector<double> terreno(const Sezione& s) {
    std::vector<double> out;
    for (int i = 1; i <= s.NumeroPunti; ++i) out.insert(out.end(), {s.DistanzeTerreno[i], s.QuoteTerreno[i]});
    return out;
}

}  // namespace

TEST(SezioniTerreno, PuntiDelTerrenoDalleCurveDiLivello) {
    Workspace ws = progetto();
    ws.Sezioni.redim(10);  // sections of an earlier, longer road
    ws.Piano.SezioniApplicate.redim(1);
    ws.Piano.SezioniApplicate[1].Nome = "tenuta";
    FakeHost host;
    calcolaSezioniTerreno(ws, host);

    // Station 1: crossings sorted by distance whatever the stored order; the one 12 m left
    // suppresses the far left point, the one 4 m right does not suppress the far right point,
    // whose elevation is interpolated between the lines at 4 and 20 m.
    const Sezione& s1 = ws.Piano.SezioniApplicate[1];
    EXPECT_TRUE(vicini(terreno(s1), {-12, 96, -3, 99, 4, 102, 15, 107.5}));
    EXPECT_EQ(std::vector<float>({float(s1.Numero), s1.Progressiva, s1.QuotaProgetto, s1.Larghezza}),
              std::vector<float>({1, 0, 98.5f, 10}));
    EXPECT_EQ(s1.Nome, "tenuta");  // an existing record is kept and filled, not replaced
    EXPECT_TRUE(s1.Risolta);

    // Station 2: a crossing within 1 cm of the station sits at 0, with the right-hand
    // points; an elevation of 0 takes the axis ground elevation.
    EXPECT_TRUE(vicini(terreno(ws.Piano.SezioniApplicate[2]), {-12, 96, -3, 99, 0, 98, 4, 102, 8, 99.7}));

    // Station 3 crosses no contour line: exactly the two far points.
    const auto t3 = terreno(ws.Piano.SezioniApplicate[3]);
    ASSERT_EQ(t3.size(), 4u);
    EXPECT_EQ(std::pair(t3[0], t3[2]), std::pair(-15.0, 15.0));

    // Section lines: left ends west of a northbound axis, on a left-hand curve toward the centre.
    const EstremoSezione& e1 = ws.Piano.EstremiSezioni[1];
    EXPECT_TRUE(vicini({e1.xL, e1.yL, e1.xR, e1.yR}, {-15, 10, 15, 10}));
    EXPECT_NEAR(ws.Piano.EstremiSezioni[3].xL, -15, 1e-4);

    // Sezioni holds exactly this computation's sections, each a copy of the solved record.
    EXPECT_EQ(ws.Sezioni.upperBound(), 3);
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(ws.Sezioni[j], ws.Piano.SezioniApplicate[j]);

    // One progress step per section, the window closed at the end, no warning.
    EXPECT_EQ(host.didascalie, std::vector<std::string>{"Calcolo delle sezioni trasversali in corso..."});
    EXPECT_EQ(host.massimiBarra, std::vector<int>{3});
    EXPECT_EQ(host.posizioniBarra, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(host.attesaAperta, 0);
    EXPECT_TRUE(host.messaggi.empty());
}

TEST(SezioniTerreno, LarghezzaIndividualeEAvvisoSezioniNonRisolte) {
    Workspace ws = progetto();
    ws.Piano.SezioniApplicate.redim(3);
    ws.Piano.SezioniApplicate[1].Larghezza = 8;
    FakeHost host;
    // Its own width where a section has one, else the setting's.
    ws.impostazioni.UsaLarghezzaIndividuale = 1;
    calcolaSezioniTerreno(ws, host);
    EXPECT_EQ(std::pair(ws.Piano.SezioniApplicate[1].Larghezza, ws.Piano.SezioniApplicate[2].Larghezza),
              std::pair(8.0f, 10.0f));
    ws.impostazioni.UsaLarghezzaIndividuale = 0;
    ws.impostazioni.LarghezzaDefaultStrada = 12;
    calcolaSezioniTerreno(ws, host);
    EXPECT_FLOAT_EQ(ws.Piano.SezioniApplicate[1].Larghezza, 12);
    EXPECT_TRUE(host.messaggi.empty());

    // Section lines shorter than half the road: no section can place its platform. Each is
    // marked, and the computation says how many, once.
    ws.impostazioni.DistazaRicercaIntersezioni = 2;
    calcolaSezioniTerreno(ws, host);
    for (int j = 1; j <= 3; ++j) EXPECT_FALSE(ws.Sezioni[j].Risolta);
    ASSERT_EQ(host.messaggi.size(), 1u);
    EXPECT_NE(host.messaggi[0].testo.find("3 sezioni non sono state risolte (1, 2, 3)"), std::string::npos);
}
