#include "plan/mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>

#include "graphics/recording_canvas.h"
#include "state/workspace.h"
#include "support/cases.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

struct Punti {
    std::vector<double> x, y;
    Punti& operator()(double a, double b) { return x.push_back(a), y.push_back(b), *this; }
};

// A complete Delaunay triangulation of `distinti` points, not all on one line: every triangle
// side is an edge listed once, border edges have one triangle and inner edges two, the Euler
// counts hold, and no point lies inside the circle of an anticlockwise triangle.
void verificaDelaunay(const Punti& p, std::size_t distinti) {
    const MagliaDelaunay m = triangolaDelaunay(p.x, p.y);
    std::map<std::pair<int32_t, int32_t>, int> conta;
    for (const auto& t : m.triangoli)
        for (int k = 0; k < 3; ++k) ++conta[std::minmax(t[k], t[(k + 1) % 3])];
    const std::set<std::pair<int32_t, int32_t>> lati(m.lati.begin(), m.lati.end());
    ASSERT_EQ(lati.size(), m.lati.size()) << "edges listed twice";
    ASSERT_EQ(conta.size(), lati.size()) << "an edge belongs to no triangle";
    long bordo = 0;
    for (const auto& [lato, n] : conta) {
        ASSERT_TRUE(lati.count(lato)) << "triangle side missing from the edges";
        ASSERT_LE(n, 2);
        bordo += n == 1;
    }
    const long n = long(distinti);
    EXPECT_EQ(long(m.triangoli.size()), 2 * n - 2 - bordo);
    EXPECT_EQ(long(m.lati.size()), 3 * n - 3 - bordo);
    for (const auto& t : m.triangoli) {
        const double ax = p.x[t[0]], ay = p.y[t[0]], bx = p.x[t[1]], by = p.y[t[1]], cx = p.x[t[2]], cy = p.y[t[2]];
        ASSERT_GT(orientamento(ax, ay, bx, by, cx, cy), 0);
        for (std::size_t d = 0; d < p.x.size(); ++d)
            ASSERT_LE(nelCerchio(ax, ay, bx, by, cx, cy, p.x[d], p.y[d]), 0) << "point " << d << " inside a circle";
    }
}

}  // namespace

TEST(MeshPredicates, ExactWhereRoundingWouldDecideWrongly) {
    for (const test::Caso& c : test::leggiCasi("mesh_predicates.txt")) {
        const std::vector<double> p = c.numeri(1);
        const int segno = c.nome() == "orient" ? orientamento(p[0], p[1], p[2], p[3], p[4], p[5])
                                               : nelCerchio(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]);
        EXPECT_EQ(segno, c.numeri(2).at(0)) << c.testo;
    }
}

TEST(MeshDelaunay, RandomGridAndCocircularPoints) {
    std::mt19937 gen(12345);
    std::uniform_real_distribution<float> d(-500.0f, 500.0f);
    Punti casuali;
    for (int i = 0; i < 1000; ++i) casuali(d(gen), d(gen));
    verificaDelaunay(casuali, 1000);
    verificaDelaunay(Punti()(0, 0)(10, 1)(4, 8), 3);
    verificaDelaunay(Punti()(0, 0)(10, 1)(4, 8)(5, 3), 4);

    Punti griglia;
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 20; ++j) griglia(1000.25 + i * 0.5, 2000.5 + j * 0.5);
    verificaDelaunay(griglia, 400);
    EXPECT_EQ(triangolaDelaunay(griglia.x, griglia.y).triangoli.size(), 2u * 19 * 19);
    // Every point on one circle, then its centre too.
    Punti cerchio;
    for (double a = 0; a < 6.28; a += M_PI / 8) cerchio(std::round(1000 * std::cos(a)), std::round(1000 * std::sin(a)));
    verificaDelaunay(cerchio, 16);
    verificaDelaunay(cerchio(0, 0), 17);
}

TEST(MeshDelaunay, DegenerateSetsDoNotBreakIt) {
    // Collinear points in shuffled order: the chain of neighbours along the line.
    Punti linea;
    for (int i : {5, 2, 9, 0, 7, 1, 8, 3, 6, 4}) linea(10.0 + 2 * i, -3.0 + i);
    MagliaDelaunay m = triangolaDelaunay(linea.x, linea.y);
    EXPECT_TRUE(m.triangoli.empty());
    ASSERT_EQ(m.lati.size(), 9u);
    for (const auto& [a, b] : m.lati) EXPECT_EQ(std::fabs(linea.x[a] - linea.x[b]), 2.0);

    // Coinciding points enter once, as the first of them; the rest of the mesh is unchanged.
    const Punti doppi = Punti()(0, 0)(4, 0)(0, 4)(4, 0)(0, 0)(4, 4)(4, 4);
    m = triangolaDelaunay(doppi.x, doppi.y);
    EXPECT_EQ(m.triangoli.size(), 2u);
    EXPECT_EQ(m.lati.size(), 5u);
    for (const auto& [a, b] : m.lati)
        for (int doppio : {3, 4, 6}) EXPECT_TRUE(a != doppio && b != doppio);

    // Nothing to join: one point, all points equal, not-a-number coordinates.
    EXPECT_TRUE(triangolaDelaunay({1.0}, {2.0}).lati.empty());
    EXPECT_TRUE(triangolaDelaunay({1, 1, 1}, {2, 2, 2}).lati.empty());
    EXPECT_EQ(triangolaDelaunay({0, NAN, 3, INFINITY}, {0, 1, 3, 2}).lati.size(), 1u);
    EXPECT_TRUE(triangolaDelaunay({}, {}).lati.empty());
}

TEST(MeshCommand, StoresSegmentsBetweenPlanPointsAndDrawsThem) {
    Workspace ws;
    FakeHost host;
    RecordingCanvas canvas;
    ws.Piano.NumeroPunti = 4;
    ws.Piano.Punti.assignRaw({{}, {0, 0, 100}, {10, 0, 101}, {10, 10, 102}, {0, 12, 103}});
    const auto prima = ws.Piano.Punti;
    ws.TipoDocumento = kDocProfilo;
    comandoReticolo(ws, canvas, host);
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{"Assenza di dati: nessuna planimetria presa in esame!"});
    EXPECT_TRUE(canvas.operazioni.empty());

    ws.TipoDocumento = kDocPianta;
    host.pulisci();
    comandoReticolo(ws, canvas, host);
    EXPECT_TRUE(host.messaggi.empty());
    EXPECT_EQ(ws.Piano.Punti, prima);
    // Four sides and one diagonal, both ends plan points with their elevations.
    ASSERT_EQ(ws.Piano.SegmentiReticolo.upperBound(), 5);
    std::set<std::vector<float>> punti;
    for (int32_t i = 1; i <= 4; ++i) punti.insert({prima[i].x, prima[i].y, prima[i].z});
    for (int32_t k = 1; k <= 5; ++k) {
        const ContourSegment& s = ws.Piano.SegmentiReticolo[k];
        EXPECT_TRUE(punti.count({s.x1, s.y1, s.z1}) && punti.count({s.x2, s.y2, s.z2})) << k;
    }
    // Drawn in bright white over what is there, without clearing; twice draws twice.
    auto linee = canvas.di(OperazioneCanvas::Line);
    ASSERT_EQ(linee.size(), 5u);
    for (const auto& l : linee) EXPECT_EQ(l.colore, 15);
    EXPECT_TRUE(canvas.di(OperazioneCanvas::Clear).empty());
    comandoReticolo(ws, canvas, host);
    EXPECT_EQ(canvas.di(OperazioneCanvas::Line).size(), 10u);

    Workspace vuoto;
    vuoto.TipoDocumento = kDocPianta;
    canvas.svuota();
    comandoReticolo(vuoto, canvas, host);
    EXPECT_EQ(host.testiMessaggi().back(), "La planimetria non contiene punti!");
    EXPECT_TRUE(canvas.operazioni.empty());
}

}  // namespace carvela
