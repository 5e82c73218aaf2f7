#include "profile/profile_solve.h"

#include <gtest/gtest.h>

#include <cmath>

#include "profile/grade_lines.h"
#include "profile/profile_builder.h"

namespace carvela {
namespace {

using prova::profiloDa;

TEST(GradeLineRebuild, LaysOutSharedSectionsAndDerivesRangeAndAreas) {
    // Three grade lines of 3, 2 and 3 points over 6 sections.
    Profilo pr = profiloDa({{0, 10}, {10, 12}, {20, 11}, {30, 8}, {45, 9}, {50, 10}}, {3, 2, 3});
    EXPECT_FLOAT_EQ(pr.ProgressiveLiv(1, 2), 20);  // shared with the end of grade line 1
    EXPECT_FLOAT_EQ(pr.ProgressiveLiv(1, 3), 30);
    EXPECT_FLOAT_EQ(pr.TerrenoLiv(3, 3), 10);
    // Flattened back, each section once, the last at position NumeroSezioni.
    ASSERT_EQ(pr.Progressive.upperBound(), 6);
    const float attese[] = {0, 10, 20, 30, 45, 50};
    for (int32_t i = 1; i <= 6; ++i) EXPECT_FLOAT_EQ(pr.Progressive[i], attese[i - 1]);
    EXPECT_FLOAT_EQ(pr.QuoteTerreno[6], 10);
    EXPECT_FLOAT_EQ(pr.QuotaMassima, 12);
    EXPECT_FLOAT_EQ(pr.QuotaMinima, 8);
    EXPECT_FLOAT_EQ(pr.QuotaRiferimento, -12);
    EXPECT_FLOAT_EQ(pr.AreaTerreno[1], 10 * 11 + 10 * 11.5f);
    EXPECT_FLOAT_EQ(pr.AreaTerreno[2], 10 * 9.5f);
    EXPECT_FLOAT_EQ(pr.AreaTerreno[3], 15 * 8.5f + 5 * 9.5f);

    // All ground below zero: the highest elevation starts from 0.
    Profilo sotto = profiloDa({{0, -5}, {10, -3}}, {2});
    EXPECT_FLOAT_EQ(sotto.QuotaMassima, 0);
    EXPECT_FLOAT_EQ(sotto.QuotaRiferimento, -25);
}

TEST(ProfileSolve, FlatGroundMethodExamples) {
    // One grade line over flat ground at 100, L = 40, A = 4000.
    const auto sezioni = prova::piano(5, 10, 100);

    Profilo m1 = profiloDa(sezioni, {5}, 1);
    m1.ProgettoLiv(1, 1) = 101;
    risolviProfilo(m1);
    EXPECT_NEAR(m1.ProgettoLiv(5, 1), 99, 1e-5);
    EXPECT_NEAR(m1.Pendenze[1], -2.0 / 40, 1e-7);
    EXPECT_NEAR(m1.QuoteProgetto[2], 100.5, 1e-5);
    EXPECT_NEAR(m1.QuoteRosse[2], 0.5, 1e-5);
    EXPECT_NEAR(m1.QuoteRosse[5], -1, 1e-5);

    Profilo m4 = profiloDa(sezioni, {5}, 4);
    m4.Pendenze.redim(1);
    risolviProfilo(m4);
    EXPECT_FLOAT_EQ(m4.ProgettoLiv(1, 1), 100);
    EXPECT_FLOAT_EQ(m4.ProgettoLiv(5, 1), 100);

    Profilo m3 = profiloDa(sezioni, {5}, 3);
    m3.DistanzaPassaggio.assignRaw({0, 10});  // L / 4
    m3.QuotaPassaggio.assignRaw({0, 101});
    risolviProfilo(m3);
    EXPECT_NEAR(m3.Pendenze[1], -4.0 / 40, 1e-7);
    EXPECT_NEAR(m3.ProgettoLiv(1, 1), 102, 1e-5);
    EXPECT_NEAR(m3.QuoteProgetto[2], 101, 1e-5);  // the line passes through the point

    Profilo m2 = profiloDa(sezioni, {5}, 2);
    m2.ProgettoLiv(1, 1) = 103;
    m2.ProgettoLiv(5, 1) = 99;
    risolviProfilo(m2);
    EXPECT_NEAR(m2.Pendenze[1], -0.1, 1e-7);
    EXPECT_NEAR(m2.QuoteProgetto[3], 101, 1e-5);

    // Solving again with the same method gives the same result.
    Profilo ancora = m1;
    risolviProfilo(ancora);
    EXPECT_EQ(ancora, m1);
}

TEST(ProfileSolve, MethodFiveIsContinuousMethodOneIsNot) {
    const std::vector<prova::SezioneProfilo> sezioni{{0, 100}, {10, 104}, {20, 101}, {30, 96}, {40, 99}};
    Profilo m5 = profiloDa(sezioni, {3, 3}, 5);
    m5.ProgettoLiv(1, 1) = 100;
    risolviProfilo(m5);
    EXPECT_FLOAT_EQ(m5.ProgettoLiv(3, 1), m5.ProgettoLiv(1, 2));
    // Each grade line balances its own ground area: L (z1 + zn) / 2 = A.
    for (int32_t g = 1; g <= 2; ++g)
        EXPECT_NEAR(20 * (m5.ProgettoLiv(1, g) + m5.ProgettoLiv(3, g)) / 2, m5.AreaTerreno[g], 1e-3);

    Profilo m1 = profiloDa(sezioni, {3, 3}, 1);
    m1.ProgettoLiv(1, 1) = 100;
    m1.ProgettoLiv(1, 2) = 100;
    risolviProfilo(m1);
    EXPECT_NE(m1.ProgettoLiv(3, 1), m1.ProgettoLiv(1, 2));
    // At the shared section the per-section lists carry the next grade line's start.
    EXPECT_FLOAT_EQ(m1.QuoteProgetto[3], m1.ProgettoLiv(1, 2));
}

TEST(ProfileSolve, MethodFourTakesTheTypedSlopeOfEveryGradeLine) {
    Profilo pr = profiloDa(prova::piano(5, 10, 50), {3, 3}, 4);
    // End elevations left by an earlier solve disagree with the slopes now given.
    pr.ProgettoLiv(1, 1) = 10;
    pr.ProgettoLiv(3, 1) = 90;
    pr.Pendenze.assignRaw({0, 0.02f, -0.03f});
    risolviProfilo(pr);
    EXPECT_NEAR(pr.ProgettoLiv(1, 1), 50 - 0.2, 1e-5);
    EXPECT_NEAR(pr.ProgettoLiv(3, 1), 50 + 0.2, 1e-5);
    EXPECT_NEAR(pr.ProgettoLiv(3, 2), 50 - 0.3, 1e-5);
    // The ends now agree with the slopes, so a second solve changes nothing.
    Profilo ancora = pr;
    risolviProfilo(ancora);
    EXPECT_EQ(ancora, pr);
}

TEST(ProfileSolve, PassagePointsAreTruncatedToTheCentimetreAndSkipZeroRedHeights) {
    // Flat ground at 100, method 1 from 101: the design line is 101 - 0.05 x.
    Profilo pr = profiloDa({{0, 100}, {7, 100}, {19, 100}, {20, 100}, {33, 100}, {40, 100}}, {6}, 1);
    pr.ProgettoLiv(1, 1) = 101;
    risolviProfilo(pr);
    // Segment 1 (reds 1 and 0.65): u = 7 / 1.65 = 4.2424..., z = 100.7878...: both cut down.
    EXPECT_FLOAT_EQ(pr.AscissePassaggio[1], 4.24f);
    EXPECT_FLOAT_EQ(pr.QuotePassaggio[1], 100.78f);
    // Segment 3 ends on a red height of 0 at x = 20 and segment 4 starts on it: untouched.
    pr.AscissePassaggio[3] = pr.AscissePassaggio[4] = -7;
    risolviProfilo(pr);
    EXPECT_FLOAT_EQ(pr.AscissePassaggio[3], -7);
    EXPECT_FLOAT_EQ(pr.AscissePassaggio[4], -7);
    // Segment 5 (reds -0.65 and -1): 33 + 7 x 0.65 / 1.65 = 35.7575... -> 35.75.
    EXPECT_FLOAT_EQ(pr.AscissePassaggio[5], 35.75f);
    // Grade lines count their segments on: a second grade line's first segment is 3 here.
    Profilo due = profiloDa({{0, 100}, {10, 100}, {20, 100}, {30, 100}}, {3, 2}, 1);
    due.ProgettoLiv(1, 1) = 101;
    due.ProgettoLiv(1, 2) = 102;
    risolviProfilo(due);
    EXPECT_FLOAT_EQ(due.AscissePassaggio[3], 5);  // reds 2 and -2 over 10 m
    // 5 x (-0.4 in single precision) + 102 lies a hair below 100: truncation gives 99.99.
    EXPECT_FLOAT_EQ(due.QuotePassaggio[3], 99.99f);
}

TEST(ProfileSolve, UnsolvableGradeLinesKeepTheirValuesAndAreReported) {
    // Grade line 2 has zero length (two sections at the same progressive).
    Profilo pr = profiloDa({{0, 100}, {10, 101}, {10, 101}, {30, 99}}, {2, 2, 2}, 5);
    pr.ProgettoLiv(1, 1) = 100;
    pr.ProgettoLiv(1, 2) = 7;
    pr.ProgettoLiv(2, 2) = 8;
    std::vector<int> nonRisolte;
    risolviProfilo(pr, &nonRisolte);
    EXPECT_EQ(nonRisolte, std::vector<int>{2});
    EXPECT_EQ(messaggioLivelletteNonRisolte(nonRisolte),
              "Livellette non risolte (lunghezza nulla o dati incompatibili): 2");
    EXPECT_FLOAT_EQ(pr.ProgettoLiv(1, 2), 7);
    EXPECT_FLOAT_EQ(pr.ProgettoLiv(2, 2), 8);
    // Grade line 3 still solves, starting from grade line 2's end as it stands.
    EXPECT_FLOAT_EQ(pr.ProgettoLiv(1, 3), 8);
    for (int32_t i = 1; i <= pr.NumeroSezioni; ++i) EXPECT_TRUE(std::isfinite(pr.QuoteRosse[i]));

    // Method 3 through a point at mid-length: no slope can balance it.
    Profilo m3 = profiloDa(prova::piano(3, 10, 100), {3}, 3);
    m3.DistanzaPassaggio.assignRaw({0, 10});
    m3.QuotaPassaggio.assignRaw({0, 104});
    const Profilo prima = m3;
    risolviProfilo(m3, &nonRisolte);
    EXPECT_EQ(nonRisolte, std::vector<int>{1});
    EXPECT_EQ(m3.ProgettoLiv, prima.ProgettoLiv);
    EXPECT_EQ(messaggioLivelletteNonRisolte({}), "");
}

TEST(ProfileSolve, NothingToDoAndCurveValues) {
    // Fewer than two sections, or method 0: nothing changes.
    Profilo uno = profiloDa({{0, 5}}, {1}, 1);
    const Profilo unoPrima = uno;
    risolviProfilo(uno);
    EXPECT_EQ(uno, unoPrima);
    Profilo zero = profiloDa(prova::piano(3, 10, 100), {3}, 0);
    const Profilo zeroPrima = zero;
    risolviProfilo(zero);
    EXPECT_EQ(zero, zeroPrima);

    // Development, opening and tangent: sections 1 to 3 (20 m) on a radius of 20.
    Profilo pr = profiloDa(prova::piano(4, 10, 100), {4}, 5);
    pr.ProgettoLiv(1, 1) = 100;
    pr.NumeroCurve = 2;
    pr.CurvaDa.assignRaw({0, 1, 2});
    pr.CurvaA.assignRaw({0, 3, 99});  // the second beyond the sections, with radius 0
    pr.CurvaRaggio.assignRaw({0, 20, 0});
    risolviProfilo(pr);
    EXPECT_FLOAT_EQ(pr.CurvaSviluppo[1], 20);
    EXPECT_FLOAT_EQ(pr.CurvaApertura[1], 1);
    EXPECT_NEAR(pr.CurvaTangente[1], 20 * std::tan(0.5), 1e-5);
    EXPECT_TRUE(std::isfinite(pr.CurvaApertura[2]) && std::isfinite(pr.CurvaTangente[2]));
    // PrimaSezione shifts section numbers to list positions: sections 1 and 3 become
    // positions 0 (which holds 0) and 2.
    pr.PrimaSezione = 1;
    risolviProfilo(pr);
    EXPECT_FLOAT_EQ(pr.CurvaSviluppo[1], 10);
}

}  // namespace
}  // namespace carvela
