#include "dxf/dxf_drawing.h"

#include <gtest/gtest.h>

#include "dxf/dxf_commands.h"
#include "dxf/dxf_reader.h"
#include "dxf/dxf_test_files.h"
#include "graphics/recording_canvas.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

using Op = OperazioneCanvas;
using test::dxfDaCoppie;
using test::FileTemporaneo;

DxfEntity entita(const char* nome, float x = 0, float y = 0, uint8_t flagVertice = 0) {
    DxfEntity e;
    e.Nome = nome;
    e.X1 = x;
    e.Y1 = y;
    e.FlagVertice = flagVertice;
    return e;
}

// Segments drawn as (from, to) in canvas pixels: each extent move followed by its line.
std::vector<std::array<double, 4>> segmenti(const RecordingCanvas& c) {
    std::vector<std::array<double, 4>> out;
    for (const Op& o : c.operazioni)
        if (o.tipo == Op::LineTo) out.push_back({o.a, o.b, o.c, o.d});
    return out;
}

struct Disegno {
    Workspace ws;
    RecordingCanvas canvas{800, 600};
    FakeHost host;
    Disegno() {
        ws.vista.scala = 1;
        ws.vista.offsetX = 0;
        ws.vista.offsetY = 600;  // world (x, y) at canvas (x, 600 - y)
        ws.DxfDrawing.redim(0);
    }
    void aggiungi(DxfEntity e) { ws.DxfDrawing.raw().push_back(std::move(e)); }
    void disegna() { disegnaDxf(ws, canvas, host); }
};

TEST(DxfDrawing, PolylinesDrawOnlySplineAndThreeDimensionalVertices) {
    Disegno d;
    DxfEntity testa = entita("POLYLINE");
    testa.Colore = 10;
    d.aggiungi(testa);
    d.aggiungi(entita("VERTEX", 0, 0, 32));
    d.aggiungi(entita("VERTEX", 10, 0, 32));
    d.aggiungi(entita("VERTEX", 10, 10, 0));   // explicit 0: read, not drawn
    d.aggiungi(entita("VERTEX", 20, 10, 8));   // spline-fit: drawn from the vertex before it
    d.aggiungi(entita("VERTEX", 30, 10, 16));  // frame point: passed over
    d.aggiungi(entita("SEQEND"));
    d.disegna();

    EXPECT_EQ(d.ws.TipoDocumento, kDocDxf);
    auto s = segmenti(d.canvas);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0], (std::array<double, 4>{0, 600, 10, 600}));
    EXPECT_EQ(s[1], (std::array<double, 4>{10, 590, 20, 590}));
    for (const Op& o : d.canvas.di(Op::LineTo)) EXPECT_EQ(o.colore, 10);
}

TEST(DxfDrawing, ClosedSplinePolylineStartsAtItsSecondVertexAndClosesBackToIt) {
    Disegno d;
    DxfEntity testa = entita("POLYLINE");
    testa.FlagPolilinea = 5;
    d.aggiungi(testa);
    d.aggiungi(entita("VERTEX", 100, 100, 16));
    d.aggiungi(entita("VERTEX", 0, 0, 8));
    d.aggiungi(entita("VERTEX", 10, 0, 8));
    d.aggiungi(entita("VERTEX", 10, 10, 8));
    d.aggiungi(entita("SEQEND"));
    d.aggiungi(entita("POINT", 5, 5));
    d.disegna();

    auto s = segmenti(d.canvas);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0], (std::array<double, 4>{0, 600, 10, 600}));
    EXPECT_EQ(s[1], (std::array<double, 4>{10, 600, 10, 590}));
    EXPECT_EQ(s[2], (std::array<double, 4>{10, 590, 0, 600}));  // back to the second vertex
    ASSERT_EQ(d.canvas.di(Op::Pixel).size(), 1u);               // drawing goes on after the SEQEND
}

TEST(DxfDrawing, LostSequenceEndsAndShortPolylinesDrawNothingWrong) {
    Disegno d;
    d.aggiungi(entita("POLYLINE"));
    d.aggiungi(entita("VERTEX", 0, 0, 32));
    d.aggiungi(entita("VERTEX", 10, 0, 32));
    // No SEQEND: the next polyline is drawn as its own, never joined to a header at (0, 0).
    d.aggiungi(entita("POLYLINE"));
    d.aggiungi(entita("VERTEX", 50, 50, 32));
    d.aggiungi(entita("VERTEX", 60, 50, 32));
    d.aggiungi(entita("SEQEND"));
    d.aggiungi(entita("POLYLINE"));  // at the end of the list: nothing
    d.aggiungi(entita("VERTEX", 1, 1, 32));
    d.disegna();
    auto s = segmenti(d.canvas);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0], (std::array<double, 4>{0, 600, 10, 600}));
    EXPECT_EQ(s[1], (std::array<double, 4>{50, 550, 60, 550}));
}

TEST(DxfDrawing, SimpleEntitiesUseTheViewAndTheirColours) {
    Disegno d;
    d.ws.vista.scala = 2;
    d.ws.vista.offsetX = 10;
    DxfEntity linea = entita("LINE", 1, 1);
    linea.X2 = 3.3f;
    linea.Y2 = 4.2f;
    linea.Colore = 0;  // colour 0 is drawn white
    d.aggiungi(linea);
    DxfEntity cerchio = entita("CIRCLE", 5, 5);
    cerchio.R = 2;
    cerchio.Colore = 12;
    d.aggiungi(cerchio);
    d.aggiungi(entita("$LIMMIN", 100, 100));
    d.aggiungi(entita("SEQEND"));
    d.aggiungi(DxfEntity{});  // an empty slot is ignored
    d.disegna();

    EXPECT_EQ(d.ws.DxfDrawing[1].Colore, 15);
    auto linee = d.canvas.di(Op::LineTo);
    ASSERT_EQ(linee.size(), 1u);
    EXPECT_EQ(linee[0].colore, 15);
    EXPECT_EQ(linee[0].a, 12);
    EXPECT_EQ(linee[0].b, 598);
    EXPECT_EQ(linee[0].c, 17);  // 2 * 3.3 + 10 rounded
    EXPECT_EQ(linee[0].d, 592);
    auto cerchi = d.canvas.di(Op::Circle);
    ASSERT_EQ(cerchi.size(), 1u);
    EXPECT_DOUBLE_EQ(cerchi[0].c, 4);
    EXPECT_EQ(cerchi[0].colore, 12);
    EXPECT_EQ(d.canvas.operazioni.front().tipo, Op::Clear);
}

TEST(DxfImport, ImportZoomsDrawsAndNamesTheFile) {
    FakeHost host;
    Workspace ws;
    RecordingCanvas canvas(800, 600);
    ws.vista.offsetY = 600;
    ws.TipoDocumento = kDocPoligonaleAperta;
    ws.PoligonaleAperta.NumeroStazioni = 3;

    // Cancelled dialog: nothing happens.
    comandoImportaDxf(ws, canvas, host);
    EXPECT_EQ(host.titoliDialoghi, std::vector<std::string>{"Importa file di interscambio DXF"});
    EXPECT_EQ(host.filtriDialoghi, std::vector<std::string>{"File di interscambio (*.dxf) | *.DXF"});
    EXPECT_EQ(ws.PoligonaleAperta.NumeroStazioni, 3);

    // An unreadable file leaves the document shown as it was.
    host.fileAperti.push_back("/nonexistent/carvela/disegno.dxf");
    comandoImportaDxf(ws, canvas, host);
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{"Errore di apertura del file!"});
    EXPECT_EQ(ws.TipoDocumento, kDocPoligonaleAperta);
    EXPECT_EQ(ws.PoligonaleAperta.NumeroStazioni, 3);

    // clang-format off
    FileTemporaneo file("rilievo.dxf", dxfDaCoppie({{0, "LINE"}, {10, "1000"}, {20, "5000"}, {30, "0"},
                                                     {11, "1100"}, {21, "5050"}, {31, "0"}}));
    // clang-format on
    host.pulisci();
    host.fileAperti.push_back(file.path());
    comandoImportaDxf(ws, canvas, host);
    EXPECT_TRUE(host.messaggi.empty());
    EXPECT_EQ(ws.TipoDocumento, kDocDxf);
    EXPECT_EQ(ws.PoligonaleAperta.NumeroStazioni, 0);  // the traverse shown was closed
    EXPECT_EQ(ws.DxfDrawing.upperBound(), 1);
    EXPECT_EQ(host.titoloFinestra, "Carvela [ " + file.path() + " ]");
    EXPECT_FALSE(canvas.di(Op::LineTo).empty());
    // No limits in the file: the view fits the line with a margin of 5 % of its size.
    EXPECT_NEAR(ws.vista.canvasX(995), 0, 0.01);
    EXPECT_NEAR(ws.vista.canvasX(1105), 800, 0.01);
    EXPECT_NEAR(ws.vista.canvasY(5055), 0, 0.01);
    EXPECT_EQ(ws.vista.pila.size(), 1u);  // the view before the import, for "&Precedente"
}

TEST(DxfImport, ZoomOnTheLimitsOrOnTheEntities) {
    FakeHost host;
    RecordingCanvas canvas(800, 600);
    auto importa = [&](const std::string& testo) {
        Workspace ws;
        FileTemporaneo file("limiti.dxf", testo);
        EXPECT_TRUE(importaFileDxf(ws, canvas, host, file.path()));
        return ws.vista;
    };
    // Limits far from the origin fill the canvas: the lower-left one at its lower-left corner.
    // clang-format off
    const std::string linea = dxfDaCoppie({{0, "LINE"}, {10, "5100"}, {20, "3100"}, {30, "0"}, {11, "5200"},
                                           {21, "3200"}, {31, "0"}});
    // clang-format on
    // clang-format off
    Vista v = importa(dxfDaCoppie({{9, "$LIMMIN"}, {10, "5000"}, {20, "3000"}, {9, "$LIMMAX"}, {10, "5600"},
                                   {20, "3400"}}) + linea);
    // clang-format on
    EXPECT_NEAR(v.canvasX(5000), 0, 0.01);
    EXPECT_NEAR(v.canvasX(5600), 800, 0.01);
    EXPECT_NEAR(v.canvasY(3400), 0, 0.01);
    EXPECT_NEAR(v.canvasY(3000), 533.33, 0.01);
    EXPECT_FLOAT_EQ(v.scala, 800.0f / 600);

    // The limits of an empty template, nowhere near the drawing: the view fits the entities.
    v = importa(dxfDaCoppie({{9, "$LIMMIN"}, {10, "0"}, {20, "0"}, {9, "$LIMMAX"}, {10, "12"}, {20, "9"}}) + linea);
    EXPECT_NEAR(v.canvasX(5095), 0, 0.01);
    EXPECT_NEAR(v.canvasY(3205), 0, 0.01);
    EXPECT_TRUE(host.messaggi.empty());

    // Nothing to frame: the view stays as it was.
    Workspace ws;
    ws.vista.scala = 3;
    FileTemporaneo vuoto("vuoto.dxf", dxfDaCoppie({{0, "SECTION"}, {2, "ENTITIES"}, {0, "ENDSEC"}}));
    EXPECT_TRUE(importaFileDxf(ws, canvas, host, vuoto.path()));
    EXPECT_FLOAT_EQ(ws.vista.scala, 3);
    EXPECT_EQ(ws.DxfDrawing.upperBound(), 0);
}

}  // namespace
}  // namespace carvela
