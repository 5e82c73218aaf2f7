#include "plan/plan_points.h"

#include <gtest/gtest.h>

#include "graphics/recording_canvas.h"
#include "graphics/road_command.h"
#include "plan/axis.h"
#include "state/workspace.h"
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

std::vector<std::string> riga(const Griglia& g, int r) {
    std::vector<std::string> v;
    for (int c = 0; c < g.colonne(); ++c) v.push_back(g.testo(r, c));
    return v;
}

// A grid of `righe` rows whose rows 1, 2... hold the given x, y, z and type texts.
Griglia griglia(int righe, const std::vector<std::vector<std::string>>& punti) {
    Griglia g(righe, 5);
    for (std::size_t r = 0; r < punti.size(); ++r)
        for (std::size_t c = 0; c < punti[r].size(); ++c) g.imposta(int(r) + 1, int(c) + 1, punti[r][c]);
    return g;
}

}  // namespace

TEST(PlanPointsPage, GridRowsHeadingsAndFilling) {
    FakeHost host;
    Impostazioni imp;
    Griglia g = grigliaPuntiPiano(pianoConPunti(250), imp, host);
    EXPECT_EQ(g.righe(), 251);
    EXPECT_EQ(riga(g, 0),
              (std::vector<std::string>{"Punto n°", "Ascisse", "Ordinate", "Quote del Terreno", "Tipo di punto"}));
    EXPECT_EQ(riga(g, 3), (std::vector<std::string>{"3", "4,5", "-6,75", "100,375", ""}));
    EXPECT_EQ(riga(g, 4).back(), "stazione");
    EXPECT_EQ(riga(g, 250)[1], "375");
    // The progress window: its caption, one position per point up to 25, closed at the end.
    EXPECT_EQ(host.didascalie, std::vector<std::string>{"Caricamneto della griglia in corso..."});
    EXPECT_EQ(std::vector<int>({int(host.posizioniBarra.size()), host.posizioniBarra.back()}),
              std::vector<int>({250, 25}));
    EXPECT_EQ(host.attesaAperta, 0);

    // Ten points: 200 rows, ten filled, the rest empty but numbered.
    g = grigliaPuntiPiano(pianoConPunti(10), imp, host);
    EXPECT_EQ(g.righe(), 200);
    EXPECT_EQ(std::vector<std::string>({g.testo(10, 1), g.testo(11, 1), g.testo(199, 0)}),
              std::vector<std::string>({"15", "", "199"}));
    // No points and a setting of 0: still the heading row. A damaged count larger than the
    // stored points shows what is stored.
    imp.numeroPuntiPianoQDefault = 0;
    EXPECT_EQ(grigliaPuntiPiano(Planimetria{}, imp, host).righe(), 1);
    Planimetria danneggiato = pianoConPunti(3);
    danneggiato.NumeroPunti = 2000000000;
    EXPECT_EQ(grigliaPuntiPiano(danneggiato, imp, host).righe(), 4);

    // A click on the type cell toggles the station; the heading row is not a point.
    Griglia t(3, 5);
    t.imposta(2, 4, "Stazione ");
    for (int r : {1, 2, 0, 9}) commutaTipoPunto(t, r);
    EXPECT_EQ(std::vector<std::string>({t.testo(0, 4), t.testo(1, 4), t.testo(2, 4)}),
              std::vector<std::string>({"", "stazione", "stazione"}));
    commutaTipoPunto(t, 1);
    EXPECT_EQ(t.testo(1, 4), "");
}

TEST(PlanPointsPage, ApplyReadsDownToTheFirstIncompleteRow) {
    Workspace ws;
    FakeHost host;
    RecordingCanvas canvas;
    // Row 4 has no elevation: the list ends at row 3.
    const Griglia g = griglia(
        8, {{"1", "2", "3"}, {"4,5", "-5", "6", "stazione"}, {"7", "8.25", "9"}, {"10", "11", ""}, {"13", "14", "15"}});
    EXPECT_TRUE(applicaPuntiPiano(g, ws, canvas, host));
    EXPECT_EQ(ws.Piano.NumeroPunti, 3);
    EXPECT_EQ(ws.Piano.Punti[2], (PlanPoint{4.5f, -5, 6, 0}));
    EXPECT_EQ(ws.Piano.Punti[3].y, 8.25f);
    EXPECT_EQ(std::vector<int>({ws.Piano.PuntiStazione[1], ws.Piano.PuntiStazione[2]}), std::vector<int>({0, 1}));
    EXPECT_TRUE(host.messaggi.empty());
    // Redrawn as the plan.
    EXPECT_EQ(ws.TipoDocumento, kDocPianta);
    ASSERT_FALSE(canvas.operazioni.empty());
    EXPECT_EQ(canvas.operazioni[0].tipo, OperazioneCanvas::Clear);

    // A full grid, no spare rows: every row is stored; the hidden member of a point is kept.
    const Griglia piena = griglia(4, {{"1", "0", "0"}, {"2", "0", "0"}, {"3", "0", "0"}});
    ws.Piano.Punti[1].riservato = 42;
    EXPECT_TRUE(leggiPuntiPiano(piena, ws.Piano, host));
    EXPECT_EQ(ws.Piano.NumeroPunti, 3);
    EXPECT_EQ(ws.Piano.Punti[3].x, 3);
    EXPECT_EQ(ws.Piano.Punti[1].riservato, 42);

    // Filled from the plan and applied back, the points stay as they were.
    ws.Piano = pianoConPunti(30);
    const Planimetria prima = ws.Piano;
    EXPECT_TRUE(applicaPuntiPiano(grigliaPuntiPiano(ws.Piano, ws.impostazioni, host), ws, canvas, host));
    EXPECT_EQ(ws.Piano.NumeroPunti, 30);
    for (int i = 1; i <= 30; ++i) {
        EXPECT_EQ(ws.Piano.Punti[i], prima.Punti[i]);
        EXPECT_EQ(ws.Piano.PuntiStazione[i], prima.PuntiStazione[i]);
    }
}

TEST(PlanPointsPage, BadNumbersAndEmptyGrids) {
    Workspace ws;
    FakeHost host;
    RecordingCanvas canvas;
    ws.Piano = pianoConPunti(6);
    for (const std::string cattivo : {"1,2,3", "-", "12a", "1e999"}) {
        host.pulisci();
        EXPECT_FALSE(applicaPuntiPiano(griglia(8, {{"100", "200", "300"}, {"1", cattivo, "3"}}), ws, canvas, host));
        EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{"Tipo di dati non corretto!"}) << cattivo;
        // The count stays, the rows read before keep their new values, no redraw.
        EXPECT_EQ(ws.Piano.NumeroPunti, 6);
        EXPECT_EQ(ws.Piano.Punti[1].x, 100);
        EXPECT_TRUE(canvas.operazioni.empty());
    }
    // No complete first row: no points, no redraw.
    host.pulisci();
    EXPECT_TRUE(applicaPuntiPiano(griglia(5, {{"1", "", "3"}, {"1", "2", "3"}}), ws, canvas, host));
    EXPECT_EQ(ws.Piano.NumeroPunti, 0);
    EXPECT_TRUE(applicaPuntiPiano(Griglia(1, 5), ws, canvas, host));
    EXPECT_EQ(ws.Piano.NumeroPunti, 0);
    EXPECT_TRUE(canvas.operazioni.empty());
    EXPECT_TRUE(host.messaggi.empty());
}

// National grid coordinates typed into a plan holding nothing else: the plan takes an origin
// near them, so the single-precision records keep the millimetre; a plan with a terrain keeps
// its own.
TEST(PlanOrigin, TypedCoordinatesGiveAnEmptyPlanAnOrigin) {
    Workspace ws;
    FakeHost host;
    RecordingCanvas canvas;
    ASSERT_TRUE(applicaPuntiPiano(
        griglia(5, {{"2400100,125", "4900200,375", "100"}, {"2400300,5", "4900400,25", "101"}}), ws, canvas, host));
    EXPECT_EQ(ws.Piano.Origine, "E=2400000 N=4900000");
    EXPECT_EQ(ws.Piano.Punti[1].x, 100.125f);
    EXPECT_EQ(ws.Piano.Punti[2].y, 400.25f);
    EXPECT_EQ(grigliaPuntiPiano(ws.Piano, ws.impostazioni, host).testo(1, 1), "2400100,125");
    // Typed again within its reach, the origin stays.
    ASSERT_TRUE(applicaPuntiPiano(griglia(5, {{"2405000", "4900000", "100"}}), ws, canvas, host));
    EXPECT_EQ(ws.Piano.Origine, "E=2400000 N=4900000");
    EXPECT_EQ(ws.Piano.Punti[1].x, 5000);

    // The axis coordinates page of a plan with an axis only.
    Workspace asse;
    asse.Piano.VerticiAsse.assignRaw({{}, {0, 0, 0}, {10, 10, 0}});
    PaginaCoordinateAsse pagina;
    pagina.apri(asse);
    pagina.griglia.imposta(1, 1, "487250,125"), pagina.griglia.imposta(1, 2, "4632180,5");
    pagina.griglia.imposta(2, 1, "487850"), pagina.griglia.imposta(2, 2, "4632580,75");
    ASSERT_TRUE(pagina.applica(asse, host));
    EXPECT_EQ(asse.Piano.Origine, "E=488000 N=4632000");
    EXPECT_EQ(asse.Piano.VerticiAsse[1], (AxisPoint{-749.875f, 180.5f, 0}));
    EXPECT_EQ(asse.Piano.VerticiAsse[2], (AxisPoint{-150, 580.75f, 0}));

    // A plan with contour lines near 0 keeps origin 0 and its records where they were.
    ws = Workspace{};
    ws.Piano.NumeroCurveLivello = 1;
    ws.Piano.CurveLivello.assignRaw({{}, VbArray<ContourSegment>{}});
    ASSERT_TRUE(applicaPuntiPiano(griglia(5, {{"2400100,125", "4900200,375", "100"}}), ws, canvas, host));
    EXPECT_EQ(ws.Piano.Origine, "");
    EXPECT_EQ(ws.Piano.Punti[1].x, 2400100.125f);
    EXPECT_TRUE(host.messaggi.empty());
}

}  // namespace carvela
