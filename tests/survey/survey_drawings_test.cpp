// The survey drawings on a recording canvas: labels, lines, circles and their colours.
#include "survey/survey_drawings.h"

#include <gtest/gtest.h>

#include "state/workspace.h"
#include "support/fake_host.h"
#include "survey_test_util.h"

namespace carvela {
namespace {

using test::lista;
using test::tracciato;
using V = std::vector<std::string>;

bool tuttoFinito(const RecordingCanvas& c) {
    for (const auto& o : c.operazioni)
        for (double v : {o.a, o.b, o.c, o.d})
            if (!std::isfinite(v)) return false;
    return true;
}

TEST(EtichetteRilievo, StationAndVertexLabels) {
    EXPECT_EQ(etichettaStazione(1, 500, 1000.125f, 100.2f), "P 1(500,00,1000,13,100,20)");
    EXPECT_EQ(etichettaStazione(12, -3.4f, 0, 0.5f), "P 12(-3,40,,00,,50)");
    EXPECT_EQ(etichettaVertice(0, 12.5f, 3.4f), "P1,00 (12,50,3,40)");
    EXPECT_EQ(etichettaVertice(9, 1234.567f, -2), "P10,00 (1234,57,-2,00)");
}

TEST(DisegnoPoligonale, TraversesAreWhiteLinesThroughTheView) {
    Workspace ws;
    ws.vista.scala = 2, ws.vista.offsetX = 10, ws.vista.offsetY = 500;  // (X, Y) at (2X + 10, -2Y + 500)
    auto riempi = [](auto& t) {
        t.NumeroStazioni = 3, t.Ascissa = lista({0, 100, 50}), t.Ordinata = lista({0, 0, 80});
        t.Quota = lista({10, 11, 12});
    };
    riempi(ws.PoligonaleChiusa);
    riempi(ws.PoligonaleAperta);
    RecordingCanvas canvas;
    FakeHost host;
    disegnaPoligonaleChiusa(ws, canvas, host);
    EXPECT_EQ(ws.TipoDocumento, kDocPoligonaleChiusa);
    EXPECT_FALSE(host.cursoreAttesaAttivo);
    EXPECT_EQ(canvas.operazioni.front().tipo, OperazioneCanvas::Clear);
    EXPECT_EQ(tracciato(canvas, 15), (V{"L15 10,500 210,500", "L15 210,500 110,340", "L15 110,340 10,500"}));
    EXPECT_TRUE(ws.vista.estMinX <= 10 && ws.vista.estMaxX >= 210 && ws.vista.estMinY <= 340);  // the extent
    // The open traverse of the same points stops at the last station.
    canvas.svuota();
    disegnaPoligonaleAperta(ws, canvas, host);
    EXPECT_EQ(ws.TipoDocumento, kDocPoligonaleAperta);
    EXPECT_EQ(tracciato(canvas, 15), (V{"L15 10,500 210,500", "L15 210,500 110,340"}));

    // Points that are not numbers, and a count past the arrays, are left out.
    ws.PoligonaleChiusa.Ascissa[2] = std::nanf("");
    ws.PoligonaleChiusa.Ordinata[3] = INFINITY;
    ws.PoligonaleChiusa.NumeroStazioni = 5;
    canvas.svuota();
    disegnaPoligonaleChiusa(ws, canvas, host);
    EXPECT_TRUE(tuttoFinito(canvas));
}

TEST(DisegnoTriangolazione, PathDashedThirdSidesCirclesInTheirColours) {
    Workspace ws;
    ws.vista.scala = 0.5f;
    TriangulationChain& c = ws.Triangolazione;
    c.NumeroTriangoli = 3;
    c.X.assignRaw({0, 100, 50, 150, 100});
    c.Y.assignRaw({0, 0, 86.60254f, 86.60254f, 173.20508f});
    RecordingCanvas canvas;
    FakeHost host;
    disegnaTriangolazione(ws, canvas, host);
    EXPECT_EQ(ws.TipoDocumento, kDocTriangolazione);
    int percorso = 0, terziLati = 0;
    bool tratteggio = false, tratteggiatiRossi = true;
    for (const auto& o : canvas.operazioni) {
        if (o.tipo == OperazioneCanvas::Style) tratteggio = o.stile == StileTratto::Tratteggiato;
        if (o.tipo != OperazioneCanvas::LineTo) continue;
        percorso += o.colore == 15 && !tratteggio;
        terziLati += o.colore == 12;
        tratteggiatiRossi = tratteggiatiRossi && (o.colore != 12 || tratteggio);
    }
    EXPECT_EQ(percorso, 4);   // vertex 0 to vertex 4
    EXPECT_EQ(terziLati, 3);  // 0-2, 2-4, then 1-3 (no side runs past the last vertex)
    EXPECT_TRUE(tratteggiatiRossi);
    EXPECT_FALSE(tratteggio);  // solid again afterwards
    const V cerchi = tracciato(canvas, 10);
    ASSERT_EQ(cerchi.size(), 10u);  // 6 s and 2 s about each vertex
    EXPECT_EQ(cerchi[0], "C10 0,0 3");
    EXPECT_EQ(cerchi[1], "C10 0,0 1");
    EXPECT_GT(tracciato(canvas, 14).size(), 20u);  // the vertex labels, in yellow
    EXPECT_TRUE(tuttoFinito(canvas));
}

}  // namespace
}  // namespace carvela
