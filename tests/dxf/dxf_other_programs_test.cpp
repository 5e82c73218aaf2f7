// DXF and other programs, each check skipped when its program is not installed. The exported
// drawings of every kind open in two independent DXF readers from Debian, the Python library
// ezdxf and GDAL's ogrinfo, with as many entities as the program wrote; contour drawings as
// other programs write them (GDAL's contours of a generated grid through ogr2ogr, ezdxf's later
// releases) are read with their elevations in national coordinates.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <set>

#include "dxf/dxf_commands.h"
#include "dxf/dxf_exports.h"
#include "dxf/dxf_project.h"
#include "dxf/dxf_road_exports.h"
#include "dxf/dxf_sample_road.h"
#include "graphics/recording_canvas.h"
#include "state/workspace.h"
#include "support/fake_host.h"
#include "support/survey_dxf_fixtures.h"

namespace carvela {
namespace {

using test::lista;

int esegui(const std::string& comando, std::string& uscita) { return test::esegui(comando + " 2>&1", uscita); }
int esegui(const std::string& comando) {
    std::string uscita;
    return esegui(comando, uscita);
}

// The entities a reader sees at the top level: everything but vertices and sequence ends.
int entitaPrincipali(const std::string& testo) {
    int n = 0;
    for (const std::string& e : test::descrivi(test::leggiDxf(testo)))
        n += e.rfind("VERTEX", 0) != 0 && e.rfind("SEQEND", 0) != 0;
    return n;
}

TEST(DisegniEsportati, OpenInEzdxfAndOgrinfo) {
    std::string uscita;
    const bool ezdxf = esegui("/usr/bin/python3 -c 'import ezdxf'", uscita) == 0;
    const bool ogrinfo = esegui("ogrinfo --version", uscita) == 0;
    if (!ezdxf && !ogrinfo) GTEST_SKIP() << "python3-ezdxf e gdal-bin non installati";
    if (!ezdxf || !ogrinfo) std::cerr << "NOTA: " << (ezdxf ? "gdal-bin" : "python3-ezdxf") << " non installato.\n";

    // Every kind of export, from the sample road and small survey records.
    test::FileTemporaneo cartella("segnaposto");
    Workspace ws;
    RecordingCanvas canvas;
    FakeHost host;
    ASSERT_TRUE(test::calcolaCampione(ws, canvas, host));
    const Impostazioni& imp = ws.impostazioni;
    OpenTraverse aperta;
    aperta.NumeroStazioni = 3;
    aperta.Ascissa = lista({100, 200, 300}), aperta.Ordinata = lista({50.5f, 101, 151.5f});
    aperta.Quota = lista({10, 10, 10});
    ClosedTraverse chiusa;
    chiusa.NumeroStazioni = 4;
    chiusa.Ascissa = lista({0, 100, 100, 0, 0}), chiusa.Ordinata = lista({0, 0, 80, 80, 0});
    chiusa.Quota = lista({5, 5, 5, 5});
    TriangulationChain catena;
    catena.NumeroTriangoli = 3;
    catena.X.assignRaw({0, 40, 80, 120, 160}), catena.Y.assignRaw({0, 35, 0, 35, 0}), catena.Azimut.redim(5);
    const std::map<std::string, std::string> file = {{"pianta", esportaPianta(ws.Piano, imp)},
                                                     {"profilo", esportaProfilo(ws.Profilo)},
                                                     {"sezioni", esportaSezioni(ws.Sezioni, imp)},
                                                     {"diagramma", esportaDiagramma(ws.Paleggi)},
                                                     {"aperta", esportaPoligonaleAperta(aperta, imp)},
                                                     {"chiusa", esportaPoligonaleChiusa(chiusa, imp)},
                                                     {"triangolazione", esportaTriangolazione(catena, imp)}};
    for (const auto& [nome, testo] : file) {
        const std::string path = cartella.cartella() + "/" + nome + ".dxf";
        std::ofstream(path, std::ios::binary) << testo;
        if (ezdxf) {
            const std::string script =
                "import sys, ezdxf\nd = ezdxf.readfile(sys.argv[1])\n"
                "print(len(d.modelspace()), len(d.audit().errors))";
            ASSERT_EQ(esegui("/usr/bin/python3 -c '" + script + "' " + path, uscita), 0) << nome << uscita;
            EXPECT_EQ(uscita, std::to_string(entitaPrincipali(testo)) + " 0\n") << nome;
        }
        if (ogrinfo) {
            ASSERT_EQ(esegui("ogrinfo -ro -so -al " + path, uscita), 0) << nome << uscita;
            EXPECT_EQ(uscita.find("ERROR"), std::string::npos) << uscita;
            std::smatch m;
            ASSERT_TRUE(std::regex_search(uscita, m, std::regex("Feature Count: ([0-9]+)"))) << uscita;
            EXPECT_EQ(std::stoi(m[1]), entitaPrincipali(testo)) << nome;
        }
    }
}

// The drawing at `path` imported and its polylines made contour lines, as the wizard does.
void importaCurve(Workspace& ws, const std::string& path) {
    RecordingCanvas canvas;
    FakeHost host;
    ASSERT_TRUE(ReadDxf(ws, host, path)) << path;
    ASSERT_TRUE(test::ricavaCurve(ws, canvas, host)) << path;
}

// Gauss-Boaga, where single precision alone keeps only half a metre.
constexpr double kE0 = 2400000, kN0 = 4900000;
double piano(double e, double n) { return 100 + 0.05 * (e - kE0) + 0.03 * (n - kN0); }

TEST(DxfOtherWriters, GdalContoursOfAGridCarryTheirElevations) {
    if (esegui("command -v gdal_contour && command -v ogr2ogr") != 0) GTEST_SKIP() << "gdal-bin non installato";
    // A plane sampled at the cell centres: contours interpolated along the cells lie on it.
    test::FileTemporaneo grid("terreno.asc");
    const int colonne = 41, righe = 31;
    const double lato = 5;
    {
        std::ofstream f(grid.path());
        f.precision(12);
        f << "ncols " << colonne << "\nnrows " << righe << "\nxllcorner " << kE0 << "\nyllcorner " << kN0
          << "\ncellsize " << lato << "\n";
        for (int r = 0; r < righe; ++r, f << "\n")
            for (int c = 0; c < colonne; ++c) f << piano(kE0 + (c + 0.5) * lato, kN0 + (righe - 0.5 - r) * lato) << " ";
    }
    // Inside, a vertex lies on the plane; GDAL carries each line on to the grid's outer edge
    // at the value of the last cell, so an end vertex lies on that edge to the millimetre.
    const double estE = kE0 + colonne * lato, estN = kN0 + righe * lato;
    auto sulPiano = [&](double e, double n, double z) {
        const bool bordo =
            std::min({std::abs(e - kE0), std::abs(e - estE), std::abs(n - kN0), std::abs(n - estN)}) < 1e-3;
        return bordo || std::abs(piano(e, n) - z) < 1e-3;
    };
    const std::string cartella = grid.cartella();
    ASSERT_EQ(esegui("gdal_contour -q -3d -i 1 -a quota " + grid.path() + " " + cartella + "/curve.shp"), 0);
    // ogr2ogr complains that DXF has no attribute fields; the geometry is what counts.
    ASSERT_EQ(esegui("ogr2ogr -f DXF " + cartella + "/curve.dxf " + cartella + "/curve.shp"), 0);

    Workspace ws;
    importaCurve(ws, cartella + "/curve.dxf");
    const OrigineProgetto o = leggiOrigine(ws.Piano.Origine);
    EXPECT_EQ(o, (OrigineProgetto{kE0, kN0}));
    EXPECT_FALSE(ws.LetturaDisegno.versione.empty());
    // Elevations over the cell centres run from 100.2 to 114.7: one line per metre between.
    std::set<float> quote;
    ASSERT_EQ(ws.Piano.NumeroCurveLivello, 14);
    for (int32_t c = 1; c <= ws.Piano.NumeroCurveLivello; ++c) {
        const auto& curva = ws.Piano.CurveLivello[c];
        ASSERT_GE(curva.upperBound(), 1);
        for (int32_t s = 1; s <= curva.upperBound(); ++s) {
            const ContourSegment& g = curva[s];
            EXPECT_EQ(g.z1, curva[1].z1);
            EXPECT_EQ(g.z2, curva[1].z1);
            EXPECT_TRUE(sulPiano(g.x1 + o.est, g.y1 + o.nord, g.z1)) << c << " " << s;
            EXPECT_TRUE(sulPiano(g.x2 + o.est, g.y2 + o.nord, g.z2)) << c << " " << s;
        }
        quote.insert(curva[1].z1);
    }
    EXPECT_EQ(quote.size(), 14u);
    EXPECT_EQ(*quote.begin(), 101);
    EXPECT_EQ(*quote.rbegin(), 114);
}

// ezdxf at R2000 (code page 1252) and R2018 (UTF-8): the same line as LWPOLYLINE and as a 2D
// POLYLINE in a layer with an accented name, and a block placed once.
TEST(DxfOtherWriters, EzdxfReleasesGiveTheSameContourLines) {
    if (esegui("/usr/bin/python3 -c 'import ezdxf'") != 0) GTEST_SKIP() << "python3-ezdxf non installato";
    test::FileTemporaneo script(
        "scrivi.py",
        "import sys, ezdxf\n"
        "d = ezdxf.new(sys.argv[1])\n"
        "m = d.modelspace()\n"
        "d.layers.add('CURVE_PI\\u00d9')\n"
        "a = {'layer': 'CURVE_PI\\u00d9'}\n"
        "pts = [(2400100.125, 4900200.375), (2400110.5, 4900205.25), (2400121.75, 4900203.5)]\n"
        "m.add_lwpolyline(pts, dxfattribs=dict(a, elevation=101.5))\n"
        "p = m.add_polyline2d(pts, dxfattribs=a)\n"
        "p.dxf.elevation = (0, 0, 101.5)\n"
        "d.blocks.new('SIMBOLO').add_lwpolyline([(0, 0), (1, 1)], dxfattribs={'elevation': 5})\n"
        "m.add_blockref('SIMBOLO', (2400000, 4900000))\n"
        "d.saveas(sys.argv[2])\n");
    std::vector<ContourSegment> primo;
    for (const char* versione : {"R2000", "R2018"}) {
        const std::string path = script.cartella() + "/" + versione + ".dxf";
        ASSERT_EQ(esegui("/usr/bin/python3 " + script.path() + " " + versione + " " + path), 0);
        Workspace ws;
        importaCurve(ws, path);
        const LetturaDxf& l = ws.LetturaDisegno;
        EXPECT_EQ(l.entitaBlocchi, 1) << versione;
        EXPECT_EQ(l.inserimenti, 1) << versione;
        EXPECT_EQ(l.polilineeScartate(), 0) << versione;
        ASSERT_EQ(ws.Piano.NumeroCurveLivello, 2) << versione;
        EXPECT_EQ(ws.Piano.CurveLivello[1].raw(), ws.Piano.CurveLivello[2].raw()) << versione;
        std::set<std::string> layer;
        for (int32_t i = 1; i <= ws.DxfDrawing.upperBound(); ++i) layer.insert(ws.DxfDrawing[i].Layer);
        EXPECT_TRUE(layer.count("CURVE_PIÙ")) << versione;
        const OrigineProgetto o = leggiOrigine(ws.Piano.Origine);
        const ContourSegment& g = ws.Piano.CurveLivello[1][1];
        EXPECT_NEAR(g.x1 + o.est, 2400100.125, 1e-3);
        EXPECT_NEAR(g.y1 + o.nord, 4900200.375, 1e-3);
        EXPECT_EQ(g.z1, 101.5f);
        const auto& segmenti = ws.Piano.CurveLivello[1].raw();
        if (primo.empty()) primo = segmenti;
        EXPECT_EQ(segmenti, primo) << versione;
    }
}

}  // namespace
}  // namespace carvela
