// The 3D view: terrain centre, projection, sliders and the drawing of the contour lines.
#include "graphics/view3d.h"

#include <gtest/gtest.h>

#include <cmath>

#include "graphics/recording_canvas.h"
#include "project/records.h"
#include "state/view.h"

namespace carvela {
namespace {

// Adds a contour line through the given (x, y) points at elevation z.
void aggiungi(Planimetria& p, const std::vector<std::pair<float, float>>& punti, float z) {
    p.CurveLivello.redimPreserve(++p.NumeroCurveLivello);
    auto& pezzi = p.CurveLivello[p.NumeroCurveLivello];
    pezzi.redim(int32_t(punti.size()) - 1);
    for (std::size_t i = 1; i < punti.size(); ++i)
        pezzi[int32_t(i)] = {punti[i - 1].first, punti[i - 1].second, z, punti[i].first, punti[i].second, z};
}

void quadrato(Planimetria& p, float cx, float cy, float r, float z) {
    aggiungi(p, {{cx - r, cy - r}, {cx + r, cy - r}, {cx + r, cy + r}, {cx - r, cy + r}, {cx - r, cy - r}}, z);
}

TEST(Vista3D, CentreIsTheMiddleOfTheStartPointsAndElevations) {
    Planimetria p;
    StatoVista3D s;
    centroTerreno(p, s);
    EXPECT_EQ(std::pair(s.centroX, s.centroZ), std::pair(0.0f, 0.0f));
    aggiungi(p, {{10, 20}, {30, 60}, {5000, 9000}}, 100);  // the last end point is not a start point
    aggiungi(p, {{-10, 40}, {20, 0}}, 140);
    centroTerreno(p, s);
    EXPECT_EQ(std::vector<float>({s.centroX, s.centroY, s.centroZ}), std::vector<float>({10, 40, 120}));
}

TEST(Vista3D, ProjectionSeenFromAbove) {
    StatoVista3D s;
    s.centroX = 1000, s.centroY = 2000, s.centroZ = 100;
    for (float d : {-2000.0f, -750.0f, -200.0f}) {
        s.distanza = d;  // straight above the centre: the middle of the view, whatever the distance
        const PuntoProiettato p = proiettaPunto(s, 1000, 2000, 180);
        EXPECT_EQ(std::pair(p.x, p.y), std::pair(0.0, 0.0));
    }
    // A quarter turn clockwise: north goes right, east goes down (negative y').
    s.distanza = -2000;
    const PuntoProiettato nord = proiettaPunto(s, 1000, 2100, 100), est = proiettaPunto(s, 1100, 2000, 100);
    EXPECT_EQ(std::vector<double>({nord.x, nord.y, est.x, est.y}), std::vector<double>({100, 0, 0, -100}));
    // Off the centre's level the perspective scales by d / (d - z): x' = y d / e, y' = -x d / e.
    const PuntoProiettato basso = proiettaPunto(s, 1050, 2100, 0);  // z - Cz = -100, e = -1900
    EXPECT_NEAR(basso.x, 100 * 2000.0 / 1900.0, 1e-9);
    EXPECT_NEAR(basso.y, -50 * 2000.0 / 1900.0, 1e-9);
    // Turning in azimuth at the centre's elevation keeps the distance from the centre.
    for (float a : {0.3f, 1.7f, 4.2f}) {
        s.azimut = a;
        const PuntoProiettato q = proiettaPunto(s, 1030, 2040, 100);
        EXPECT_NEAR(std::hypot(q.x, q.y), 50, 1e-4);
    }
    // Tilted a quarter turn the terrain is seen from the side: heights show as heights, and a
    // point east, away from the viewer, is smaller by d / (d - x).
    s.azimut = 0, s.elevazione = 1.5707963f;
    const PuntoProiettato lato = proiettaPunto(s, 1000, 2100, 150), lontano = proiettaPunto(s, 1100, 2000, 150);
    EXPECT_NEAR(lato.x, 100, 1e-4);
    EXPECT_NEAR(lato.y, 50, 1e-4);
    EXPECT_NEAR(lontano.x, 0, 1e-4);
    EXPECT_NEAR(lontano.y, 50 * 2000.0 / 2100.0, 1e-4);
}

TEST(Vista3D, ContourLinesAreDrawnLikeThePlanAndLevelPointsAtTheOrigin) {
    // Seen from above at the centre's elevation the projection is the quarter turn alone:
    // world (x, y) -> view (y, -x) -> canvas (y + 100, x + 100).
    Planimetria p;
    aggiungi(p, {{0, 0}, {10, 0}, {20, 5}, {30, 5}, {40, 0}, {50, 0}}, 0);  // 5 pieces
    StatoVista3D s;
    Vista v;
    v.scala = 1, v.offsetX = 100, v.offsetY = 100;
    RecordingCanvas c;
    c.setForeColor(13);
    disegnaVista3D(v, c, p, 1, s);
    ASSERT_FALSE(c.operazioni.empty());
    EXPECT_EQ(c.operazioni.front().tipo, OperazioneCanvas::Clear);
    auto curve = c.di(OperazioneCanvas::Bezier);
    ASSERT_EQ(curve.size(), 1u);
    EXPECT_EQ(curve[0].colore, 13);  // the current pen colour
    EXPECT_EQ(curve[0].punti, (std::vector<PuntoCanvas>{{100, 100}, {100, 110}, {105, 120}, {105, 130}}));
    // The straight rest runs through the projected ends of pieces 4 and 5.
    const auto linee = c.di(OperazioneCanvas::LineTo);
    ASSERT_EQ(linee.size(), 2u);
    EXPECT_EQ(std::vector<double>({linee[0].c, linee[0].d, linee[1].c, linee[1].d}),
              std::vector<double>({100, 140, 100, 150}));
    // Every second piece: starts of pieces 1, 3, 5 -> k = 3, r = 2.
    c.svuota();
    disegnaVista3D(v, c, p, 2, s);
    curve = c.di(OperazioneCanvas::Bezier);
    ASSERT_EQ(curve.size(), 1u);
    EXPECT_EQ(curve[0].punti, (std::vector<PuntoCanvas>{{100, 100}}));

    // A line level with the viewpoint (e = 0 everywhere) is drawn at the origin, not at infinity.
    Planimetria q;
    quadrato(q, 5, 5, 5, 0);
    quadrato(q, 5, 5, 5, -400);
    centroTerreno(q, s);  // centre at elevation -200
    s.distanza = -200;
    v.scala = 2, v.offsetX = 300, v.offsetY = 250;
    c.svuota();
    disegnaVista3D(v, c, q, 1, s);
    curve = c.di(OperazioneCanvas::Bezier);
    ASSERT_EQ(curve.size(), 2u);
    for (const auto& k : curve[1].punti) EXPECT_EQ(k, (PuntoCanvas{300, 250}));
}

TEST(Vista3D, OpensFittedOnTerrainFarFromTheOriginWithAxisAndEdges) {
    Planimetria p;
    quadrato(p, 6000, -4000, 300, 100);
    quadrato(p, 6000, -4000, 100, 120);
    // Two stations 100 m apart, edges 4 m either side; the second section's design at 115.
    p.NumeroIntersezioni = 2;
    p.Intersezioni.assignRaw({{}, {5950, -4000, 110}, {6050, -4000, 112}});
    p.Cigli.assignRaw({{}, {5950, -3996, 110, 5950, -4004, 110}, {6050, -3996, 112, 6050, -4004, 112}});
    p.SezioniApplicate.redim(2);
    p.SezioniApplicate[2].QuotaProgetto = 115;
    StatoVista3D s;
    centroTerreno(p, s);
    s.elevazione = 0.8f, s.azimut = 0.5f;
    Vista v;  // the view of a plan elsewhere
    RecordingCanvas c(800, 600);
    ASSERT_TRUE(adattaVista3D(v, 800, 600, p, s));
    disegnaVista3D(v, c, p, 1, s);
    // Everything inside the canvas, and filling it on one axis at least.
    ASSERT_EQ(v.riavvioEstensione, 0);
    EXPECT_TRUE(v.estMinX >= 0 && v.estMaxX <= 800 && v.estMinY >= 0 && v.estMaxY <= 600);
    EXPECT_TRUE(v.estMaxX - v.estMinX > 700 || v.estMaxY - v.estMinY > 530);
    // The axis in white, the two edges in yellow, from the first station to the second.
    int asse = 0, cigli = 0;
    for (const auto& o : c.di(OperazioneCanvas::LineTo)) asse += o.colore == 15, cigli += o.colore == 14;
    EXPECT_EQ(std::pair(asse, cigli), std::pair(1, 2));
    // The design elevation lifts the axis end: seen tilted, it stands higher than at the ground's.
    const PuntoProiettato progetto = proiettaPunto(s, 6050, -4000, 115), terreno = proiettaPunto(s, 6050, -4000, 112);
    const auto fine = c.di(OperazioneCanvas::LineTo).back();
    EXPECT_EQ(std::pair(fine.c, fine.d),
              std::pair(double(pixel(v.canvasX(progetto.x))), double(pixel(v.canvasY(progetto.y)))));
    EXPECT_NE(pixel(v.canvasY(progetto.y)), pixel(v.canvasY(terreno.y)));
    // Nothing to show: the view is left as it was.
    Vista vuota;
    EXPECT_FALSE(adattaVista3D(vuota, 800, 600, Planimetria{}, s));
    EXPECT_EQ(vuota.scala, 1.0f);
}

TEST(Vista3D, SlidersDriveTheViewWithinTheirRanges) {
    Planimetria p;
    quadrato(p, 1000, 2000, 200, 100);
    quadrato(p, 1000, 2000, 40, 140);
    ModelloVista3D m(p);
    // Opening: the terrain's centre, the viewpoint farthest away.
    EXPECT_EQ(std::vector<float>({m.stato().distanza, m.stato().centroX, m.stato().centroZ}),
              std::vector<float>({-2000, 1000, 120}));
    // Tenths of a radian for the angles, metres for the distance.
    m.imposta(0, 15);
    m.imposta(1, 63);
    m.imposta(2, -350);
    EXPECT_EQ(std::vector<float>({m.stato().elevazione, m.stato().azimut, m.stato().distanza}),
              std::vector<float>({1.5f, 6.3f, -350}));
    EXPECT_EQ(m.etichetta(2), "-350");
    // Values past a range stop at its end.
    m.imposta(1, 64);
    m.imposta(2, 0);
    m.imposta(0, -1);
    EXPECT_EQ(std::vector<int>({m.valore(0), m.valore(1), m.valore(2)}), std::vector<int>({0, 63, -200}));
    EXPECT_EQ(m.stato().distanza, -200);
}

}  // namespace
}  // namespace carvela
