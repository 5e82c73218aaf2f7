// National grid coordinates: the same terrain and axis in every polyline form and shifted far
// from 0 give the same road; the plan drawing lies on the drawing it came from.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "dxf/dxf_commands.h"
#include "dxf/dxf_exports.h"
#include "dxf/dxf_project.h"
#include "dxf/dxf_reader.h"
#include "dxf/dxf_sample_road.h"
#include "graphics/recording_canvas.h"
#include "graphics/road_command.h"
#include "project/coordinate.h"
#include "support/fake_host.h"
#include "support/survey_dxf_fixtures.h"

namespace carvela {
namespace {

struct Curva {
    double quota = 0;
    std::vector<std::pair<double, double>> punti;
};

// The contour lines and axis of the bundled sample, in true coordinates shifted by (dE, dN).
std::vector<Curva> curveCampione(double dE, double dN) {
    const VbArray<DxfEntity> d = test::leggiDxf(test::leggiFile(test::fileCampione("terreno.dxf")));
    std::vector<Curva> curve;
    for (int32_t i = 1; i <= d.upperBound(); ++i) {
        if (d[i].Nome == "POLYLINE") curve.emplace_back();
        if (d[i].Nome == "VERTEX" && !curve.empty()) {
            curve.back().quota = d[i].Z1;
            curve.back().punti.emplace_back(d[i].X1 + dE, d[i].Y1 + dN);
        }
    }
    return curve;
}

std::string numero(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    return buf;
}

// The contour lines as R12 3D polylines (0), LWPOLYLINE with 38 (1), 2D POLYLINE with the
// header elevation (2).
std::string disegno(const std::vector<Curva>& curve, int forma) {
    std::string s =
        forma == 0 ? "0 SECTION 2 ENTITIES" : "0 SECTION 2 HEADER 9 $ACADVER 1 AC1018 0 ENDSEC 0 SECTION 2 ENTITIES";
    for (const Curva& c : curve) {
        const std::string q = numero(c.quota);
        if (forma == 1) {
            s += " 0 LWPOLYLINE 100 AcDbEntity 8 CURVE 100 AcDbPolyline 90 " + std::to_string(c.punti.size()) +
                 " 70 0 38 " + q;
            for (auto [x, y] : c.punti) s += " 10 " + numero(x) + " 20 " + numero(y);
            continue;
        }
        s += " 0 POLYLINE 8 CURVE 66 1 10 0 20 0 30 " + (forma == 0 ? "0 70 8" : q + " 70 0");
        for (auto [x, y] : c.punti)
            s += " 0 VERTEX 8 CURVE 10 " + numero(x) + " 20 " + numero(y) + (forma == 0 ? " 30 " + q + " 70 32" : "");
        s += " 0 SEQEND";
    }
    return test::dxf(s + " 0 ENDSEC 0 EOF");
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
    calcola(locale, disegno(curveCampione(0, 0), 0), test::asseCampione(0, 0));
    EXPECT_EQ(locale.Piano.Origine, "");
    // The other forms at the same coordinates give the very same project.
    for (int forma : {1, 2}) {
        Workspace ws;
        calcola(ws, disegno(curveCampione(0, 0), forma), test::asseCampione(0, 0));
        EXPECT_EQ(ws.Piano, locale.Piano) << "form " << forma;
        EXPECT_EQ(ws.Sezioni.raw(), locale.Sezioni.raw()) << "form " << forma;
    }

    const Planimetria& p0 = locale.Piano;
    for (auto [dE, dN] : {std::pair{400000.0, 4600000.0}, {2400000.0, 4900000.0}}) {
        for (int forma : {0, 1, 2}) {
            Workspace ws;
            calcola(ws, disegno(curveCampione(dE, dN), forma), test::asseCampione(dE, dN));
            const OrigineProgetto o = leggiOrigine(ws.Piano.Origine);
            ASSERT_FALSE(o.nulla());
            EXPECT_EQ(std::fmod(o.est, 1000) + std::fmod(o.nord, 1000), 0);
            const Planimetria& p = ws.Piano;
            ASSERT_EQ(p.NumeroIntersezioni, p0.NumeroIntersezioni) << dE << " form " << forma;
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
    const std::vector<Curva> curve = curveCampione(dE, dN);
    Workspace ws;
    calcola(ws, disegno(curve, 1), test::asseCampione(dE, dN));
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
    for (const Curva& c : curve)
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
    SceltaDxf scelta;
    scelta.modo = ModoSelezioneDxf::Layer;
    scelta.layer = "curve";
    scelta.tipo = "LINE";
    scelta.curveDaPolilinee = true;
    ASSERT_TRUE(convertiProgettoDxf(di_nuovo, canvas, host, scelta));
    std::vector<ContourSegment> prima, dopo;
    for (int32_t c = 1; c <= ws.Piano.NumeroCurveLivello; ++c)
        for (int32_t s = 1; s <= ws.Piano.CurveLivello[c].upperBound(); ++s)
            prima.push_back(ws.Piano.CurveLivello[c][s]);
    for (int32_t c = 1; c <= di_nuovo.Piano.NumeroCurveLivello; ++c)
        for (int32_t s = 1; s <= di_nuovo.Piano.CurveLivello[c].upperBound(); ++s)
            dopo.push_back(di_nuovo.Piano.CurveLivello[c][s]);
    EXPECT_EQ(dopo, prima);
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
