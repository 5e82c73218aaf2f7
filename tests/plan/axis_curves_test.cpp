// Preparation of the axis and its curves and stakes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plan/axis.h"
#include "shell/workspace.h"

namespace carvela {
namespace {

Workspace conVertici(const std::vector<std::pair<double, double>>& vertici) {
    Workspace ws;
    ws.Piano.VerticiAsse.redim(static_cast<int32_t>(vertici.size()));
    for (std::size_t i = 0; i < vertici.size(); ++i)
        ws.Piano.VerticiAsse[static_cast<int32_t>(i) + 1] = {float(vertici[i].first), float(vertici[i].second), 0};
    ws.Piano.NumeroPuntiAsse = static_cast<int32_t>(vertici.size());
    return ws;
}

void calcola(Workspace& ws) {
    preparaAsse(ws);
    calcolaCurvePicchetti(ws);
}

bool tuttoFinito(const Workspace& ws) {
    for (int32_t i = 1; i <= ws.Piano.NumeroPuntiAsse; ++i) {
        const AxisPoint& p = ws.Piano.AsseTracciato[i];
        const CentroCurva& c = ws.CentriCurve[i];
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(c.x) || !std::isfinite(c.y)) return false;
    }
    for (int32_t i = 1; i <= ws.Profilo.NumeroCurve; ++i)
        if (!std::isfinite(ws.Profilo.CurvaRaggio[i])) return false;
    return true;
}

TEST(CurvePicchetti, LeftHandCurveWorkedExample) {
    Workspace ws = conVertici({{0, 100}, {10, 0}, {30, -100}});
    calcola(ws);
    const Profilo& pr = ws.Profilo;
    ASSERT_EQ(pr.NumeroCurve, 1);
    EXPECT_EQ(pr.CurvaVerso[1], "s");
    EXPECT_EQ(pr.CurvaPicchetti[1], 8);
    EXPECT_FLOAT_EQ(pr.CurvaRaggio[1], 20);  // Rmax = 100.5 x tan(|delta| / 2) ~ 4.9 is below the minimum
    ASSERT_EQ(ws.Piano.NumeroPuntiAsse, 10);

    const CentroCurva c = ws.CentriCurve[2];
    EXPECT_NEAR(c.x, 29.80, 0.01);
    EXPECT_NEAR(c.y, 2.96, 0.01);
    EXPECT_EQ(c.lato, 1);
    const AxisPoint primo = ws.Piano.AsseTracciato[2];
    EXPECT_NEAR(primo.x, 9.90, 0.01);
    EXPECT_NEAR(primo.y, 0.97, 0.01);

    // Every stake lies on the circle; the first is the tangent point on the first leg (on
    // the line 10 x + y = 100 through the first two vertices).
    for (int32_t i = 2; i <= 9; ++i)
        EXPECT_NEAR(std::hypot(ws.Piano.AsseTracciato[i].x - c.x, ws.Piano.AsseTracciato[i].y - c.y), 20, 1e-4);
    EXPECT_NEAR(10 * primo.x + primo.y, 100, 1e-3);
    // Continuing the stake spacing one more step reaches the tangent point on the second leg
    // (the line 5 x + y = 50 through (10, 0) and (30, -100)).
    const double t0 = std::atan2(primo.x - c.x, primo.y - c.y);
    const double t1 = std::atan2(ws.Piano.AsseTracciato[3].x - c.x, ws.Piano.AsseTracciato[3].y - c.y);
    const double fine = t0 + 8 * (t1 - t0);
    EXPECT_NEAR(5 * (c.x + 20 * std::sin(fine)) + (c.y + 20 * std::cos(fine)), 50, 1e-3);
}

TEST(CurvePicchetti, RightHandCurveWorkedExampleMarksAndCentres) {
    Workspace ws = conVertici({{0, 100}, {10, 0}, {-30, -100}});
    calcola(ws);
    EXPECT_EQ(ws.Profilo.CurvaVerso[1], "d");
    EXPECT_FLOAT_EQ(ws.Profilo.CurvaRaggio[1], 20);
    EXPECT_NEAR(ws.CentriCurve[2].x, -10.39, 0.01);
    EXPECT_NEAR(ws.CentriCurve[2].y, 2.88, 0.01);
    EXPECT_EQ(ws.CentriCurve[2].lato, 0);
    EXPECT_NEAR(ws.Piano.AsseTracciato[2].x, 9.51, 0.01);
    EXPECT_NEAR(ws.Piano.AsseTracciato[2].y, 4.87, 0.01);

    // First vertex, 8 stakes (255 but the last), last vertex; the polygon stays as entered.
    const Planimetria& p = ws.Piano;
    ASSERT_EQ(p.NumeroPuntiAsse, 10);
    EXPECT_EQ(p.AsseTracciato[1], (AxisPoint{0, 100, 0}));
    for (int32_t i = 2; i <= 8; ++i) EXPECT_EQ(p.AsseTracciato[i].marca, kMarcaPicchetto) << i;
    EXPECT_EQ(p.AsseTracciato[9].marca, 0);
    EXPECT_EQ(p.AsseTracciato[10], (AxisPoint{-30, -100, 0}));
    EXPECT_EQ(p.VerticiAsse.upperBound(), 3);
    // The last vertex's centre entry copies the one before it.
    EXPECT_EQ(ws.CentriCurve[10], ws.CentriCurve[9]);
    // Stakes advance in the direction of travel: clockwise about the centre on a right turn.
    const auto angolo = [&](int32_t i) {
        return std::atan2(p.AsseTracciato[i].x - ws.CentriCurve[i].x, p.AsseTracciato[i].y - ws.CentriCurve[i].y);
    };
    EXPECT_GT(angolo(3), angolo(2));
}

TEST(CurvePicchetti, RadiusLimitUsesTheProductRuleAndTheMinimum) {
    // Right-hand example: Rmax ~ 24.6 >= 20, so a radius of 5 stays and one of 50 drops to Rmax.
    Workspace ws = conVertici({{0, 100}, {10, 0}, {-30, -100}});
    // A method set keeps the curve table through the preparation.
    ws.Piano.ProfiloApplicato.MetodoLivellette = ws.Profilo.MetodoLivellette = 5;
    ws.Profilo.NumeroCurve = 1;
    ws.Profilo.CurvaRaggio.redim(1);
    ws.Profilo.CurvaRaggio[1] = 5;
    ws.Profilo.CurvaPicchetti.redim(1);
    ws.Profilo.CurvaPicchetti[1] = 1;  // below 2: replaced by the setting
    ws.impostazioni.PicchettiCurva = 4;
    calcola(ws);
    EXPECT_FLOAT_EQ(ws.Profilo.CurvaRaggio[1], 5);
    EXPECT_EQ(ws.Profilo.CurvaPicchetti[1], 4);
    EXPECT_EQ(ws.Piano.NumeroPuntiAsse, 6);

    ws.Piano.VerticiAsse = conVertici({{0, 100}, {10, 0}, {-30, -100}}).Piano.VerticiAsse;
    ws.Profilo.CurvaRaggio[1] = 50;
    calcola(ws);
    const double rmax = std::hypot(10.0, 100.0) * std::tan((std::atan(0.4) + std::atan(0.1)) / 2);
    EXPECT_NEAR(ws.Profilo.CurvaRaggio[1], rmax, 1e-3);

    // Left-hand example: Rmax ~ 4.9 < 20, so 5 is raised to the minimum.
    Workspace sinistra = conVertici({{0, 100}, {10, 0}, {30, -100}});
    sinistra.Piano.ProfiloApplicato.MetodoLivellette = sinistra.Profilo.MetodoLivellette = 5;
    sinistra.Profilo.CurvaRaggio.redim(1);
    sinistra.Profilo.CurvaRaggio[1] = 5;
    calcola(sinistra);
    EXPECT_FLOAT_EQ(sinistra.Profilo.CurvaRaggio[1], 20);
}

TEST(PreparaAsse, NudgesEqualCoordinatesResetsOrKeepsTheProfileAndSizesTheCurveTable) {
    Workspace ws = conVertici({{0, 0}, {0, 50}, {40, 50}, {40, 90}});
    ws.Profilo.NumeroSezioni = 7;
    ws.Profilo.CurvaRaggio.redim(1);
    ws.Profilo.CurvaRaggio[1] = 35;
    preparaAsse(ws);
    // Method 0 in the plan's copy: the profile starts afresh (the old radius is gone).
    EXPECT_EQ(ws.Profilo.NumeroSezioni, 0);
    EXPECT_EQ(ws.Profilo.NumeroCurve, 2);
    EXPECT_FLOAT_EQ(ws.Profilo.CurvaRaggio[1], 20);
    EXPECT_FLOAT_EQ(ws.Profilo.CurvaRaggio[2], 20);
    EXPECT_EQ(ws.Piano.ProfiloApplicato.NumeroSezioni, 0);  // copied once the profile is reset
    // x of vertex 2 equals x of vertex 1, y of 3 equals y of 2, x of 4 equals x of 3.
    EXPECT_FLOAT_EQ(ws.Piano.VerticiAsse[2].x, 0.0005f);
    EXPECT_FLOAT_EQ(ws.Piano.VerticiAsse[3].y, 50.0005f);
    EXPECT_FLOAT_EQ(ws.Piano.VerticiAsse[4].x, 40.0005f);
    EXPECT_EQ(ws.Piano.AsseTracciato, ws.Piano.VerticiAsse);
    EXPECT_EQ(ws.Piano.NumeroPuntiAsse, 4);

    // With a method set, the profile and its curve table survive; the table keeps its values.
    Workspace tiene = conVertici({{0, 0}, {10, 50}, {40, 60}, {45, 90}, {80, 100}});
    tiene.Piano.ProfiloApplicato.MetodoLivellette = 3;
    tiene.Profilo.MetodoLivellette = 3;
    tiene.Profilo.NumeroSezioni = 7;
    tiene.Profilo.CurvaRaggio.redim(2);
    tiene.Profilo.CurvaRaggio[1] = 35;
    preparaAsse(tiene);
    EXPECT_EQ(tiene.Profilo.NumeroSezioni, 7);
    EXPECT_EQ(tiene.Profilo.NumeroCurve, 3);
    EXPECT_FLOAT_EQ(tiene.Profilo.CurvaRaggio[1], 35);
    EXPECT_FLOAT_EQ(tiene.Profilo.CurvaRaggio[3], 20);
    EXPECT_EQ(tiene.Profilo.CurvaVerso.upperBound(), 3);
}

TEST(CurvePicchetti, StraightAxisAndDegenerateVertexLayoutsStayFinite) {
    Workspace dritto = conVertici({{0, 0}, {100, 30}});
    calcola(dritto);
    EXPECT_EQ(dritto.Piano.NumeroPuntiAsse, 2);
    EXPECT_EQ(dritto.Piano.AsseTracciato, dritto.Piano.VerticiAsse);
    EXPECT_EQ(dritto.Profilo.NumeroCurve, 0);

    const std::vector<std::vector<std::pair<double, double>>> casi{
        {{0, 0}, {50, 50}, {100, 100}},               // aligned
        {{0, 0}, {10, 10}, {10, 10}, {20, 0}},        // a vertex repeated
        {{5, 5}, {5, 5}, {5, 5}},                     // all coincident
        {{0, 0}, {30, 100}, {0, 0}},                  // turning back on itself
        {{0, 0}, {0, 100}, {0, 40}, {60, 40}},        // back along a north-south line
    };
    for (const auto& c : casi) {
        Workspace ws = conVertici(c);
        calcola(ws);
        EXPECT_TRUE(tuttoFinito(ws)) << c.size();
        EXPECT_EQ(ws.Piano.NumeroPuntiAsse, 2 + 8 * (static_cast<int32_t>(c.size()) - 2));
    }
    // Aligned vertices: every stake falls on the middle vertex.
    Workspace allineati = conVertici({{0, 0}, {50, 50}, {100, 100}});
    calcola(allineati);
    for (int32_t i = 2; i <= 9; ++i) {
        EXPECT_NEAR(allineati.Piano.AsseTracciato[i].x, 50, 1e-3);
        EXPECT_NEAR(allineati.Piano.AsseTracciato[i].y, 50, 1e-3);
    }
}

TEST(CurvePicchetti, BackPointOfTheNextCurveIsTheLastStake) {
    // Two curves close together: the second curve's available tangent is measured from the
    // last stake of the first, not from its vertex, so its radius may be held below the
    // value the vertex distance would allow.
    Workspace ws = conVertici({{0, 0}, {0, 100}, {100, 100}, {100, 200}});
    ws.Piano.ProfiloApplicato.MetodoLivellette = ws.Profilo.MetodoLivellette = 5;
    ws.Profilo.CurvaRaggio.redim(2);
    ws.Profilo.CurvaRaggio[1] = 80;
    ws.Profilo.CurvaRaggio[2] = 80;
    calcola(ws);
    // First curve: 90 degrees, Tavail = 100 -> Rmax = 100, R = 80 stays; its last stake, at
    // 7/8 of the arc, lies about 35.6 m from the second curve's vertex, which limits the
    // second radius to 35.6 x tan(45 deg).
    EXPECT_FLOAT_EQ(ws.Profilo.CurvaRaggio[1], 80);
    const AxisPoint ultimo = ws.Piano.AsseTracciato[9];
    const double indietro = std::hypot(100.0 - ultimo.x, 100.0 - ultimo.y);
    EXPECT_LT(indietro, 100);
    EXPECT_NEAR(ws.Profilo.CurvaRaggio[2], std::min(80.0, indietro * std::tan(3.1415929794311523 / 4)), 1e-3);
    EXPECT_EQ(ws.Profilo.CurvaVerso[1], "d");
    EXPECT_EQ(ws.Profilo.CurvaVerso[2], "s");
}

}  // namespace
}  // namespace carvela
