#include "survey/intersections.h"

#include <gtest/gtest.h>

#include <cmath>

#include "state/settings.h"
#include "support/cases.h"
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

// Hansen angles from placed points: at P anticlockwise from Q towards A and B, at Q clockwise
// from P towards A and B.
EsitoIntersezione hansen(Punto a, Punto b, Punto p, Punto q, double U, double scala = 1) {
    return intersezioneHansen(a.x * scala, a.y * scala, b.x * scala, b.y * scala, orario(p, a, q, U),
                              orario(p, b, q, U), orario(q, p, a, U), orario(q, p, b, U), static_cast<float>(U));
}

TEST(Intersezioni, ReturnThePointsTheAnglesWereMeasuredAt) {
    for (const test::Caso& c : test::leggiCasi("intersections.txt")) {
        const std::vector<double> n = c.numeri(1);
        std::vector<Punto> v;
        for (std::size_t i = 0; i + 1 < n.size(); i += 2) v.push_back({n[i], n[i + 1]});
        const Punto &a = v[0], &b = v[1], &p = v[v.size() - (c.nome() == "hansen" ? 2 : 1)];
        for (double U : kUnita) {
            SCOPED_TRACE(c.testo + " in " + std::to_string(U));
            EsitoIntersezione e;
            double tolleranza = 2e-3;
            if (c.nome() == "forward") {
                e = intersezioneAvanti(a.x, a.y, b.x, b.y, orario(a, p, b, U), orario(b, a, p, U), float(U));
                tolleranza += 1e-6 * std::fabs(p.y);  // a few units of the last place of the coordinates
            } else if (c.nome() == "pothenot") {
                if (U != 200 && U != 180) continue;
                e = intersezionePotheno(a.x, a.y, b.x, b.y, v[2].x, v[2].y, orario(p, a, b, U), orario(p, b, v[2], U),
                                        static_cast<float>(U));
            } else {
                e = hansen(a, b, p, v[3], U);
                tolleranza = c.numeri(2)[0];
                EXPECT_NEAR(e.Xq, v[3].x, tolleranza);
                EXPECT_NEAR(e.Yq, v[3].y, tolleranza);
            }
            ASSERT_TRUE(e.riuscito()) << e.errore;
            EXPECT_NEAR(e.Xp, p.x, tolleranza);
            EXPECT_NEAR(e.Yp, p.y, tolleranza);
        }
    }
    // Scaling the known points scales the results.
    const auto uno = hansen({0, 0}, {1000, 0}, {300, -500}, {700, -600}, 200),
               tre = hansen({0, 0}, {1000, 0}, {300, -500}, {700, -600}, 200, 3);
    EXPECT_NEAR(tre.Xp, 3 * uno.Xp, 3e-3);
    EXPECT_NEAR(tre.Yq, 3 * uno.Yq, 3e-3);
}

TEST(Intersezioni, FiguresWithoutSolutionAreRefused) {
    for (const test::Caso& c : test::leggiCasi("intersections_refused.txt")) {
        const std::vector<double> n = c.numeri(1);
        const float U = static_cast<float>(n.back());
        const EsitoIntersezione e = c.nome() == "forward" ? intersezioneAvanti(n[0], n[1], n[2], n[3], n[4], n[5], U)
                                    : c.nome() == "pothenot"
                                        ? intersezionePotheno(n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7], U)
                                        : intersezioneHansen(n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7], U);
        EXPECT_STREQ(e.errore, c.campi[2].c_str()) << c.testo;
    }
}

TEST(IntersezionePotheno, DangerousCircleIsRefused) {
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
}

}  // namespace
}  // namespace carvela
