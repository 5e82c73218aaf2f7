#include "profile/profile_solve.h"

#include <gtest/gtest.h>

#include <cmath>

#include "profile/grade_lines.h"
#include "profile/profile_builder.h"
#include "support/trim2_fixtures.h"

namespace carvela {
namespace {

using prova::profiloDa;
using prova::vicini;

// A profile solved once, then solved again: the second solve must change nothing.
Profilo risolto(Profilo pr) {
    risolviProfilo(pr);
    Profilo ancora = pr;
    risolviProfilo(ancora);
    EXPECT_EQ(ancora, pr) << "a second solve changed the profile";
    return pr;
}

TEST(GradeLineRebuild, LaysOutSharedSectionsAndDerivesRangeAndAreas) {
    // Three grade lines of 3, 2 and 3 points over 6 sections.
    const Profilo pr = profiloDa({{0, 10}, {10, 12}, {20, 11}, {30, 8}, {45, 9}, {50, 10}}, {3, 2, 3});
    // Grade line 2 starts at the end of grade line 1.
    EXPECT_EQ(std::vector<float>({pr.ProgressiveLiv(1, 2), pr.ProgressiveLiv(1, 3), pr.TerrenoLiv(3, 3)}),
              std::vector<float>({20, 30, 10}));
    // Flattened back, each section once, the last at position NumeroSezioni.
    EXPECT_EQ(pr.Progressive.raw(), (std::vector<float>{0, 0, 10, 20, 30, 45, 50}));
    EXPECT_FLOAT_EQ(pr.QuoteTerreno[6], 10);
    EXPECT_EQ(std::vector<float>({pr.QuotaMassima, pr.QuotaMinima, pr.QuotaRiferimento}),
              std::vector<float>({12, 8, -12}));
    EXPECT_EQ(std::vector<float>({pr.AreaTerreno[1], pr.AreaTerreno[2], pr.AreaTerreno[3]}),
              std::vector<float>({10 * 11 + 10 * 11.5f, 10 * 9.5f, 15 * 8.5f + 5 * 9.5f}));
    // All ground below zero: the highest elevation starts from 0.
    const Profilo sotto = profiloDa({{0, -5}, {10, -3}}, {2});
    EXPECT_EQ(std::pair(sotto.QuotaMassima, sotto.QuotaRiferimento), std::pair(0.0f, -25.0f));
}

TEST(ProfileSolve, FlatGroundMethodExamples) {
    // One grade line over flat ground at 100, L = 40, A = 4000.
    const auto sezioni = prova::piano(5, 10, 100);
    Profilo m1 = profiloDa(sezioni, {5}, 1);  // from the start elevation, balancing the area
    m1.ProgettoLiv(1, 1) = 101;
    m1 = risolto(m1);
    EXPECT_TRUE(vicini({m1.ProgettoLiv(5, 1), m1.Pendenze[1], m1.QuoteProgetto[2], m1.QuoteRosse[2], m1.QuoteRosse[5]},
                       {99, -2.0 / 40, 100.5, 0.5, -1}, 1e-5));
    Profilo m2 = profiloDa(sezioni, {5}, 2);  // both ends given
    m2.ProgettoLiv(1, 1) = 103;
    m2.ProgettoLiv(5, 1) = 99;
    m2 = risolto(m2);
    EXPECT_TRUE(vicini({m2.Pendenze[1], m2.QuoteProgetto[3]}, {-0.1, 101}, 1e-5));
    Profilo m3 = profiloDa(sezioni, {5}, 3);  // through a point at L / 4, balancing the area
    m3.DistanzaPassaggio.assignRaw({0, 10});
    m3.QuotaPassaggio.assignRaw({0, 101});
    m3 = risolto(m3);
    EXPECT_TRUE(vicini({m3.Pendenze[1], m3.ProgettoLiv(1, 1), m3.QuoteProgetto[2]}, {-0.1, 102, 101}, 1e-5));

    // Method 4 takes the typed slope of every grade line, about its mid-length, over end
    // elevations left by an earlier solve that disagree with it.
    Profilo m4 = profiloDa(prova::piano(5, 10, 50), {3, 3}, 4);
    m4.ProgettoLiv(1, 1) = 10;
    m4.ProgettoLiv(3, 1) = 90;
    m4.Pendenze.assignRaw({0, 0.02f, -0.03f});
    m4 = risolto(m4);
    EXPECT_TRUE(vicini({m4.ProgettoLiv(1, 1), m4.ProgettoLiv(3, 1), m4.ProgettoLiv(3, 2)}, {49.8, 50.2, 49.7}, 1e-5));
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
    m1.ProgettoLiv(1, 1) = m1.ProgettoLiv(1, 2) = 100;
    risolviProfilo(m1);
    EXPECT_NE(m1.ProgettoLiv(3, 1), m1.ProgettoLiv(1, 2));
    // At the shared section the per-section lists carry the next grade line's start.
    EXPECT_FLOAT_EQ(m1.QuoteProgetto[3], m1.ProgettoLiv(1, 2));
}

TEST(ProfileSolve, PassagePointsAreTruncatedToTheCentimetreAndSkipZeroRedHeights) {
    // Flat ground at 100, method 1 from 101: the design line is 101 - 0.05 x.
    Profilo pr = profiloDa({{0, 100}, {7, 100}, {19, 100}, {20, 100}, {33, 100}, {40, 100}}, {6}, 1);
    pr.ProgettoLiv(1, 1) = 101;
    risolviProfilo(pr);
    // Segment 1 (reds 1 and 0.65): u = 7 / 1.65 = 4.2424..., z = 100.7878...: both cut down.
    EXPECT_EQ(std::pair(pr.AscissePassaggio[1], pr.QuotePassaggio[1]), std::pair(4.24f, 100.78f));
    // Segment 3 ends on a red height of 0 at x = 20 and segment 4 starts on it: untouched.
    pr.AscissePassaggio[3] = pr.AscissePassaggio[4] = -7;
    risolviProfilo(pr);
    EXPECT_EQ(std::pair(pr.AscissePassaggio[3], pr.AscissePassaggio[4]), std::pair(-7.0f, -7.0f));
    // Segment 5 (reds -0.65 and -1): 33 + 7 x 0.65 / 1.65 = 35.7575... -> 35.75.
    EXPECT_FLOAT_EQ(pr.AscissePassaggio[5], 35.75f);
    // Grade lines count their segments on: a second grade line's first segment is 3 here,
    // reds 2 and -2 over 10 m. 5 x (-0.4 in single precision) + 102 lies a hair below 100:
    // truncation gives 99.99.
    Profilo due = profiloDa(prova::piano(4, 10, 100), {3, 2}, 1);
    due.ProgettoLiv(1, 1) = 101;
    due.ProgettoLiv(1, 2) = 102;
    risolviProfilo(due);
    EXPECT_EQ(std::pair(due.AscissePassaggio[3], due.QuotePassaggio[3]), std::pair(5.0f, 99.99f));
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
    EXPECT_EQ(messaggioLivelletteNonRisolte({}), "");
    // Its ends stay; grade line 3 still solves, starting from grade line 2's end as it stands.
    EXPECT_EQ(std::vector<float>({pr.ProgettoLiv(1, 2), pr.ProgettoLiv(2, 2), pr.ProgettoLiv(1, 3)}),
              std::vector<float>({7, 8, 8}));
    EXPECT_EQ(prova::nonFiniti(pr), 0);

    // Method 3 through a point at mid-length: no slope can balance it.
    Profilo m3 = profiloDa(prova::piano(3, 10, 100), {3}, 3);
    m3.DistanzaPassaggio.assignRaw({0, 10});
    m3.QuotaPassaggio.assignRaw({0, 104});
    const Profilo prima = m3;
    risolviProfilo(m3, &nonRisolte);
    EXPECT_EQ(nonRisolte, std::vector<int>{1});
    EXPECT_EQ(m3.ProgettoLiv, prima.ProgettoLiv);
}

TEST(ProfileSolve, NothingToDoAndCurveValues) {
    // Fewer than two sections, or method 0: nothing changes.
    for (const Profilo& p : {profiloDa({{0, 5}}, {1}, 1), profiloDa(prova::piano(3, 10, 100), {3}, 0)}) {
        Profilo q = p;
        risolviProfilo(q);
        EXPECT_EQ(q, p);
    }
    // Development, opening and tangent: sections 1 to 3 (20 m) on a radius of 20; a second
    // curve beyond the sections, with radius 0, stays finite.
    Profilo pr = profiloDa(prova::piano(4, 10, 100), {4}, 5);
    pr.ProgettoLiv(1, 1) = 100;
    pr.NumeroCurve = 2;
    pr.CurvaDa.assignRaw({0, 1, 2});
    pr.CurvaA.assignRaw({0, 3, 99});
    pr.CurvaRaggio.assignRaw({0, 20, 0});
    risolviProfilo(pr);
    EXPECT_TRUE(vicini({pr.CurvaSviluppo[1], pr.CurvaApertura[1], pr.CurvaTangente[1]}, {20, 1, 20 * std::tan(0.5)}));
    EXPECT_EQ(prova::nonFiniti(pr), 0);
    // PrimaSezione shifts section numbers to list positions: sections 1 and 3 become
    // positions 0 (which holds 0) and 2.
    pr.PrimaSezione = 1;
    risolviProfilo(pr);
    EXPECT_FLOAT_EQ(pr.CurvaSviluppo[1], 10);
}

}  // namespace
}  // namespace carvela
