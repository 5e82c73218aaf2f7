#include "road/geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "road/shell_sort.h"
#include "shell/workspace.h"

namespace carvela {
namespace {

constexpr double kPi = 3.1415929794311523;

ContourSegment pezzo(double x1, double y1, double x2, double y2, double z) {
    return {float(x1), float(y1), float(z), float(x2), float(y2), float(z)};
}

void aggiungiCurva(Planimetria& p, std::vector<ContourSegment> pezzi) {
    ++p.NumeroCurveLivello;
    p.CurveLivello.redimPreserve(p.NumeroCurveLivello);
    VbArray<ContourSegment>& c = p.CurveLivello[p.NumeroCurveLivello];
    c.redim(static_cast<int32_t>(pezzi.size()));
    for (std::size_t i = 0; i < pezzi.size(); ++i) c[static_cast<int32_t>(i) + 1] = pezzi[i];
}

TEST(Rilevamento, QuadrantsAndAxesClockwiseFromNorth) {
    EXPECT_DOUBLE_EQ(rilevamento(0, 1), 0);
    EXPECT_DOUBLE_EQ(rilevamento(1, 0), kPi / 2);
    EXPECT_DOUBLE_EQ(rilevamento(0, -1), kPi);
    EXPECT_DOUBLE_EQ(rilevamento(-1, 0), 3 * kPi / 2);
    // The quadrant offsets use the program's pi; the angle within the quadrant is exact.
    const double a = std::atan(0.5);
    EXPECT_DOUBLE_EQ(rilevamento(1, 2), a);
    EXPECT_DOUBLE_EQ(rilevamento(1, -2), kPi - a);
    EXPECT_DOUBLE_EQ(rilevamento(-1, -2), kPi + a);
    EXPECT_DOUBLE_EQ(rilevamento(-1, 2), 2 * kPi - a);
    EXPECT_EQ(rilevamento(0, 0), 0);
    EXPECT_EQ(rilevamento(NAN, 1), 0);
}

TEST(IntersezioneSegmenti, CrossingsEndsParallelAndDegenerateSegments) {
    double x = 0, y = 0;
    ASSERT_TRUE(intersezioneSegmenti(0, 0, 10, 10, 0, 10, 10, 0, x, y));
    EXPECT_NEAR(x, 5, 1e-12);
    EXPECT_NEAR(y, 5, 1e-12);
    // Ends are included.
    ASSERT_TRUE(intersezioneSegmenti(0, 0, 10, 0, 10, -5, 10, 5, x, y));
    EXPECT_NEAR(x, 10, 1e-12);
    // Just beyond an end: no crossing.
    EXPECT_FALSE(intersezioneSegmenti(0, 0, 10, 0, 10.001, -5, 10.001, 5, x, y));
    // Parallel, collinear overlapping, length 0: none.
    EXPECT_FALSE(intersezioneSegmenti(0, 0, 10, 0, 0, 1, 10, 1, x, y));
    EXPECT_FALSE(intersezioneSegmenti(0, 0, 10, 0, 5, 0, 15, 0, x, y));
    EXPECT_FALSE(intersezioneSegmenti(3, 3, 3, 3, 0, 0, 10, 10, x, y));
    EXPECT_FALSE(intersezioneSegmenti(0, 0, 10, 10, 5, 5, 5, 5, x, y));
}

TEST(IntersezioneSegmenti, NorthSouthPiecesAreTestedOnTheirYRange) {
    double x = 0, y = 0;
    // A north-south contour piece from (5, 0) to (5, 10), crossed by an east-going axis.
    ASSERT_TRUE(intersezioneSegmenti(0, 4, 10, 4, 5, 0, 5, 10, x, y));
    EXPECT_NEAR(x, 5, 1e-12);
    EXPECT_NEAR(y, 4, 1e-12);
    // The same line, but the piece stops short of the axis: its x-range alone would accept it.
    EXPECT_FALSE(intersezioneSegmenti(0, 4, 10, 4, 5, 5, 5, 10, x, y));
    // A north-south axis leg crossing an oblique piece, and missing it beyond the leg's end.
    ASSERT_TRUE(intersezioneSegmenti(2, 0, 2, 10, 0, 0, 10, 10, x, y));
    EXPECT_NEAR(y, 2, 1e-12);
    EXPECT_FALSE(intersezioneSegmenti(2, 0, 2, 1, 0, 0, 10, 10, x, y));
    // A north-south section line against a north-south contour piece: parallel.
    EXPECT_FALSE(intersezioneSegmenti(2, 0, 2, 10, 2, 3, 2, 7, x, y));
}

class QuotaTerrenoTest : public ::testing::Test {
protected:
    // Contour lines of the plane z = 100 + 0.1 x, every 10 m of x from 0 to 100 (levels
    // 100..110), broken in two pieces each, the second stored before the first.
    void SetUp() override {
        for (int i = 0; i <= 10; ++i) {
            const double x = 10.0 * i;
            aggiungiCurva(piano, {pezzo(x, 50, x, 100, 100 + i), pezzo(x, 0, x, 50, 100 + i)});
        }
    }
    Planimetria piano;
};

TEST_F(QuotaTerrenoTest, InclinedPlaneGivesExactElevations) {
    for (double x : {0.5, 3.0, 17.25, 44.4, 99.0})
        for (double y : {1.0, 25.0, 50.0, 71.3})
            EXPECT_NEAR(quotaTerreno(piano, x, y), 100 + 0.1 * x, 1e-4) << x << "," << y;
}

TEST_F(QuotaTerrenoTest, PointsOnContourLinesAndOutsideTheOutermostLine) {
    // On a contour line, on a vertex and at a piece's end: that line's elevation exactly.
    EXPECT_EQ(quotaTerreno(piano, 30, 12.5), 103.0f);
    EXPECT_EQ(quotaTerreno(piano, 30, 50), 103.0f);
    EXPECT_EQ(quotaTerreno(piano, 100, 100), 110.0f);
    // Beyond the last line there is no second line: the nearest line's elevation.
    EXPECT_EQ(quotaTerreno(piano, 120, 40), 110.0f);
    EXPECT_EQ(quotaTerreno(piano, -7, 40), 100.0f);
    // No contour line at all, and coordinates that are not numbers: 0, never NaN.
    EXPECT_EQ(quotaTerreno(Planimetria{}, 5, 5), 0.0f);
    EXPECT_EQ(quotaTerreno(piano, NAN, 5), 0.0f);
}

TEST(QuotaTerreno, ObliqueContoursOfAPlane) {
    // z = 2 x + y, contour lines x + y / 2 = c at levels 2c, as two-piece polylines.
    Planimetria piano;
    for (int c = 0; c <= 6; ++c) {
        const double z = 2.0 * c;
        aggiungiCurva(piano, {pezzo(c - 10, 20, c, 0, z), pezzo(c, 0, c + 10, -20, z)});
    }
    for (auto [x, y] : {std::pair{2.3, 0.4}, {4.0, -3.0}, {1.2, 5.5}, {3.3, 1.1}})
        EXPECT_NEAR(quotaTerreno(piano, x, y), 2 * x + y, 1e-4) << x << "," << y;
}

Workspace assePerDirezioni() {
    Workspace ws;
    Planimetria& p = ws.Piano;
    p.NumeroPuntiAsse = 5;
    p.AsseTracciato.redim(5);
    p.AsseTracciato[1] = {0, 0, 0};
    p.AsseTracciato[2] = {0, 100, kMarcaPicchetto};  // a stake of a right-hand curve
    p.AsseTracciato[3] = {10, 110, 0};
    p.AsseTracciato[4] = {50, 110, 0};  // level leg running east
    p.AsseTracciato[5] = {50, 110, 0};  // a leg of length 0
    ws.CentriCurve.redim(5);
    ws.CentriCurve[2] = {20, 100, 0};
    p.NumeroIntersezioni = 4;
    p.Intersezioni.redim(4);
    p.Intersezioni[1] = {0, 50, 0, 1};
    p.Intersezioni[2] = {4, 108, 0, 2};  // on the curve
    p.Intersezioni[3] = {30, 110, 0, 3};
    p.Intersezioni[4] = {50, 110, 0, 4};
    return ws;
}

TEST(DirezioniSezione, StraightLegsCurvesAndDegenerateLegs) {
    Workspace ws = assePerDirezioni();
    double l = 0, r = 0;
    // Leg going north: left is west, right is east.
    direzioniSezione(ws, 1, l, r);
    EXPECT_NEAR(std::sin(l), -1, 1e-9);
    EXPECT_NEAR(std::sin(r), 1, 1e-9);
    // On a right-hand curve the left end points away from the centre.
    direzioniSezione(ws, 2, l, r);
    const double rho = rilevamento(4 - 20, 108 - 100);
    EXPECT_NEAR(l, rho, 1e-12);
    EXPECT_NEAR(r, rho + kPi, 1e-12);
    // Left-hand curve: the left end lies on the centre's side.
    ws.CentriCurve[2].lato = 1;
    direzioniSezione(ws, 2, l, r);
    EXPECT_NEAR(l, rho + kPi, 1e-12);
    // A level leg running east keeps its direction: the section line runs north-south.
    direzioniSezione(ws, 3, l, r);
    EXPECT_NEAR(std::cos(l), 1, 1e-9);
    EXPECT_NEAR(std::cos(r), -1, 1e-9);
    // A leg of length 0 borrows the previous leg's direction.
    direzioniSezione(ws, 4, l, r);
    EXPECT_NEAR(std::cos(l), 1, 1e-9);
    // A station at the curve centre falls back on the leg.
    ws.Piano.Intersezioni[2] = {20, 100, 0, 2};
    direzioniSezione(ws, 2, l, r);
    EXPECT_TRUE(std::isfinite(l) && std::isfinite(r));
    // A station that does not exist: finite directions.
    direzioniSezione(ws, 99, l, r);
    EXPECT_TRUE(std::isfinite(l) && std::isfinite(r));
}

TEST(OrdinaShell, SortsByKeyAndKeepsTheClassicOrderOfEqualKeys) {
    // Gap 2 swaps (1a, 0) then (2, 1b); gap 1 finds nothing to swap: 1b ends before 1a.
    std::vector<std::pair<double, char>> v{{1, 'a'}, {2, 'x'}, {0, 'y'}, {1, 'b'}};
    ordinaShell(v, [](const auto& e) { return e.first; });
    std::string ordine;
    for (auto& e : v) ordine += e.second;
    EXPECT_EQ(ordine, "ybax");

    // A sub-range only, and the short cases.
    std::vector<int> w{9, 8, 3, 2, 1, 0};
    ordinaShell(w, 2, 5, [](int e) { return e; });
    EXPECT_EQ(w, (std::vector<int>{9, 8, 1, 2, 3, 0}));
    std::vector<int> vuoto, uno{1};
    ordinaShell(vuoto, [](int e) { return e; });
    ordinaShell(uno, [](int e) { return e; });
    EXPECT_EQ(uno, std::vector<int>{1});

    // Larger reversed and shuffled inputs come out sorted.
    std::vector<int> grande;
    for (int i = 0; i < 1000; ++i) grande.push_back((i * 7919) % 1000);
    ordinaShell(grande, [](int e) { return e; });
    EXPECT_TRUE(std::is_sorted(grande.begin(), grande.end()));
}

}  // namespace
}  // namespace carvela
