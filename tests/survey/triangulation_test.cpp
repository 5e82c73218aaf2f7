#include "survey/triangulation.h"

#include <gtest/gtest.h>

#include "support/fake_host.h"
#include "survey/survey_messages.h"
#include "survey_test_util.h"

namespace carvela {
namespace {

using test::catena;
using V = std::vector<std::string>;

// Azimuth clockwise from north, and the angle at vertex b of the triangle a-b-c, in the
// unit of the straight angle U.
double azimut(const double* a, const double* b, double U) {
    const double t = std::atan2(b[0] - a[0], b[1] - a[1]);
    return (t < 0 ? t + 2 * M_PI : t) * U / M_PI;
}
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
        std::vector<std::array<float, 3>> triangoli;
        for (int t = 1; t <= 4; ++t)
            triangoli.push_back({static_cast<float>(angolo(P[t - 1], P[t], P[t + 1], U)),
                                 static_cast<float>(angolo(P[t], P[t - 1], P[t + 1], U)),
                                 static_cast<float>(angolo(P[t - 1], P[t + 1], P[t], U))});
        TriangulationChain c = catena(triangoli, 1000, 2000, static_cast<float>(azimut(P[0], P[1], U)),
                                      static_cast<float>(std::hypot(100, 20)));
        FakeHost host;
        ASSERT_TRUE(calcolaTriangolazione(c, static_cast<float>(U), host));
        for (int v = 0; v <= 5; ++v) {
            EXPECT_NEAR(c.X[v], P[v][0], 2e-3) << v;
            EXPECT_NEAR(c.Y[v], P[v][1], 2e-3) << v;
        }
        for (int v = 0; v <= 4; ++v) EXPECT_TRUE(c.Azimut[v] >= 0 && c.Azimut[v] <= 2 * U) << v << ": " << c.Azimut[v];
    }
}

}  // namespace
}  // namespace carvela
