#include <gtest/gtest.h>

#include <type_traits>

#include "graphics/recording_canvas.h"
#include "project/vbtext.h"
#include "state/workspace.h"
#include "support/fake_host.h"
#include "support/survey_dxf_fixtures.h"
#include "survey/intersection_pages.h"
#include "survey/survey_drawings.h"
#include "survey/survey_messages.h"
#include "survey/survey_units.h"
#include "survey/traverse_pages.h"
#include "survey/triangulation_page.h"

namespace carvela {
namespace {

using V = std::vector<std::string>;
const std::string kGradi = "Attenzione le dimensioni angolari in uso sono i gradi centesimali!";

void riga(Griglia& g, int r, const V& celle) {
    for (int c = 1; c <= 6; ++c) g.imposta(r, c, c <= static_cast<int>(celle.size()) ? celle[c - 1] : "");
}

// A page of each kind on a workspace in grads, with the canvas and host it draws and speaks to.
template <class Modello>
struct Pagina {
    Workspace ws;
    RecordingCanvas canvas;
    FakeHost host;
    Modello m;
    template <class Record>
    explicit Pagina(Record Workspace::*record, float angoloPiatto = 200) {
        ws.impostazioni.AngoloPiatto = angoloPiatto;
        m.carica(ws.*record, ws.impostazioni);
    }
    // The apply, then the drawing its window makes.
    bool applica() {
        if (!m.applica(ws, host)) return false;
        if constexpr (std::is_same_v<Modello, ModelloPoligonaleAperta>) disegnaPoligonaleAperta(ws, canvas, host);
        if constexpr (std::is_same_v<Modello, ModelloPoligonaleChiusa>) disegnaPoligonaleChiusa(ws, canvas, host);
        if constexpr (std::is_same_v<Modello, ModelloTriangolazione>) disegnaTriangolazione(ws, canvas, host);
        return true;
    }
};

TEST(UnitWarning, NamesTheUnitInUse) {
    EXPECT_EQ(testoUnitWarning(200), kGradi);
    EXPECT_EQ(testoUnitWarning(180), "Attenzione le dimensioni angolari in uso sono i gradi sessagesimali!");
    EXPECT_EQ(testoUnitWarning(3.141593f), "Attenzione le dimensioni angolari in uso sono i radianti!");
    FakeHost host;
    UnitWarning(host, 400);  // no unit of its own: nothing shown
    UnitWarning(host, 200);
    ASSERT_EQ(host.messaggi.size(), 1u);
    EXPECT_EQ(host.messaggi[0].pulsanti, Pulsanti::Ok);
    EXPECT_EQ(host.messaggi[0].icona, Icona::Informazione);
}

TEST(PaginaPoligonaleAperta, ApplyReadsComputesShowsAndDraws) {
    Pagina<ModelloPoligonaleAperta> p(&Workspace::PoligonaleAperta);
    ModelloPoligonaleAperta& m = p.m;
    EXPECT_EQ(m.Grid1.righe(), 201);  // the default station count, legs labelled by their stations
    EXPECT_EQ(m.Grid1.testo(200, 0), "200-201");
    EXPECT_EQ(m.Grid2.testo(3, 0), "3");
    riga(m.Grid1, 1, {"50", "100", "1,5", "1", "1,5", "2"});
    riga(m.Grid1, 2, {"100", "90", "1,6", "0,9", "1,2", "1,5"});
    m.Text1 = {"1000", "2000", "100", "100"};
    ASSERT_TRUE(p.applica());
    EXPECT_EQ(p.host.testiMessaggi(), V{kGradi});
    EXPECT_EQ(p.ws.PoligonaleAperta.NumeroStazioni, 3);
    EXPECT_EQ((V{m.Grid2.testo(1, 4), m.Grid2.testo(3, 4), m.Grid2.testo(3, 3), m.Grid2.testo(2, 1)}),
              (V{"1000,0000", "1129,2424", "9,6705", "70,7107"}));
    EXPECT_EQ(m.Grid1.testo(1, 3), "1,5000");  // the readings shown back in the grid's format
    EXPECT_EQ(m.Text1[3], "100");
    EXPECT_EQ(p.ws.TipoDocumento, kDocPoligonaleAperta);
    EXPECT_FALSE(p.canvas.di(OperazioneCanvas::LineTo).empty());

    // Bad boxes or an out-of-range cell: the message, record and page as they were.
    const OpenTraverse calcolata = p.ws.PoligonaleAperta;
    for (auto guasta :
         {+[](ModelloPoligonaleAperta& g) { g.Text1[3] = "abc"; }, +[](ModelloPoligonaleAperta& g) { g.Text1[0] = ""; },
          +[](ModelloPoligonaleAperta& g) { g.Grid1.imposta(2, 4, "1e40"); }}) {
        ModelloPoligonaleAperta pagina = m;
        guasta(pagina);
        p.host.pulisci();
        EXPECT_FALSE(pagina.applica(p.ws, p.host));
        EXPECT_EQ(p.host.testiMessaggi(), (V{kGradi, kMsgTipoDatiNonCorretto}));
        EXPECT_EQ(p.ws.PoligonaleAperta, calcolata);
        EXPECT_EQ(pagina.Grid2.testo(3, 4), "1129,2424");
    }

    // A cell that is not a number ends the list: one leg, then the reference station alone;
    // the rows of the longer traverse are cleared.
    m.Grid1.imposta(2, 1, "1.2.3");
    ASSERT_TRUE(p.applica());
    EXPECT_EQ(p.ws.PoligonaleAperta.NumeroStazioni, 2);
    EXPECT_EQ(m.Grid2.testo(3, 4), "");
    riga(m.Grid1, 1, {});
    ASSERT_TRUE(p.applica());
    EXPECT_EQ(p.ws.PoligonaleAperta.NumeroStazioni, 1);
    EXPECT_EQ((V{m.Grid2.testo(1, 5), m.Grid2.testo(2, 5)}), (V{"2000,0000", ""}));
}

TEST(PaginaPoligonaleChiusa, ApplyShowsResultsAndClosureLabelsOrChangesNothing) {
    Pagina<ModelloPoligonaleChiusa> p(&Workspace::PoligonaleChiusa);
    ModelloPoligonaleChiusa& m = p.m;
    for (int r = 1; r <= 4; ++r) riga(m.Grid1, r, {"0", "100", r == 1 ? "100,04" : "100", "100", "1,5", "1,5"});
    m.Text1 = {"500", "1000", "100", "0,01", "0,03", "0"};
    ASSERT_TRUE(p.applica());
    // The 4 cm misclosure is over the 3 cm tolerance: warned, and still adjusted.
    EXPECT_EQ(p.host.testiMessaggi(), (V{kGradi, kMsgTolleranzaLineare}));
    EXPECT_EQ((V{m.Grid2.testo(2, 5), m.Grid2.testo(3, 3), m.Grid2.testo(1, 1)}),
              (V{"1100,0300", "200,0000", "100,0000"}));
    EXPECT_EQ((V{m.erroreAngolare, m.erroreLineare, m.Text1[4]}), (V{"0,0000", "0,0400", "0,03"}));
    EXPECT_EQ(p.ws.TipoDocumento, kDocPoligonaleChiusa);

    // Two stations left: refused, and nothing on the page, the record or the canvas changes.
    const ClosedTraverse calcolata = p.ws.PoligonaleChiusa;
    const ModelloPoligonaleChiusa prima = m;
    riga(m.Grid1, 3, {});
    riga(m.Grid1, 4, {});
    p.host.pulisci();
    p.canvas.svuota();
    EXPECT_FALSE(p.applica());
    EXPECT_EQ(p.host.testiMessaggi(), (V{kGradi, kMsgPoligonaleChiusaCorta}));
    EXPECT_EQ(p.ws.PoligonaleChiusa, calcolata);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 6; ++c) EXPECT_EQ(m.Grid2.testo(r, c), prima.Grid2.testo(r, c));
    EXPECT_EQ(m.Text1, prima.Text1);
    EXPECT_EQ(m.erroreLineare, prima.erroreLineare);
    EXPECT_TRUE(p.canvas.operazioni.empty());

    // Export: both grids, headings and readings, as text.
    test::FileTemporaneo file("poligonale_chiusa.txt");
    p.host.fileSalvati.push_back(file.path());
    m.esporta(p.host);
    for (const char* atteso : {"Ang. azim. <i+1>", "Ang. compensato", "100,04"})
        EXPECT_NE(file.leggi().find(atteso), std::string::npos) << atteso;
}

TEST(PaginaTriangolazione, ApplyShowsCompensatedAnglesErrorsAndVertices) {
    Pagina<ModelloTriangolazione> p(&Workspace::Triangolazione, 180);
    ModelloTriangolazione& m = p.m;
    p.ws.impostazioni.numeroPuntiTriangolDefault = 1;  // the grids must grow to the chain
    m.carica(p.ws.Triangolazione, p.ws.impostazioni);
    EXPECT_EQ(m.Grid1.righe(), 2);
    riga(m.Grid1, 1, {"60,003", "60", "60"});
    m.Text1 = {"0", "0", "90", "100"};
    ASSERT_TRUE(p.applica());
    EXPECT_EQ((V{m.Grid1.testo(1, 1), m.Grid1.testo(1, 2), m.Grid1.testo(1, 4)}), (V{"60,0020", "59,9990", "0,0030"}));
    // Row 1: the last vertex (2); then vertices 0 and 1.
    ASSERT_GE(m.Grid2.righe(), 4);
    float x2 = 0, y2 = 0;
    ASSERT_TRUE(leggiFloat(m.Grid2.testo(1, 3), x2) && leggiFloat(m.Grid2.testo(1, 4), y2));
    EXPECT_NEAR(x2, 50.00302, 2e-4);
    EXPECT_NEAR(y2, 86.60429, 2e-4);
    EXPECT_EQ(
        (V{m.Grid2.testo(1, 2), m.Grid2.testo(2, 1), m.Grid2.testo(2, 3), m.Grid2.testo(3, 3), m.Grid2.testo(3, 1)}),
        (V{"0,0000", "90,0000", "0,0000", "100,0000", "330,0020"}));
    EXPECT_EQ(p.ws.TipoDocumento, kDocTriangolazione);

    // No complete triangle: a message, nothing else changes.
    const TriangulationChain calcolata = p.ws.Triangolazione;
    const std::string vertice = m.Grid2.testo(1, 3);
    riga(m.Grid1, 1, {"60", "", "60"});
    p.host.pulisci();
    EXPECT_FALSE(p.applica());
    EXPECT_EQ(p.host.testiMessaggi(),
              (V{"Attenzione le dimensioni angolari in uso sono i gradi sessagesimali!", kMsgTriangolazioneVuota}));
    EXPECT_EQ(p.ws.Triangolazione, calcolata);
    EXPECT_EQ(m.Grid2.testo(1, 3), vertice);
}

TEST(PaginaIntersezione, ResultsAsPlainTextAndFailuresKeepThem) {
    // A = (0, 0), B = (100, 0), 50 grads at each end: P = (50, 50), shown as plain text.
    ModelloIntersezione avanti(TipoIntersezione::Avanti);
    FakeHost host;
    avanti.Text1 = {"0", "0", "100", "0", "50", "50"};
    ASSERT_TRUE(avanti.calcola(200, host));
    EXPECT_TRUE(host.messaggi.empty());
    float xp = 0, yp = 0;
    ASSERT_TRUE(leggiFloat(avanti.Text1[6], xp) && leggiFloat(avanti.Text1[7], yp));
    EXPECT_NEAR(xp, 50, 1e-4);
    EXPECT_NEAR(yp, 50, 1e-4);
    EXPECT_EQ(avanti.Text1[6], testoNumero(xp));

    // Parallel sights, then an empty box: one message each, the results stay.
    avanti.Text1[5] = "150";
    EXPECT_FALSE(avanti.calcola(200, host));
    avanti.Text1[5] = "";
    EXPECT_FALSE(avanti.calcola(200, host));
    EXPECT_EQ(host.testiMessaggi(), (V{kMsgDirezioniParallele, kMsgTipoDatiNonCorretto}));
    EXPECT_EQ((V{avanti.Text1[6], avanti.Text1[7]}), (V{testoNumero(xp), testoNumero(yp)}));
}

}  // namespace
}  // namespace carvela
