#include "dxf/dxf_writer.h"

#include <gtest/gtest.h>

#include "dxf/dxf_commands.h"
#include "dxf/dxf_exports.h"
#include "dxf/dxf_project.h"
#include "graphics/recording_canvas.h"
#include "state/settings.h"
#include "state/workspace.h"
#include "support/fake_host.h"
#include "support/survey_dxf_fixtures.h"

namespace carvela {
namespace {

using test::descrivi;
using test::leggiDxf;
using test::lista;
using V = std::vector<std::string>;

TEST(DxfWriter, ItemFormsOfTheEntityWriters) {
    ScrittoreDxf w;
    w.inizio();
    w.linea("curve", 3, 0.25f, -0.5f, 100, 1234567.0f, 12345678.0f, 0);
    w.testo("quote", 2, 1, 2, 0, 4, "P 1", 90);
    w.fine();
    EXPECT_EQ(w.contenuto(),
              " 0 \r\nSECTION\r\n 2 \r\nENTITIES\r\n"
              " 0 \r\nLINE\r\n 8 \r\ncurve\r\n 62 \r\n 3 \r\n 10 \r\n .25\r\n 20 \r\n-.5\r\n 30 \r\n 100\r\n"
              " 11 \r\n 1234567\r\n 21 \r\n 1.234568E+07\r\n 31 \r\n 0\r\n"
              " 0 \r\nTEXT\r\n 8 \r\nquote\r\n 62 \r\n 2 \r\n 10 \r\n 1\r\n 20 \r\n 2\r\n 30 \r\n 0\r\n"
              " 40 \r\n 4\r\n 1 \r\nP 1\r\n 50 \r\n 90\r\n"
              " 0 \r\nENDSEC\r\n 0 \r\nEOF\r\n");

    ScrittoreDxf s;
    s.segmentoSpesso("profilo", 7, 0, 1.85f, 0, 10, 1.85f, 0, .2f);
    EXPECT_EQ(s.contenuto(),
              " 0 \r\nPOLYLINE\r\n 8 \r\nprofilo\r\n 66 \r\n 1 \r\n 62 \r\n 7 \r\n 10 \r\n0.0\r\n 20 \r\n0.0\r\n"
              " 30 \r\n0.0\r\n 40 \r\n .2\r\n 41 \r\n .2\r\n"
              " 0 \r\nVERTEX\r\n 8 \r\nprofilo\r\n 10 \r\n 0\r\n 20 \r\n 1.85\r\n 30 \r\n 0\r\n"
              " 0 \r\nVERTEX\r\n 8 \r\nprofilo\r\n 10 \r\n 10\r\n 20 \r\n 1.85\r\n 30 \r\n 0\r\n"
              " 0 \r\nSEQEND\r\n 8 \r\nprofilo\r\n");
    // The reader takes the vertices without flags as drawn vertices.
    EXPECT_EQ(descrivi(leggiDxf(s.contenuto()), "VERTEX/profilo"),
              (V{"VERTEX/profilo c15 y1=1.85 v32", "VERTEX/profilo c15 x1=10 y1=1.85 v32"}));

    // Values that are not finite never reach the file; texts stay on one line.
    ScrittoreDxf n;
    n.linea("x", 7, 0, 0, 0, std::numeric_limits<float>::infinity(), 0, 0);
    n.cerchio("x", 7, std::nanf(""), 0, 0, 1);
    EXPECT_EQ(n.contenuto(), "");
    EXPECT_EQ(n.scartate(), 2);
    n.testo("città", 7, 0, 0, 0, 1, "riga\r\nseconda", 0);
    EXPECT_NE(n.contenuto().find("citt\xE0\r\n 62 \r\n 7 \r\n"), std::string::npos);
    EXPECT_EQ(descrivi(leggiDxf(n.contenuto())), V{"TEXT/città c15 r=1 'riga  seconda'"});
}

TEST(DxfWriter, TraverseLabelsTruncateAndTheClosedOneCloses) {
    Impostazioni imp;
    imp.DimensioneQuote = 2.5f;
    ClosedTraverse c;
    c.NumeroStazioni = 3;
    c.Ascissa = lista({1.999f, 100.29f, 50}), c.Ordinata = lista({0.29f, -3.456f, 80}),
    c.Quota = lista({100, 101.5f, 99});
    const VbArray<DxfEntity> d = leggiDxf(esportaPoligonaleChiusa(c, imp));
    EXPECT_EQ(descrivi(d, "LINE"), (V{"LINE/poligonale c15 x1=1.999 y1=0.29 z1=100 x2=100.29 y2=-3.456 z2=101.5",
                                      "LINE/poligonale c15 x1=100.29 y1=-3.456 z1=101.5 x2=50 y2=80 z2=99",
                                      "LINE/poligonale c15 x1=50 y1=80 z1=99 x2=1.999 y2=0.29 z2=100"}));
    EXPECT_EQ(descrivi(d, "TEXT"), (V{"TEXT/quote c14 x1=4.999 y1=3.29 z1=100 r=2.5 'P 1( 1.99, .29, 100)'",
                                      "TEXT/quote c14 x1=103.29 y1=-0.456 z1=101.5 r=2.5 'P 2( 100.29,-3.46, 101.5)'",
                                      "TEXT/quote c14 x1=53 y1=83 z1=99 r=2.5 'P 3( 50, 80, 99)'"}));
    OpenTraverse a;
    a.NumeroStazioni = 2;
    a.Ascissa = lista({0, 10}), a.Ordinata = lista({0, 0}), a.Quota = lista({0, 0});
    const VbArray<DxfEntity> da = leggiDxf(esportaPoligonaleAperta(a, imp));
    EXPECT_EQ(descrivi(da, "LINE"), V{"LINE/poligonale c15 x2=10"});
    EXPECT_EQ(descrivi(da, "TEXT").size(), 2u);
}

TEST(DxfWriter, TriangulationSidesStayInsideTheChain) {
    for (int n : {3, 4}) {
        TriangulationChain t;
        t.NumeroTriangoli = static_cast<int16_t>(n);
        t.X.redim(n + 1), t.Y.redim(n + 1), t.Azimut.redim(n + 2);
        for (int v = 0; v <= n + 1; ++v) t.X[v] = 10.0f * v, t.Y[v] = v % 2 ? 10.0f : 0.0f, t.Azimut[v] = 50;
        const VbArray<DxfEntity> d = leggiDxf(esportaTriangolazione(t, Impostazioni{}));
        // The path (white), then one third side per triangle (red), vertex v to v + 2 and no
        // further than the last vertex, at the azimuths as elevations.
        V terziLati = descrivi(d, "LINE/triangolazione");
        ASSERT_EQ(static_cast<int>(terziLati.size()), 2 * n + 1);
        terziLati.erase(terziLati.begin(), terziLati.begin() + n + 1);
        for (const std::string& l : terziLati) EXPECT_EQ(l.rfind("LINE/triangolazione c12 ", 0), 0u) << l;
        EXPECT_EQ(terziLati.back(), n == 3 ? "LINE/triangolazione c12 x1=10 y1=10 z1=50 x2=30 y2=10 z2=50"
                                           : "LINE/triangolazione c12 x1=30 y1=10 z1=50 x2=50 y2=10 z2=50");
        EXPECT_EQ(static_cast<int>(descrivi(d, "CIRCLE/triangolazione").size()), 2 * (n + 2));
        const V testi = descrivi(d, "TEXT/quote");
        ASSERT_EQ(static_cast<int>(testi.size()), n + 2);
        EXPECT_EQ(testi[1], "TEXT/quote c14 x1=13 y1=13 z1=50 r=4 'P 2 ( 10, 10)'");
    }
}

TEST(DxfWriter, MassDiagramWritesOneNumberAndOneCirclePerSection) {
    // Two sections 20 m apart, net areas +10 and -30: a zero point at 5 m makes three points.
    TabellaPaleggi t;
    t.NumeroPunti = 3;
    t.ScalaVolumi = 10;
    t.Ordinate = lista({0, 25, -200}), t.ProgressivePunti = lista({0, 5, 20}), t.ProgressiveSezioni.redim(1);
    t.ProgressiveSezioni[1] = 20;
    const VbArray<DxfEntity> d = leggiDxf(esportaDiagramma(t));
    EXPECT_EQ(descrivi(d, "CIRCLE"), (V{"CIRCLE/diagramma c10 r=1", "CIRCLE/diagramma c10 x1=20 r=1"}));
    // Ordinates above (yellow) or below (red) their points, the section numbers on the axis.
    EXPECT_EQ(
        descrivi(d, "TEXT"),
        (V{"TEXT/diagramma c14 x1=3 y1=10 r=6 '0'", "TEXT/diagramma c14 x1=8 y1=12.5 r=6 '25'",
           "TEXT/diagramma c12 x1=23 y1=-70 r=6 '-200'", "TEXT/diagramma c15 x1=-9 y1=3 r=6 '1'",
           "TEXT/diagramma c15 x1=11 y1=3 r=6 '2'", "TEXT/diagramma c15 x1=-5 y1=-165 r=20 'RIPORTO    STERRO'"}));
    const V linee = descrivi(d, "LINE");
    ASSERT_EQ(linee.size(), 2u + 2u + 1u + 3u);
    EXPECT_EQ(linee[1], "LINE/diagramma c15 x1=5 y1=2.5 x2=20 y2=-20");  // the mass line in volume / scale
    EXPECT_EQ(linee.back(), "LINE/diagramma c12 x1=20 x2=20 y2=-20");    // a negative ordinate in DXF colour 1
}

TEST(DxfWriter, SectionSheetsStandInColumns) {
    Impostazioni imp;  // 10 per column, 50 apart, 40 down
    double x, y;
    offsetFoglioSezione(10, imp, x, y);  // the last of the first column
    EXPECT_EQ((std::pair{x, y}), (std::pair{5.0, -360.0}));
    imp.SezioniPerColonnaDXF = 3;
    imp.InterasseColonnaDXF = 49.5f;  // rounded to 50 first (half to even)
    offsetFoglioSezione(5, imp, x, y);
    EXPECT_EQ((std::pair{x, y}), (std::pair{0.4 * 50, -40.0}));
}

// A plan as the road computation leaves it: two contour lines, a straight axis, two stations.
Planimetria pianoDiProva() {
    Planimetria p;
    p.NumeroCurveLivello = 2;
    p.CurveLivello.redim(2);
    for (int c = 1; c <= 2; ++c) {
        const float z = 100.0f + 5 * c, y = 10.0f * c;
        p.CurveLivello[c].redim(3);
        for (int s = 1; s <= 3; ++s) p.CurveLivello[c][s] = {10.0f * (s - 1), y, z, 10.0f * s, y + 1, z};
    }
    p.NumeroPuntiAsse = 3;
    p.AsseTracciato.assignRaw({{}, {5, 0, 0}, {6, 15, 0}, {8, 30, 0}});
    p.NumeroIntersezioni = 2;
    p.Intersezioni.assignRaw({{}, {5.5f, 10.5f, 105, 1}, {6.5f, 20.5f, 110, 2}});
    p.SezioniApplicate.redim(2);
    p.SezioniApplicate[1].QuotaProgetto = 106, p.SezioniApplicate[2].QuotaProgetto = 108;
    p.Cigli.assignRaw({{}, {0.5f, 10.5f, 105, 10.5f, 10.5f, 105}, {1.5f, 20.5f, 110, 11.5f, 20.5f, 110}});
    p.Occupazione.assignRaw({{}, {-1, 10.5f, 1.5f, 12, 10.5f, -0.5f}, {0, 20.5f, -1, 13, 20.5f, 2}});
    return p;
}

TEST(DxfWriter, PlanLayersColoursAndElevations) {
    const VbArray<DxfEntity> d = leggiDxf(esportaPianta(pianoDiProva(), Impostazioni{}));
    EXPECT_EQ(descrivi(d, "LINE/curve").size(), 6u);
    EXPECT_EQ(descrivi(d, "TEXT/quote"),
              (V{"TEXT/quote c14 x1=30 y1=11 z1=105 r=4 '105'", "TEXT/quote c14 x1=30 y1=21 z1=110 r=4 '110'"}));
    // The axis at the design elevations of its sections; past the last one, the last one's.
    EXPECT_EQ(descrivi(d, "LINE/asse"),
              (V{"LINE/asse c15 x1=5 z1=106 x2=6 y2=15 z2=108", "LINE/asse c15 x1=6 y1=15 z1=108 x2=8 y2=30 z2=108"}));
    // Occupation lines at design elevation plus their heights, yellow above and red below.
    EXPECT_EQ(descrivi(d, "LINE/sezioni"), (V{"LINE/sezioni c15 x1=-1 y1=10.5 z1=107.5 x2=12 y2=10.5 z2=105.5",
                                              "LINE/sezioni c15 y1=20.5 z1=107 x2=13 y2=20.5 z2=110"}));
    EXPECT_EQ(descrivi(d, "LINE/occupazione"), (V{"LINE/occupazione c14 x1=-1 y1=10.5 z1=107.5 y2=20.5 z2=107",
                                                  "LINE/occupazione c12 x1=12 y1=10.5 z1=105.5 x2=13 y2=20.5 z2=110"}));
    EXPECT_EQ(descrivi(d, "LINE/cigli").size(), 2u);
    EXPECT_EQ(descrivi(d, "CIRCLE/sezioni").size(), 2u);
    EXPECT_EQ(descrivi(d, "TEXT/sezioni")[1], "TEXT/sezioni c11 x1=6.5 y1=20.5 z1=110 r=4 '2'");
}

TEST(DxfWriter, PlanSurvivesExportAndImport) {
    Workspace ws;
    ws.Piano = pianoDiProva();
    ws.TipoDocumento = kDocPianta;
    FakeHost host;
    test::FileTemporaneo file("pianta.dxf");
    ASSERT_TRUE(esportaDocumentoDxf(ws, host, file.path()));

    Workspace letto;
    RecordingCanvas canvas;
    ASSERT_TRUE(ReadDxf(letto, host, file.path()));
    SceltaDxf s{TipoProgettoDxf::PianoQuotato, ModoSelezioneDxf::Layer, 15, "curve", "LINE", true};
    ASSERT_TRUE(convertiProgettoDxf(letto, canvas, host, s));
    ASSERT_EQ(letto.Piano.NumeroCurveLivello, 2);
    for (int c = 1; c <= 2; ++c) EXPECT_EQ(letto.Piano.CurveLivello[c], ws.Piano.CurveLivello[c]) << c;
    EXPECT_EQ(descrivi(letto.DxfDrawing, "LINE/asse"),
              descrivi(leggiDxf(esportaPianta(ws.Piano, ws.impostazioni)), "LINE/asse"));
    EXPECT_TRUE(host.messaggi.empty());
}

TEST(DxfWriter, StreamedPlanIsTheTextOfTheWholeExport) {
    // Enough pieces for several blocks of the stream.
    Workspace ws;
    ws.Piano = pianoDiProva();
    VbArray<ContourSegment>& curva = ws.Piano.CurveLivello[1];
    for (int i = 0; i < 30000; ++i) curva.raw().push_back({i * 0.37f, 1e5f - i, 105, i * 0.37f + 1, 1e5f - i, 105});
    ws.TipoDocumento = kDocPianta;
    FakeHost host;
    test::FileTemporaneo file("pianta.dxf");
    ASSERT_TRUE(esportaDocumentoDxf(ws, host, file.path()));
    const std::string intero = esportaPianta(ws.Piano, ws.impostazioni);
    ASSERT_GT(intero.size(), 3u << 20);
    EXPECT_TRUE(file.leggi() == intero);

    // A stream that cannot start says why and writes nothing.
    const std::string manca = file.cartella() + "/manca/pianta.dxf";
    EXPECT_FALSE(esportaDocumentoDxf(ws, host, manca));
    ASSERT_EQ(host.messaggi.size(), 1u);
    EXPECT_EQ(host.messaggi[0].testo, "Impossibile creare il file " + manca + ": la cartella non esiste.");
}

TEST(DxfWriter, ExportCommandWritesOnlyDocumentsItKnows) {
    Workspace ws;
    FakeHost host;
    RecordingCanvas canvas;
    test::FileTemporaneo file("uscita.dxf");
    host.fileSalvati.push_back(file.path());
    comandoEsportaDxf(ws, canvas, host);  // nothing shown: nothing written
    EXPECT_EQ(host.titoliDialoghi, V{"Esporta file di interscambio DXF"});
    EXPECT_EQ(host.proposteSalvataggio, V{""});
    EXPECT_EQ(file.leggi(), "");

    ws.TipoDocumento = kDocDiagramma;
    host.fileSalvati.push_back(file.path());
    comandoEsportaDxf(ws, canvas, host);
    EXPECT_EQ(file.leggi().rfind(" 0 \r\nSECTION\r\n", 0), 0u);

    // A folder that does not exist: the message, and no file.
    const std::string manca = file.cartella() + "/manca/uscita.dxf";
    EXPECT_FALSE(esportaDocumentoDxf(ws, host, manca));
    ASSERT_EQ(host.messaggi.size(), 1u);
    EXPECT_EQ(host.messaggi[0].testo.rfind("Impossibile creare il file " + manca + ": ", 0), 0u);
}

}  // namespace
}  // namespace carvela
