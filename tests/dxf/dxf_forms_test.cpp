// Contour lines in every common polyline form, with the groups of later releases around them,
// give the same contour lines; what cannot be a contour line is counted, never read at 0.
#include <gtest/gtest.h>

#include <cmath>

#include "dxf/dxf_commands.h"
#include "dxf/dxf_project.h"
#include "dxf/dxf_reader.h"
#include "dxf/dxf_sample_road.h"
#include "graphics/recording_canvas.h"
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

std::string xy(double x, double y) {
    char buf[96];
    std::snprintf(buf, sizeof buf, " 10 %.4f 20 %.4f", x, y);
    return buf;
}

// The three forms: R12 3D polylines (a closed line repeats its first vertex), LWPOLYLINE with
// 38, 2D POLYLINE with the elevation in the header and vertices without flags. The later
// forms carry handles, subclass markers, extended data, classes, objects and a block.
std::string forma(int f) {
    std::string s = f == 0 ? "0 SECTION 2 HEADER 9 $ACADVER 1 AC1009 0 ENDSEC"
                           : "0 SECTION 2 HEADER 9 $ACADVER 1 AC1015 9 $DWGCODEPAGE 3 ANSI_1252 0 ENDSEC "
                             "0 SECTION 2 CLASSES 0 CLASS 1 LWPOLYLINE 2 AcDbPolyline 0 ENDSEC "
                             "0 SECTION 2 BLOCKS 0 BLOCK 8 0 2 SIMBOLO 0 LWPOLYLINE 8 0 90 2 38 5 10 0 20 0 10 1 20 1 "
                             "0 CIRCLE 10 0 20 0 30 0 40 1 0 ENDBLK 0 ENDSEC";
    s += " 0 SECTION 2 ENTITIES";
    for (const Linea& l : kLinee) {
        char q[32];
        std::snprintf(q, sizeof q, "%.3f", l.quota);
        if (f == 0) {
            s += std::string(" 0 POLYLINE 8 CURVE 66 1 10 0 20 0 30 ") + q + " 70 8";
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
            s += std::string(" 0 POLYLINE 5 40 100 AcDbEntity 8 CURVE 100 AcDb2dPolyline 66 1 10 0 20 0 30 ") + q +
                 " 70 " + (l.chiusa ? "1" : "0");
            for (auto [x, y] : l.punti) s += " 0 VERTEX 5 41 100 AcDbVertex 8 CURVE 100 AcDb2dVertex" + xy(x, y);
            s += " 0 SEQEND 8 CURVE";
        }
    }
    if (f != 0) s += " 0 INSERT 8 0 2 SIMBOLO 10 2400000 20 4900000 0 ENDSEC 0 SECTION 2 OBJECTS 0 DICTIONARY 0 ENDSEC";
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

}  // namespace
}  // namespace carvela
