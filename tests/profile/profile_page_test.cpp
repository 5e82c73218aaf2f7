// The profile window's grids and its apply rules.
#include "profile/profile_page.h"

#include <gtest/gtest.h>

#include <cmath>

#include "graphics/recording_canvas.h"
#include "profile/profile_builder.h"
#include "profile/profile_solve.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

class PaginaProfiloTest : public ::testing::Test {
protected:
    // Five sections, two grade lines (3 + 3 points), one curve, method 5 solved.
    void SetUp() override {
        ws.Profilo = prova::profiloDa({{0, 100}, {10, 102}, {20, 101}, {30, 97}, {40, 99}}, {3, 3}, 5);
        ws.Profilo.ProgettoLiv(1, 1) = 100;
        ws.Profilo.NumeroCurve = 1;
        ws.Profilo.CurvaDa.redim(1);
        ws.Profilo.CurvaA.redim(1);
        ws.Profilo.CurvaVerso.redim(1);
        ws.Profilo.CurvaPicchetti.redim(1);
        ws.Profilo.CurvaRaggio.redim(1);
        ws.Profilo.CurvaDa[1] = 2;
        ws.Profilo.CurvaA[1] = 4;
        ws.Profilo.CurvaVerso[1] = "d";
        ws.Profilo.CurvaPicchetti[1] = 8;
        ws.Profilo.CurvaRaggio[1] = 25;
        risolviProfilo(ws.Profilo);
        ws.Piano.ProfiloApplicato = ws.Profilo;
        pagina.apri(ws);
    }
    std::vector<std::string> colonna(int c) const {
        std::vector<std::string> v;
        for (int r = 1; r < pagina.sezioni.righe(); ++r) v.push_back(pagina.sezioni.testo(r, c));
        return v;
    }

    Workspace ws;
    PaginaProfilo pagina;
    FakeHost host;
    RecordingCanvas canvas;
};

TEST_F(PaginaProfiloTest, GridsShowSectionsMarksRedHeightsAndCurves) {
    const Griglia& s = pagina.sezioni;
    ASSERT_EQ(s.righe(), 6);
    ASSERT_EQ(s.colonne(), 7);
    EXPECT_EQ(s.testo(0, 3), "Livellette");
    EXPECT_EQ(s.testo(0, 6), "Quota di sterro");
    EXPECT_EQ(s.altezzaIntestazione, 500);
    EXPECT_EQ(colonna(0), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(colonna(1), (std::vector<std::string>{"0,0000", "10,0000", "20,0000", "30,0000", "40,0000"}));
    // The shared section (row 3) and the last one close a grade line.
    EXPECT_EQ(colonna(3), (std::vector<std::string>{"", "", kChiudiLivelletta, "", kChiudiLivelletta}));
    // Red heights: fill in column 5, cut (and zero) in column 6 with its sign.
    for (int r = 1; r <= 5; ++r) {
        const float rossa = ws.Profilo.QuoteRosse[r];
        EXPECT_EQ(s.testo(r, rossa > 0 ? 5 : 6).empty(), false) << r;
        EXPECT_TRUE(s.testo(r, rossa > 0 ? 6 : 5).empty()) << r;
    }
    EXPECT_EQ(s.testo(1, 6), "0,0000");  // start elevation on the ground: red height 0 is a cut

    const Griglia& c = pagina.curve;
    ASSERT_EQ(c.righe(), 2);
    EXPECT_EQ(c.testo(0, 4), "num. picchetti");
    EXPECT_EQ(c.testo(1, 1), "2");
    EXPECT_EQ(c.testo(1, 3), "destra");
    EXPECT_EQ(c.testo(1, 4), "8");
    EXPECT_EQ(c.testo(1, 5), "25,0000");
    EXPECT_EQ(c.testo(1, 6), "20,0000");  // development from section 2 to 4
}

TEST_F(PaginaProfiloTest, MarksToggleOnlyInTheirColumnAndTypingOnlyInStakesAndRadius) {
    pagina.clicSezioni(2, 3);
    EXPECT_EQ(pagina.sezioni.testo(2, 3), kChiudiLivelletta);
    pagina.clicSezioni(2, 3);
    EXPECT_EQ(pagina.sezioni.testo(2, 3), "");
    pagina.clicSezioni(2, 2);
    EXPECT_EQ(pagina.sezioni.testo(2, 2), "102,0000");

    pagina.tastoCurve(1, 1, '9');
    EXPECT_EQ(pagina.curve.testo(1, 1), "2");
    pagina.tastoCurve(1, 4, '2');
    pagina.tastoCurve(1, 5, 8);
    pagina.tastoCurve(1, 5, 'x');
    EXPECT_EQ(pagina.curve.testo(1, 4), "82");
    EXPECT_EQ(pagina.curve.testo(1, 5), "25,000");
}

TEST_F(PaginaProfiloTest, ChangingCurvesKeepsTheLayoutDesignAndMethod) {
    ws.Profilo.MetodoLivellette = 1;
    ws.Profilo.ProgettoLiv(1, 2) = 90;
    pagina.curve.imposta(1, 5, "30");
    pagina.curve.imposta(1, 3, "sinistra");
    ASSERT_TRUE(pagina.premiApplica(ws, canvas, host));
    EXPECT_EQ(host.testiMessaggi(),
              std::vector<std::string>{"Per rendere effettive le modifiche anche sulla planimetria è necessario "
                                       "effettuare il ricalcolo del tracciato stradale."});
    const Profilo& pr = ws.Profilo;
    EXPECT_EQ(pr.NumeroLivellette, 2);
    EXPECT_EQ(pr.MetodoLivellette, 1);
    EXPECT_FLOAT_EQ(pr.ProgettoLiv(1, 2), 90);  // method 1 keeps each start as given
    EXPECT_FLOAT_EQ(pr.CurvaRaggio[1], 30);
    EXPECT_EQ(pr.CurvaVerso[1], "s");
    EXPECT_NEAR(pr.CurvaApertura[1], 20.0 / 30, 1e-6);  // the solve derived the curve values
    EXPECT_EQ(ws.Piano.ProfiloApplicato, pr);
    EXPECT_EQ(ws.TipoDocumento, kDocProfilo);
}

TEST_F(PaginaProfiloTest, AddingOrRemovingAMarkRestartsWithMethodFive) {
    ws.Profilo.MetodoLivellette = 2;
    pagina.clicSezioni(4, 3);  // a third grade line
    ASSERT_TRUE(pagina.applica(ws, host));
    const Profilo& pr = ws.Profilo;
    EXPECT_EQ(pr.NumeroLivellette, 3);
    EXPECT_EQ(pr.PuntiLivelletta[1], 3);
    EXPECT_EQ(pr.PuntiLivelletta[2], 2);
    EXPECT_EQ(pr.PuntiLivelletta[3], 2);
    EXPECT_EQ(pr.NumeroSezioni, 5);
    EXPECT_EQ(pr.MetodoLivellette, 5);
    EXPECT_FLOAT_EQ(pr.ProgettoLiv(1, 1), 100);  // the first ground elevation
    EXPECT_FLOAT_EQ(pr.ProgettoLiv(2, 2), pr.ProgettoLiv(1, 3));  // solved, continuous

    // No mark but the one forced on the last row: one grade line over every section; a
    // mark on the first row counts for nothing.
    PaginaProfilo unica;
    unica.apri(ws);
    for (int r = 1; r < unica.sezioni.righe(); ++r) unica.sezioni.imposta(r, 3, "");
    unica.sezioni.imposta(1, 3, kChiudiLivelletta);
    ASSERT_TRUE(unica.applica(ws, host));
    EXPECT_EQ(ws.Profilo.NumeroLivellette, 1);
    EXPECT_EQ(ws.Profilo.PuntiLivelletta[1], 5);
    EXPECT_FLOAT_EQ(ws.Profilo.Progressive[5], 40);
}

TEST_F(PaginaProfiloTest, RadiusCheckAgainstTheMinimum) {
    ws.impostazioni.RaggioMinimoCurve = 20;
    pagina.curve.imposta(1, 5, "20");
    EXPECT_TRUE(pagina.applica(ws, host));
    const Profilo applicato = ws.Piano.ProfiloApplicato;

    pagina.curve.imposta(1, 5, "19,9999");
    pagina.clicSezioni(3, 3);  // also changes the layout: applied even though refused later
    EXPECT_FALSE(pagina.premiApplica(ws, canvas, host));
    EXPECT_EQ(host.testiMessaggi(),
              std::vector<std::string>{"Nella curva 1 il raggio è inferiore al limite minimo di 20 m."});
    EXPECT_EQ(ws.Profilo.NumeroLivellette, 1);
    EXPECT_EQ(ws.Piano.ProfiloApplicato, applicato);  // no copy, no drawing
    EXPECT_TRUE(canvas.operazioni.empty());
}

TEST_F(PaginaProfiloTest, MethodZeroRunsNoSolveAndBadGridsAreRefused) {
    ws.Profilo.MetodoLivellette = 0;
    ASSERT_TRUE(pagina.applica(ws, host));
    EXPECT_FLOAT_EQ(ws.Profilo.CurvaSviluppo[1], 0);
    EXPECT_FLOAT_EQ(ws.Profilo.CurvaTangente[1], 0);

    // Only the heading row: no road.
    PaginaProfilo vuota;
    vuota.apri(Workspace{});
    EXPECT_FALSE(vuota.applica(ws, host));
    // A first row that is not a number: no section read.
    pagina.sezioni.imposta(1, 1, "abc");
    EXPECT_FALSE(pagina.applica(ws, host));
    EXPECT_EQ(host.testiMessaggi(),
              (std::vector<std::string>{"Nessun tracciato stradale attivo!", "Tipo di dati non corretto!"}));
}

TEST_F(PaginaProfiloTest, AProfileLongerThanThePlanCopyIsShownAndAppliedWhole) {
    // The plan's copy knows three sections only; the profile shown has five.
    ws.Piano.ProfiloApplicato.NumeroSezioni = 3;
    pagina.apri(ws);
    EXPECT_EQ(pagina.sezioni.righe(), 6);
    // And a plan copy with more sections leaves empty rows after the profile: the last
    // section read still closes its grade line.
    ws.Piano.ProfiloApplicato.NumeroSezioni = 8;
    pagina.apri(ws);
    EXPECT_EQ(pagina.sezioni.righe(), 9);
    ASSERT_TRUE(pagina.applica(ws, host));
    EXPECT_EQ(ws.Profilo.NumeroSezioni, 5);
    EXPECT_EQ(ws.Profilo.NumeroLivellette, 2);
    EXPECT_EQ(ws.Profilo.PuntiLivelletta[2], 3);
}

}  // namespace
}  // namespace carvela
