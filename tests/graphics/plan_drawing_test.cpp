// The plan drawing: contour lines as Bezier chains, points, labels, the axis and its sections;
// the stroke font its labels are written in.
#include "graphics/plan_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "graphics/recording_canvas.h"
#include "graphics/stroke_font.h"
#include "state/view.h"
#include "state/workspace.h"
#include "support/cases.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

using Op = OperazioneCanvas;

// A view with s = 1 and world (0, 0) at canvas (0, 1000).
Vista vistaSemplice() {
    Vista v;
    v.scala = 1, v.offsetX = 0, v.offsetY = 1000;
    return v;
}

// Piece k runs from vertex k to vertex k + 1, vertex k being world (10 k, k^2).
VbArray<ContourSegment> curva(int pezzi) {
    VbArray<ContourSegment> c(pezzi);
    for (int k = 1; k <= pezzi; ++k)
        c[k] = {float(10 * k), float(k * k), 50, float(10 * k + 10), float((k + 1) * (k + 1)), 50};
    return c;
}

// The drawing of curva() as vertex numbers: "B1234" a Bezier chain, "M4" a move, "L5" a line to.
std::string traccia(const std::vector<Op>& ops) {
    auto vertice = [](double x, double y) {
        const int k = int(x) / 10;
        return int(y) == 1000 - k * k ? std::to_string(k) : "?";
    };
    std::string t;
    for (const Op& o : ops) {
        if (o.tipo == Op::Bezier) {
            t += "B";
            for (const auto& p : o.punti) t += vertice(p.x, p.y);
        } else if (o.tipo == Op::MoveTo) {
            t += " M" + vertice(o.a, o.b);
        } else if (o.tipo == Op::LineTo) {
            t += " L" + vertice(o.c, o.d);
        }
    }
    return t;
}

// The operations as text, each led by ";", to find a text's strokes among a drawing's.
std::string comeTesto(const std::vector<Op>& ops) {
    std::ostringstream out;
    for (const Op& o : ops)
        out << ";" << o.tipo << " " << o.colore << " " << o.a << " " << o.b << " " << o.c << " " << o.d;
    return out.str();
}

// The operations the stroke font alone makes for a text.
std::vector<Op> testo(const Vista& v0, float s, double x, double y, int colore, const std::string& t) {
    Vista v = v0;
    RecordingCanvas c;
    scriviTesto(v, c, s, x, y, 0, 4, colore, t);
    return c.operazioni;
}

bool scrive(const RecordingCanvas& c, const std::vector<Op>& testo) {
    return comeTesto(c.operazioni).find(comeTesto(testo)) != std::string::npos;
}

// The strokes of a text as "M x,y" moves, "L x,y" line ends, "A x,y,r,from,to,aspect" arcs and
// "C x,y,r,aspect" circles; every stroke must be in the text's colour.
std::string scrivi(const std::string& testo, uint8_t verticale = 0, double x0 = 100, double y0 = 200, float s = 2,
                   float altezza = 10) {
    Vista v;
    RecordingCanvas c;
    scriviTesto(v, c, s, x0, y0, verticale, altezza, 14, testo);
    std::ostringstream out;
    for (const Op& o : c.operazioni) {
        if (o.colore != 14 && o.tipo != Op::MoveTo) out << "colour " << o.colore << "! ";
        if (o.tipo == Op::MoveTo) out << "M" << o.a << "," << o.b << " ";
        if (o.tipo == Op::LineTo) out << "L" << o.c << "," << o.d << " ";
        if (o.tipo == Op::Arc) out << "A" << o.a << "," << o.b << "," << o.c << "," << o.inizio << "," << o.fine << ",";
        if (o.tipo == Op::Circle) out << "C" << o.a << "," << o.b << "," << o.c << ",";
        if (o.tipo == Op::Arc || o.tipo == Op::Circle) out << o.aspetto << " ";
    }
    return out.str();
}

}  // namespace

TEST(PlanContours, BezierOverWholeThreesThenStraightRemainder) {
    Vista v = vistaSemplice();
    for (const test::Caso& k : test::leggiCasi("plan_contours.txt")) {
        RecordingCanvas c;
        c.setForeColor(10);
        const std::vector<double> n = k.numeri(0);
        disegnaCurvaLivello(v, c, curva(int(n[0])), int(n[1]));
        EXPECT_EQ(traccia(c.operazioni), k.campi[1]) << k.testo;
        for (const Op& o : c.operazioni) EXPECT_EQ(o.colore, 10);
    }

    // No pieces, zero-length pieces, pieces that are not numbers: no crash, nothing wrong drawn.
    RecordingCanvas c;
    disegnaCurvaLivello(v, c, VbArray<ContourSegment>(), 1);
    disegnaCurvaLivello(v, c, VbArray<ContourSegment>(0), 1);
    EXPECT_TRUE(c.operazioni.empty());
    VbArray<ContourSegment> ferma(5);
    for (int k = 1; k <= 5; ++k) ferma[k] = {3, 3, 1, 3, 3, 1};
    disegnaCurvaLivello(v, c, ferma, 1);
    EXPECT_EQ(c.operazioni.size(), 4u);
    c.svuota();
    ferma[2].x2 = NAN;
    disegnaCurvaLivello(v, c, ferma, 1);
    EXPECT_TRUE(c.operazioni.empty());
}

TEST(PlanDrawing, PointsLabelsAndContoursInOrder) {
    Workspace ws;
    FakeHost host;
    RecordingCanvas c;
    ws.vista = vistaSemplice();
    ws.vista.scala = 2;
    Planimetria& p = ws.Piano;
    p.NumeroPunti = 2;
    p.Punti.assignRaw({{}, {10, 20, 5.5f}, {30.125f, -4, 0.004f}});
    p.PuntiStazione.assignRaw({0, 0, 1});
    p.NumeroCurveLivello = 1;
    p.CurveLivello.assignRaw({{}, curva(5)});
    ws.TipoDocumento = kDocProfilo;
    disegnaPianta(ws, c, host);

    EXPECT_EQ(ws.TipoDocumento, kDocPianta);
    EXPECT_FALSE(host.cursoreAttesaAttivo);
    ASSERT_GE(c.operazioni.size(), 5u);
    EXPECT_EQ(c.operazioni[0].tipo, Op::Clear);
    // A white pixel, then a circle of half a world unit: light cyan, light red on a station.
    const Op &pixel = c.operazioni[1], &cerchio = c.operazioni[2];
    EXPECT_EQ(std::tuple(pixel.tipo, pixel.colore, pixel.a, pixel.b), std::tuple(Op::Pixel, 15, 20.0, 960.0));
    EXPECT_EQ(std::tuple(cerchio.tipo, cerchio.colore, cerchio.c), std::tuple(Op::Circle, 11, 1.0));
    EXPECT_EQ(c.operazioni[4].colore, 12);
    // Labels at one unit right and above, yellow, "#.00" with the decimal comma.
    EXPECT_TRUE(scrive(c, testo(ws.vista, 2, 22, 958, 14, "P1(10,00,20,00,5,50)")));
    EXPECT_TRUE(scrive(c, testo(ws.vista, 2, 62.25, 1006, 14, "P2(30,13,-4,00,,00)")));
    // Contours after the labels, in light green; then the contour's elevation at its end.
    std::size_t bezier = 0;
    while (bezier < c.operazioni.size() && c.operazioni[bezier].tipo != Op::Bezier) ++bezier;
    ASSERT_LT(bezier, c.operazioni.size());
    EXPECT_EQ(c.operazioni[bezier].colore, 10);
    const auto quota = testo(ws.vista, 2, 120, 928, 14, "50,00");
    EXPECT_EQ(c.operazioni.size() - bezier, 4 + quota.size());
    EXPECT_TRUE(scrive(c, quota));

    // Without labels only the pixels, circles and the contour line are drawn; the points alone
    // make the extent, so "&Estensione" can fit them.
    ws.impostazioni.MantieniQuoteDraw = false;
    p.NumeroCurveLivello = 0;
    c.svuota();
    disegnaPianta(ws, c, host);
    EXPECT_EQ(c.operazioni.size(), 5u);
    EXPECT_EQ(std::vector<float>({ws.vista.estMinX, ws.vista.estMaxX, ws.vista.estMinY, ws.vista.estMaxY}),
              std::vector<float>({20, 60.25f, 960, 1008}));
}

TEST(PlanDrawing, AxisSectionsEdgesLandTakeAndStations) {
    Workspace ws;
    FakeHost host;
    RecordingCanvas c;
    ws.vista = vistaSemplice();
    ws.impostazioni.MantieniQuoteDraw = false;
    Planimetria& p = ws.Piano;
    p.NumeroPuntiAsse = 3;
    p.AsseTracciato.assignRaw({{}, {0, 0, 0}, {100, 0, 255}, {200, 50, 0}});
    p.NumeroIntersezioni = 2;
    p.Intersezioni.assignRaw({{}, {10, 0, 7, 1}, {60, 0, 8, 1}});
    p.Cigli.assignRaw({{}, {10, 5, 0, 10, -5, 0}, {60, 5, 0, 60, -5, 0}});
    p.Occupazione.assignRaw({{}, {10, 9, -0.5f, 10, -9, 0}, {60, 9, 2, 60, -9, -3}});
    disegnaPianta(ws, c, host);

    std::vector<std::tuple<int, int, int, int, int>> linee;  // colour, from, to
    for (const auto& o : c.di(Op::LineTo)) linee.emplace_back(o.colore, int(o.a), int(o.b), int(o.c), int(o.d));
    const std::vector<std::tuple<int, int, int, int, int>> attese = {
        {15, 0, 1000, 100, 1000}, {15, 100, 1000, 200, 950},  // axis
        {15, 10, 991, 10, 1009},  {15, 60, 991, 60, 1009},    // section lines
        {15, 10, 995, 60, 995},   {15, 10, 1005, 60, 1005},   // road edges, left then right
        {12, 10, 991, 60, 991},   {14, 10, 1009, 60, 1009},   // land take by the z of station 1
    };
    // Station numbers come after, in light cyan.
    ASSERT_GE(linee.size(), attese.size());
    for (std::size_t i = 0; i < attese.size(); ++i) EXPECT_EQ(linee[i], attese[i]) << i;
    for (std::size_t i = attese.size(); i < linee.size(); ++i) EXPECT_EQ(std::get<0>(linee[i]), 11);
    const auto cerchi = c.di(Op::Circle);
    ASSERT_EQ(cerchi.size(), 2u);
    EXPECT_EQ(std::pair(cerchi[0].colore, cerchi[0].c), std::pair(15, 1.0));
    EXPECT_TRUE(scrive(c, testo(ws.vista, 1, 60, 1000, 11, "2")));

    // Counts beyond the lists of a damaged record draw what exists and nothing more.
    p.NumeroIntersezioni = p.NumeroPuntiAsse = p.NumeroPunti = 100000000;
    c.svuota();
    disegnaPianta(ws, c, host);
    EXPECT_EQ(c.di(Op::Circle).size(), 2u);
}

TEST(StrokeFont, GlyphsAdvancesAndCharactersWithoutGlyph) {
    for (const test::Caso& c : test::leggiCasi("stroke_font.txt")) {
        SCOPED_TRACE(c.testo);
        std::string testo = c.campi[0];
        if (testo.size() > 1 && testo.front() == '"') testo = testo.substr(1, testo.size() - 2);
        std::vector<double> n = c.numeri(1);
        n.resize(4), n[2] = n[2] ? n[2] : 2, n[3] = n[3] ? n[3] : 10;
        const auto v = static_cast<uint8_t>(n[0]);
        const auto s = static_cast<float>(n[2]), h = static_cast<float>(n[3]);
        std::string atteso = c.campi[2];
        if (atteso.rfind("=", 0) == 0) {
            atteso.clear();
            for (const std::string& pezzo : c.lista(2)) {
                const std::size_t at = pezzo.rfind('@'), virgola = pezzo.find(',', at);
                const double y0 = virgola == std::string::npos ? 200 : std::stod(pezzo.substr(virgola + 1));
                atteso += scrivi(pezzo.substr(pezzo[0] == '=' ? 2 : 0, at - (pezzo[0] == '=' ? 2 : 0)), v,
                                 std::stod(pezzo.substr(at + 1)), y0, s, h);
            }
        } else {
            atteso += ' ';
        }
        EXPECT_EQ(scrivi(testo, v, n[1], 200, s, h), atteso);
    }

    int glifi = 0;
    for (char32_t c = 0; c < 128; ++c) glifi += haGlifo(c) && !(c >= 'a' && c <= 'z');
    EXPECT_EQ(glifi, 43);
    for (char c : std::string(" /:*?'\"")) EXPECT_FALSE(haGlifo(c)) << c;
}

TEST(StrokeFont, LongTextsStopAt255CharactersAndMovesTrackTheExtent) {
    EXPECT_EQ(scrivi(std::string(300, '7')), [] {
        std::string s;
        for (int i = 0; i < 255; ++i) s += scrivi("7", 0, 100 + 12 * i);
        return s;
    }());
    Vista v;
    RecordingCanvas c;
    riavviaEstensione(v);
    scriviTesto(v, c, 1, 50, 60, 0, 10, 11, "T1");
    // Moves of "T" (0,1)/(0.25,1) and "1" (0.1,0.8)/(0.1,0) from 50 and 56.
    EXPECT_EQ(std::vector<float>({v.estMinX, v.estMaxX, v.estMinY, v.estMaxY}), std::vector<float>({50, 57, 50, 60}));
    EXPECT_EQ(c.foreColor(), 11);
    // Nothing is drawn for a position that is not a number.
    RecordingCanvas d;
    scriviTesto(v, d, 1, NAN, 60, 0, 10, 11, "T1");
    EXPECT_TRUE(d.operazioni.empty());
}

}  // namespace carvela
