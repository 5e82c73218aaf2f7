#include <gtest/gtest.h>

#include <cmath>

#include "shell/settings.h"
#include "survey/intersections.h"
#include "survey/survey_messages.h"

namespace carvela {
namespace {

struct Punto {
    double x, y;
};

// True azimuth of a -> b in radians, clockwise from north, in 0..2pi.
double azimut(Punto a, Punto b) {
    const double t = std::atan2(b.x - a.x, b.y - a.y);
    return t < 0 ? t + 2 * M_PI : t;
}
// The angle turned clockwise from direction `da` to direction `a`, in the unit of U.
float orario(double da, double a, double U) {
    double d = std::fmod(a - da, 2 * M_PI);
    if (d < 0) d += 2 * M_PI;
    return static_cast<float>(d * U / M_PI);
}

TEST(AzimutDirezione, QuadrantsAxesAndNorthAsFullAngle) {
    const double pi = kPiGreco;
    EXPECT_NEAR(azimutDirezione(0, 0, 1, 1), pi / 4, 1e-7);
    EXPECT_NEAR(azimutDirezione(0, 0, 1, -1), 3 * pi / 4, 1e-7);
    EXPECT_NEAR(azimutDirezione(0, 0, -1, -1), 5 * pi / 4, 1e-7);
    EXPECT_NEAR(azimutDirezione(0, 0, -1, 1), 7 * pi / 4, 1e-6);
    EXPECT_EQ(azimutDirezione(0, 0, 0, 5), static_cast<double>(6.283186f));  // due north
    EXPECT_EQ(azimutDirezione(0, 0, 0, -5), pi);
    EXPECT_EQ(azimutDirezione(0, 0, 5, 0), pi / 2);
    EXPECT_EQ(azimutDirezione(0, 0, -5, 0), 1.5 * pi);
    EXPECT_EQ(azimutDirezione(3, 3, 3, 3), 0.0);
}

TEST(IntersezioneAvanti, ReturnsThePointTheAnglesWereMeasuredFrom) {
    struct Caso {
        Punto a, b, p;
    };
    const Caso casi[] = {
        {{100, 200}, {400, 250}, {230, 480}},
        {{1000, 1000}, {1400, 1000}, {1200, 1300}},     // A and B on one ordinate
        {{0, 0}, {0, 500}, {-300, 250}},                // A to B due north
        {{5000, 5000}, {5300, 5400}, {5010, 5000.2}},   // a sight from A running east
        {{250000, 4500000}, {251000, 4500500}, {250400, 4501100}},
    };
    for (double U : {200.0, 180.0, static_cast<double>(kPiGreco)}) {
        for (const Caso& c : casi) {
            const float alfa = orario(azimut(c.a, c.p), azimut(c.a, c.b), U);
            const float beta = orario(azimut(c.b, c.a), azimut(c.b, c.p), U);
            const auto e = intersezioneAvanti(c.a.x, c.a.y, c.b.x, c.b.y, alfa, beta, static_cast<float>(U));
            ASSERT_TRUE(e.riuscito()) << e.errore;
            // Single precision: a few units of the last place of the coordinates.
            const double tolleranza = 2e-3 + 1e-6 * std::fabs(c.p.y);
            EXPECT_NEAR(e.Xp, c.p.x, tolleranza) << U << " " << c.p.x;
            EXPECT_NEAR(e.Yp, c.p.y, tolleranza) << U << " " << c.p.y;
        }
    }
}

TEST(IntersezioneAvanti, ParallelSightsAndCoincidentPointsAreRefused) {
    // alfa + beta = 200 grads: the sights never meet.
    auto e = intersezioneAvanti(0, 0, 100, 0, 50, 150, 200);
    EXPECT_STREQ(e.errore, kMsgDirezioniParallele);
    e = intersezioneAvanti(0, 0, 100, 0, 0, 0, 200);
    EXPECT_STREQ(e.errore, kMsgDirezioniParallele);
    e = intersezioneAvanti(10, 10, 10, 10, 50, 50, 200);
    EXPECT_STREQ(e.errore, kMsgPuntiCoincidenti);
    e = intersezioneAvanti(0, 0, 100, 0, 50, 50, 0);
    EXPECT_STREQ(e.errore, kMsgUnitaAngolare);
}

TEST(IntersezionePotheno, ReturnsTheStationTheAnglesWereMeasuredAt) {
    struct Caso {
        Punto a, b, c, p;
    };
    const Caso casi[] = {
        {{100, 500}, {500, 650}, {900, 480}, {480, 100}},
        {{-200, 300}, {0, 800}, {400, 350}, {60, 20}},
        {{1000, 2000}, {1500, 2000}, {2000, 2000}, {1400, 1200}},  // known points on a line
    };
    for (double U : {200.0, 180.0}) {
        for (const Caso& c : casi) {
            const float alfa = orario(azimut(c.p, c.a), azimut(c.p, c.b), U);
            const float beta = orario(azimut(c.p, c.b), azimut(c.p, c.c), U);
            const auto e =
                intersezionePotheno(c.a.x, c.a.y, c.b.x, c.b.y, c.c.x, c.c.y, alfa, beta, static_cast<float>(U));
            ASSERT_TRUE(e.riuscito()) << e.errore;
            EXPECT_NEAR(e.Xp, c.p.x, 2e-3);
            EXPECT_NEAR(e.Yp, c.p.y, 2e-3);
        }
    }
}

TEST(IntersezionePotheno, DangerousCircleAndNullAnglesAreRefused) {
    // A, B, C and P on the circle of radius 500 about (1000, 1000).
    auto suCerchio = [](double gradi) {
        const double t = gradi * M_PI / 180;
        return Punto{1000 + 500 * std::sin(t), 1000 + 500 * std::cos(t)};
    };
    const Punto a = suCerchio(300), b = suCerchio(10), c = suCerchio(80), p = suCerchio(190);
    const float alfa = orario(azimut(p, a), azimut(p, b), 180);
    const float beta = orario(azimut(p, b), azimut(p, c), 180);
    auto e = intersezionePotheno(a.x, a.y, b.x, b.y, c.x, c.y, alfa, beta, 180);
    EXPECT_STREQ(e.errore, kMsgCerchioPericoloso);
    // Off the circle by a tenth of its radius the same figure solves.
    const Punto fuori{p.x, p.y - 50};
    e = intersezionePotheno(a.x, a.y, b.x, b.y, c.x, c.y, orario(azimut(fuori, a), azimut(fuori, b), 180),
                            orario(azimut(fuori, b), azimut(fuori, c), 180), 180);
    ASSERT_TRUE(e.riuscito());
    EXPECT_NEAR(e.Yp, fuori.y, 2e-3);

    EXPECT_STREQ(intersezionePotheno(0, 0, 100, 0, 200, 0, 0, 50, 200).errore, kMsgAngoliNulli);
    EXPECT_STREQ(intersezionePotheno(0, 0, 100, 0, 200, 0, 50, 200, 200).errore, kMsgAngoliNulli);
    EXPECT_STREQ(intersezionePotheno(0, 0, 0, 0, 200, 0, 50, 50, 200).errore, kMsgPuntiCoincidenti);
}

// Hansen angles from placed points: at P anticlockwise from Q towards A and B, at Q clockwise
// from P towards A and B.
struct AngoliHansen {
    float alfa, alfa1, beta, beta1;
};
AngoliHansen misuraHansen(Punto a, Punto b, Punto p, Punto q, double U) {
    return {orario(azimut(p, a), azimut(p, q), U), orario(azimut(p, b), azimut(p, q), U),
            orario(azimut(q, p), azimut(q, a), U), orario(azimut(q, p), azimut(q, b), U)};
}

TEST(IntersezioneHansen, ReturnsBothPointsTheAnglesWereMeasuredAt) {
    struct Caso {
        Punto a, b, p, q;
    };
    const Caso casi[] = {
        {{0, 0}, {1000, 0}, {300, -500}, {700, -600}},
        {{2000, 3000}, {2600, 3800}, {2700, 3100}, {2900, 3600}},
        {{0, 0}, {0, 1000}, {500, 300}, {600, 700}},   // A and B on one abscissa
        {{0, 0}, {-1, 1000}, {500, 300}, {600, 700}},  // AB a hair west of north
    };
    for (double U : {200.0, 180.0, static_cast<double>(kPiGreco)}) {
        for (const Caso& c : casi) {
            const AngoliHansen m = misuraHansen(c.a, c.b, c.p, c.q, U);
            const auto e = intersezioneHansen(c.a.x, c.a.y, c.b.x, c.b.y, m.alfa, m.alfa1, m.beta, m.beta1,
                                              static_cast<float>(U));
            ASSERT_TRUE(e.riuscito()) << e.errore;
            EXPECT_NEAR(e.Xp, c.p.x, 3e-3) << U;
            EXPECT_NEAR(e.Yp, c.p.y, 3e-3) << U;
            EXPECT_NEAR(e.Xq, c.q.x, 3e-3) << U;
            EXPECT_NEAR(e.Yq, c.q.y, 3e-3) << U;
        }
    }
}

TEST(IntersezioneHansen, PointOnTheLineABStillSolves) {
    // The cosine of the angle at A is -1 there, where rounding may push it past -1; the
    // solution is at its least precise but stays a point near the true one.
    const AngoliHansen m = misuraHansen({0, 0}, {1000, 0}, {-500, 0}, {-300, -400}, 200);
    const auto e = intersezioneHansen(0, 0, 1000, 0, m.alfa, m.alfa1, m.beta, m.beta1, 200);
    ASSERT_TRUE(e.riuscito()) << e.errore;
    EXPECT_NEAR(e.Xp, -500, 0.2);
    EXPECT_NEAR(e.Yp, 0, 0.2);
    EXPECT_NEAR(e.Xq, -300, 0.2);
    EXPECT_NEAR(e.Yq, -400, 0.2);
}

TEST(IntersezioneHansen, ScalingTheKnownPointsScalesTheResults) {
    const AngoliHansen m = misuraHansen({0, 0}, {1000, 0}, {300, -500}, {700, -600}, 200);
    const auto uno = intersezioneHansen(0, 0, 1000, 0, m.alfa, m.alfa1, m.beta, m.beta1, 200);
    const auto tre = intersezioneHansen(0, 0, 3000, 0, m.alfa, m.alfa1, m.beta, m.beta1, 200);
    ASSERT_TRUE(uno.riuscito() && tre.riuscito());
    EXPECT_NEAR(tre.Xp, 3 * uno.Xp, 3e-3);
    EXPECT_NEAR(tre.Yq, 3 * uno.Yq, 3e-3);
}

TEST(IntersezioneHansen, FiguresWithoutSolutionAreRefused) {
    // P, Q and A in line (alfa + beta a straight angle).
    EXPECT_STREQ(intersezioneHansen(0, 0, 1000, 0, 120, 50, 80, 60, 200).errore, kMsgHansenIndeterminato);
    // A and B seen in the same direction from P at the same distance.
    EXPECT_STREQ(intersezioneHansen(0, 0, 1000, 0, 60, 60, 50, 50, 200).errore, kMsgHansenIndeterminato);
    EXPECT_STREQ(intersezioneHansen(5, 5, 5, 5, 150, 55, 30, 110, 200).errore, kMsgPuntiCoincidenti);
}

}  // namespace
}  // namespace carvela
