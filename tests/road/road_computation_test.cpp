// The whole road computation on sample plans.
#include "road/road_computation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "graphics/recording_canvas.h"
#include "road/road_edges.h"
#include "road/road_sample.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

bool finito(float f) { return std::isfinite(f); }
bool finito(const AxisPoint& a) { return finito(a.x) && finito(a.y); }
bool finito(const CentroCurva& c) { return finito(c.x) && finito(c.y); }
bool finito(const IntersezioneAsse& s) { return finito(s.x) && finito(s.y) && finito(s.z); }
bool finito(const ContourSegment& c) {
    return finito(c.x1) && finito(c.y1) && finito(c.z1) && finito(c.x2) && finito(c.y2) && finito(c.z2);
}
template <class Lista>
bool finiti(const Lista& v) {
    return std::all_of(v.raw().begin(), v.raw().end(), [](const auto& e) { return finito(e); });
}

// Nothing that is not a number anywhere the computation writes.
bool tuttoFinito(const Workspace& ws) {
    const Planimetria& p = ws.Piano;
    const Profilo& pr = ws.Profilo;
    return finiti(p.AsseTracciato) && finiti(ws.CentriCurve) && finiti(p.Intersezioni) && finiti(p.Cigli) &&
           finiti(p.Occupazione) && finiti(pr.ProgressiveLiv) && finiti(pr.TerrenoLiv) && finiti(pr.ProgettoLiv) &&
           finiti(pr.RosseLiv) && finiti(pr.Progressive) && finiti(pr.QuoteTerreno) && finiti(pr.QuoteProgetto) &&
           finiti(pr.QuoteRosse) && finiti(pr.Pendenze) && finiti(pr.AreaTerreno) && finiti(pr.AscissePassaggio) &&
           finiti(pr.QuotePassaggio) && finiti(pr.CurvaRaggio) && finiti(pr.CurvaSviluppo) &&
           finiti(pr.CurvaApertura) && finiti(pr.CurvaTangente) && finito(pr.QuotaMassima) && finito(pr.QuotaMinima);
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
    EXPECT_EQ(host.testiMessaggi(), (std::vector<std::string>{
                                        "Non sono presenti le curve di livello relative alla planimetria!",
                                        "Non è presente la poligonale d'asse!"}));
    EXPECT_EQ(ws.Piano.NumeroIntersezioni, 0);
    EXPECT_TRUE(canvas.operazioni.empty());
}

TEST_F(Tracciato, InclinedPlaneGivesTheExactGroundProfileAndAMethodFiveDesign) {
    // z = 100 + 0.1 x + 0.05 y, contour lines every metre.
    ws.Piano = prova::pianoInclinato(100, 0.1, 0.05, 1);
    prova::impostaAsse(ws.Piano, prova::asseDiProva());
    calcolaTracciato(ws, canvas, host);
    EXPECT_TRUE(host.messaggi.empty()) << host.testiMessaggi()[0];
    const std::vector<std::string> fasi(host.didascalie.begin(), host.didascalie.begin() + 4);
    EXPECT_EQ(fasi, (std::vector<std::string>{"Calcolo delle intersezioni in corso...",
                                              "Controllo distaze sezioni in corso...",
                                              "Eliminazione sezioni errate in corso...",
                                              "Conversione del profilo longitudinale in corso..."}));

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

    // New profile: one grade line by method 5 from the first ground elevation, balancing
    // the ground area.
    EXPECT_EQ(pr.MetodoLivellette, 5);
    ASSERT_EQ(pr.NumeroLivellette, 1);
    EXPECT_EQ(pr.PuntiLivelletta[1], pr.NumeroSezioni);
    const int32_t n = pr.NumeroSezioni;
    const double l = pr.Progressive[n];
    double area = 0;
    for (int32_t j = 1; j < n; ++j)
        area += (double{pr.Progressive[j + 1]} - pr.Progressive[j]) * (double{pr.QuoteTerreno[j + 1]} + pr.QuoteTerreno[j]) / 2;
    EXPECT_NEAR(pr.QuoteProgetto[1], pr.QuoteTerreno[1], 1e-4);
    EXPECT_NEAR(pr.QuoteProgetto[n], 2 * area / l - pr.QuoteTerreno[1], 1e-3);
    for (int32_t j = 1; j <= n; ++j) {
        EXPECT_NEAR(pr.QuoteProgetto[j], pr.QuoteProgetto[1] + pr.Pendenze[1] * pr.Progressive[j], 1e-3) << j;
        EXPECT_NEAR(pr.QuoteRosse[j], pr.QuoteProgetto[j] - pr.QuoteTerreno[j], 1e-4) << j;
    }
    // Two curves, each a range of sections inside the stations.
    ASSERT_EQ(pr.NumeroCurve, 2);
    EXPECT_LT(pr.CurvaDa[1], pr.CurvaA[1]);
    EXPECT_LT(pr.CurvaA[1], pr.CurvaDa[2]);
    EXPECT_GT(pr.CurvaSviluppo[1], 0);
    EXPECT_EQ(ws.Piano.ProfiloApplicato, pr);
    EXPECT_EQ(ws.SezioneCorrente, 1);
    EXPECT_EQ(ws.TipoDocumento, kDocPianta);
    EXPECT_FALSE(canvas.operazioni.empty());
    EXPECT_TRUE(tuttoFinito(ws));
}

TEST_F(Tracciato, RecomputingKeepsTheGradeLineLayoutAndItsData) {
    ws.Piano = prova::collina();
    prova::impostaAsse(ws.Piano, {{10, 40}, {80, 95}, {150, 110}, {190, 170}});
    calcolaTracciato(ws, canvas, host);
    ASSERT_GT(ws.Profilo.NumeroSezioni, 5);
    EXPECT_TRUE(tuttoFinito(ws));

    // The user splits the road into two grade lines by method 4 with a slope for each.
    Profilo& pr = ws.Profilo;
    const int32_t n = pr.NumeroSezioni, meta = n / 2;
    pr.NumeroLivellette = 2;
    pr.PuntiLivelletta.redim(2);
    pr.PuntiLivelletta[1] = meta;
    pr.PuntiLivelletta[2] = n - meta + 1;
    pr.MetodoLivellette = 4;
    pr.Pendenze.redim(n);
    pr.Pendenze[1] = 0.03f;
    pr.Pendenze[2] = -0.04f;
    ws.Piano.ProfiloApplicato = pr;
    calcolaTracciato(ws, canvas, host);
    EXPECT_EQ(ws.Profilo.NumeroLivellette, 2);
    EXPECT_EQ(ws.Profilo.MetodoLivellette, 4);
    EXPECT_FLOAT_EQ(ws.Profilo.Pendenze[1], 0.03f);
    EXPECT_FLOAT_EQ(ws.Profilo.Pendenze[2], -0.04f);
    // The shared station appears once in the per-section lists, at the second grade line's start.
    EXPECT_NEAR(ws.Profilo.ProgressiveLiv(meta, 1), ws.Profilo.ProgressiveLiv(1, 2), 1e-6);

    // An axis with another number of stations starts the profile afresh.
    prova::impostaAsse(ws.Piano, {{10, 40}, {80, 95}, {120, 100}, {150, 110}, {190, 170}});
    calcolaTracciato(ws, canvas, host);
    EXPECT_EQ(ws.Profilo.NumeroLivellette, 1);
    EXPECT_EQ(ws.Profilo.MetodoLivellette, 5);
}

TEST_F(Tracciato, DegenerateAxesComputeWithoutNumbersGoingBad) {
    const std::vector<std::vector<std::pair<double, double>>> assi{
        {{20, 20}, {20, 20}, {180, 180}},              // coincident vertices
        {{20, 20}, {100, 100}, {180, 180}},            // aligned vertices
        {{20, 30}, {90, 90}, {90, 90}, {170, 40}},     // a vertex repeated
        {{20, 100}, {180, 100}, {20, 100}},            // straight back on itself
    };
    for (const auto& asse : assi) {
        Workspace w;
        w.Piano = prova::collina();
        prova::impostaAsse(w.Piano, asse);
        FakeHost h;
        calcolaTracciato(w, canvas, h);
        EXPECT_GT(w.Piano.NumeroIntersezioni, 0) << asse.size();
        EXPECT_TRUE(tuttoFinito(w)) << asse.size();
    }
    // An axis lying along a contour line: every station has that line's elevation.
    Workspace lungo;
    lungo.Piano = prova::pianoInclinato(100, 0, 0.1, 1);  // contour lines run east-west
    prova::impostaAsse(lungo.Piano, {{0, 50}, {200, 50}});
    calcolaTracciato(lungo, canvas, host);
    ASSERT_GE(lungo.Piano.NumeroIntersezioni, 2);
    for (int32_t j = 1; j <= lungo.Piano.NumeroIntersezioni; ++j)
        EXPECT_NEAR(lungo.Piano.Intersezioni[j].z, 105, 1e-4);
    EXPECT_TRUE(tuttoFinito(lungo));
}

TEST(CigliOccupazione, EdgesAndLandTakeAcrossTheAxis) {
    Workspace ws;
    prova::impostaAsse(ws.Piano, {{0, 0}, {0, 100}});  // going north
    ws.Piano.NumeroIntersezioni = 1;
    ws.Piano.Intersezioni.redim(1);
    ws.Piano.Intersezioni[1] = {0, 40, 12, 1};
    ws.Piano.SezioniApplicate.redim(1);
    Sezione& s = ws.Piano.SezioniApplicate[1];
    s.Larghezza = 10;
    s.ScostamentoSinistro = -2;
    s.ScostamentoDestro = 3;
    s.RossaCiglioSinistro = 1.5f;
    s.RossaCiglioDestro = NAN;  // a value that is not a number never reaches the plan
    calcolaCigliOccupazione(ws);
    const ContourSegment c = ws.Piano.Cigli[1], o = ws.Piano.Occupazione[1];
    EXPECT_NEAR(c.x1, -5, 1e-5);
    EXPECT_NEAR(c.y1, 40, 1e-5);
    EXPECT_NEAR(c.x2, 5, 1e-5);
    EXPECT_EQ(c.z1, 12);
    EXPECT_EQ(c.z2, 12);
    EXPECT_NEAR(o.x1, -7, 1e-5);
    EXPECT_NEAR(o.x2, 8, 1e-5);
    EXPECT_EQ(o.z1, 1.5f);
    EXPECT_EQ(o.z2, 0);
}

}  // namespace
}  // namespace carvela
