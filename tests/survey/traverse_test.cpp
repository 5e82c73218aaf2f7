#include "survey/traverse.h"

#include <gtest/gtest.h>

#include "state/settings.h"
#include "support/fake_host.h"
#include "survey/survey_messages.h"
#include "survey_test_util.h"

namespace carvela {
namespace {

using test::lista;
using test::vicini;
using V = std::vector<std::string>;

// Two legs read with the stadia, in grads: NE on the level, then east with a rising sight.
OpenTraverse dueTratti(int16_t stazioni = 3) {
    OpenTraverse p;
    p.NumeroStazioni = stazioni;
    p.CostanteDistanziometrica = 100;
    p.LetturaAzimutale = lista({50, 100, 0}), p.LetturaZenitale = lista({100, 90, 0}), p.Riservato = lista({0, 0, 0});
    p.AltezzaStrumentale = lista({1.5f, 1.6f, 0}), p.LetturaSuperiore = lista({1.0f, 0.9f, 0});
    p.LetturaMedia = lista({1.5f, 1.2f, 0}), p.LetturaInferiore = lista({2.0f, 1.5f, 0});
    p.Ascissa = lista({1000}), p.Ordinata = lista({2000}), p.Quota = lista({100});
    preparaPoligonaleAperta(p);
    return p;
}

TEST(PoligonaleAperta, StadiaDistancesAndAccumulatedCoordinates) {
    FakeHost host;
    OpenTraverse p = dueTratti();
    ASSERT_TRUE(calcolaPoligonaleAperta(p, 200, host));
    EXPECT_TRUE(host.messaggi.empty());
    // Leg 1: 100 * (2.0 - 1.0) on the level; leg 2: 100 * 0.6 * sin^2(81 deg), rising by
    // 58.5317 * tan(9 deg) + 1.6 - 1.2.
    EXPECT_TRUE(vicini(p.DistanzaOrizzontale, {100, 58.531695}, 1e-4));
    EXPECT_NEAR(p.LunghezzaTotale, 158.531695, 1e-4);
    EXPECT_TRUE(vicini(p.AscissaParziale, {70.710678}, 1e-4, 2));
    EXPECT_TRUE(vicini(p.Dislivello, {0, 9.670510}, 1e-4, 2));
    EXPECT_TRUE(vicini(p.Ascissa, {1000, 1070.710678, 1129.242374}, 2e-4));
    EXPECT_TRUE(vicini(p.Ordinata, {2000, 2070.710678, 2070.710678}, 2e-4));
    EXPECT_TRUE(vicini(p.Quota, {100, 100, 109.670510}, 1e-4));

    // One leg, and the reference station alone.
    OpenTraverse uno = dueTratti(2), nessuno = dueTratti(1);
    ASSERT_TRUE(calcolaPoligonaleAperta(uno, 200, host) && calcolaPoligonaleAperta(nessuno, 200, host));
    EXPECT_NEAR(uno.LunghezzaTotale, 100, 1e-4);
    EXPECT_TRUE(vicini(uno.Ascissa, {1000, 1070.710678}, 2e-4));
    EXPECT_EQ(nessuno.LunghezzaTotale, 0.0f);
    EXPECT_TRUE(vicini(nessuno.Quota, {100}, 0));
}

TEST(PoligonaleAperta, ZeroZenithReadingOrStraightAngleIsRefusedAndChangesNothing) {
    FakeHost host;
    OpenTraverse p = dueTratti();
    p.LetturaZenitale[2] = 0;  // a sight straight up: no horizontal distance, no height
    const OpenTraverse prima = p;
    EXPECT_FALSE(calcolaPoligonaleAperta(p, 200, host));
    EXPECT_FALSE(calcolaPoligonaleAperta(p, 0, host));
    EXPECT_EQ(host.testiMessaggi(), (V{kMsgPoligonaleNonCalcolabile, kMsgUnitaAngolare}));
    EXPECT_EQ(p, prima);
}

// The square 100 m a side walked anticlockwise from (500, 1000), first leg north, every
// interior angle a right angle read as forward minus backward; the north leg 4 cm long.
ClosedTraverse quadrato(float U, float primoAzimut = 0, float distanzaNord = 100.04f) {
    const float retto = U / 2;
    return test::poligonaleChiusa({{0, retto, distanzaNord, retto, 1.7f, 1.5f},
                                   {0, retto, 100, retto, 1.5f, 1.5f},
                                   {0, retto, 100, retto, 1.5f, 1.5f},
                                   {0, retto, 100, retto, 1.5f, 1.5f}},
                                  500, 1000, 100, primoAzimut, 0.01f, 0.05f);
}

TEST(PoligonaleChiusa, SquareWorkedByHandInEachAngleUnit) {
    for (float U : {200.0f, 180.0f, kPiGreco}) {
        SCOPED_TRACE(U);
        FakeHost host;
        ClosedTraverse p = quadrato(U);
        ASSERT_TRUE(calcolaPoligonaleChiusa(p, U, host));
        EXPECT_TRUE(host.messaggi.empty());
        EXPECT_NEAR(p.SommaAngoli, 2 * U, 2e-6 * U);
        EXPECT_NEAR(p.ErroreAngolare, 0, 2e-6 * U);
        EXPECT_NEAR(p.Perimetro, 400.04, 1e-4);
        EXPECT_TRUE(vicini(p.Azimut, {1.5 * U, U, 0.5 * U}, 1e-5 * U, 2));  // west, south, east
        EXPECT_NEAR(p.ErroreOrdinata, 0.04, 1e-4);
        EXPECT_NEAR(p.ErroreLineare, 0.04, 1e-4);
        // The 4 cm spread over 400.04 m in proportion to each leg; back to the start.
        EXPECT_TRUE(vicini(p.Ascissa, {500, 500, 400, 400, 500}, 2e-4));
        EXPECT_TRUE(vicini(p.Ordinata, {1000, 1100.029997, 1100.019998, 1000.009999, 1000}, 2e-4));
        // Elevations: level sights, instrument minus prism height.
        EXPECT_TRUE(vicini(p.Quota, {100, 100.2, 100.2, 100.2}, 1e-3));
    }
}

TEST(PoligonaleChiusa, AngularCorrectionRoundedAndLeftOffTheFirstVertex) {
    FakeHost host;
    ClosedTraverse p = quadrato(200);
    p.LetturaAvanti[3] = 100.003f;  // 0.003 grads too many
    ASSERT_TRUE(calcolaPoligonaleChiusa(p, 200, host));
    EXPECT_NEAR(p.ErroreAngolare, 0.003, 1e-5);
    EXPECT_FLOAT_EQ(p.Correzione, -0.0007f);  // -0.003 / 4 = -0.00075, rounded to four decimals upwards
    EXPECT_EQ(p.AngoloCompensato[1], p.AngoloMisurato[1]);
    EXPECT_TRUE(vicini(p.AngoloCompensato, {99.9993, 100.0023}, 1e-4, 2));
    EXPECT_NEAR(p.Azimut[3], 200.003, 1e-4);  // the azimuths follow the measured angles
    // A negative reading difference is taken within the full angle.
    ClosedTraverse q = quadrato(200);
    q.LetturaIndietro[2] = 350;
    q.LetturaAvanti[2] = 50;
    ASSERT_TRUE(calcolaPoligonaleChiusa(q, 200, host));
    EXPECT_NEAR(q.AngoloMisurato[2], 100, 1e-4);
}

TEST(PoligonaleChiusa, TolerancesAreStrictAndOnlyWarn) {
    FakeHost host;
    ClosedTraverse p = quadrato(200), misurata;
    p.LetturaAvanti[3] = 100.003f;
    ASSERT_TRUE(calcolaPoligonaleChiusa(misurata = p, 200, host));
    // Errors exactly at the tolerances: silent.
    p.TolleranzaAngolare = std::fabs(misurata.ErroreAngolare);
    p.TolleranzaLineare = misurata.ErroreLineare;
    ClosedTraverse alLimite = p, oltre = p;
    host.pulisci();
    ASSERT_TRUE(calcolaPoligonaleChiusa(alLimite, 200, host));
    EXPECT_TRUE(host.messaggi.empty());
    // Just below: both messages, angular first, and the traverse is still adjusted.
    oltre.TolleranzaAngolare = std::nextafter(p.TolleranzaAngolare, 0.0f);
    oltre.TolleranzaLineare = std::nextafter(p.TolleranzaLineare, 0.0f);
    ASSERT_TRUE(calcolaPoligonaleChiusa(oltre, 200, host));
    EXPECT_EQ(host.testiMessaggi(), (V{kMsgChiusuraAngolare, kMsgTolleranzaLineare}));
    EXPECT_EQ(oltre.Ascissa, alLimite.Ascissa);
    EXPECT_EQ(oltre.Ordinata, alLimite.Ordinata);

    // Tolerances are never converted: in radians 0.003 rad of error is over a 0.001 tolerance.
    ClosedTraverse r = quadrato(kPiGreco);
    r.LetturaAvanti[3] += 0.003f;
    r.TolleranzaAngolare = 0.001f;
    r.TolleranzaLineare = 10;
    host.pulisci();
    ASSERT_TRUE(calcolaPoligonaleChiusa(r, kPiGreco, host));
    EXPECT_EQ(host.testiMessaggi(), V{kMsgChiusuraAngolare});
}

TEST(PoligonaleChiusa, FirstLegAlongTheAbscissaKeepsItsOrdinate) {
    // The same square started east: east, north (4 cm long), west and south.
    FakeHost host;
    ClosedTraverse p = quadrato(200, 100, 100), q = quadrato(200, 100.0001f, 100);
    p.Distanza[2] = q.Distanza[2] = 100.04f;
    ASSERT_TRUE(calcolaPoligonaleChiusa(p, 200, host) && calcolaPoligonaleChiusa(q, 200, host));
    // Exactly U / 2: the first leg's ordinate is not corrected, the others share fy over
    // P - D(1) = 300.04.
    EXPECT_TRUE(vicini(p.Ordinata, {1000, 1000, 1100.026663, 1100.013331}, 2e-4));
    EXPECT_TRUE(vicini(p.Ascissa, {500, 600, 600, 500}, 2e-4));
    // A ten-thousandth away takes the ordinary spread over the whole perimeter.
    EXPECT_NEAR(q.Ordinata[2], 1000.0 - 100 * 0.04 / 400.04, 5e-4);
    EXPECT_NEAR(q.Ordinata[4], 1100.04 - 3 * 100 * 0.04 / 400.04, 5e-4);
}

TEST(PoligonaleChiusa, SmallTotalsAndClosuresSnapToZero) {
    FakeHost host;
    // From the origin, the north leg 2 mm long: the last ordinate comes to 0.0005.
    ClosedTraverse p = quadrato(200, 0, 100.002f);
    p.Ascissa[1] = p.Ordinata[1] = 0;
    ASSERT_TRUE(calcolaPoligonaleChiusa(p, 200, host));
    EXPECT_EQ(p.Ascissa[2], 0.0f);
    EXPECT_EQ(p.Ordinata[4], 0.0f);
    EXPECT_TRUE(vicini(p.Ordinata, {100.001}, 2e-4, 3));
    EXPECT_TRUE(vicini(p.Ascissa, {-100}, 2e-4, 3));
    // North 50 m, back south in two legs of 25: the sines of the single-precision straight
    // angle leave 8e-6 in abscissa, which counts as no closure error at all.
    ClosedTraverse q = test::poligonaleChiusa(
        {{0, 0, 50, 100, 1.5f, 1.5f}, {0, 0, 25, 100, 1.5f, 1.5f}, {0, 200, 25, 100, 1.5f, 1.5f}}, 0, 0, 0, 0, 1, 1);
    ASSERT_TRUE(calcolaPoligonaleChiusa(q, 200, host));
    EXPECT_NE(q.AscissaParziale[3], 0.0f);
    EXPECT_EQ(std::vector({q.ErroreAscissa, q.ErroreOrdinata, q.ErroreLineare}), std::vector(3, 0.0f));
}

TEST(PoligonaleChiusa, ShortOrUnusableTraversesChangeNothingAndShortArraysAreGrown) {
    FakeHost host;
    for (int n : {0, 1, 2}) {
        ClosedTraverse p = quadrato(200);
        p.NumeroStazioni = static_cast<int16_t>(n);
        const ClosedTraverse prima = p;
        EXPECT_FALSE(calcolaPoligonaleChiusa(p, 200, host));
        EXPECT_EQ(p, prima);
    }
    EXPECT_EQ(host.testiMessaggi(), V(3, kMsgPoligonaleChiusaCorta));

    host.pulisci();
    ClosedTraverse p = quadrato(200);
    p.AngoloZenitale[2] = 0;
    p.TolleranzaAngolare = 0;  // a tolerance message must not come before the refusal
    const ClosedTraverse prima = p;
    EXPECT_FALSE(calcolaPoligonaleChiusa(p, 200, host));
    EXPECT_EQ(host.testiMessaggi(), V{kMsgPoligonaleNonCalcolabile});
    EXPECT_EQ(p, prima);

    // Arrays shorter than the count, as a file written elsewhere might hold them.
    ClosedTraverse corta = quadrato(200);
    corta.Ascissa.redimPreserve(1);
    corta.AngoloMisurato.erase();
    ASSERT_TRUE(calcolaPoligonaleChiusa(corta, 200, host));
    EXPECT_EQ(corta.Ascissa.upperBound(), 5);
    EXPECT_NEAR(corta.Ascissa[3], 400, 2e-4);
}

}  // namespace
}  // namespace carvela
