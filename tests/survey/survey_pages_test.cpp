#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "graphics/recording_canvas.h"
#include "project/vbtext.h"
#include "shell/workspace.h"
#include "support/fake_host.h"
#include "survey/intersection_pages.h"
#include "survey/survey_messages.h"
#include "survey/survey_units.h"
#include "survey/traverse_pages.h"
#include "survey/triangulation_page.h"

namespace carvela {
namespace {

const std::string kGradi = "Attenzione le dimensioni angolari in uso sono i gradi centesimali!";

void riga(Griglia& g, int r, std::vector<std::string> celle) {
    for (int c = 1; c <= static_cast<int>(celle.size()); ++c) g.imposta(r, c, celle[c - 1]);
}

TEST(UnitWarning, NamesTheUnitInUse) {
    EXPECT_EQ(testoUnitWarning(200), kGradi);
    EXPECT_EQ(testoUnitWarning(180), "Attenzione le dimensioni angolari in uso sono i gradi sessagesimali!");
    EXPECT_EQ(testoUnitWarning(3.141593f), "Attenzione le dimensioni angolari in uso sono i radianti!");
    FakeHost host;
    UnitWarning(host, 400);
    EXPECT_TRUE(host.messaggi.empty());
    UnitWarning(host, 200);
    ASSERT_EQ(host.messaggi.size(), 1u);
    EXPECT_EQ(host.messaggi[0].pulsanti, Pulsanti::Ok);
    EXPECT_EQ(host.messaggi[0].icona, Icona::Informazione);
}

TEST(PaginaPoligonaleAperta, OpensWithHeadedLabelledGrids) {
    Workspace ws;
    ws.impostazioni.numeroPuntiPoligoDefault = 12;
    ModelloPoligonaleAperta m;
    m.carica(ws.PoligonaleAperta, ws.impostazioni);
    EXPECT_EQ(m.Grid1.righe(), 13);
    EXPECT_EQ(m.Grid1.colonne(), 7);
    EXPECT_EQ(m.Grid1.testo(0, 0), "Stazione n°");
    EXPECT_EQ(m.Grid1.testo(0, 6), "Lettura inferiore");
    EXPECT_EQ(m.Grid2.testo(0, 6), "Quota");
    EXPECT_EQ(m.Grid1.testo(1, 0), "1-2");
    EXPECT_EQ(m.Grid1.testo(12, 0), "12-13");
    EXPECT_EQ(m.Grid2.testo(3, 0), "3");
    EXPECT_EQ(m.Grid1.larghezzeColonne, (std::vector<int>{800, 1300, 1300, 1300, 1300, 1300, 1300}));
    EXPECT_EQ(m.Grid1.altezzaIntestazione, 500);
    EXPECT_EQ(m.Grid1.altezzaRiga, 300);
    EXPECT_EQ(m.Text1[0], "");
}

// The two legs of the open traverse example typed into the page.
void compilaAperta(ModelloPoligonaleAperta& m) {
    riga(m.Grid1, 1, {"50", "100", "1,5", "1", "1,5", "2"});
    riga(m.Grid1, 2, {"100", "90", "1,6", "0,9", "1,2", "1,5"});
    m.Text1 = {"1000", "2000", "100", "100"};
}

TEST(PaginaPoligonaleAperta, ApplyReadsComputesShowsAndDraws) {
    Workspace ws;
    ws.impostazioni.AngoloPiatto = 200;
    RecordingCanvas canvas;
    FakeHost host;
    ModelloPoligonaleAperta m;
    m.carica(ws.PoligonaleAperta, ws.impostazioni);
    compilaAperta(m);
    ASSERT_TRUE(m.applica(ws, canvas, host));
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{kGradi});
    EXPECT_EQ(ws.PoligonaleAperta.NumeroStazioni, 3);
    EXPECT_EQ(m.Grid2.testo(1, 4), "1000,0000");
    EXPECT_EQ(m.Grid2.testo(3, 4), "1129,2424");
    EXPECT_EQ(m.Grid2.testo(3, 3), "9,6705");
    EXPECT_EQ(m.Grid2.testo(2, 1), "70,7107");
    EXPECT_EQ(m.Grid1.testo(1, 3), "1,5000");  // the readings shown back in the grid's format
    EXPECT_EQ(m.Text1[3], "100");
    EXPECT_EQ(ws.TipoDocumento, kDocPoligonaleAperta);
    EXPECT_FALSE(canvas.di(OperazioneCanvas::LineTo).empty());

    // The same page with only the first leg: two stations.
    riga(m.Grid1, 2, {"", "", "", "", "", ""});
    ASSERT_TRUE(m.applica(ws, canvas, host));
    EXPECT_EQ(ws.PoligonaleAperta.NumeroStazioni, 2);
    EXPECT_EQ(m.Grid2.testo(3, 4), "");  // the longer traverse's station is gone

    // An empty first row: the reference station alone.
    riga(m.Grid1, 1, {"", "", "", "", "", ""});
    ASSERT_TRUE(m.applica(ws, canvas, host));
    EXPECT_EQ(ws.PoligonaleAperta.NumeroStazioni, 1);
    EXPECT_EQ(m.Grid2.testo(1, 5), "2000,0000");
    EXPECT_EQ(m.Grid2.testo(2, 5), "");
}

TEST(PaginaPoligonaleAperta, BadInputsLeaveRecordAndPageAsTheyWere) {
    Workspace ws;
    ws.impostazioni.AngoloPiatto = 200;
    RecordingCanvas canvas;
    FakeHost host;
    ModelloPoligonaleAperta m;
    m.carica(ws.PoligonaleAperta, ws.impostazioni);
    compilaAperta(m);
    ASSERT_TRUE(m.applica(ws, canvas, host));
    const OpenTraverse calcolata = ws.PoligonaleAperta;
    const std::string risultato = m.Grid2.testo(3, 4);

    for (auto guasta : {+[](ModelloPoligonaleAperta& p) { p.Text1[3] = "abc"; },
                        +[](ModelloPoligonaleAperta& p) { p.Text1[0] = ""; },
                        +[](ModelloPoligonaleAperta& p) { p.Grid1.imposta(2, 4, "1e40"); }}) {
        ModelloPoligonaleAperta pagina = m;
        guasta(pagina);
        host.pulisci();
        EXPECT_FALSE(pagina.applica(ws, canvas, host));
        EXPECT_EQ(host.testiMessaggi(), (std::vector<std::string>{kGradi, kMsgTipoDatiNonCorretto}));
        EXPECT_EQ(ws.PoligonaleAperta, calcolata);
        EXPECT_EQ(pagina.Grid2.testo(3, 4), risultato);
    }
    // A cell that is not a number only ends the list.
    m.Grid1.imposta(2, 1, "1.2.3");
    ASSERT_TRUE(m.applica(ws, canvas, host));
    EXPECT_EQ(ws.PoligonaleAperta.NumeroStazioni, 2);
}

void compilaChiusa(ModelloPoligonaleChiusa& m, int righe) {
    const char* distanze[] = {"100,04", "100", "100", "100"};
    for (int r = 1; r <= righe; ++r) riga(m.Grid1, r, {"0", "100", distanze[r - 1], "100", "1,5", "1,5"});
    m.Text1 = {"500", "1000", "100", "0,01", "0,03", "0"};
}

TEST(PaginaPoligonaleChiusa, ApplyShowsResultsAndClosureLabels) {
    Workspace ws;
    ws.impostazioni.AngoloPiatto = 200;
    RecordingCanvas canvas;
    FakeHost host;
    ModelloPoligonaleChiusa m;
    m.carica(ws.PoligonaleChiusa, ws.impostazioni);
    EXPECT_EQ(m.Grid1.testo(0, 1), "Ang. az. <i-1>");
    EXPECT_EQ(m.Grid1.testo(0, 4), "Ang. ze. <i>_<i+1>");
    EXPECT_EQ(m.Grid2.testo(0, 3), "Azimut <i>_<i+1>");
    EXPECT_EQ(m.Grid1.testo(4, 0), "4");
    compilaChiusa(m, 4);
    ASSERT_TRUE(m.applica(ws, canvas, host));
    // The 4 cm misclosure is over the 3 cm tolerance: warned, and still adjusted.
    EXPECT_EQ(host.testiMessaggi(), (std::vector<std::string>{kGradi, kMsgTolleranzaLineare}));
    EXPECT_EQ(m.Grid2.testo(2, 5), "1100,0300");
    EXPECT_EQ(m.Grid2.testo(3, 3), "200,0000");
    EXPECT_EQ(m.Grid2.testo(1, 1), "100,0000");
    EXPECT_EQ(m.erroreAngolare, "0,0000");
    EXPECT_EQ(m.erroreLineare, "0,0400");
    EXPECT_EQ(m.Text1[4], "0,03");
    EXPECT_EQ(ws.TipoDocumento, kDocPoligonaleChiusa);
}

TEST(PaginaPoligonaleChiusa, FewerThanThreeStationsChangeNothing) {
    Workspace ws;
    ws.impostazioni.AngoloPiatto = 200;
    RecordingCanvas canvas;
    FakeHost host;
    ModelloPoligonaleChiusa m;
    m.carica(ws.PoligonaleChiusa, ws.impostazioni);
    compilaChiusa(m, 4);
    ASSERT_TRUE(m.applica(ws, canvas, host));
    const ClosedTraverse calcolata = ws.PoligonaleChiusa;
    const ModelloPoligonaleChiusa prima = m;

    for (int r = 3; r <= 4; ++r) riga(m.Grid1, r, {"", "", "", "", "", ""});
    host.pulisci();
    canvas.svuota();
    EXPECT_FALSE(m.applica(ws, canvas, host));
    EXPECT_EQ(host.testiMessaggi(), (std::vector<std::string>{kGradi, kMsgPoligonaleChiusaCorta}));
    EXPECT_EQ(ws.PoligonaleChiusa, calcolata);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 6; ++c) EXPECT_EQ(m.Grid2.testo(r, c), prima.Grid2.testo(r, c));
    EXPECT_EQ(m.Text1, prima.Text1);
    EXPECT_EQ(m.erroreLineare, prima.erroreLineare);
    EXPECT_TRUE(canvas.operazioni.empty());
}

TEST(PaginaPoligonaleChiusa, ExportWritesBothGrids) {
    Workspace ws;
    ModelloPoligonaleChiusa m;
    m.carica(ws.PoligonaleChiusa, ws.impostazioni);
    compilaChiusa(m, 4);
    FakeHost host;
    const std::string percorso = testing::TempDir() + "poligonale_chiusa_export.txt";
    host.fileSalvati.push_back(percorso);
    m.esporta(host);
    std::ifstream f(percorso);
    std::stringstream testo;
    testo << f.rdbuf();
    EXPECT_NE(testo.str().find("Ang. azim. <i+1>"), std::string::npos);
    EXPECT_NE(testo.str().find("Ang. compensato"), std::string::npos);
    EXPECT_NE(testo.str().find("100,04"), std::string::npos);
    std::remove(percorso.c_str());
}

TEST(PaginaTriangolazione, ApplyShowsCompensatedAnglesErrorsAndVertices) {
    Workspace ws;
    ws.impostazioni.AngoloPiatto = 180;
    ws.impostazioni.numeroPuntiTriangolDefault = 1;  // the grids must grow to the chain
    RecordingCanvas canvas;
    FakeHost host;
    ModelloTriangolazione m;
    m.carica(ws.Triangolazione, ws.impostazioni);
    EXPECT_EQ(m.Grid1.righe(), 2);
    EXPECT_EQ(m.Grid2.righe(), 2);
    EXPECT_EQ(m.Grid1.testo(0, 4), "Errore angolare");
    EXPECT_EQ(m.Grid2.testo(0, 1), "Angolo");
    EXPECT_EQ(ModelloTriangolazione::kUltimaColonnaDigitabile, 3);
    riga(m.Grid1, 1, {"60,003", "60", "60"});
    m.Text1 = {"0", "0", "90", "100"};
    ASSERT_TRUE(m.applica(ws, canvas, host));
    EXPECT_EQ(m.Grid1.testo(1, 1), "60,0020");
    EXPECT_EQ(m.Grid1.testo(1, 2), "59,9990");
    EXPECT_EQ(m.Grid1.testo(1, 4), "0,0030");
    // Row 1: the last vertex (2); then vertices 0 and 1.
    ASSERT_GE(m.Grid2.righe(), 4);
    float x2 = 0, y2 = 0;
    ASSERT_TRUE(leggiFloat(m.Grid2.testo(1, 3), x2) && leggiFloat(m.Grid2.testo(1, 4), y2));
    EXPECT_NEAR(x2, 50.00302, 2e-4);
    EXPECT_NEAR(y2, 86.60429, 2e-4);
    EXPECT_EQ(m.Grid2.testo(1, 2), "0,0000");
    EXPECT_EQ(m.Grid2.testo(2, 1), "90,0000");
    EXPECT_EQ(m.Grid2.testo(2, 3), "0,0000");
    EXPECT_EQ(m.Grid2.testo(3, 3), "100,0000");
    EXPECT_EQ(m.Grid2.testo(3, 1), "330,0020");
    EXPECT_EQ(ws.TipoDocumento, kDocTriangolazione);

    // No complete triangle: a message, nothing else changes.
    const TriangulationChain calcolata = ws.Triangolazione;
    const std::string vertice = m.Grid2.testo(1, 3);
    riga(m.Grid1, 1, {"60", "", "60"});
    host.pulisci();
    EXPECT_FALSE(m.applica(ws, canvas, host));
    EXPECT_EQ(host.testiMessaggi(),
              (std::vector<std::string>{"Attenzione le dimensioni angolari in uso sono i gradi sessagesimali!",
                                        kMsgTriangolazioneVuota}));
    EXPECT_EQ(ws.Triangolazione, calcolata);
    EXPECT_EQ(m.Grid2.testo(1, 3), vertice);
}

TEST(PaginaIntersezione, CaptionsFramesAndResultsAsPlainText) {
    ModelloIntersezione avanti(TipoIntersezione::Avanti);
    EXPECT_STREQ(avanti.titolo(), "Intersezione in avanti");
    ModelloIntersezione hansen(TipoIntersezione::Hansen);
    EXPECT_STREQ(hansen.titolo(), "Intersezione di Hansen");
    ASSERT_EQ(hansen.cornici().size(), 3u);
    EXPECT_STREQ(hansen.cornici()[2].titolo, "Coordinate del punto P e del punto Q:");
    EXPECT_STREQ(hansen.cornici()[1].caselle[1].etichetta, "Angolo <alfa 1>");
    EXPECT_EQ(hansen.cornici()[1].caselle[1].indice, 8);
    EXPECT_STREQ(ModelloIntersezione(TipoIntersezione::Potheno).titolo(), "Intersezione di Pothèno");

    FakeHost host;
    // A = (0, 0), B = (100, 0), 50 grads at each end: P = (50, 50).
    avanti.Text1 = {"0", "0", "100", "0", "50", "50"};
    ASSERT_TRUE(avanti.calcola(200, host));
    EXPECT_TRUE(host.messaggi.empty());
    float xp = 0, yp = 0;
    ASSERT_TRUE(leggiFloat(avanti.Text1[6], xp) && leggiFloat(avanti.Text1[7], yp));
    EXPECT_NEAR(xp, 50, 1e-4);
    EXPECT_NEAR(yp, 50, 1e-4);
    EXPECT_EQ(avanti.Text1[6], testoNumero(xp));

    // Parallel sights, then an empty box: one message each, the results stay.
    const auto risultati = avanti.Text1;
    avanti.Text1[5] = "150";
    EXPECT_FALSE(avanti.calcola(200, host));
    avanti.Text1[5] = "";
    EXPECT_FALSE(avanti.calcola(200, host));
    EXPECT_EQ(host.testiMessaggi(), (std::vector<std::string>{kMsgDirezioniParallele, kMsgTipoDatiNonCorretto}));
    EXPECT_EQ(avanti.Text1[6], risultati[6]);
    EXPECT_EQ(avanti.Text1[7], risultati[7]);
}

}  // namespace
}  // namespace carvela
