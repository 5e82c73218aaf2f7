#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/fake_host.h"
#include "survey/survey_messages.h"
#include "survey/triangulation.h"
#include "survey_test_util.h"

namespace carvela {
namespace {

using test::lista;

struct Angoli {
    float a1, a2, a3;
};

TriangulationChain catena(const std::vector<Angoli>& triangoli, float x0, float y0, float azimut0, float base) {
    TriangulationChain c;
    c.NumeroTriangoli = static_cast<int16_t>(triangoli.size());
    const int n = c.NumeroTriangoli;
    for (auto* a : {&c.Angolo1, &c.Angolo2, &c.Angolo3}) a->redim(n);
    for (int t = 1; t <= n; ++t) {
        c.Angolo1[t] = triangoli[t - 1].a1;
        c.Angolo2[t] = triangoli[t - 1].a2;
        c.Angolo3[t] = triangoli[t - 1].a3;
    }
    c.X = lista({});
    c.Y = lista({});
    c.Azimut = lista({});
    c.Distanza = lista({});
    c.X[0] = x0;
    c.Y[0] = y0;
    c.Azimut[0] = azimut0;
    c.Distanza[0] = base;
    preparaTriangolazione(c);
    return c;
}

TEST(Triangolazione, ThreeEquilateralTrianglesWorkedByHand) {
    // Degrees; base 100 m due east from the origin. The path turns left at vertex 1, right
    // at vertex 2, left at vertex 3: the chain climbs north in a zig-zag.
    FakeHost host;
    TriangulationChain c = catena({{60, 60, 60}, {60, 60, 60}, {60, 60, 60}}, 0, 0, 90, 100);
    ASSERT_TRUE(calcolaTriangolazione(c, 180, host));
    EXPECT_TRUE(host.messaggi.empty());
    const double h = 100 * std::sqrt(3.0) / 2;
    const double x[] = {0, 100, 50, 150, 100};
    const double y[] = {0, 0, h, h, 2 * h};
    for (int v = 0; v <= 4; ++v) {
        EXPECT_NEAR(c.X[v], x[v], 1e-3) << v;
        EXPECT_NEAR(c.Y[v], y[v], 1e-3) << v;
    }
    const double azimut[] = {90, 330, 90, 330};
    for (int v = 0; v <= 3; ++v) {
        EXPECT_NEAR(c.Azimut[v], azimut[v], 1e-4) << v;
        EXPECT_NEAR(c.Distanza[v], 100, 1e-3) << v;
    }
    EXPECT_EQ(c.Distanza[4], 0.0f);  // the last vertex has no side of its own
}

// Azimuth clockwise from north, in the unit of the straight angle U, within 0..2U.
double azimut(double x1, double y1, double x2, double y2, double U) {
    double a = std::atan2(x2 - x1, y2 - y1);
    if (a < 0) a += 2 * M_PI;
    return a * U / M_PI;
}

// The angle at vertex b of the triangle a-b-c, in the unit of U.
double angolo(const double* a, const double* b, const double* c, double U) {
    const double ux = a[0] - b[0], uy = a[1] - b[1], vx = c[0] - b[0], vy = c[1] - b[1];
    return std::acos((ux * vx + uy * vy) / (std::hypot(ux, uy) * std::hypot(vx, vy))) * U / M_PI;
}

TEST(Triangolazione, IrregularChainReturnsTheVerticesItWasMeasuredFrom) {
    // Six vertices placed first, alternating on the two edges of a strip running north-east;
    // the angles measured back from them.
    const double P[6][2] = {{1000, 2000}, {1100, 2020}, {1040, 2095}, {1160, 2110}, {1090, 2190}, {1205, 2230}};
    for (double U : {200.0, 180.0}) {
        SCOPED_TRACE(U);
        std::vector<Angoli> triangoli;
        for (int t = 1; t <= 4; ++t)
            triangoli.push_back({static_cast<float>(angolo(P[t - 1], P[t], P[t + 1], U)),
                                 static_cast<float>(angolo(P[t], P[t - 1], P[t + 1], U)),
                                 static_cast<float>(angolo(P[t - 1], P[t + 1], P[t], U))});
        TriangulationChain c =
            catena(triangoli, 1000, 2000, static_cast<float>(azimut(1000, 2000, 1100, 2020, U)),
                   static_cast<float>(std::hypot(100, 20)));
        FakeHost host;
        ASSERT_TRUE(calcolaTriangolazione(c, static_cast<float>(U), host));
        for (int v = 0; v <= 5; ++v) {
            EXPECT_NEAR(c.X[v], P[v][0], 2e-3) << v;
            EXPECT_NEAR(c.Y[v], P[v][1], 2e-3) << v;
        }
        for (int v = 0; v <= 4; ++v) {
            EXPECT_GE(c.Azimut[v], 0) << v;
            EXPECT_LE(c.Azimut[v], 2 * U) << v;
        }
    }
}

TEST(Triangolazione, CompensationKeepsTheErrorsAsMeasured) {
    FakeHost host;
    TriangulationChain c = catena({{60.003f, 60, 60}, {59.999f, 60.002f, 60.002f}}, 0, 0, 90, 100);
    ASSERT_TRUE(calcolaTriangolazione(c, 180, host));
    EXPECT_NEAR(c.Errore[1], 0.003, 1e-5);
    EXPECT_NEAR(c.Errore[2], 0.003, 1e-5);
    for (int t = 1; t <= 2; ++t)
        EXPECT_NEAR(static_cast<double>(c.Angolo1[t]) + c.Angolo2[t] + c.Angolo3[t], 180, 2e-5) << t;
    EXPECT_NEAR(c.Angolo1[1], 60.002, 1e-5);
    EXPECT_NEAR(c.Angolo2[2], 60.001, 1e-5);
}

TEST(Triangolazione, ToleranceMessagesPerTriangleAndOnTheMean) {
    const float limite = kTolleranzaTriangolo;
    auto messaggi = [](std::vector<Angoli> triangoli, float U) {
        FakeHost host;
        TriangulationChain c = catena(triangoli, 0, 0, 0, 100);
        EXPECT_TRUE(calcolaTriangolazione(c, U, host));  // tolerances only warn
        return host.testiMessaggi().size();
    };
    // Errors of 0.01 in each of three triangles: three messages, then one for the mean.
    EXPECT_EQ(messaggi({{60.01f, 60, 60}, {60.01f, 60, 60}, {60.01f, 60, 60}}, 180), 4u);
    // 0.005 each: within the single tolerance, over the mean one.
    EXPECT_EQ(messaggi({{60.005f, 60, 60}, {60.005f, 60, 60}}, 180), 1u);
    EXPECT_EQ(messaggi({{60.001f, 60, 60}, {60.001f, 60, 60}}, 180), 0u);
    // An error exactly at the single tolerance gives no message of its own (the mean still does);
    // one step above it does. A first angle equal to the error makes it exact.
    EXPECT_EQ(messaggi({{limite, 90, 90}}, 180), 1u);
    EXPECT_EQ(messaggi({{std::nextafter(limite, 1.0f), 90, 90}}, 180), 2u);
    // The constants hold in any unit: 0.005 rad is within the single tolerance too.
    EXPECT_EQ(messaggi({{1.0f + 0.005f, 1.0f, 1.1415929794311523f}}, 3.1415929794311523f), 1u);

    FakeHost host;
    TriangulationChain c = catena({{60.01f, 60, 60}}, 0, 0, 0, 100);
    ASSERT_TRUE(calcolaTriangolazione(c, 180, host));
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>(2, kMsgTolleranzaTriangolo));
}

TEST(Triangolazione, OneTriangle) {
    FakeHost host;
    TriangulationChain c = catena({{60, 60, 60}}, 10, 20, 0, 50);
    ASSERT_TRUE(calcolaTriangolazione(c, 180, host));
    EXPECT_EQ(c.X.upperBound(), 2);
    EXPECT_EQ(c.Azimut.upperBound(), 3);
    EXPECT_NEAR(c.X[1], 10, 1e-4);
    EXPECT_NEAR(c.Y[1], 70, 1e-4);
    EXPECT_NEAR(c.X[2], 10 - 25 * std::sqrt(3.0), 1e-3);  // left of the northward base
    EXPECT_NEAR(c.Y[2], 45, 1e-3);
}

TEST(Triangolazione, NoTriangleOrAFlatOneChangesNothing) {
    FakeHost host;
    TriangulationChain vuota = catena({}, 0, 0, 0, 100);
    const TriangulationChain primaVuota = vuota;
    EXPECT_FALSE(calcolaTriangolazione(vuota, 200, host));
    EXPECT_EQ(vuota, primaVuota);
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{kMsgTriangolazioneVuota});

    host.pulisci();
    TriangulationChain piatta = catena({{100, 100, 0}, {60, 70, 70}}, 0, 0, 0, 100);
    const TriangulationChain primaPiatta = piatta;
    EXPECT_FALSE(calcolaTriangolazione(piatta, 200, host));
    EXPECT_EQ(piatta, primaPiatta);
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{kMsgTriangolazioneNonCalcolabile});
}

}  // namespace
}  // namespace carvela
