#include "survey/intersections.h"

#include <gtest/gtest.h>

#include <cmath>

#include "state/settings.h"
#include "survey/survey_messages.h"

namespace carvela {
namespace {

struct Punto {
    double x, y;
};

// The angle turned clockwise from the direction a -> da to the direction a -> verso, in the
// unit of the straight angle U (true azimuths, clockwise from north).
float orario(Punto a, Punto da, Punto verso, double U) {
    double d = std::fmod(std::atan2(verso.x - a.x, verso.y - a.y) - std::atan2(da.x - a.x, da.y - a.y), 2 * M_PI);
    return static_cast<float>((d < 0 ? d + 2 * M_PI : d) * U / M_PI);
}

const double kUnita[] = {200.0, 180.0, static_cast<double>(kPiGreco)};

TEST(AzimutDirezione, QuadrantsAxesAndNorthAsFullAngle) {
    const double pi = kPiGreco;
    const std::pair<Punto, double> diagonali[] = {
        {{1, 1}, pi / 4}, {{1, -1}, 3 * pi / 4}, {{-1, -1}, 5 * pi / 4}, {{-1, 1}, 7 * pi / 4}};
    for (const auto& [verso, atteso] : diagonali) EXPECT_NEAR(azimutDirezione(0, 0, verso.x, verso.y), atteso, 1e-7);
    // The axes exactly; due north is the full angle as the program holds it, a null direction 0.
    const std::pair<Punto, double> assi[] = {
        {{0, 5}, static_cast<double>(6.283186f)}, {{0, -5}, pi}, {{5, 0}, pi / 2}, {{-5, 0}, 1.5 * pi}, {{0, 0}, 0}};
    for (const auto& [verso, atteso] : assi) EXPECT_EQ(azimutDirezione(0, 0, verso.x, verso.y), atteso);
}

TEST(IntersezioneAvanti, ReturnsThePointTheAnglesWereMeasuredFrom) {
    const Punto casi[][3] = {
        {{100, 200}, {400, 250}, {230, 480}},
        {{1000, 1000}, {1400, 1000}, {1200, 1300}},    // A and B on one ordinate
        {{0, 0}, {0, 500}, {-300, 250}},               // A to B due north
        {{5000, 5000}, {5300, 5400}, {5010, 5000.2}},  // a sight from A running east
        {{250000, 4500000}, {251000, 4500500}, {250400, 4501100}},
    };
    for (double U : kUnita)
        for (const auto& [a, b, p] : casi) {
            const auto e = intersezioneAvanti(a.x, a.y, b.x, b.y, orario(a, p, b, U), orario(b, a, p, U), float(U));
            ASSERT_TRUE(e.riuscito()) << e.errore;
            // Single precision: a few units of the last place of the coordinates.
            const double tolleranza = 2e-3 + 1e-6 * std::fabs(p.y);
            EXPECT_NEAR(e.Xp, p.x, tolleranza) << U;
            EXPECT_NEAR(e.Yp, p.y, tolleranza) << U;
        }
    // Sights that never meet (alfa + beta a straight angle, or both nil), coincident points.
    EXPECT_STREQ(intersezioneAvanti(0, 0, 100, 0, 50, 150, 200).errore, kMsgDirezioniParallele);
    EXPECT_STREQ(intersezioneAvanti(0, 0, 100, 0, 0, 0, 200).errore, kMsgDirezioniParallele);
    EXPECT_STREQ(intersezioneAvanti(10, 10, 10, 10, 50, 50, 200).errore, kMsgPuntiCoincidenti);
    EXPECT_STREQ(intersezioneAvanti(0, 0, 100, 0, 50, 50, 0).errore, kMsgUnitaAngolare);
}

TEST(IntersezionePotheno, ReturnsTheStationTheAnglesWereMeasuredAt) {
    const Punto casi[][4] = {
        {{100, 500}, {500, 650}, {900, 480}, {480, 100}},
        {{-200, 300}, {0, 800}, {400, 350}, {60, 20}},
        {{1000, 2000}, {1500, 2000}, {2000, 2000}, {1400, 1200}},  // known points on a line
    };
    for (double U : {200.0, 180.0})
        for (const auto& [a, b, c, p] : casi) {
            const auto e = intersezionePotheno(a.x, a.y, b.x, b.y, c.x, c.y, orario(p, a, b, U), orario(p, b, c, U),
                                               static_cast<float>(U));
            ASSERT_TRUE(e.riuscito()) << e.errore;
            EXPECT_NEAR(e.Xp, p.x, 2e-3);
            EXPECT_NEAR(e.Yp, p.y, 2e-3);
        }
}

TEST(IntersezionePotheno, DangerousCircleAndNullAnglesAreRefused) {
    // A, B, C and P on the circle of radius 500 about (1000, 1000); off it by a tenth of its
    // radius the same figure solves.
    auto suCerchio = [](double gradi) {
        return Punto{1000 + 500 * std::sin(gradi * M_PI / 180), 1000 + 500 * std::cos(gradi * M_PI / 180)};
    };
    const Punto a = suCerchio(300), b = suCerchio(10), c = suCerchio(80), p = suCerchio(190), fuori{p.x, p.y - 50};
    auto risolvi = [&](Punto s) {
        return intersezionePotheno(a.x, a.y, b.x, b.y, c.x, c.y, orario(s, a, b, 180), orario(s, b, c, 180), 180);
    };
    EXPECT_STREQ(risolvi(p).errore, kMsgCerchioPericoloso);
    ASSERT_TRUE(risolvi(fuori).riuscito());
    EXPECT_NEAR(risolvi(fuori).Yp, fuori.y, 2e-3);

    EXPECT_STREQ(intersezionePotheno(0, 0, 100, 0, 200, 0, 0, 50, 200).errore, kMsgAngoliNulli);
    EXPECT_STREQ(intersezionePotheno(0, 0, 100, 0, 200, 0, 50, 200, 200).errore, kMsgAngoliNulli);
    EXPECT_STREQ(intersezionePotheno(0, 0, 0, 0, 200, 0, 50, 50, 200).errore, kMsgPuntiCoincidenti);
}

// Hansen angles from placed points: at P anticlockwise from Q towards A and B, at Q clockwise
// from P towards A and B.
EsitoIntersezione hansen(Punto a, Punto b, Punto p, Punto q, double U, double scala = 1) {
    return intersezioneHansen(a.x * scala, a.y * scala, b.x * scala, b.y * scala, orario(p, a, q, U),
                              orario(p, b, q, U), orario(q, p, a, U), orario(q, p, b, U), static_cast<float>(U));
}

TEST(IntersezioneHansen, ReturnsBothPointsTheAnglesWereMeasuredAt) {
    const struct {
        Punto a, b, p, q;
        double tolleranza;
    } casi[] = {
        {{0, 0}, {1000, 0}, {300, -500}, {700, -600}, 3e-3},
        {{2000, 3000}, {2600, 3800}, {2700, 3100}, {2900, 3600}, 3e-3},
        {{0, 0}, {0, 1000}, {500, 300}, {600, 700}, 3e-3},   // A and B on one abscissa
        {{0, 0}, {-1, 1000}, {500, 300}, {600, 700}, 3e-3},  // AB a hair west of north
        // P on the line AB: the cosine of the angle at A is -1, where rounding may push it past
        // -1; the solution is at its least precise but stays near the true one.
        {{0, 0}, {1000, 0}, {-500, 0}, {-300, -400}, 0.2},
    };
    for (double U : kUnita)
        for (const auto& c : casi) {
            const auto e = hansen(c.a, c.b, c.p, c.q, U);
            ASSERT_TRUE(e.riuscito()) << e.errore;
            EXPECT_NEAR(e.Xp, c.p.x, c.tolleranza) << U;
            EXPECT_NEAR(e.Yp, c.p.y, c.tolleranza) << U;
            EXPECT_NEAR(e.Xq, c.q.x, c.tolleranza) << U;
            EXPECT_NEAR(e.Yq, c.q.y, c.tolleranza) << U;
        }
    // Scaling the known points scales the results.
    const auto uno = hansen({0, 0}, {1000, 0}, {300, -500}, {700, -600}, 200),
               tre = hansen({0, 0}, {1000, 0}, {300, -500}, {700, -600}, 200, 3);
    EXPECT_NEAR(tre.Xp, 3 * uno.Xp, 3e-3);
    EXPECT_NEAR(tre.Yq, 3 * uno.Yq, 3e-3);
}

TEST(IntersezioneHansen, FiguresWithoutSolutionAreRefused) {
    // P, Q and A in line (alfa + beta a straight angle); A and B seen in the same direction
    // from P at the same distance.
    EXPECT_STREQ(intersezioneHansen(0, 0, 1000, 0, 120, 50, 80, 60, 200).errore, kMsgHansenIndeterminato);
    EXPECT_STREQ(intersezioneHansen(0, 0, 1000, 0, 60, 60, 50, 50, 200).errore, kMsgHansenIndeterminato);
    EXPECT_STREQ(intersezioneHansen(5, 5, 5, 5, 150, 55, 30, 110, 200).errore, kMsgPuntiCoincidenti);
}

}  // namespace
}  // namespace carvela
