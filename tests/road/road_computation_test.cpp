// The whole road computation on sample plans.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "graphics/recording_canvas.h"
#include "graphics/road_command.h"
#include "road/road_edges.h"
#include "road/road_sample.h"
#include "state/workspace.h"
#include "support/fake_host.h"
#include "support/trim2_fixtures.h"

namespace carvela {
namespace {

using prova::nonFiniti;

// Nothing that is not a number anywhere the computation writes.
int nonFinitiDopoIlCalcolo(const Workspace& ws) {
    int n = nonFiniti(ws.Piano) + nonFiniti(ws.Profilo);
    for (const CentroCurva& c : ws.CentriCurve.raw()) n += !std::isfinite(c.x) || !std::isfinite(c.y);
    return n;
}

class Tracciato : public ::testing::Test {
protected:
    Workspace ws;
    RecordingCanvas canvas{800, 600};
    FakeHost host;
};

TEST_F(Tracciato, PreconditionsStopWithTheirMessages) {
    // One contour line, crossed by the axis: the first message all the same.
    prova::aggiungiCurva(ws.Piano, {{50, -100}, {50, 300}}, 100);
    prova::impostaAsse(ws.Piano, prova::asseDiProva());
    calcolaTracciato(ws, canvas, host);
    prova::aggiungiCurva(ws.Piano, {{80, -100}, {80, 300}}, 103);
    prova::impostaAsse(ws.Piano, {{0, 0}});
    calcolaTracciato(ws, canvas, host);
    // A contour line no survey has (a damaged drawing): squared distances would overflow.
    prova::aggiungiCurva(ws.Piano, {{2.4e6, 1.1e37}, {4.8e6, 4.6e37}}, 100);
    prova::impostaAsse(ws.Piano, prova::asseDiProva());
    calcolaTracciato(ws, canvas, host);
    EXPECT_EQ(host.testiMessaggi(),
              (std::vector<std::string>{"Non sono presenti le curve di livello relative alla planimetria!",
                                        "Non è presente la poligonale d'asse!",
                                        "Impossibile procedere nel calcolo perchè le curve di livello o la poligonale "
                                        "d'asse hanno coordinate o quote oltre 100000000!"}));
    EXPECT_EQ(ws.Piano.NumeroIntersezioni, 0);
    EXPECT_TRUE(canvas.operazioni.empty());
}

TEST_F(Tracciato, InclinedPlaneGivesTheExactGroundProfileAndAMethodFiveDesign) {
    // z = 100 + 0.1 x + 0.05 y, contour lines every metre.
    ws.Piano = prova::pianoInclinato(100, 0.1, 0.05, 1);
    prova::impostaAsse(ws.Piano, prova::asseDiProva());
    calcolaTracciato(ws, canvas, host);
    EXPECT_TRUE(host.messaggi.empty()) << host.testiMessaggi()[0];
    ASSERT_GE(host.didascalie.size(), 4u);  // after the three phases of the stations
    EXPECT_EQ(host.didascalie[3], "Conversione del profilo longitudinale in corso...");

    const Planimetria& p = ws.Piano;
    const Profilo& pr = ws.Profilo;
    ASSERT_GT(p.NumeroIntersezioni, 30);
    EXPECT_EQ(p.NumeroPuntiAsse, 2 + 2 * 8);
    ASSERT_EQ(pr.NumeroSezioni, p.NumeroIntersezioni);
    double progressiva = 0;
    for (int32_t j = 1; j <= p.NumeroIntersezioni; ++j) {
        const IntersezioneAsse& s = p.Intersezioni[j];
        // Stations in axis order: legs never go back, and each station lies on its leg.
        if (j > 1) {
            const IntersezioneAsse& r = p.Intersezioni[j - 1];
            EXPECT_GE(s.k, r.k);
            progressiva += std::hypot(double{s.x} - r.x, double{s.y} - r.y);
        }
        const AxisPoint a = p.AsseTracciato[s.k], b = p.AsseTracciato[s.k + 1];
        const double lato = (double{b.x} - a.x) * (double{s.y} - a.y) - (double{b.y} - a.y) * (double{s.x} - a.x);
        EXPECT_NEAR(lato / std::hypot(double{b.x} - a.x, double{b.y} - a.y), 0, 1e-3) << j;
        // The ground: exactly the plane.
        const double z = 100 + 0.1 * s.x + 0.05 * s.y;
        EXPECT_NEAR(s.z, z, 2e-4) << j;
        EXPECT_NEAR(pr.QuoteTerreno[j], z, 2e-4) << j;
        EXPECT_NEAR(pr.Progressive[j], progressiva, 1e-3) << j;
    }
    EXPECT_FLOAT_EQ(pr.Progressive[1], 0);

    // New profile: one grade line by method 5 from the first ground elevation, balancing the
    // ground area.
    const int32_t n = pr.NumeroSezioni;
    EXPECT_EQ(std::vector<int>({pr.MetodoLivellette, pr.NumeroLivellette, pr.PuntiLivelletta[1]}),
              std::vector<int>({5, 1, n}));
    double area = 0;
    for (int32_t j = 1; j < n; ++j)
        area += (pr.Progressive[j + 1] - pr.Progressive[j]) * (double{pr.QuoteTerreno[j + 1]} + pr.QuoteTerreno[j]) / 2;
    EXPECT_NEAR(pr.QuoteProgetto[1], pr.QuoteTerreno[1], 1e-4);
    EXPECT_NEAR(pr.QuoteProgetto[n], 2 * area / pr.Progressive[n] - pr.QuoteTerreno[1], 1e-3);
    // Two curves, each a range of sections inside the stations.
    ASSERT_EQ(pr.NumeroCurve, 2);
    EXPECT_TRUE(pr.CurvaDa[1] < pr.CurvaA[1] && pr.CurvaA[1] < pr.CurvaDa[2] && pr.CurvaSviluppo[1] > 0);
    EXPECT_EQ(ws.Piano.ProfiloApplicato, pr);
    EXPECT_EQ(std::pair(ws.SezioneCorrente, int(ws.TipoDocumento)), std::pair(1, int(kDocPianta)));
    EXPECT_FALSE(canvas.operazioni.empty());
    EXPECT_EQ(nonFinitiDopoIlCalcolo(ws), 0);
}

TEST_F(Tracciato, RecomputingKeepsTheGradeLineLayoutAndItsData) {
    ws.Piano = prova::collina();
    prova::impostaAsse(ws.Piano, {{10, 40}, {80, 95}, {150, 110}, {190, 170}});
    calcolaTracciato(ws, canvas, host);
    ASSERT_GT(ws.Profilo.NumeroSezioni, 5);
    EXPECT_EQ(nonFinitiDopoIlCalcolo(ws), 0);

    // The user splits the road into two grade lines by method 4 with a slope for each.
    Profilo& pr = ws.Profilo;
    const int32_t n = pr.NumeroSezioni, meta = n / 2;
    pr.NumeroLivellette = 2, pr.MetodoLivellette = 4;
    pr.PuntiLivelletta.assignRaw({0, meta, n - meta + 1});
    pr.Pendenze.redim(n);
    pr.Pendenze[1] = 0.03f, pr.Pendenze[2] = -0.04f;
    ws.Piano.ProfiloApplicato = pr;
    calcolaTracciato(ws, canvas, host);
    EXPECT_EQ(std::pair(ws.Profilo.NumeroLivellette, int(ws.Profilo.MetodoLivellette)), std::pair(2, 4));
    EXPECT_EQ(std::pair(ws.Profilo.Pendenze[1], ws.Profilo.Pendenze[2]), std::pair(0.03f, -0.04f));
    // The shared station appears once in the per-section lists, at the second grade line's start.
    EXPECT_NEAR(ws.Profilo.ProgressiveLiv(meta, 1), ws.Profilo.ProgressiveLiv(1, 2), 1e-6);

    // An axis with another number of stations starts the profile afresh.
    prova::impostaAsse(ws.Piano, {{10, 40}, {80, 95}, {120, 100}, {150, 110}, {190, 170}});
    calcolaTracciato(ws, canvas, host);
    EXPECT_EQ(std::pair(ws.Profilo.NumeroLivellette, int(ws.Profilo.MetodoLivellette)), std::pair(1, 5));
}

TEST_F(Tracciato, DegenerateAxesComputeWithoutNumbersGoingBad) {
    const std::vector<std::vector<std::pair<double, double>>> assi{
        {{20, 20}, {20, 20}, {180, 180}},           // coincident vertices
        {{20, 20}, {100, 100}, {180, 180}},         // aligned vertices
        {{20, 30}, {90, 90}, {90, 90}, {170, 40}},  // a vertex repeated
        {{20, 100}, {180, 100}, {20, 100}},         // straight back on itself
    };
    for (const auto& asse : assi) {
        Workspace w;
        w.Piano = prova::collina();
        prova::impostaAsse(w.Piano, asse);
        FakeHost h;
        calcolaTracciato(w, canvas, h);
        EXPECT_GT(w.Piano.NumeroIntersezioni, 0) << asse.size();
        EXPECT_EQ(nonFinitiDopoIlCalcolo(w), 0) << asse.size();
    }
    // An axis lying along a contour line: every station has that line's elevation.
    Workspace lungo;
    lungo.Piano = prova::pianoInclinato(100, 0, 0.1, 1);  // contour lines run east-west
    prova::impostaAsse(lungo.Piano, {{0, 50}, {200, 50}});
    calcolaTracciato(lungo, canvas, host);
    ASSERT_GE(lungo.Piano.NumeroIntersezioni, 2);
    for (int32_t j = 1; j <= lungo.Piano.NumeroIntersezioni; ++j) EXPECT_NEAR(lungo.Piano.Intersezioni[j].z, 105, 1e-4);
    EXPECT_EQ(nonFinitiDopoIlCalcolo(lungo), 0);
}

TEST(CigliOccupazione, EdgesAndLandTakeAcrossTheAxis) {
    Workspace ws;
    prova::impostaAsse(ws.Piano, {{0, 0}, {0, 100}});  // going north
    ws.Piano.NumeroIntersezioni = 1;
    ws.Piano.Intersezioni.assignRaw({{}, {0, 40, 12, 1}});
    ws.Piano.SezioniApplicate.redim(1);
    Sezione& s = ws.Piano.SezioniApplicate[1];
    s.Larghezza = 10;
    s.ScostamentoSinistro = -2;
    s.ScostamentoDestro = 3;
    s.RossaCiglioSinistro = 1.5f;
    s.RossaCiglioDestro = NAN;  // a value that is not a number never reaches the plan
    calcolaCigliOccupazione(ws);
    const ContourSegment c = ws.Piano.Cigli[1], o = ws.Piano.Occupazione[1];
    EXPECT_TRUE(prova::vicini({c.x1, c.y1, c.z1, c.x2, c.y2, c.z2}, {-5, 40, 12, 5, 40, 12}, 1e-5));
    EXPECT_TRUE(prova::vicini({o.x1, o.y1, o.z1, o.x2, o.y2, o.z2}, {-7, 40, 1.5, 8, 40, 0}, 1e-5));
}

}  // namespace
}  // namespace carvela
