#include "graphics/view_ops.h"

#include <gtest/gtest.h>

#include <cmath>

#include "graphics/canvas_mouse.h"
#include "graphics/plan_drawing.h"
#include "graphics/pointer_text.h"
#include "graphics/recording_canvas.h"
#include "plan_sample.h"
#include "state/view.h"
#include "state/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

struct Ambiente {
    Workspace ws;
    FakeHost host;
    RecordingCanvas canvas{800, 600};
    Ambiente(float s = 1, float ox = 0, float oy = 600) {
        inizializzaVista(ws.vista, canvas);
        ws.vista.scala = s, ws.vista.offsetX = ox, ws.vista.offsetY = oy;
    }
    bool zoom(double x1, double y1, double x2, double y2) { return zoomFinestraSu(ws, canvas, host, x1, y1, x2, y2); }
    std::vector<float> vista() const { return {ws.vista.scala, ws.vista.offsetX, ws.vista.offsetY}; }
    bool ridisegnato() const { return !canvas.di(OperazioneCanvas::Clear).empty(); }
    EsitoMouse rilascio(PulsanteMouse p, int x, int y) { return rilascioMouse(ws, canvas, host, p, x, y); }
};

}  // namespace

TEST(ZoomWindow, CornerMovesToTheOriginAndTheLargerSideFillsTheCanvas) {
    Ambiente a;
    // 100 wide and 50 high on an 800-pixel-wide canvas: the scale grows eight times.
    EXPECT_TRUE(a.zoom(200, 150, 100, 100));
    EXPECT_EQ(a.vista(), (std::vector<float>{8, -800, 600 * 8 - 100 * 8}));
    EXPECT_TRUE(a.host.messaggi.empty());
    EXPECT_FALSE(a.ridisegnato());  // the caller redraws
    // The world point that was under the window's top-left corner is now at the origin.
    Ambiente b(2, 100, 500);
    const double wx = b.ws.vista.mondoX(40), wy = b.ws.vista.mondoY(30);
    ASSERT_TRUE(b.zoom(40, 30, 60, 130));  // taller: 600 / 100
    EXPECT_FLOAT_EQ(b.ws.vista.scala, 12);
    EXPECT_NEAR(b.ws.vista.canvasX(wx), 0, 1e-3);
    EXPECT_NEAR(b.ws.vista.canvasY(wy), 0, 1e-3);
    // A window with no width still has a height.
    EXPECT_TRUE(b.zoom(10, 10, 10, 310));
    EXPECT_FLOAT_EQ(b.ws.vista.scala, 24);
}

TEST(ZoomWindow, NoSizeTooLargeAScaleAndNoPixels) {
    Ambiente a(3, 10, 20);
    EXPECT_FALSE(a.zoom(50, 60, 50, 60));
    EXPECT_FALSE(a.zoom(NAN, 60, 50, 60));
    EXPECT_EQ(a.host.testiMessaggi(), std::vector<std::string>(2, "Finestra di selezione inesistente!"));
    EXPECT_EQ(a.vista(), (std::vector<float>{3, 10, 20}));
    EXPECT_FALSE(a.ridisegnato());

    // Above 100000: the message, back to the view saved before the zoom, and a redraw.
    Ambiente b(200, 10, 20);
    b.ws.TipoDocumento = kDocPianta;
    salvaVista(b.ws.vista);
    const std::size_t pila = b.ws.vista.pila.size();
    EXPECT_FALSE(b.zoom(0, 0, 1, 1));
    EXPECT_EQ(b.host.testiMessaggi(), std::vector<std::string>{"Fattore di scala dello zoom eccessivo!"});
    EXPECT_EQ(b.vista(), (std::vector<float>{200, 10, 20}));
    EXPECT_EQ(b.ws.vista.pila.size(), pila - 1);
    EXPECT_TRUE(b.ridisegnato());
    // Exactly 100000 is allowed. A canvas with no pixels leaves the view alone.
    b.ws.vista.scala = 125;
    EXPECT_TRUE(b.zoom(0, 0, 1, 0));
    EXPECT_FLOAT_EQ(b.ws.vista.scala, 100000);
    RecordingCanvas nulla(0, 0);
    EXPECT_FALSE(zoomFinestraSu(b.ws, nulla, b.host, 0, 0, 10, 10));
    EXPECT_FLOAT_EQ(b.ws.vista.scala, 100000);
    // Without a saved view the zoom is simply undone.
    Ambiente c(1000, 5, 6);
    c.ws.vista.pila.resize(1);
    EXPECT_FALSE(c.zoom(0, 0, 2, 2));
    EXPECT_EQ(c.vista(), (std::vector<float>{1000, 5, 6}));
}

TEST(ZoomExtent, FitsTheDrawingAndRefusesAnEmptyOne) {
    Ambiente a;
    a.ws.Piano = prova::pianoDiProva();
    a.ws.impostazioni.MantieniQuoteDraw = false;
    disegnaPianta(a.ws, a.canvas, a.host);
    EXPECT_EQ(a.canvas.di(OperazioneCanvas::Pixel).size(), 63u);   // every point
    EXPECT_EQ(a.canvas.di(OperazioneCanvas::Bezier).size(), 10u);  // and contour line of the sample
    const float w = a.ws.vista.estMaxX - a.ws.vista.estMinX, h = a.ws.vista.estMaxY - a.ws.vista.estMinY;
    ASSERT_GE(w, h);
    const std::size_t pila = a.ws.vista.pila.size();
    zoomEstensione(a.ws, a.canvas, a.host);
    EXPECT_TRUE(a.host.messaggi.empty());
    EXPECT_EQ(a.ws.vista.pila.size(), pila + 1);
    // Redrawn: the new extent lies centred inside the margins on both axes and fills one of
    // them (within the whole-pixel rounding of points and text advances, magnified by the zoom).
    const Vista& v = a.ws.vista;
    const double f = std::min(800 / w, 600 / h), tolleranza = 2 * f + 1;
    const double mx = 800 * kMargineAdattamento, my = 600 * kMargineAdattamento;
    EXPECT_TRUE(v.estMinX >= mx - tolleranza && v.estMaxX <= 800 - mx + tolleranza);
    EXPECT_TRUE(v.estMinY >= my - tolleranza && v.estMaxY <= 600 - my + tolleranza);
    EXPECT_NEAR(v.estMinX + v.estMaxX, 800, tolleranza);
    EXPECT_NEAR(v.estMinY + v.estMaxY, 600, tolleranza);
    EXPECT_TRUE(std::fabs(v.estMaxX - v.estMinX - (800 - 2 * mx)) < tolleranza ||
                std::fabs(v.estMaxY - v.estMinY - (600 - 2 * my)) < tolleranza);
    // "&Precedente" undoes it.
    EXPECT_TRUE(vistaPrecedente(a.ws.vista));
    EXPECT_FLOAT_EQ(a.ws.vista.scala, 1);
    // With 255 views saved the zoom still happens, the stack does not grow.
    disegnaPianta(a.ws, a.canvas, a.host);
    a.ws.vista.pila.resize(255);
    zoomEstensione(a.ws, a.canvas, a.host);
    EXPECT_EQ(a.ws.vista.pila.size(), 255u);
    EXPECT_NE(a.ws.vista.scala, 1);

    // Nothing drawn since the last restart: the message, no redraw, the view saved anyway.
    Ambiente b;
    b.ws.TipoDocumento = kDocNessuno;
    riavviaEstensione(b.ws.vista);
    b.ws.vista.estMaxX = 500;  // left over from an earlier drawing
    zoomEstensione(b.ws, b.canvas, b.host);
    EXPECT_EQ(b.host.testiMessaggi(), std::vector<std::string>{"Finestra di selezione inesistente!"});
    EXPECT_FLOAT_EQ(b.ws.vista.scala, 1);
    EXPECT_EQ(b.ws.vista.pila.size(), 2u);
}

TEST(CanvasMouse, CoordinatesPanPickAndOverlays) {
    Vista v;
    v.scala = 2, v.offsetX = 100, v.offsetY = 500;
    EXPECT_EQ(testoCoordinate(v, 300, 100), "100, 200");
    EXPECT_EQ(testoCoordinate(v, 101, 500), "0,5, 0");
    v.scala = 0;
    EXPECT_EQ(testoCoordinate(v, 300, 100), "");

    // Pan: the first release starts the rubber band, the second moves the view and redraws.
    Ambiente a;
    a.ws.TipoDocumento = kDocPianta;
    EXPECT_EQ(a.rilascio(PulsanteMouse::Sinistro, 5, 5), EsitoMouse::Nessuno);
    a.ws.vista.modoPan = 1;
    EXPECT_EQ(a.rilascio(PulsanteMouse::Sinistro, 50, 50), EsitoMouse::Gestito);
    EXPECT_EQ(controlliCanvas(a.ws, 70, 40), (ControlliCanvas{false, true, false, false, 70, 40, 50, 50}));
    EXPECT_FALSE(a.ridisegnato());
    a.rilascio(PulsanteMouse::Sinistro, 80, 20);
    EXPECT_EQ(a.ws.vista.modoPan, 0);
    EXPECT_EQ(a.vista(), (std::vector<float>{1, 30, 570}));
    EXPECT_TRUE(a.ridisegnato());
    EXPECT_EQ(controlliCanvas(a.ws, 1, 1), (ControlliCanvas{false, false, false, false, 1, 1, 0, 0}));
    // The zoom window waits for the left button.
    a.ws.vista.modoZoom = 1;
    EXPECT_EQ(a.rilascio(PulsanteMouse::Destro, 5, 5), EsitoMouse::Nessuno);
    a.rilascio(PulsanteMouse::Sinistro, 5, 5);
    EXPECT_TRUE(controlliCanvas(a.ws, 9, 9).rettangolo);

    // The pick square follows the pointer until the next release.
    Ambiente b;
    b.ws.vista.modoSelezione = 2;
    EXPECT_TRUE(controlliCanvas(b.ws, 9, 9).quadrato);
    EXPECT_EQ(b.rilascio(PulsanteMouse::Sinistro, 9, 9), EsitoMouse::Gestito);
    EXPECT_EQ(b.ws.vista.modoSelezione, 0);

    // Tracing: the cross-hair, and a rubber band from the last vertex once there is one;
    // the right button ends it.
    Ambiente t;
    t.ws.vista.modoAsse = 2;
    EXPECT_EQ(controlliCanvas(t.ws, 9, 9), (ControlliCanvas{true, false, false, false, 9, 9, 0, 0}));
    t.ws.Piano.NumeroPuntiAsse = 1;
    t.ws.Piano.VerticiAsse.assignRaw({{}, {10, 20, 0}});
    EXPECT_EQ(controlliCanvas(t.ws, 9, 9), (ControlliCanvas{true, true, false, false, 9, 9, 10, 580}));
    EXPECT_EQ(t.rilascio(PulsanteMouse::Destro, 9, 9), EsitoMouse::TracciamentoTerminato);
    EXPECT_EQ(t.ws.vista.modoAsse, 0);
}

// The coordinate label gives true coordinates, each view through the origin of the record it
// draws.
TEST(PointerText, EachViewAddsTheOriginOfTheRecordItDraws) {
    Workspace ws;
    ws.vista.scala = 2, ws.vista.offsetX = 0, ws.vista.offsetY = 100;  // canvas (20, 80) is world (10, 10)
    ws.Piano.Origine = "E=400000 N=4600000";
    ws.PoligonaleAperta.Origine = "E=2400000 N=4900000";
    ws.PoligonaleChiusa.Origine = "E=1500000 N=5000000";
    const std::pair<uint8_t, const char*> casi[] = {
        {kDocPianta, "E 400010,000   N 4600010,000"},
        {kDocDxf, "E 400010,000   N 4600010,000"},
        {kDocPoligonaleAperta, "E 2400010,000   N 4900010,000"},
        {kDocPoligonaleChiusa, "E 1500010,000   N 5000010,000"},
        {kDocTriangolazione, "E 10,000   N 10,000"},  // a chain near 0 has no origin
    };
    for (const auto& [documento, atteso] : casi) {
        ws.TipoDocumento = documento;
        EXPECT_EQ(testoPuntatoreDocumento(ws, 20, 80), atteso) << int(documento);
    }
}

}  // namespace carvela
