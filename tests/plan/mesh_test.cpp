#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <set>

#include "graphics/recording_canvas.h"
#include "plan/mesh.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

struct Punti {
    std::vector<double> x, y;
    void aggiungi(double a, double b) {
        x.push_back(a);
        y.push_back(b);
    }
};

// Edges on the border have one triangle beside them; every inner edge has two.
std::map<std::pair<int32_t, int32_t>, int> triangoliPerLato(const MagliaDelaunay& m) {
    std::map<std::pair<int32_t, int32_t>, int> conta;
    for (const auto& t : m.triangoli)
        for (int k = 0; k < 3; ++k) {
            const int32_t a = t[k], b = t[(k + 1) % 3];
            ++conta[{std::min(a, b), std::max(a, b)}];
        }
    return conta;
}

// A complete Delaunay triangulation of n distinct points, not all on one line.
void verificaDelaunay(const Punti& p, const MagliaDelaunay& m, std::size_t distinti) {
    const auto conta = triangoliPerLato(m);
    std::set<std::pair<int32_t, int32_t>> lati(m.lati.begin(), m.lati.end());
    ASSERT_EQ(lati.size(), m.lati.size()) << "edges listed twice";
    int bordo = 0;
    for (const auto& [lato, n] : conta) {
        ASSERT_TRUE(lati.count(lato)) << "triangle side missing from the edges";
        ASSERT_LE(n, 2);
        bordo += n == 1;
    }
    ASSERT_EQ(conta.size(), lati.size()) << "an edge belongs to no triangle";
    const long n = static_cast<long>(distinti);
    EXPECT_EQ(static_cast<long>(m.triangoli.size()), 2 * n - 2 - bordo);
    EXPECT_EQ(static_cast<long>(m.lati.size()), 3 * n - 3 - bordo);
    for (const auto& t : m.triangoli) {
        ASSERT_GT(orientamento(p.x[t[0]], p.y[t[0]], p.x[t[1]], p.y[t[1]], p.x[t[2]], p.y[t[2]]), 0);
        for (std::size_t d = 0; d < p.x.size(); ++d)
            ASSERT_LE(nelCerchio(p.x[t[0]], p.y[t[0]], p.x[t[1]], p.y[t[1]], p.x[t[2]], p.y[t[2]], p.x[d], p.y[d]), 0)
                << "point " << d << " inside the circle of a triangle";
    }
}

}  // namespace

TEST(MeshPredicates, ExactWhereRoundingWouldDecideWrongly) {
    // Points on the line y = x far from the origin, then moved by one unit in the last place.
    const double b = 1e15;
    EXPECT_EQ(orientamento(b, b, b + 1, b + 1, b + 2, b + 2), 0);
    EXPECT_EQ(orientamento(b, b, b + 1, b + 1, b + 2, std::nextafter(b + 2, 1e300)), 1);
    EXPECT_EQ(orientamento(b, b, b + 1, b + 1, b + 2, std::nextafter(b + 2, 0.0)), -1);
    // The classic near-degenerate case: tiny offsets along a long diagonal.
    EXPECT_EQ(orientamento(0.5, 0.5, 12, 12, 24, 24), 0);
    EXPECT_EQ(orientamento(0.5 + std::ldexp(1.0, -52), 0.5, 12, 12, 24, 24), -1);

    // Cocircular points (radius 5 about the origin), scaled by a power of two and shifted:
    // still exactly on one circle.
    const double k = std::ldexp(1.0, 40), o = std::ldexp(1.0, 20);
    EXPECT_EQ(nelCerchio(5 * k + o, o, o, 5 * k + o, -5 * k + o, o, 3 * k + o, -4 * k + o), 0);
    EXPECT_EQ(nelCerchio(5 * k + o, o, o, 5 * k + o, -5 * k + o, o, 3 * k + o, -4 * k + o + 1), 1);
    EXPECT_EQ(nelCerchio(5 * k + o, o, o, 5 * k + o, -5 * k + o, o, 3 * k + o, -4 * k + o - 1), -1);
    EXPECT_EQ(nelCerchio(0, 0, 1, 0, 0, 1, 10, 10), -1);
    EXPECT_EQ(nelCerchio(0, 0, 1, 0, 0, 1, 0.3, 0.3), 1);
}

TEST(MeshDelaunay, RandomPointsGiveAnEmptyCircleTriangulation) {
    std::mt19937 gen(12345);
    for (int prova = 0; prova < 3; ++prova) {
        std::uniform_real_distribution<float> d(-500.0f, 500.0f);
        Punti p;
        for (int i = 0; i < 700; ++i) p.aggiungi(d(gen), d(gen));
        verificaDelaunay(p, triangolaDelaunay(p.x, p.y), p.x.size());
    }
    // A few points in general position.
    Punti q;
    q.aggiungi(0, 0);
    q.aggiungi(10, 1);
    q.aggiungi(4, 8);
    verificaDelaunay(q, triangolaDelaunay(q.x, q.y), 3);
    q.aggiungi(5, 3);
    verificaDelaunay(q, triangolaDelaunay(q.x, q.y), 4);
}

TEST(MeshDelaunay, GridsAndCirclesWithManyCocircularPoints) {
    Punti griglia;
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 20; ++j) griglia.aggiungi(1000.25 + i * 0.5, 2000.5 + j * 0.5);
    const MagliaDelaunay m = triangolaDelaunay(griglia.x, griglia.y);
    verificaDelaunay(griglia, m, 400);
    EXPECT_EQ(m.triangoli.size(), 2u * 19 * 19);

    // Every point on one circle, plus its centre.
    Punti cerchio;
    for (int i = 0; i < 16; ++i) {
        const double a = i * 3.14159265358979 / 8;
        cerchio.aggiungi(std::round(1000 * std::cos(a)), std::round(1000 * std::sin(a)));
    }
    verificaDelaunay(cerchio, triangolaDelaunay(cerchio.x, cerchio.y), 16);
    cerchio.aggiungi(0, 0);
    verificaDelaunay(cerchio, triangolaDelaunay(cerchio.x, cerchio.y), 17);
}

TEST(MeshDelaunay, DegenerateSetsDoNotBreakIt) {
    // Collinear points in shuffled order: the chain of neighbours along the line.
    Punti linea;
    for (int i : {5, 2, 9, 0, 7, 1, 8, 3, 6, 4}) linea.aggiungi(10.0 + 2 * i, -3.0 + i);
    MagliaDelaunay m = triangolaDelaunay(linea.x, linea.y);
    EXPECT_TRUE(m.triangoli.empty());
    ASSERT_EQ(m.lati.size(), 9u);
    for (const auto& [a, b] : m.lati) EXPECT_EQ(std::fabs(linea.x[a] - linea.x[b]), 2.0);

    // Coinciding points enter once, as the first of them; the rest of the mesh is unchanged.
    Punti doppi;
    for (auto [a, b] : {std::pair{0.0, 0.0}, {4.0, 0.0}, {0.0, 4.0}, {4.0, 0.0}, {0.0, 0.0}, {4.0, 4.0}, {4.0, 4.0}})
        doppi.aggiungi(a, b);
    m = triangolaDelaunay(doppi.x, doppi.y);
    EXPECT_EQ(m.triangoli.size(), 2u);
    EXPECT_EQ(m.lati.size(), 5u);
    for (const auto& [a, b] : m.lati) {
        EXPECT_TRUE(a != 3 && a != 4 && a != 6 && b != 3 && b != 4 && b != 6);
    }

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
    ws.Piano.Punti.redim(4);
    ws.Piano.Punti[1] = {0, 0, 100};
    ws.Piano.Punti[2] = {10, 0, 101};
    ws.Piano.Punti[3] = {10, 10, 102};
    ws.Piano.Punti[4] = {0, 12, 103};
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
    ASSERT_EQ(ws.Piano.SegmentiReticolo.upperBound(), 5);  // four sides and one diagonal
    for (int32_t k = 1; k <= 5; ++k) {
        const ContourSegment& s = ws.Piano.SegmentiReticolo[k];
        // Both ends are plan points with their elevations.
        const auto trova = [&](float x, float y, float z) {
            for (int32_t i = 1; i <= 4; ++i)
                if (prima[i].x == x && prima[i].y == y && prima[i].z == z) return true;
            return false;
        };
        EXPECT_TRUE(trova(s.x1, s.y1, s.z1) && trova(s.x2, s.y2, s.z2));
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
    RecordingCanvas niente;
    comandoReticolo(vuoto, niente, host);
    EXPECT_EQ(host.testiMessaggi().back(), "La planimetria non contiene punti!");
    EXPECT_TRUE(niente.operazioni.empty());
}

}  // namespace carvela
