#include <gtest/gtest.h>

#include <cmath>

#include "graphics/recording_canvas.h"
#include "shell/workspace.h"
#include "support/fake_host.h"
#include "survey/survey_drawings.h"
#include "survey_test_util.h"

namespace carvela {
namespace {

using test::lista;

TEST(EtichetteRilievo, StationAndVertexLabels) {
    EXPECT_EQ(etichettaStazione(1, 500, 1000.125f, 100.2f), "P 1(500,00,1000,13,100,20)");
    EXPECT_EQ(etichettaStazione(12, -3.4f, 0, 0.5f), "P 12(-3,40,,00,,50)");
    EXPECT_EQ(etichettaVertice(0, 12.5f, 3.4f), "P1,00 (12,50,3,40)");
    EXPECT_EQ(etichettaVertice(9, 1234.567f, -2), "P10,00 (1234,57,-2,00)");
}

bool tuttoFinito(const RecordingCanvas& c) {
    for (const auto& o : c.operazioni)
        for (double v : {o.a, o.b, o.c, o.d})
            if (!std::isfinite(v)) return false;
    return true;
}

Workspace conPoligonaleChiusa() {
    Workspace ws;
    ws.vista.scala = 2;
    ws.vista.offsetX = 10;
    ws.vista.offsetY = 500;
    ClosedTraverse& p = ws.PoligonaleChiusa;
    p.NumeroStazioni = 3;
    p.Ascissa = lista({0, 100, 50, 0});
    p.Ordinata = lista({0, 0, 80, 0});
    p.Quota = lista({10, 11, 12});
    return ws;
}

TEST(DisegnoPoligonale, ClosedTraverseIsAWhiteLoopThroughTheView) {
    Workspace ws = conPoligonaleChiusa();
    RecordingCanvas canvas;
    FakeHost host;
    disegnaPoligonaleChiusa(ws, canvas, host);
    EXPECT_EQ(ws.TipoDocumento, kDocPoligonaleChiusa);
    EXPECT_FALSE(host.cursoreAttesaAttivo);
    ASSERT_FALSE(canvas.operazioni.empty());
    EXPECT_EQ(canvas.operazioni.front().tipo, OperazioneCanvas::Clear);
    // Three sides, the last back onto station 1; world (X, Y) at (2X + 10, -2Y + 500).
    std::vector<OperazioneCanvas> lati;
    for (const auto& o : canvas.di(OperazioneCanvas::LineTo))
        if (o.colore == 15) lati.push_back(o);
    ASSERT_EQ(lati.size(), 3u);
    EXPECT_EQ(lati[0].a, 10);
    EXPECT_EQ(lati[0].b, 500);
    EXPECT_EQ(lati[0].c, 210);
    EXPECT_EQ(lati[1].d, 340);
    EXPECT_EQ(lati[2].c, 10);
    EXPECT_EQ(lati[2].d, 500);
    // The extent holds every station.
    EXPECT_LE(ws.vista.estMinX, 10);
    EXPECT_GE(ws.vista.estMaxX, 210);
    EXPECT_LE(ws.vista.estMinY, 340);

    // The open traverse of the same points stops at the last station.
    ws.PoligonaleAperta.NumeroStazioni = 3;
    ws.PoligonaleAperta.Ascissa = ws.PoligonaleChiusa.Ascissa;
    ws.PoligonaleAperta.Ordinata = ws.PoligonaleChiusa.Ordinata;
    ws.PoligonaleAperta.Quota = ws.PoligonaleChiusa.Quota;
    canvas.svuota();
    disegnaPoligonaleAperta(ws, canvas, host);
    EXPECT_EQ(ws.TipoDocumento, kDocPoligonaleAperta);
    int bianchi = 0;
    for (const auto& o : canvas.di(OperazioneCanvas::LineTo)) bianchi += o.colore == 15;
    EXPECT_EQ(bianchi, 2);
}

TEST(DisegnoPoligonale, PointsThatAreNotNumbersAreLeftOut) {
    Workspace ws = conPoligonaleChiusa();
    ws.PoligonaleChiusa.Ascissa[2] = std::nanf("");
    ws.PoligonaleChiusa.Ordinata[3] = INFINITY;
    ws.PoligonaleChiusa.NumeroStazioni = 5;  // more than the arrays hold
    RecordingCanvas canvas;
    FakeHost host;
    disegnaPoligonaleChiusa(ws, canvas, host);
    EXPECT_TRUE(tuttoFinito(canvas));
}

TEST(DisegnoTriangolazione, PathDashedThirdSidesCirclesInTheirColours) {
    Workspace ws;
    ws.vista.scala = 0.5f;
    TriangulationChain& c = ws.Triangolazione;
    c.NumeroTriangoli = 3;
    const float h = 86.60254f;
    c.X = lista({100, 50, 150, 100});
    c.Y = lista({0, h, h, 2 * h});
    c.X[0] = 0;
    c.Y[0] = 0;
    RecordingCanvas canvas;
    FakeHost host;
    disegnaTriangolazione(ws, canvas, host);
    EXPECT_EQ(ws.TipoDocumento, kDocTriangolazione);

    int percorso = 0, terziLati = 0;
    bool tratteggio = false, tratteggiatiRossi = true;
    for (const auto& o : canvas.operazioni) {
        if (o.tipo == OperazioneCanvas::Style) tratteggio = o.stile == StileTratto::Tratteggiato;
        if (o.tipo != OperazioneCanvas::LineTo) continue;
        if (o.colore == 15 && !tratteggio) ++percorso;
        if (o.colore == 12) {
            ++terziLati;
            tratteggiatiRossi = tratteggiatiRossi && tratteggio;
        }
    }
    EXPECT_EQ(percorso, 4);   // vertex 0 to vertex 4
    EXPECT_EQ(terziLati, 3);  // 0-2, 2-4, then 1-3 (no side runs past the last vertex)
    EXPECT_TRUE(tratteggiatiRossi);
    EXPECT_FALSE(tratteggio);  // solid again afterwards

    std::vector<OperazioneCanvas> cerchi;
    for (const auto& o : canvas.di(OperazioneCanvas::Circle))
        if (o.colore == 10) cerchi.push_back(o);
    ASSERT_EQ(cerchi.size(), 10u);
    EXPECT_DOUBLE_EQ(cerchi[0].c, 3.0);  // 6 s
    EXPECT_DOUBLE_EQ(cerchi[1].c, 1.0);  // 2 s
    EXPECT_TRUE(tuttoFinito(canvas));
}

}  // namespace
}  // namespace carvela
