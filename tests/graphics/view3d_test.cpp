// The 3D view: terrain centre, projection, sliders and the drawing of the contour lines.
#include "graphics/view3d.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "graphics/recording_canvas.h"
#include "graphics/view.h"
#include "project/records.h"

namespace carvela {
namespace {

// A contour line through the given (x, y) points at elevation z.
VbArray<ContourSegment> curva(const std::vector<std::pair<float, float>>& punti, float z) {
    VbArray<ContourSegment> pezzi(static_cast<int32_t>(punti.size()) - 1);
    for (std::size_t i = 1; i < punti.size(); ++i)
        pezzi[static_cast<int32_t>(i)] = {punti[i - 1].first, punti[i - 1].second, z,
                                          punti[i].first,     punti[i].second,     z};
    return pezzi;
}

void aggiungi(Planimetria& p, VbArray<ContourSegment> c) {
    ++p.NumeroCurveLivello;
    p.CurveLivello.redimPreserve(p.NumeroCurveLivello);
    p.CurveLivello[p.NumeroCurveLivello] = std::move(c);
}

// Concentric square contours of a hill 400 m wide centred on (1000, 2000), 10 m apart in
// elevation from 100 at the foot to 140 at the top.
Planimetria collina() {
    Planimetria p;
    for (int k = 0; k < 5; ++k) {
        const float r = 200.0f - 40.0f * k, cx = 1000, cy = 2000;
        aggiungi(p, curva({{cx - r, cy - r}, {cx + r, cy - r}, {cx + r, cy + r}, {cx - r, cy + r}, {cx - r, cy - r}},
                          100.0f + 10 * k));
    }
    return p;
}

TEST(Vista3D, CentreIsTheMiddleOfTheStartPointsAndElevations) {
    Planimetria p;
    StatoVista3D s;
    centroTerreno(p, s);
    EXPECT_EQ(s.centroX, 0);
    EXPECT_EQ(s.centroZ, 0);

    aggiungi(p, curva({{10, 20}, {30, 60}, {5000, 9000}}, 100));  // the last end point is not a start point
    aggiungi(p, curva({{-10, 40}, {20, 0}}, 140));
    centroTerreno(p, s);
    EXPECT_FLOAT_EQ(s.centroX, 10);   // (-10 + 30) / 2
    EXPECT_FLOAT_EQ(s.centroY, 40);   // (20 + 60) / 2
    EXPECT_FLOAT_EQ(s.centroZ, 120);  // (100 + 140) / 2
}

TEST(Vista3D, ProjectionSeenFromAbove) {
    StatoVista3D s;
    s.centroX = 1000, s.centroY = 2000, s.centroZ = 100;
    for (float d : {-2000.0f, -750.0f, -200.0f}) {
        s.distanza = d;
        // Straight above the centre: the middle of the view, whatever the distance.
        PuntoProiettato p = proiettaPunto(s, 1000, 2000, 180);
        EXPECT_DOUBLE_EQ(p.x, 0);
        EXPECT_DOUBLE_EQ(p.y, 0);
    }
    // A quarter turn clockwise: north goes right, east goes down (negative y').
    s.distanza = -2000;
    PuntoProiettato nord = proiettaPunto(s, 1000, 2100, 100);
    PuntoProiettato est = proiettaPunto(s, 1100, 2000, 100);
    EXPECT_DOUBLE_EQ(nord.x, 100);
    EXPECT_DOUBLE_EQ(nord.y, 0);
    EXPECT_DOUBLE_EQ(est.x, 0);
    EXPECT_DOUBLE_EQ(est.y, -100);
    // Off the centre's level the perspective scales by d / (d - z): x' = y d / e, y' = -x d / e.
    PuntoProiettato basso = proiettaPunto(s, 1050, 2100, 0);  // z - Cz = -100, e = -1900
    EXPECT_NEAR(basso.x, 100 * 2000.0 / 1900.0, 1e-9);
    EXPECT_NEAR(basso.y, -50 * 2000.0 / 1900.0, 1e-9);
    // Turning in azimuth at the centre's elevation keeps the distance from the centre.
    for (float a : {0.3f, 1.7f, 4.2f}) {
        s.azimut = a;
        PuntoProiettato q = proiettaPunto(s, 1030, 2040, 100);
        EXPECT_NEAR(std::hypot(q.x, q.y), 50, 1e-4);
    }
}

TEST(Vista3D, PointLevelWithTheViewpointIsDrawnAtTheOrigin) {
    Planimetria p;
    aggiungi(p, curva({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, 0));
    aggiungi(p, curva({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, -400));
    StatoVista3D s;
    centroTerreno(p, s);  // centre at elevation -200
    s.distanza = -200;    // the line at elevation -400 has e = 0 everywhere
    EXPECT_DOUBLE_EQ(proiettaPunto(s, 10, 10, -400).x, 0);
    Vista v;
    v.scala = 2, v.offsetX = 300, v.offsetY = 250;
    RecordingCanvas c;
    disegnaVista3D(v, c, p, 1, s);
    auto curve = c.di(OperazioneCanvas::Bezier);
    ASSERT_EQ(curve.size(), 2u);
    for (const auto& q : curve[1].punti) EXPECT_EQ(q, (PuntoCanvas{300, 250}));
}

TEST(Vista3D, ContourLinesAreDrawnLikeThePlan) {
    // Seen from above at the centre's elevation the projection is the quarter turn alone.
    Planimetria p;
    aggiungi(p, curva({{0, 0}, {10, 0}, {20, 5}, {30, 5}, {40, 0}, {50, 0}}, 0));  // 5 pieces
    StatoVista3D s;
    s.distanza = -2000;
    Vista v;
    v.scala = 1, v.offsetX = 100, v.offsetY = 100;
    RecordingCanvas c;
    c.setForeColor(13);
    disegnaVista3D(v, c, p, 1, s);
    ASSERT_FALSE(c.operazioni.empty());
    EXPECT_EQ(c.operazioni.front().tipo, OperazioneCanvas::Clear);
    // World (x, y) -> view (y, -x) -> canvas (y + 100, x + 100).
    auto curve = c.di(OperazioneCanvas::Bezier);
    ASSERT_EQ(curve.size(), 1u);
    EXPECT_EQ(curve[0].colore, 13);  // the current pen colour
    EXPECT_EQ(curve[0].punti, (std::vector<PuntoCanvas>{{100, 100}, {100, 110}, {105, 120}, {105, 130}}));
    // r = 1: from the start of piece 4 straight to the ends of pieces 4 and 5.
    auto mosse = c.di(OperazioneCanvas::MoveTo);
    ASSERT_EQ(mosse.size(), 1u);
    EXPECT_EQ(mosse[0].a, 105);
    EXPECT_EQ(mosse[0].b, 130);
    auto linee = c.di(OperazioneCanvas::LineTo);
    ASSERT_EQ(linee.size(), 2u);
    EXPECT_EQ(linee[0].c, 100);
    EXPECT_EQ(linee[0].d, 140);
    EXPECT_EQ(linee[1].d, 150);

    // Every second piece: starts of pieces 1, 3, 5 -> k = 3, r = 2.
    c.svuota();
    disegnaVista3D(v, c, p, 2, s);
    curve = c.di(OperazioneCanvas::Bezier);
    ASSERT_EQ(curve.size(), 1u);
    EXPECT_EQ(curve[0].punti, (std::vector<PuntoCanvas>{{100, 100}}));
}

TEST(Vista3D, CloserViewpointEnlargesTheTerrainAndStrengthensThePerspective) {
    Planimetria p = collina();
    ModelloVista3D m(p);
    m.imposta(0, 6);  // tilted by 0.6 rad
    auto misura = [&](int distanza) {
        m.imposta(2, distanza);
        double larghezzaPiede = 0, larghezzaCima = 0;
        for (int i : {1, 5}) {
            double minX = 1e9, maxX = -1e9;
            for (int32_t j = 1; j <= p.CurveLivello[i].upperBound(); ++j) {
                const ContourSegment& q = p.CurveLivello[i][j];
                PuntoProiettato a = proiettaPunto(m.stato(), q.x1, q.y1, q.z1);
                minX = std::min(minX, a.x), maxX = std::max(maxX, a.x);
            }
            (i == 1 ? larghezzaPiede : larghezzaCima) = maxX - minX;
        }
        return std::pair{larghezzaPiede, larghezzaCima / larghezzaPiede};
    };
    auto [lontano, rapportoLontano] = misura(-2000);
    auto [vicino, rapportoVicino] = misura(-200);
    EXPECT_GT(vicino, lontano * 1.2);
    // The top contour is 10 times smaller on the ground; the perspective moves it away from that.
    EXPECT_NEAR(rapportoLontano, 0.2, 0.02);
    EXPECT_GT(std::fabs(rapportoVicino - 0.2), std::fabs(rapportoLontano - 0.2) * 3);
}

TEST(Vista3D, SlidersDriveTheViewWithinTheirRanges) {
    Planimetria p = collina();
    ModelloVista3D m(p);
    EXPECT_EQ(m.valore(0), 0);
    EXPECT_EQ(m.valore(1), 0);
    EXPECT_EQ(m.valore(2), -2000);
    EXPECT_EQ(m.etichetta(2), "-2000");
    EXPECT_FLOAT_EQ(m.stato().distanza, -2000);
    EXPECT_FLOAT_EQ(m.stato().centroX, 1000);
    EXPECT_FLOAT_EQ(m.stato().centroZ, 120);

    m.imposta(0, 15);
    m.imposta(1, 63);
    m.imposta(2, -350);
    EXPECT_EQ(m.stato().elevazione, 1.5f);
    EXPECT_EQ(m.stato().azimut, 6.3f);
    EXPECT_EQ(m.stato().distanza, -350);
    EXPECT_EQ(m.etichetta(0), "15");
    EXPECT_EQ(m.etichetta(2), "-350");

    m.imposta(1, 64);
    m.imposta(2, 0);
    m.imposta(0, -1);
    EXPECT_EQ(m.valore(1), 63);
    EXPECT_EQ(m.valore(2), -200);
    EXPECT_EQ(m.valore(0), 0);
    EXPECT_EQ(m.stato().distanza, -200);
}

}  // namespace
}  // namespace carvela
