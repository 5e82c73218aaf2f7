#include <gtest/gtest.h>

#include <cmath>

#include "graphics/plan_drawing.h"
#include "graphics/recording_canvas.h"
#include "graphics/stroke_font.h"
#include "graphics/view.h"
#include "plan_sample.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

using Op = OperazioneCanvas;

// A view with s = 1 and world (0, 0) at canvas (0, 1000).
Vista vistaSemplice() {
    Vista v;
    v.scala = 1;
    v.offsetX = 0;
    v.offsetY = 1000;
    return v;
}

VbArray<ContourSegment> curva(int pezzi) {
    VbArray<ContourSegment> c(pezzi);
    for (int k = 1; k <= pezzi; ++k)
        c[k] = {float(10 * k), float(k * k), 50, float(10 * k + 10), float((k + 1) * (k + 1)), 50};
    return c;
}

PuntoCanvas inizio(int k) { return {10 * k, 1000 - k * k}; }
PuntoCanvas fine(int k) { return {10 * k + 10, 1000 - (k + 1) * (k + 1)}; }

// The texts a drawing writes, as the operations the stroke font alone makes.
std::vector<Op> testo(const Vista& v0, float s, double x, double y, int colore, const std::string& t, float h = 4) {
    Vista v = v0;
    RecordingCanvas c;
    scriviTesto(v, c, s, x, y, 0, h, colore, t);
    return c.operazioni;
}

bool contiene(const std::vector<Op>& tutto, const std::vector<Op>& parte) {
    if (parte.empty()) return true;
    for (std::size_t i = 0; i + parte.size() <= tutto.size(); ++i) {
        bool ok = true;
        for (std::size_t j = 0; j < parte.size() && ok; ++j) {
            const Op &a = tutto[i + j], &b = parte[j];
            ok = a.tipo == b.tipo && a.colore == b.colore && a.a == b.a && a.b == b.b && a.c == b.c && a.d == b.d;
        }
        if (ok) return true;
    }
    return false;
}

}  // namespace

TEST(PlanContours, BezierThenStraightRemainder) {
    // 4 pieces: one Bezier segment through the starts of pieces 1..4, the last end not drawn.
    Vista v = vistaSemplice();
    RecordingCanvas c;
    disegnaCurvaLivello(v, c, curva(4), 1);
    ASSERT_EQ(c.operazioni.size(), 1u);
    EXPECT_EQ(c.operazioni[0].punti, (std::vector<PuntoCanvas>{inizio(1), inizio(2), inizio(3), inizio(4)}));

    // 5 pieces: the Bezier covers pieces 1..4, then straight from the start of piece 4
    // through the ends of pieces 4 and 5.
    c.svuota();
    c.setForeColor(10);
    disegnaCurvaLivello(v, c, curva(5), 1);
    ASSERT_EQ(c.operazioni.size(), 4u);
    EXPECT_EQ(c.operazioni[0].punti.size(), 4u);
    EXPECT_EQ(c.operazioni[0].colore, 10);
    EXPECT_EQ(c.operazioni[1].tipo, Op::MoveTo);
    EXPECT_EQ((PuntoCanvas{int(c.operazioni[1].a), int(c.operazioni[1].b)}), inizio(4));
    EXPECT_EQ((PuntoCanvas{int(c.operazioni[2].c), int(c.operazioni[2].d)}), fine(4));
    EXPECT_EQ((PuntoCanvas{int(c.operazioni[3].c), int(c.operazioni[3].d)}), fine(5));
    EXPECT_EQ(c.operazioni[3].colore, 10);

    // 6 pieces: r = 2, so the Bezier takes 4 samples and the rest runs from piece 4 to 6.
    c.svuota();
    disegnaCurvaLivello(v, c, curva(6), 1);
    ASSERT_EQ(c.operazioni.size(), 5u);
    EXPECT_EQ((PuntoCanvas{int(c.operazioni[1].a), int(c.operazioni[1].b)}), inizio(4));
    EXPECT_EQ((PuntoCanvas{int(c.operazioni[4].c), int(c.operazioni[4].d)}), fine(6));

    // 7 pieces: two Bezier segments, nothing straight.
    c.svuota();
    disegnaCurvaLivello(v, c, curva(7), 1);
    ASSERT_EQ(c.operazioni.size(), 1u);
    EXPECT_EQ(c.operazioni[0].punti.size(), 7u);
}

TEST(PlanContours, SamplingStepAndShortLines) {
    Vista v = vistaSemplice();
    RecordingCanvas c;
    // Every second piece of 9: samples 1, 3, 5, 7, 9 (k = 5, r = 1); the straight rest runs on
    // from the Bezier's last sample (piece 7) through the ends of pieces 7, 8 and 9.
    disegnaCurvaLivello(v, c, curva(9), 2);
    ASSERT_EQ(c.operazioni.size(), 5u);
    EXPECT_EQ(c.operazioni[0].punti, (std::vector<PuntoCanvas>{inizio(1), inizio(3), inizio(5), inizio(7)}));
    EXPECT_EQ((PuntoCanvas{int(c.operazioni[1].a), int(c.operazioni[1].b)}), inizio(7));
    EXPECT_EQ((PuntoCanvas{int(c.operazioni[2].c), int(c.operazioni[2].d)}), fine(7));
    EXPECT_EQ((PuntoCanvas{int(c.operazioni[4].c), int(c.operazioni[4].d)}), fine(9));

    // A step beyond the number of pieces takes the first piece only.
    c.svuota();
    disegnaCurvaLivello(v, c, curva(3), 1000000000);
    ASSERT_EQ(c.operazioni.size(), 1u);
    EXPECT_EQ(c.operazioni[0].punti.size(), 1u);

    // One piece: a chain of one point, which draws nothing; two pieces: straight lines only.
    c.svuota();
    disegnaCurvaLivello(v, c, curva(1), 1);
    ASSERT_EQ(c.operazioni.size(), 1u);
    EXPECT_EQ(c.operazioni[0].punti.size(), 1u);
    c.svuota();
    disegnaCurvaLivello(v, c, curva(2), 1);
    ASSERT_EQ(c.operazioni.size(), 4u);
    EXPECT_EQ((PuntoCanvas{int(c.operazioni[1].a), int(c.operazioni[1].b)}), inizio(1));
    EXPECT_EQ((PuntoCanvas{int(c.operazioni[3].c), int(c.operazioni[3].d)}), fine(2));

    // No pieces, zero-length pieces, pieces that are not numbers: no crash, nothing wrong drawn.
    c.svuota();
    disegnaCurvaLivello(v, c, VbArray<ContourSegment>(), 1);
    disegnaCurvaLivello(v, c, VbArray<ContourSegment>(0), 1);
    EXPECT_TRUE(c.operazioni.empty());
    VbArray<ContourSegment> ferma(5);
    for (int k = 1; k <= 5; ++k) ferma[k] = {3, 3, 1, 3, 3, 1};
    disegnaCurvaLivello(v, c, ferma, 1);
    EXPECT_EQ(c.operazioni.size(), 4u);
    c.svuota();
    ferma[2].x2 = NAN;
    disegnaCurvaLivello(v, c, ferma, 1);
    EXPECT_TRUE(c.operazioni.empty());
}

TEST(PlanDrawing, PointsLabelsAndContoursInOrder) {
    Workspace ws;
    FakeHost host;
    RecordingCanvas c;
    ws.vista = vistaSemplice();
    ws.vista.scala = 2;
    ws.Piano.NumeroPunti = 2;
    ws.Piano.Punti.redim(2);
    ws.Piano.Punti[1] = {10, 20, 5.5f};
    ws.Piano.Punti[2] = {30.125f, -4, 0.004f};
    ws.Piano.PuntiStazione.redim(2);
    ws.Piano.PuntiStazione[2] = 1;
    ws.Piano.NumeroCurveLivello = 1;
    ws.Piano.CurveLivello.redim(1);
    ws.Piano.CurveLivello[1] = curva(5);
    ws.TipoDocumento = kDocProfilo;
    disegnaPianta(ws, c, host);

    EXPECT_EQ(ws.TipoDocumento, kDocPianta);
    EXPECT_FALSE(host.cursoreAttesaAttivo);
    ASSERT_GE(c.operazioni.size(), 5u);
    EXPECT_EQ(c.operazioni[0].tipo, Op::Clear);
    // A white pixel, then a circle of half a world unit: light cyan, light red on a station.
    EXPECT_EQ(c.operazioni[1].tipo, Op::Pixel);
    EXPECT_EQ(c.operazioni[1].colore, 15);
    EXPECT_EQ(c.operazioni[1].a, 20);
    EXPECT_EQ(c.operazioni[1].b, 960);
    EXPECT_EQ(c.operazioni[2].tipo, Op::Circle);
    EXPECT_EQ(c.operazioni[2].colore, 11);
    EXPECT_DOUBLE_EQ(c.operazioni[2].c, 1.0);
    EXPECT_EQ(c.operazioni[4].colore, 12);
    // Labels at one unit right and above, yellow, "#.00" with the decimal comma.
    const auto etichetta1 = testo(ws.vista, 2, 22, 958, 14, "P1(10,00,20,00,5,50)");
    const auto etichetta2 = testo(ws.vista, 2, 62.25, 1006, 14, "P2(30,13,-4,00,,00)");
    EXPECT_TRUE(contiene(c.operazioni, etichetta1));
    EXPECT_TRUE(contiene(c.operazioni, etichetta2));
    // Contours after the labels, in light green; then the contour's elevation at its end.
    std::size_t bezier = 0;
    while (bezier < c.operazioni.size() && c.operazioni[bezier].tipo != Op::Bezier) ++bezier;
    ASSERT_LT(bezier, c.operazioni.size());
    EXPECT_EQ(c.operazioni[bezier].colore, 10);
    EXPECT_EQ(c.operazioni.size() - bezier, 4 + testo(ws.vista, 2, 120, 928, 14, "50,00").size());
    EXPECT_TRUE(contiene(c.operazioni, testo(ws.vista, 2, 120, 928, 14, "50,00")));

    // Without labels only the pixels, circles and the contour line are drawn.
    ws.impostazioni.MantieniQuoteDraw = false;
    ws.Piano.NumeroCurveLivello = 0;
    c.svuota();
    disegnaPianta(ws, c, host);
    EXPECT_EQ(c.operazioni.size(), 5u);
    // The points alone make the extent, so "&Estensione" can fit them.
    EXPECT_EQ(ws.vista.estMinX, 20);
    EXPECT_EQ(ws.vista.estMaxX, 60.25f);
    EXPECT_EQ(ws.vista.estMinY, 960);
    EXPECT_EQ(ws.vista.estMaxY, 1008);
}

TEST(PlanDrawing, AxisSectionsEdgesLandTakeAndStations) {
    Workspace ws;
    FakeHost host;
    RecordingCanvas c;
    ws.vista = vistaSemplice();
    ws.impostazioni.MantieniQuoteDraw = false;
    Planimetria& p = ws.Piano;
    p.NumeroPuntiAsse = 3;
    p.AsseTracciato.redim(3);
    p.AsseTracciato[1] = {0, 0, 0};
    p.AsseTracciato[2] = {100, 0, 255};
    p.AsseTracciato[3] = {200, 50, 0};
    p.NumeroIntersezioni = 2;
    p.Intersezioni.redim(2);
    p.Intersezioni[1] = {10, 0, 7, 1};
    p.Intersezioni[2] = {60, 0, 8, 1};
    p.Cigli.redim(2);
    p.Cigli[1] = {10, 5, 0, 10, -5, 0};
    p.Cigli[2] = {60, 5, 0, 60, -5, 0};
    p.Occupazione.redim(2);
    p.Occupazione[1] = {10, 9, -0.5f, 10, -9, 0};
    p.Occupazione[2] = {60, 9, 2, 60, -9, -3};
    disegnaPianta(ws, c, host);

    std::vector<std::tuple<int, int, int, int, int>> linee;  // colour, from, to
    for (const auto& o : c.di(Op::LineTo))
        linee.emplace_back(o.colore, int(o.a), int(o.b), int(o.c), int(o.d));
    const std::vector<std::tuple<int, int, int, int, int>> attese = {
        {15, 0, 1000, 100, 1000},  {15, 100, 1000, 200, 950},  // axis
        {15, 10, 991, 10, 1009},   {15, 60, 991, 60, 1009},    // section lines
        {15, 10, 995, 60, 995},    {15, 10, 1005, 60, 1005},   // road edges, left then right
        {12, 10, 991, 60, 991},    {14, 10, 1009, 60, 1009},   // land take by the z of station 1
    };
    // Station numbers come after, in light cyan.
    ASSERT_GE(linee.size(), attese.size());
    for (std::size_t i = 0; i < attese.size(); ++i) EXPECT_EQ(linee[i], attese[i]) << i;
    for (std::size_t i = attese.size(); i < linee.size(); ++i) EXPECT_EQ(std::get<0>(linee[i]), 11);
    const auto cerchi = c.di(Op::Circle);
    ASSERT_EQ(cerchi.size(), 2u);
    EXPECT_EQ(cerchi[0].colore, 15);
    EXPECT_DOUBLE_EQ(cerchi[0].c, 1.0);
    EXPECT_TRUE(contiene(c.operazioni, testo(ws.vista, 1, 60, 1000, 11, "2")));

    // Counts beyond the lists of a damaged record draw what exists and nothing more.
    p.NumeroIntersezioni = 100000000;
    p.NumeroPuntiAsse = 100000000;
    p.NumeroPunti = 100000000;
    c.svuota();
    disegnaPianta(ws, c, host);
    EXPECT_EQ(c.di(Op::Circle).size(), 2u);
}

TEST(PlanDrawing, SamplePlanDrawsEveryElement) {
    Workspace ws;
    FakeHost host;
    RecordingCanvas c(1600, 1000);
    ws.Piano = prova::pianoDiProva();
    inizializzaVista(ws.vista, c);
    disegnaPianta(ws, c, host);
    EXPECT_EQ(c.di(Op::Pixel).size(), 63u);
    EXPECT_EQ(c.di(Op::Bezier).size(), 10u);
    int puntiCiano = 0, puntiRossi = 0, stazioni = 0;
    for (const auto& o : c.di(Op::Circle)) {
        puntiCiano += o.colore == 11 && o.c == 0.5;
        puntiRossi += o.colore == 12 && o.c == 0.5;
        stazioni += o.colore == 15 && o.c == 1.0;
    }
    EXPECT_EQ(puntiCiano + puntiRossi, 63);
    EXPECT_GT(puntiRossi, 0);
    EXPECT_EQ(stazioni, ws.Piano.NumeroIntersezioni);
    EXPECT_EQ(ws.vista.riavvioEstensione, 0);
    EXPECT_LE(ws.vista.estMinX, 0);
    EXPECT_GE(ws.vista.estMaxX, 400);
}

}  // namespace carvela
