// The profile window's grids and its apply rules, and the grade-line method window.
#include "profile/profile_page.h"

#include <gtest/gtest.h>

#include "graphics/recording_canvas.h"
#include "graphics/road_drawings.h"
#include "profile/grade_lines.h"
#include "profile/grade_method_page.h"
#include "profile/profile_builder.h"
#include "profile/profile_solve.h"
#include "state/workspace.h"
#include "support/fake_host.h"
#include "support/trim2_fixtures.h"

namespace carvela {
namespace {

class PaginaProfiloTest : public ::testing::Test {
protected:
    // Five sections, two grade lines (3 + 3 points), one curve from section 2 to 4, method 5.
    void SetUp() override {
        Profilo& pr = ws.Profilo;
        pr = prova::profiloDa({{0, 100}, {10, 102}, {20, 101}, {30, 97}, {40, 99}}, {3, 3}, 5);
        pr.ProgettoLiv(1, 1) = 100;
        pr.NumeroCurve = 1;
        pr.CurvaDa.assignRaw({0, 2});
        pr.CurvaA.assignRaw({0, 4});
        pr.CurvaVerso.assignRaw({"", "d"});
        pr.CurvaPicchetti.assignRaw({0, 8});
        pr.CurvaRaggio.assignRaw({0, 25});
        risolviProfilo(pr);
        ws.Piano.ProfiloApplicato = pr;
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
    EXPECT_EQ(colonna(1), (std::vector<std::string>{"0,0000", "10,0000", "20,0000", "30,0000", "40,0000"}));
    // The shared section and the last one close a grade line.
    EXPECT_EQ(colonna(3), (std::vector<std::string>{"", "", kChiudiLivelletta, "", kChiudiLivelletta}));
    // Fill in column 5, cut in column 6 with its sign; a red height of 0 counts as cut.
    for (int r = 1; r <= 5; ++r) EXPECT_FALSE(s.testo(r, ws.Profilo.QuoteRosse[r] > 0 ? 5 : 6).empty()) << r;
    EXPECT_EQ(s.testo(1, 6), "0,0000");
    EXPECT_EQ(s.testo(1, 5), "");
    const Griglia& c = pagina.curve;
    EXPECT_EQ(std::vector<std::string>({c.testo(1, 1), c.testo(1, 3), c.testo(1, 4), c.testo(1, 5), c.testo(1, 6)}),
              std::vector<std::string>({"2", "destra", "8", "25,0000", "20,0000"}));

    // Clicks toggle marks in their column only; typing reaches stakes and radius only.
    pagina.clicSezioni(2, 3);
    pagina.clicSezioni(2, 2);
    EXPECT_EQ(pagina.sezioni.testo(2, 3), kChiudiLivelletta);
    pagina.clicSezioni(2, 3);
    EXPECT_EQ(pagina.sezioni.testo(2, 3), "");
    pagina.tastoCurve(1, 1, '9');
    pagina.tastoCurve(1, 4, '2');
    pagina.tastoCurve(1, 5, 8);
    EXPECT_EQ(std::vector<std::string>({c.testo(1, 1), c.testo(1, 4), c.testo(1, 5)}),
              std::vector<std::string>({"2", "82", "25,000"}));
}

TEST_F(PaginaProfiloTest, CurveChangesKeepTheLayoutAMarkRestartsWithMethodFive) {
    ws.Profilo.MetodoLivellette = 1;
    ws.Profilo.ProgettoLiv(1, 2) = 90;
    pagina.curve.imposta(1, 5, "30");
    pagina.curve.imposta(1, 3, "sinistra");
    ASSERT_TRUE(pagina.premiApplica(ws, host, [&] { disegnaProfilo(ws, canvas, host); }));
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{"Per rendere effettive le modifiche anche sulla "
                                                             "planimetria è necessario effettuare il ricalcolo "
                                                             "del tracciato stradale."});
    Profilo& pr = ws.Profilo;
    EXPECT_EQ(std::pair(int(pr.MetodoLivellette), pr.CurvaVerso[1]), std::pair(1, std::string("s")));
    EXPECT_EQ(std::pair(pr.ProgettoLiv(1, 2), pr.CurvaRaggio[1]), std::pair(90.0f, 30.0f));
    EXPECT_NEAR(pr.CurvaApertura[1], 20.0 / 30, 1e-6);  // solved
    EXPECT_EQ(ws.Piano.ProfiloApplicato, pr);
    EXPECT_EQ(ws.TipoDocumento, kDocProfilo);

    pagina.clicSezioni(4, 3);  // a third grade line
    ASSERT_TRUE(pagina.applica(ws, host));
    EXPECT_EQ(std::vector<int>({pr.NumeroSezioni, pr.NumeroLivellette, pr.MetodoLivellette}),
              std::vector<int>({5, 3, 5}));
    EXPECT_EQ(pr.PuntiLivelletta.raw(), (std::vector<int32_t>{0, 3, 2, 2}));
    EXPECT_FLOAT_EQ(pr.ProgettoLiv(1, 1), 100);  // the first ground elevation
    EXPECT_FLOAT_EQ(pr.ProgettoLiv(2, 2), pr.ProgettoLiv(1, 3));

    // Only the forced mark on the last row: one grade line; a mark on row 1 counts for nothing.
    for (int r = 1; r < pagina.sezioni.righe(); ++r) pagina.sezioni.imposta(r, 3, r == 1 ? kChiudiLivelletta : "");
    ASSERT_TRUE(pagina.applica(ws, host));
    EXPECT_EQ(std::pair(pr.NumeroLivellette, pr.PuntiLivelletta[1]), std::pair(1, 5));
}

TEST_F(PaginaProfiloTest, RadiusCheckMethodZeroAndRefusals) {
    ws.impostazioni.RaggioMinimoCurve = 20;
    pagina.curve.imposta(1, 5, "20");
    EXPECT_TRUE(pagina.applica(ws, host));
    const Profilo applicato = ws.Piano.ProfiloApplicato;
    pagina.curve.imposta(1, 5, "19,9999");
    pagina.clicSezioni(3, 3);  // the layout change is applied even though the radius is refused
    EXPECT_FALSE(pagina.premiApplica(ws, host, [&] { disegnaProfilo(ws, canvas, host); }));
    EXPECT_EQ(ws.Profilo.NumeroLivellette, 1);
    EXPECT_EQ(ws.Piano.ProfiloApplicato, applicato);  // no copy, no drawing
    EXPECT_TRUE(canvas.operazioni.empty());

    // Method 0: no solve, so the curve values stay 0.
    pagina.curve.imposta(1, 5, "20");
    ws.Profilo.MetodoLivellette = 0;
    ASSERT_TRUE(pagina.applica(ws, host));
    EXPECT_FLOAT_EQ(ws.Profilo.CurvaSviluppo[1], 0);

    PaginaProfilo vuota;
    vuota.apri(Workspace{});
    EXPECT_FALSE(vuota.applica(ws, host));
    pagina.sezioni.imposta(1, 1, "abc");
    EXPECT_FALSE(pagina.applica(ws, host));
    EXPECT_EQ(host.testiMessaggi(),
              (std::vector<std::string>{"Nella curva 1 il raggio è inferiore al limite minimo di 20 m.",
                                        "Nessun tracciato stradale attivo!", "Tipo di dati non corretto!"}));
}

TEST_F(PaginaProfiloTest, GridsFitTheProfileWhateverThePlanCopyHolds) {
    ws.Piano.ProfiloApplicato.NumeroSezioni = 3;  // shorter: the profile still shows whole
    pagina.apri(ws);
    EXPECT_EQ(pagina.sezioni.righe(), 6);
    // Longer: empty rows follow, and the last section read still closes its grade line.
    ws.Piano.ProfiloApplicato.NumeroSezioni = 8;
    pagina.apri(ws);
    EXPECT_EQ(pagina.sezioni.righe(), 9);
    ASSERT_TRUE(pagina.applica(ws, host));
    EXPECT_EQ(std::vector<int>({ws.Profilo.NumeroSezioni, ws.Profilo.NumeroLivellette, ws.Profilo.PuntiLivelletta[2]}),
              std::vector<int>({5, 2, 3}));
}

class PaginaTipoProfiloTest : public ::testing::Test {
protected:
    void SetUp() override {
        ws.Profilo = prova::profiloDa(prova::piano(5, 10, 100), {3, 3}, 0);
        pagina.apri(ws);
    }
    Workspace ws;
    PaginaTipoProfilo pagina;
    FakeHost host;
};

TEST_F(PaginaTipoProfiloTest, GridsAndActivation) {
    ASSERT_EQ(pagina.griglie[1].righe(), 3);
    // Method 0: the tab stays and becomes the method.
    pagina.scheda = 2;
    pagina.attiva(ws);
    EXPECT_EQ(pagina.scheda, 2);
    EXPECT_EQ(ws.Profilo.MetodoLivellette, 3);
    // A method set selects its tab; slopes show in percent, ends as plain numbers.
    ws.Profilo.MetodoLivellette = 4;
    ws.Profilo.Pendenze.assignRaw({0, 0, -0.025f});
    ws.Profilo.ProgettoLiv(3, 1) = 98.5f;
    pagina.attiva(ws);
    EXPECT_EQ(pagina.scheda, 3);
    EXPECT_EQ(pagina.griglie[3].testo(2, 1), "-2,5");
    EXPECT_EQ(pagina.griglie[1].testo(1, 2), "98,5");
    // A profile without grade lines gets one.
    Workspace vuoto;
    pagina.apri(vuoto);
    EXPECT_EQ(vuoto.Profilo.NumeroLivellette, 1);
}

TEST_F(PaginaTipoProfiloTest, SlopesTypedForEveryGradeLineReachTheSolve) {
    pagina.scheda = 3;
    pagina.tasto(3, 1, 1, '2');
    for (int c : {int('-'), int('1'), int(','), int('5'), int('x'), 8}) pagina.tasto(3, 2, 1, c);
    EXPECT_EQ(pagina.griglie[3].testo(2, 1), "-1,5");
    ASSERT_TRUE(pagina.applica(ws, host));
    EXPECT_EQ(ws.Profilo.MetodoLivellette, 4);
    EXPECT_EQ(std::pair(ws.Profilo.Pendenze[1], ws.Profilo.Pendenze[2]), std::pair(0.02f, -0.015f));
    // Flat ground at 100: each 20 m grade line turned about its mid-length.
    EXPECT_TRUE(prova::vicini({ws.Profilo.ProgettoLiv(1, 1), ws.Profilo.ProgettoLiv(3, 2)}, {99.8, 99.85}, 1e-5));
}

TEST_F(PaginaTipoProfiloTest, EntriesByMethodEmptyRowsAndBadText) {
    // Method 2 for grade line 1; grade line 2 left empty keeps its ends.
    ws.Profilo.ProgettoLiv(1, 2) = 7;
    ws.Profilo.ProgettoLiv(3, 2) = 9;
    pagina.scheda = 1;
    pagina.griglie[1].imposta(1, 1, "101");
    pagina.griglie[1].imposta(1, 2, "99,5");
    ASSERT_TRUE(pagina.applica(ws, host));
    EXPECT_EQ(
        std::vector<float>({ws.Profilo.ProgettoLiv(3, 1), ws.Profilo.ProgettoLiv(1, 2), ws.Profilo.ProgettoLiv(3, 2)}),
        std::vector<float>({99.5f, 7, 9}));
    // Method 3: pass-through elevation and distance. Method 5: the text box.
    pagina.scheda = 2;
    pagina.griglie[2].imposta(1, 1, "101");
    pagina.griglie[2].imposta(1, 2, "5");
    ASSERT_TRUE(pagina.applica(ws, host));
    EXPECT_EQ(std::pair(ws.Profilo.QuotaPassaggio[1], ws.Profilo.DistanzaPassaggio[1]), std::pair(101.0f, 5.0f));
    pagina.scheda = 4;
    pagina.quotaPartenza = "100,25";
    ASSERT_TRUE(pagina.applica(ws, host));
    EXPECT_FLOAT_EQ(ws.Profilo.ProgettoLiv(1, 1), 100.25f);
    EXPECT_FLOAT_EQ(ws.Profilo.ProgettoLiv(3, 1), ws.Profilo.ProgettoLiv(1, 2));
    // Text that is not a number: a message, nothing stored, no solve.
    const Profilo prima = ws.Profilo;
    pagina.scheda = 0;
    pagina.griglie[0].imposta(2, 1, "cento");
    EXPECT_FALSE(pagina.applica(ws, host));
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{"Tipo di dati non corretto!"});
    EXPECT_EQ(ws.Profilo, prima);
}

TEST(TabelleLivellette, GrowKeepsStoredExtentsUnlessTheyWouldMultiplyTheTable) {
    // stored (rows, columns) | used (points, grade lines) | grown
    const int casi[][6] = {
        {4, 3, 103, 1, 104, 3},       // more sections, same layout: the spare column stays
        {11, 2, 1, 2, 11, 3},         // a first grade line for a profile without: stale rows stay
        {4001, 1, 2, 4001, 3, 4002},  // a stale first dimension times many grade lines
        {1, 4001, 4000, 1, 4001, 2},
    };
    for (const auto& c : casi) {
        VbArray2<float> t(c[0] - 1, c[1] - 1);
        t(0, 0) = 7;
        allargaTabellaLivellette(t, c[2], c[3]);
        EXPECT_EQ(std::vector<int>({t.count1(), t.count2(), int(t(0, 0))}), std::vector<int>({c[4], c[5], 7}))
            << c[0] << " x " << c[1];
    }
    // The same stale tables through the grade-line page, as a file of 80 KB brings them.
    Workspace ws;
    Profilo& pr = ws.Profilo;
    pr.NumeroSezioni = 2;
    pr.Progressive.assignRaw({0, 0, 10});
    pr.QuoteTerreno.assignRaw({0, 100, 102});
    pr.NumeroLivellette = 4000;
    pr.PuntiLivelletta.assignRaw(std::vector<int32_t>(4001, 2));
    for (VbArray2<float>* t : {&pr.ProgressiveLiv, &pr.TerrenoLiv, &pr.ProgettoLiv, &pr.RosseLiv}) t->redim(4000, 0);
    PaginaTipoProfilo pagina;
    pagina.apri(ws);
    FakeHost host;
    pagina.applica(ws, host);
    EXPECT_LE(int64_t{pr.ProgettoLiv.count1()} * pr.ProgettoLiv.count2(), 3 * 4002);
}

}  // namespace
}  // namespace carvela
