#include "dxf/dxf_drawing.h"

#include <gtest/gtest.h>

#include "dxf/dxf_commands.h"
#include "graphics/recording_canvas.h"
#include "state/workspace.h"
#include "support/cases.h"
#include "support/fake_host.h"
#include "support/survey_dxf_fixtures.h"

namespace carvela {
namespace {

using Op = OperazioneCanvas;
using test::dxf;
using test::FileTemporaneo;
using test::tracciato;
using V = std::vector<std::string>;

TEST(DxfDrawing, EntitiesAndPolylinesOnTheCanvas) {
    for (const test::Caso& c : test::leggiCasi("dxf_draw.txt")) {
        Workspace ws;
        ws.vista.scala = std::stof(c.campi[0]);
        ws.vista.offsetX = 0;
        ws.vista.offsetY = 600;
        ws.DxfDrawing = test::leggiDxf(dxf(c.campi[1]));
        RecordingCanvas canvas(800, 600);
        FakeHost host;
        disegnaDxf(ws, canvas, host);
        EXPECT_EQ(tracciato(canvas), c.lista(2)) << "dxf_draw.txt:" << c.riga;
        EXPECT_EQ(ws.TipoDocumento, kDocDxf);
        EXPECT_EQ(canvas.operazioni.front().tipo, Op::Clear);
    }
    // Colour 0 (from records written elsewhere) is drawn white; an empty slot is ignored.
    Workspace ws;
    ws.DxfDrawing = test::leggiDxf(dxf("0 POINT 10 1 20 1 30 0"));
    ws.DxfDrawing[1].Colore = 0;
    ws.DxfDrawing.raw().emplace_back();
    RecordingCanvas canvas;
    FakeHost host;
    disegnaDxf(ws, canvas, host);
    EXPECT_EQ(ws.DxfDrawing[1].Colore, 15);
    EXPECT_EQ(canvas.di(Op::Pixel).size(), 1u);
}

TEST(DxfImport, ImportZoomsDrawsAndNamesTheFile) {
    FakeHost host;
    Workspace ws;
    RecordingCanvas canvas(800, 600);
    ws.vista.offsetY = 600;
    ws.TipoDocumento = kDocPoligonaleAperta;
    ws.PoligonaleAperta.NumeroStazioni = 3;

    comandoImportaDxf(ws, canvas, host);  // cancelled dialog: nothing happens
    EXPECT_EQ(host.titoliDialoghi, V{"Importa file di interscambio DXF"});
    EXPECT_EQ(host.filtriDialoghi, V{"File di interscambio (*.dxf) | *.DXF"});
    EXPECT_EQ(ws.PoligonaleAperta.NumeroStazioni, 3);

    // An unreadable file leaves the document shown as it was.
    host.fileAperti.push_back("/nonexistent/carvela/disegno.dxf");
    comandoImportaDxf(ws, canvas, host);
    EXPECT_EQ(host.testiMessaggi(), V{"Errore di apertura del file!"});
    EXPECT_EQ(ws.TipoDocumento, kDocPoligonaleAperta);
    EXPECT_EQ(ws.PoligonaleAperta.NumeroStazioni, 3);

    FileTemporaneo file("rilievo.dxf", dxf("0 LINE 10 1000 20 5000 30 0 11 1100 21 5050 31 0"));
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
    auto importa = [&](const std::string& testo, Workspace ws = {}) {
        FileTemporaneo file("limiti.dxf", dxf(testo));
        EXPECT_TRUE(importaFileDxf(ws, canvas, host, file.path()));
        return ws.vista;
    };
    const std::string linea = " 0 LINE 10 5100 20 3100 30 0 11 5200 21 3200 31 0";
    // Limits far from the origin fill the canvas: the lower-left one at its lower-left corner.
    Vista v = importa("9 $LIMMIN 10 5000 20 3000 9 $LIMMAX 10 5600 20 3400" + linea);
    EXPECT_NEAR(v.canvasX(5000), 0, 0.01);
    EXPECT_NEAR(v.canvasX(5600), 800, 0.01);
    EXPECT_NEAR(v.canvasY(3400), 0, 0.01);
    EXPECT_NEAR(v.canvasY(3000), 533.33, 0.01);
    EXPECT_FLOAT_EQ(v.scala, 800.0f / 600);

    // The limits of an empty template, nowhere near the drawing: the view fits the entities.
    v = importa("9 $LIMMIN 10 0 20 0 9 $LIMMAX 10 12 20 9" + linea);
    EXPECT_NEAR(v.canvasX(5095), 0, 0.01);
    EXPECT_NEAR(v.canvasY(3205), 0, 0.01);
    EXPECT_TRUE(host.messaggi.empty());

    // Nothing to frame: the view stays as it was.
    Workspace ws;
    ws.vista.scala = 3;
    EXPECT_FLOAT_EQ(importa("0 SECTION 2 ENTITIES 0 ENDSEC", ws).scala, 3);
}

}  // namespace
}  // namespace carvela
