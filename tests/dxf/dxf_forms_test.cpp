// Contour lines in every common polyline form, with the groups of later releases around them,
// give the same contour lines; what cannot be a contour line is counted, never read at 0. In
// national grid coordinates the same terrain and axis in every form, shifted far from 0, give
// the same road, and the plan drawing lies on the drawing it came from.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "dxf/dxf_commands.h"
#include "dxf/dxf_exports.h"
#include "dxf/dxf_project.h"
#include "dxf/dxf_reader.h"
#include "dxf/dxf_sample_road.h"
#include "graphics/recording_canvas.h"
#include "graphics/road_command.h"
#include "project/coordinate.h"
#include "state/workspace.h"
#include "support/fake_host.h"
#include "support/survey_dxf_fixtures.h"

namespace carvela {
namespace {

using test::dxf;
using V = std::vector<std::string>;

struct Linea {
    double quota;
    bool chiusa;
    std::vector<std::pair<double, double>> punti;
};

// One open and one closed contour line, far from 0 as national grids are.
const std::vector<Linea> kLinee = {
    {101.5, false, {{2400100.125, 4900200.375}, {2400110.5, 4900205.25}, {2400121.75, 4900203.5}}},
    {102.5, true, {{2400050, 4900050}, {2400060, 4900050}, {2400060, 4900061.5}}},
};

std::string numero(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    return buf;
}
std::string xy(double x, double y) { return " 10 " + numero(x) + " 20 " + numero(y); }

// The three forms: R12 3D polylines (a closed line repeats its first vertex), LWPOLYLINE with
// 38, 2D POLYLINE with the elevation in the header and vertices without flags. The later forms
// carry handles, subclass markers and extended data; with `contorno` also classes, objects and
// a block placed once.
std::string forma(int f, const std::vector<Linea>& linee = kLinee, bool contorno = true) {
    std::string s = f == 0 ? "0 SECTION 2 HEADER 9 $ACADVER 1 AC1009 0 ENDSEC"
                           : "0 SECTION 2 HEADER 9 $ACADVER 1 AC1015 9 $DWGCODEPAGE 3 ANSI_1252 0 ENDSEC ";
    if (f != 0 && contorno)
        s += "0 SECTION 2 CLASSES 0 CLASS 1 LWPOLYLINE 2 AcDbPolyline 0 ENDSEC "
             "0 SECTION 2 BLOCKS 0 BLOCK 8 0 2 SIMBOLO 0 LWPOLYLINE 8 0 90 2 38 5 10 0 20 0 10 1 20 1 "
             "0 CIRCLE 10 0 20 0 30 0 40 1 0 ENDBLK 0 ENDSEC";
    s += " 0 SECTION 2 ENTITIES";
    for (const Linea& l : linee) {
        const std::string q = numero(l.quota);
        if (f == 0) {
            s += " 0 POLYLINE 8 CURVE 66 1 10 0 20 0 30 " + q + " 70 8";
            auto punti = l.punti;
            if (l.chiusa) punti.push_back(punti.front());
            for (auto [x, y] : punti) s += " 0 VERTEX 8 CURVE" + xy(x, y) + " 30 " + q + " 70 32";
            s += " 0 SEQEND 8 CURVE";
        } else if (f == 1) {
            s += " 0 LWPOLYLINE 5 2B 330 1F 100 AcDbEntity 8 CURVE 100 AcDbPolyline 90 " +
                 std::to_string(l.punti.size()) + " 70 " + (l.chiusa ? "1" : "0") + " 38 " + q + " 43 0";
            for (auto [x, y] : l.punti) s += xy(x, y);
            s += " 1001 ACAD 1000 LINE 1070 3";
        } else {
            s += " 0 POLYLINE 5 40 100 AcDbEntity 8 CURVE 100 AcDb2dPolyline 66 1 10 0 20 0 30 " + q + " 70 " +
                 (l.chiusa ? "1" : "0");
            for (auto [x, y] : l.punti) s += " 0 VERTEX 5 41 100 AcDbVertex 8 CURVE 100 AcDb2dVertex" + xy(x, y);
            s += " 0 SEQEND 8 CURVE";
        }
    }
    if (f != 0 && contorno) s += " 0 INSERT 8 0 2 SIMBOLO 10 2400000 20 4900000";
    s += " 0 ENDSEC";
    if (f != 0 && contorno) s += " 0 SECTION 2 OBJECTS 0 DICTIONARY 0 ENDSEC";
    return dxf(s + " 0 EOF");
}

VbArray<VbArray<ContourSegment>> curve(const std::string& testo, LetturaDxf& l) {
    VbArray<DxfEntity> d;
    LimitiDxf limiti;
    const OrigineProgetto nessuna;
    convertiDxf(testo, d, limiti, nullptr, &l, &nessuna);
    return curveDaPolilinee(d);
}

TEST(DxfForms, EveryPolylineFormGivesTheSameContourLinesToTheMillimetre) {
    LetturaDxf l0, l;
    const auto attese = curve(forma(0), l0);
    ASSERT_EQ(attese.upperBound(), 2);
    EXPECT_EQ(l0.origine, (OrigineProgetto{2400000, 4900000}));
    // Relative to the origin a single-precision vertex keeps the millimetre.
    EXPECT_NEAR(attese[1][1].x1 + l0.origine.est, 2400100.125, 0.001);
    EXPECT_NEAR(attese[1][1].y1 + l0.origine.nord, 4900200.375, 0.001);
    EXPECT_EQ(attese[2].upperBound(), 3);  // closed: back to the first vertex
    for (int f : {1, 2}) {
        EXPECT_EQ(curve(forma(f), l).raw(), attese.raw()) << "form " << f;
        EXPECT_EQ(l.versione, "AC1015");
        EXPECT_EQ(l.entitaBlocchi, 2);
        EXPECT_EQ(l.inserimenti, 1);
        EXPECT_EQ(l.polilineeScartate(), 0);
        EXPECT_EQ(l.tipi, (std::vector<std::pair<std::string, int64_t>>{{f == 1 ? "LWPOLYLINE" : "POLYLINE", 2},
                                                                        {"INSERT", 1}}));
    }
    // Without an origin asked for, the records stay where the file has them.
    VbArray<DxfEntity> d;
    LimitiDxf limiti;
    convertiDxf(forma(1), d, limiti);
    EXPECT_EQ(d[2].X1, static_cast<float>(2400100.125));
}

TEST(DxfForms, ArcsBecomeChordsWithinACentimetre) {
    // Half circles of radius 5 and 500, either way round, and a quarter arc on a 2D polyline.
    const std::pair<const char*, std::pair<double, double>> casi[] = {
        {"0 LWPOLYLINE 90 2 38 10 10 0 20 0 42 1 10 10 20 0", {5, -1}},
        {"0 LWPOLYLINE 90 2 38 10 10 0 20 0 42 -1 10 1000 20 0", {500, 1}},
        {"0 POLYLINE 30 10 0 VERTEX 10 0 20 0 42 0.41421356 0 VERTEX 10 10 20 10 0 SEQEND", {10, 0}},
    };
    for (const auto& [testo, atteso] : casi) {
        const auto c = curveDaPolilinee(test::leggiDxf(dxf(testo)));
        ASSERT_EQ(c.upperBound(), 1) << testo;
        const double r = atteso.first;
        const double cx = r == 10 ? 0 : r, cy = r == 10 ? 10 : 0;  // the quarter arc turns about (0, 10)
        ASSERT_GT(c[1].upperBound(), 4);
        for (int32_t k = 1; k <= c[1].upperBound(); ++k) {
            const ContourSegment& s = c[1][k];
            EXPECT_NEAR(std::hypot(s.x1 - cx, s.y1 - cy), r, 1e-3) << testo;
            const double mezzo = std::hypot((s.x1 + s.x2) / 2 - cx, (s.y1 + s.y2) / 2 - cy);
            EXPECT_LE(r - mezzo, 0.01) << testo;
            EXPECT_EQ(s.z1, 10);
            if (atteso.second != 0) EXPECT_GE(s.y1 * atteso.second, -1e-3) << testo;  // the side it bulges to
        }
    }
    // A bulge too small to leave the chord adds no vertex (its step count was infinite).
    const auto c = curveDaPolilinee(test::leggiDxf(dxf("0 LWPOLYLINE 90 2 38 10 10 0 20 0 42 1e-18 10 1 20 0")));
    ASSERT_EQ(c.upperBound(), 1);
    EXPECT_EQ(c[1].upperBound(), 1);
}

TEST(DxfForms, WhatCannotBeAContourLineIsCountedAndNeverLiesAtZero) {
    const std::string testo =
        dxf("0 SECTION 2 ENTITIES "
            "0 LWPOLYLINE 90 1 38 5 10 0 20 0 "                            // one vertex
            "0 LWPOLYLINE 90 3 38 5 10 0 20 0 10 1 20 1 "                  // two vertices of three
            "0 LWPOLYLINE 90 3.7e31 38 5 10 0 20 0 10 1 20 1 "             // a count beyond any integer
            "0 LWPOLYLINE 90 2 38 5 10 0 20 0 42 nan 10 1 20 1 "           // an arc factor that is no number
            "0 LWPOLYLINE 90 2 10 0 20 0 10 1 20 1 "                       // no elevation
            "0 POLYLINE 30 7 70 0 0 VERTEX 10 0 20 0 0 VERTEX 10 1 20 0 "  // never ended
            "0 POLYLINE 10 0 20 0 30 0 0 VERTEX 10 0 20 0 70 0 0 VERTEX 10 4 20 4 70 0 0 SEQEND "  // flat at 0
            "0 LWPOLYLINE 90 2 38 120.5 10 3 20 3 10 4 20 4 0 ENDSEC");
    Workspace ws;
    LimitiDxf limiti;
    convertiDxf(testo, ws.DxfDrawing, limiti, nullptr, &ws.LetturaDisegno);
    const LetturaDxf& l = ws.LetturaDisegno;
    EXPECT_EQ((std::vector<int64_t>{l.pocheVertici, l.conteggioErrato, l.bulgeNonValido, l.senzaSeqend}),
              (std::vector<int64_t>{1, 2, 1, 1}));

    RecordingCanvas canvas;
    FakeHost host;
    ASSERT_TRUE(test::ricavaCurve(ws, canvas, host));
    ASSERT_EQ(ws.Piano.NumeroCurveLivello, 1);
    EXPECT_EQ(ws.Piano.CurveLivello[1].raw(), (std::vector<ContourSegment>{{}, {3, 3, 120.5f, 4, 4, 120.5f}}));
    const RiconoscimentoDxf& r = ws.RiconoscimentoDisegno;
    EXPECT_EQ((std::vector<int64_t>{r.curve, r.vertici, r.senzaQuota}), (std::vector<int64_t>{1, 2, 2}));
    EXPECT_EQ(testoRiconoscimento(l, r),
              "Entità del disegno: LWPOLYLINE 6, POLYLINE 2\n"
              "Curve di livello ricavate: 1, con 2 vertici, quote da 120,50 a 120,50\n"
              "Scartate: 2 polilinee senza quota, 1 polilinea con meno di due vertici, 1 polilinea con un arco "
              "non valido, 2 polilinee con un numero di vertici errato, 1 polilinea senza SEQEND");

    // A drawing whose contour lines carry no elevation at all: refused, the plan untouched.
    ws.DxfDrawing =
        test::leggiDxf(dxf("0 POLYLINE 10 0 20 0 30 0 70 8 0 VERTEX 10 0 20 0 30 0 70 32 0 VERTEX 10 1 20 1 30 0 70 32 "
                           "0 SEQEND"));
    const Planimetria prima = ws.Piano;
    EXPECT_FALSE(test::ricavaCurve(ws, canvas, host));
    EXPECT_EQ(host.testiMessaggi().back(),
              "Le curve di livello ricavate sono tutte a quota zero: il disegno non porta le quote delle curve!");
    EXPECT_EQ(ws.Piano, prima);
}

// The contour lines and axis of the bundled sample, in true coordinates shifted by (dE, dN).
std::vector<Linea> curveCampione(double dE, double dN) {
    const VbArray<DxfEntity> d = test::leggiDxf(test::leggiFile(test::fileCampione("terreno.dxf")));
    std::vector<Linea> curve;
    for (int32_t i = 1; i <= d.upperBound(); ++i) {
        if (d[i].Nome == "POLYLINE") curve.push_back({0, false, {}});
        if (d[i].Nome == "VERTEX" && !curve.empty()) {
            curve.back().quota = d[i].Z1;
            curve.back().punti.emplace_back(d[i].X1 + dE, d[i].Y1 + dN);
        }
    }
    return curve;
}

// The road over a drawing, the axis given in true coordinates.
void calcola(Workspace& ws, const std::string& testo, const std::vector<std::pair<double, double>>& asse) {
    RecordingCanvas canvas;
    FakeHost host;
    LimitiDxf limiti;
    const OrigineProgetto nessuna;
    convertiDxf(testo, ws.DxfDrawing, limiti, nullptr, &ws.LetturaDisegno, &nessuna);
    ASSERT_TRUE(test::ricavaCurve(ws, canvas, host));
    const OrigineProgetto o = leggiOrigine(ws.Piano.Origine);
    ws.Piano.VerticiAsse.redim(0);
    for (auto [x, y] : asse)
        ws.Piano.VerticiAsse.raw().push_back({coordinataRecord(x, o.est), coordinataRecord(y, o.nord), 0});
    ws.Piano.AsseTracciato = ws.Piano.VerticiAsse;
    ws.Piano.NumeroPuntiAsse = ws.Piano.VerticiAsse.upperBound();
    calcolaTracciato(ws, canvas, host);
    ASSERT_GT(ws.Piano.NumeroIntersezioni, 10);
}

TEST(DxfOrigine, EveryFormAndEveryFrameGivesTheSameRoad) {
    Workspace locale;
    calcola(locale, forma(0, curveCampione(0, 0), false), test::asseCampione(0, 0));
    EXPECT_EQ(locale.Piano.Origine, "");
    // The other forms at the same coordinates give the very same project.
    for (int f : {1, 2}) {
        Workspace ws;
        calcola(ws, forma(f, curveCampione(0, 0), false), test::asseCampione(0, 0));
        EXPECT_EQ(ws.Piano, locale.Piano) << "form " << f;
        EXPECT_EQ(ws.Sezioni.raw(), locale.Sezioni.raw()) << "form " << f;
    }

    const Planimetria& p0 = locale.Piano;
    for (auto [dE, dN] : {std::pair{400000.0, 4600000.0}, {2400000.0, 4900000.0}}) {
        for (int f : {0, 1, 2}) {
            Workspace ws;
            calcola(ws, forma(f, curveCampione(dE, dN), false), test::asseCampione(dE, dN));
            const OrigineProgetto o = leggiOrigine(ws.Piano.Origine);
            ASSERT_FALSE(o.nulla());
            EXPECT_EQ(std::fmod(o.est, 1000) + std::fmod(o.nord, 1000), 0);
            const Planimetria& p = ws.Piano;
            ASSERT_EQ(p.NumeroIntersezioni, p0.NumeroIntersezioni) << dE << " form " << f;
            for (int32_t k = 1; k <= p.NumeroIntersezioni; ++k) {
                const IntersezioneAsse a = p.Intersezioni[k], b = p0.Intersezioni[k];
                EXPECT_NEAR(a.x + o.est - dE, b.x, 1e-3) << k;
                EXPECT_NEAR(a.y + o.nord - dN, b.y, 1e-3) << k;
                EXPECT_NEAR(a.z, b.z, 1e-3) << k;
                EXPECT_NEAR(ws.Sezioni[k].Progressiva, locale.Sezioni[k].Progressiva, 1e-3) << k;
                EXPECT_NEAR(ws.Profilo.QuoteTerreno[k], locale.Profilo.QuoteTerreno[k], 1e-3) << k;
                EXPECT_NEAR(ws.Sezioni[k].AreaSterro, locale.Sezioni[k].AreaSterro, 0.01) << k;
                EXPECT_NEAR(ws.Sezioni[k].AreaRiporto, locale.Sezioni[k].AreaRiporto, 0.01) << k;
            }
            ASSERT_EQ(ws.Paleggi.NumeroPunti, locale.Paleggi.NumeroPunti);
            for (int32_t k = 1; k <= ws.Paleggi.NumeroPunti; ++k)
                EXPECT_NEAR(ws.Paleggi.Ordinate[k], locale.Paleggi.Ordinate[k], 0.1) << k;
        }
    }
}

TEST(DxfOrigine, ThePlanDrawingLiesOnTheDrawingItCameFrom) {
    const double dE = 2400000, dN = 4900000;
    const std::vector<Linea> curve = curveCampione(dE, dN);
    Workspace ws;
    calcola(ws, forma(1, curve, false), test::asseCampione(dE, dN));
    const std::string esportato = esportaPianta(ws.Piano, ws.impostazioni);

    // Read again at origin 0 (as any other program reads it), each contour vertex and axis
    // vertex is where the survey has it.
    VbArray<DxfEntity> d;
    LimitiDxf limiti;
    convertiDxf(esportato, d, limiti);
    std::size_t linee = 0;
    for (int32_t i = 1; i <= d.upperBound(); ++i) linee += d[i].Nome == "LINE" && d[i].Layer == "curve";
    // Single precision at these coordinates keeps only half a metre: read the text itself.
    std::istringstream righe(esportato);
    std::string codice, valore, layer, entita;
    std::vector<double> xs, ys;
    while (std::getline(righe, codice) && std::getline(righe, valore)) {
        const int c = std::stoi(codice);
        if (c == 0) entita = valore.substr(0, valore.find('\r'));
        if (c == 8) layer = valore.substr(0, valore.find('\r'));
        if (entita == "LINE" && layer == "curve" && c == 10) xs.push_back(std::stod(valore));
        if (entita == "LINE" && layer == "curve" && c == 20) ys.push_back(std::stod(valore));
    }
    std::size_t n = 0;
    for (const Linea& c : curve)
        for (std::size_t k = 0; k + 1 < c.punti.size(); ++k, ++n) {
            ASSERT_LT(n, xs.size());
            EXPECT_NEAR(xs[n], c.punti[k].first, 1e-3);
            EXPECT_NEAR(ys[n], c.punti[k].second, 1e-3);
        }
    EXPECT_EQ(n, xs.size());
    EXPECT_EQ(linee, xs.size());

    // Import -> export -> import: the records come back the same, the origin too.
    Workspace di_nuovo;
    const OrigineProgetto nessuna;
    convertiDxf(esportato, di_nuovo.DxfDrawing, limiti, nullptr, &di_nuovo.LetturaDisegno, &nessuna);
    EXPECT_EQ(di_nuovo.LetturaDisegno.origine, leggiOrigine(ws.Piano.Origine));
    RecordingCanvas canvas;
    FakeHost host;
    const SceltaDxf scelta{TipoProgettoDxf::PianoQuotato, ModoSelezioneDxf::Layer, 15, "curve", "LINE", true};
    ASSERT_TRUE(convertiProgettoDxf(di_nuovo, canvas, host, scelta));
    const auto pezzi = [](const Planimetria& p) {  // every piece, whatever line it joins
        std::vector<ContourSegment> out;
        for (int32_t c = 1; c <= p.NumeroCurveLivello; ++c)
            for (int32_t k = 1; k <= p.CurveLivello[c].upperBound(); ++k) out.push_back(p.CurveLivello[c][k]);
        return out;
    };
    EXPECT_EQ(pezzi(di_nuovo.Piano), pezzi(ws.Piano));
    // The axis segments, read back with the same origin, are the traced axis.
    std::vector<std::pair<float, float>> asseLetto, asseTracciato;
    for (int32_t i = 1; i <= di_nuovo.DxfDrawing.upperBound(); ++i)
        if (di_nuovo.DxfDrawing[i].Layer == "asse")
            asseLetto.emplace_back(di_nuovo.DxfDrawing[i].X1, di_nuovo.DxfDrawing[i].Y1);
    for (int32_t i = 1; i < ws.Piano.NumeroPuntiAsse; ++i)
        asseTracciato.emplace_back(ws.Piano.AsseTracciato[i].x, ws.Piano.AsseTracciato[i].y);
    EXPECT_EQ(asseLetto, asseTracciato);
}

}  // namespace
}  // namespace carvela
