#include <gtest/gtest.h>

#include "graphics/recording_canvas.h"
#include "plan/plan_points.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

Planimetria pianoConPunti(int n) {
    Planimetria p;
    p.NumeroPunti = n;
    p.Punti.redim(n);
    p.PuntiStazione.redim(n);
    for (int i = 1; i <= n; ++i) {
        p.Punti[i] = {i * 1.5f, -i * 2.25f, 100 + i * 0.125f, 7};
        p.PuntiStazione[i] = i % 4 == 0;
    }
    return p;
}

void riga(Griglia& g, int r, const std::string& x, const std::string& y, const std::string& z,
          const std::string& tipo = "") {
    g.imposta(r, 1, x);
    g.imposta(r, 2, y);
    g.imposta(r, 3, z);
    g.imposta(r, 4, tipo);
}

}  // namespace

TEST(PlanPointsPage, GridRowsHeadingsAndFilling) {
    FakeHost host;
    Impostazioni imp;
    Griglia g = grigliaPuntiPiano(pianoConPunti(250), imp, host);
    EXPECT_EQ(g.righe(), 251);
    EXPECT_EQ(g.colonne(), 5);
    EXPECT_EQ(g.testo(0, 0), "Punto n°");
    EXPECT_EQ(g.testo(0, 1), "Ascisse");
    EXPECT_EQ(g.testo(0, 2), "Ordinate");
    EXPECT_EQ(g.testo(0, 3), "Quote del Terreno");
    EXPECT_EQ(g.testo(0, 4), "Tipo di punto");
    EXPECT_EQ(g.testo(250, 0), "250");
    EXPECT_EQ(g.testo(3, 1), "4,5");
    EXPECT_EQ(g.testo(3, 2), "-6,75");
    EXPECT_EQ(g.testo(3, 3), "100,375");
    EXPECT_EQ(g.testo(3, 4), "");
    EXPECT_EQ(g.testo(4, 4), "stazione");
    EXPECT_EQ(g.testo(250, 1), "375");
    EXPECT_EQ(g.larghezzeColonne, (std::vector<int>{700, 1700, 1700, 1700, 1500}));
    EXPECT_EQ(g.altezzaIntestazione, 500);
    EXPECT_EQ(g.altezzaRiga, 300);
    // The progress window: range 25, positions up to 25, closed at the end.
    EXPECT_EQ(host.didascalie, std::vector<std::string>{"Caricamneto della griglia in corso..."});
    EXPECT_EQ(host.massimiBarra, std::vector<int>{25});
    ASSERT_EQ(host.posizioniBarra.size(), 250u);
    EXPECT_EQ(host.posizioniBarra.front(), 0);
    EXPECT_EQ(host.posizioniBarra[14], 2);  // point 15: 1.5 rounds to 2
    EXPECT_EQ(host.posizioniBarra.back(), 25);
    EXPECT_EQ(host.attesaAperta, 0);

    // Ten points: 200 rows, ten filled, the rest empty but numbered.
    g = grigliaPuntiPiano(pianoConPunti(10), imp, host);
    EXPECT_EQ(g.righe(), 200);
    EXPECT_EQ(g.testo(10, 1), "15");
    EXPECT_EQ(g.testo(11, 1), "");
    EXPECT_EQ(g.testo(199, 0), "199");
    // No points and a setting of 0: still the heading row.
    imp.numeroPuntiPianoQDefault = 0;
    EXPECT_EQ(grigliaPuntiPiano(Planimetria{}, imp, host).righe(), 1);
    // A damaged count larger than the stored points shows what is stored.
    Planimetria danneggiato = pianoConPunti(3);
    danneggiato.NumeroPunti = 2000000000;
    EXPECT_EQ(grigliaPuntiPiano(danneggiato, imp, host).righe(), 4);
}

TEST(PlanPointsPage, TypeCellToggles) {
    Griglia g(3, 5);
    commutaTipoPunto(g, 1);
    EXPECT_EQ(g.testo(1, 4), "stazione");
    commutaTipoPunto(g, 1);
    EXPECT_EQ(g.testo(1, 4), "");
    g.imposta(2, 4, "Stazione ");
    commutaTipoPunto(g, 2);
    EXPECT_EQ(g.testo(2, 4), "stazione");
    commutaTipoPunto(g, 0);  // the heading row is not a point
    commutaTipoPunto(g, 9);
    EXPECT_EQ(g.testo(0, 4), "");
}

TEST(PlanPointsPage, ApplyReadsDownToTheFirstIncompleteRow) {
    Workspace ws;
    FakeHost host;
    RecordingCanvas canvas;
    Griglia g(8, 5);
    riga(g, 1, "1", "2", "3");
    riga(g, 2, "4,5", "-5", "6", "stazione");
    riga(g, 3, "7", "8.25", "9");
    riga(g, 4, "10", "11", "");  // no elevation: the list ends at row 3
    riga(g, 5, "13", "14", "15");
    EXPECT_TRUE(applicaPuntiPiano(g, ws, canvas, host));
    EXPECT_EQ(ws.Piano.NumeroPunti, 3);
    EXPECT_EQ(ws.Piano.Punti[2], (PlanPoint{4.5f, -5, 6, 0}));
    EXPECT_EQ(ws.Piano.Punti[3].y, 8.25f);
    EXPECT_EQ(ws.Piano.PuntiStazione[1], 0);
    EXPECT_EQ(ws.Piano.PuntiStazione[2], 1);
    EXPECT_TRUE(host.messaggi.empty());
    // Redrawn as the plan.
    EXPECT_EQ(ws.TipoDocumento, kDocPianta);
    ASSERT_FALSE(canvas.operazioni.empty());
    EXPECT_EQ(canvas.operazioni[0].tipo, OperazioneCanvas::Clear);

    // A full grid, no spare rows: every row is stored.
    Griglia piena(4, 5);
    for (int r = 1; r <= 3; ++r) riga(piena, r, std::to_string(r), "0", "0");
    EXPECT_TRUE(leggiPuntiPiano(piena, ws.Piano, host));
    EXPECT_EQ(ws.Piano.NumeroPunti, 3);
    EXPECT_EQ(ws.Piano.Punti[3].x, 3);
    // The hidden member of a point is kept.
    ws.Piano.Punti[1].riservato = 42;
    EXPECT_TRUE(leggiPuntiPiano(piena, ws.Piano, host));
    EXPECT_EQ(ws.Piano.Punti[1].riservato, 42);
}

TEST(PlanPointsPage, BadNumbersAndEmptyGrids) {
    Workspace ws;
    FakeHost host;
    RecordingCanvas canvas;
    ws.Piano = pianoConPunti(6);
    for (const std::string cattivo : {"1,2,3", "-", "12a", "1e999"}) {
        Griglia g(8, 5);
        riga(g, 1, "100", "200", "300");
        riga(g, 2, "1", cattivo, "3");
        host.pulisci();
        canvas.svuota();
        EXPECT_FALSE(applicaPuntiPiano(g, ws, canvas, host)) << cattivo;
        EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{"Tipo di dati non corretto!"});
        // The count stays, the rows read before keep their new values, no redraw.
        EXPECT_EQ(ws.Piano.NumeroPunti, 6);
        EXPECT_EQ(ws.Piano.Punti[1].x, 100);
        EXPECT_TRUE(canvas.operazioni.empty());
    }
    // No complete first row: no points, no redraw.
    Griglia vuota(5, 5);
    riga(vuota, 1, "1", "", "3");
    riga(vuota, 2, "1", "2", "3");
    host.pulisci();
    EXPECT_TRUE(applicaPuntiPiano(vuota, ws, canvas, host));
    EXPECT_EQ(ws.Piano.NumeroPunti, 0);
    EXPECT_TRUE(canvas.operazioni.empty());
    EXPECT_TRUE(applicaPuntiPiano(Griglia(1, 5), ws, canvas, host));
    EXPECT_EQ(ws.Piano.NumeroPunti, 0);
    EXPECT_TRUE(host.messaggi.empty());
}

TEST(PlanPointsPage, FillThenApplyKeepsThePoints) {
    Workspace ws;
    FakeHost host;
    RecordingCanvas canvas;
    ws.Piano = pianoConPunti(30);
    const Planimetria prima = ws.Piano;
    Griglia g = grigliaPuntiPiano(ws.Piano, ws.impostazioni, host);
    EXPECT_TRUE(applicaPuntiPiano(g, ws, canvas, host));
    EXPECT_EQ(ws.Piano.NumeroPunti, 30);
    for (int i = 1; i <= 30; ++i) {
        EXPECT_EQ(ws.Piano.Punti[i], prima.Punti[i]);
        EXPECT_EQ(ws.Piano.PuntiStazione[i], prima.PuntiStazione[i]);
    }
}

}  // namespace carvela
