// The survey drawings painted by the program's rasterizer, as the canvas window shows them:
// a computed closed traverse and a triangulation chain. With CARVELA_SCREENSHOT_DIR set the
// pictures are saved there as PNG for a look.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "graphics/png_writer.h"
#include "graphics/raster_canvas.h"
#include "shell/workspace.h"
#include "support/fake_host.h"
#include "survey/survey_drawings.h"
#include "survey/traverse.h"
#include "survey/triangulation.h"
#include "survey_test_util.h"

namespace carvela {
namespace {

// The view framing the world box (x0, y0)-(x1, y1) with a margin.
void inquadra(Vista& v, const Canvas& c, double x0, double y0, double x1, double y1) {
    const double s = 0.8 * std::min(c.larghezza() / (x1 - x0), c.altezza() / (y1 - y0));
    v.scala = static_cast<float>(s);
    v.offsetX = static_cast<float>(c.larghezza() / 2.0 - s * (x0 + x1) / 2);
    v.offsetY = static_cast<float>(c.altezza() / 2.0 + s * (y0 + y1) / 2);
}

int pixelDelColore(const RasterCanvas& c, int indice) {
    const ColoreRgb cercato = colorePalette(indice);
    int n = 0;
    for (int y = 0; y < c.altezza(); ++y)
        for (int x = 0; x < c.larghezza(); ++x) {
            const ColoreRgb p = c.pixel(x, y);
            n += p.r == cercato.r && p.g == cercato.g && p.b == cercato.b;
        }
    return n;
}

void salva(const RasterCanvas& c, const char* nome) {
    if (const char* cartella = std::getenv("CARVELA_SCREENSHOT_DIR"))
        EXPECT_EQ(scriviPng(std::string(cartella) + "/" + nome, c.larghezza(), c.altezza(), c.rgb()), "");
}

template <class Lista>
void estremi(const Lista& x, const Lista& y, int da, int a, double e[4]) {
    e[0] = e[1] = 1e30;
    e[2] = e[3] = -1e30;
    for (int i = da; i <= a; ++i) {
        e[0] = std::min<double>(e[0], x[i]);
        e[1] = std::min<double>(e[1], y[i]);
        e[2] = std::max<double>(e[2], x[i]);
        e[3] = std::max<double>(e[3], y[i]);
    }
}

TEST(ImmaginiRilievo, ClosedTraverseLoopWithLabels) {
    // A five-sided loop read in grads, with a few centimetres of misclosure.
    Workspace ws;
    ws.impostazioni.DimensioneQuote = 6;
    const float angoli[] = {102.3456f, 133.4421f, 88.1234f, 134.2001f, 141.8910f};
    const float distanze[] = {180.25f, 140.10f, 160.72f, 120.44f, 150.03f};
    std::vector<test::Stazione> stazioni;
    for (int i = 0; i < 5; ++i) stazioni.push_back({0, angoli[i], distanze[i], 99.5f, 1.5f, 1.6f});
    ClosedTraverse& p = ws.PoligonaleChiusa;
    p = test::poligonaleChiusa(stazioni, 1000, 2000, 150, 80, 0.05f, 1);
    FakeHost host;
    ASSERT_TRUE(calcolaPoligonaleChiusa(p, 200, host));

    RasterCanvas canvas(900, 700);
    double e[4];
    estremi(p.Ascissa, p.Ordinata, 1, 5, e);
    inquadra(ws.vista, canvas, e[0], e[1], e[2] + 60, e[3] + 10);
    disegnaPoligonaleChiusa(ws, canvas, host);
    salva(canvas, "poligonale_chiusa.png");
    EXPECT_GT(pixelDelColore(canvas, 15), 500);  // the white loop
    EXPECT_GT(pixelDelColore(canvas, 14), 100);  // the yellow labels
}

TEST(ImmaginiRilievo, TriangulationChainWithThirdSidesAndCircles) {
    Workspace ws;
    ws.impostazioni.DimensioneQuote = 5;
    TriangulationChain& c = ws.Triangolazione;
    const float a[][3] = {{62.1f, 55.3f, 62.6f}, {58.2f, 63.9f, 57.9f}, {65.0f, 54.4f, 60.6f},
                          {57.7f, 61.8f, 60.5f}, {61.2f, 58.1f, 60.7f}};
    c.NumeroTriangoli = 5;
    for (auto* v : {&c.Angolo1, &c.Angolo2, &c.Angolo3}) v->redim(5);
    for (int t = 1; t <= 5; ++t) {
        c.Angolo1[t] = a[t - 1][0];
        c.Angolo2[t] = a[t - 1][1];
        c.Angolo3[t] = a[t - 1][2];
    }
    c.X = test::lista({});
    c.Y = test::lista({});
    c.Azimut = test::lista({});
    c.Distanza = test::lista({});
    c.X[0] = 500;
    c.Y[0] = 300;
    c.Azimut[0] = 70;
    c.Distanza[0] = 120;
    preparaTriangolazione(c);
    FakeHost host;
    ASSERT_TRUE(calcolaTriangolazione(c, 180, host));

    RasterCanvas canvas(900, 700);
    double e[4];
    estremi(c.X, c.Y, 0, 6, e);
    inquadra(ws.vista, canvas, e[0] - 10, e[1] - 10, e[2] + 70, e[3] + 15);
    disegnaTriangolazione(ws, canvas, host);
    salva(canvas, "triangolazione.png");
    EXPECT_GT(pixelDelColore(canvas, 15), 300);  // the chain path
    EXPECT_GT(pixelDelColore(canvas, 12), 100);  // the dashed third sides
    EXPECT_GT(pixelDelColore(canvas, 10), 50);   // the vertex circles
    EXPECT_GT(pixelDelColore(canvas, 14), 100);  // the labels
}

}  // namespace
}  // namespace carvela
