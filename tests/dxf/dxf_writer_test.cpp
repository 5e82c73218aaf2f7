#include "dxf/dxf_writer.h"

#include <gtest/gtest.h>

#include "dxf/dxf_commands.h"
#include "dxf/dxf_exports.h"
#include "dxf/dxf_project.h"
#include "dxf/dxf_reader.h"
#include "dxf/dxf_test_files.h"
#include "graphics/recording_canvas.h"
#include "shell/settings.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

using test::FileTemporaneo;

VbArray<DxfEntity> rileggi(const std::string& testo) {
    VbArray<DxfEntity> d;
    LimitiDxf l;
    convertiDxf(testo, d, l);
    return d;
}

// The TEXT entities of a written file as (text, rotation) with their values untrimmed.
std::vector<std::pair<std::string, std::string>> testiScritti(const std::string& testo) {
    std::vector<std::string> righe;
    for (std::size_t p = 0, a; (a = testo.find("\r\n", p)) != std::string::npos; p = a + 2)
        righe.push_back(testo.substr(p, a - p));
    std::vector<std::pair<std::string, std::string>> out;
    for (std::size_t i = 0; i + 1 < righe.size(); i += 2) {
        if (righe[i] == " 0 " && righe[i + 1] == "TEXT") out.emplace_back();
        if (out.empty()) continue;
        if (righe[i] == " 1 ") out.back().first = righe[i + 1];
        if (righe[i] == " 50 ") out.back().second = righe[i + 1];
    }
    return out;
}

std::vector<const DxfEntity*> conNome(const VbArray<DxfEntity>& d, const std::string& nome,
                                      const std::string& layer = "") {
    std::vector<const DxfEntity*> out;
    for (int32_t i = 1; i <= d.upperBound(); ++i)
        if (d[i].Nome == nome && (layer.empty() || d[i].Layer == layer)) out.push_back(&d[i]);
    return out;
}

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
    VbArray<DxfEntity> d = rileggi(s.contenuto());
    ASSERT_EQ(d.upperBound(), 4);
    EXPECT_EQ(d[2].FlagVertice, 32);
    EXPECT_FLOAT_EQ(d[3].Y1, 1.85f);

    // Values that are not finite never reach the file; texts stay on one line.
    ScrittoreDxf n;
    n.linea("x", 7, 0, 0, 0, std::numeric_limits<float>::infinity(), 0, 0);
    n.cerchio("x", 7, std::nanf(""), 0, 0, 1);
    EXPECT_EQ(n.contenuto(), "");
    EXPECT_EQ(n.scartate(), 2);
    n.testo("città", 7, 0, 0, 0, 1, "riga\r\nseconda", 0);
    EXPECT_NE(n.contenuto().find("citt\xE0\r\n"), std::string::npos);
    EXPECT_NE(n.contenuto().find("riga  seconda\r\n"), std::string::npos);
    EXPECT_EQ(rileggi(n.contenuto())[1].Layer, "città");
}

TEST(DxfWriter, TraverseLabelsTruncateAndTheClosedOneCloses) {
    Impostazioni imp;
    imp.DimensioneQuote = 2.5f;
    ClosedTraverse c;
    c.NumeroStazioni = 3;
    for (auto* a : {&c.Ascissa, &c.Ordinata, &c.Quota}) a->redim(4);
    const float xs[] = {0, 1.999f, 100.29f, 50}, ys[] = {0, 0.29f, -3.456f, 80}, qs[] = {0, 100, 101.5f, 99};
    for (int i = 1; i <= 3; ++i) c.Ascissa[i] = xs[i], c.Ordinata[i] = ys[i], c.Quota[i] = qs[i];
    VbArray<DxfEntity> d = rileggi(esportaPoligonaleChiusa(c, imp));
    auto linee = conNome(d, "LINE", "poligonale");
    ASSERT_EQ(linee.size(), 3u);
    EXPECT_FLOAT_EQ(linee[2]->X1, 50);  // the closing line from the last station to the first
    EXPECT_FLOAT_EQ(linee[2]->X2, 1.999f);
    EXPECT_EQ(linee[2]->Colore, 15);  // DXF colour 7
    auto testi = conNome(d, "TEXT", "quote");
    ASSERT_EQ(testi.size(), 3u);
    EXPECT_EQ(testi[0]->Testo, "P 1( 1.99, .29, 100)");
    EXPECT_EQ(testi[1]->Testo, "P 2( 100.29,-3.46, 101.5)");
    EXPECT_FLOAT_EQ(testi[0]->X1, 4.999f);
    EXPECT_FLOAT_EQ(testi[0]->R, 2.5f);
    EXPECT_EQ(testi[0]->Colore, 14);  // DXF colour 2

    OpenTraverse a;
    a.NumeroStazioni = 2;
    for (auto* v : {&a.Ascissa, &a.Ordinata, &a.Quota}) v->redim(2);
    a.Ascissa[2] = 10;
    VbArray<DxfEntity> da = rileggi(esportaPoligonaleAperta(a, imp));
    EXPECT_EQ(conNome(da, "LINE").size(), 1u);
    EXPECT_EQ(conNome(da, "TEXT").size(), 2u);
}

TEST(DxfWriter, TriangulationSidesStayInsideTheChain) {
    Impostazioni imp;
    for (int n : {3, 4}) {
        TriangulationChain t;
        t.NumeroTriangoli = static_cast<int16_t>(n);
        t.X.redim(n + 1), t.Y.redim(n + 1), t.Azimut.redim(n + 2);
        for (int v = 0; v <= n + 1; ++v) t.X[v] = 10.0f * v, t.Y[v] = v % 2 ? 10.0f : 0.0f, t.Azimut[v] = 50;
        VbArray<DxfEntity> d = rileggi(esportaTriangolazione(t, imp));
        auto linee = conNome(d, "LINE", "triangolazione");
        int chiusure = 0;
        for (const DxfEntity* l : linee) {
            EXPECT_LE(l->X2, 10.0f * (n + 1)) << "n = " << n;
            EXPECT_FLOAT_EQ(l->Z1, 50);
            if (l->Colore != 12) continue;  // DXF colour 1: the third sides
            ++chiusure;
            EXPECT_FLOAT_EQ(l->X2 - l->X1, 20);
        }
        EXPECT_EQ(chiusure, n);  // one third side per triangle
        EXPECT_EQ(static_cast<int>(linee.size()), 2 * n + 1);
        EXPECT_EQ(static_cast<int>(conNome(d, "CIRCLE").size()), 2 * (n + 2));
        auto testi = conNome(d, "TEXT", "quote");
        ASSERT_EQ(static_cast<int>(testi.size()), n + 2);
        EXPECT_EQ(testi[1]->Testo, "P 2 ( 10, 10)");
    }
}

TEST(DxfWriter, MassDiagramWritesOneNumberAndOneCirclePerSection) {
    // Two sections 20 m apart, net areas +10 and -30: a zero point at 5 m makes three points.
    TabellaPaleggi t;
    t.NumeroPunti = 3;
    t.ScalaVolumi = 10;
    t.Ordinate.redim(3), t.ProgressivePunti.redim(3), t.ProgressiveSezioni.redim(1);
    t.Ordinate[2] = 25, t.Ordinate[3] = -200;
    t.ProgressivePunti[2] = 5, t.ProgressivePunti[3] = 20;
    t.ProgressiveSezioni[1] = 20;
    VbArray<DxfEntity> d = rileggi(esportaDiagramma(t));
    auto cerchi = conNome(d, "CIRCLE", "diagramma");
    ASSERT_EQ(cerchi.size(), 2u);
    EXPECT_FLOAT_EQ(cerchi[0]->X1, 0);
    EXPECT_FLOAT_EQ(cerchi[1]->X1, 20);
    std::vector<std::string> numeri, ordinate;
    for (const auto& [testo, rotazione] : testiScritti(esportaDiagramma(t)))
        (rotazione == " 0" ? numeri : ordinate).push_back(testo);
    EXPECT_EQ(numeri, (std::vector<std::string>{" 1", " 2"}));
    EXPECT_EQ(ordinate, (std::vector<std::string>{" 0", " 25", "-200", "RIPORTO    STERRO"}));
    auto linee = conNome(d, "LINE");
    ASSERT_EQ(linee.size(), 2u + 2u + 1u + 3u);
    EXPECT_FLOAT_EQ(linee[1]->Y2, -20);   // the mass line in volume / scale
    EXPECT_EQ(linee.back()->Colore, 12);  // a negative ordinate in DXF colour 1
}

TEST(DxfWriter, SectionSheetsStandInColumns) {
    Impostazioni imp;  // 10 per column, 50 apart, 40 down
    double x, y;
    offsetFoglioSezione(10, imp, x, y);  // the last of the first column
    EXPECT_DOUBLE_EQ(x, 5);
    EXPECT_DOUBLE_EQ(y, -360);
    imp.SezioniPerColonnaDXF = 3;
    imp.InterasseColonnaDXF = 49.5f;  // rounded to 50 first (half to even)
    offsetFoglioSezione(5, imp, x, y);
    EXPECT_DOUBLE_EQ(x, 0.4 * 50);
    EXPECT_DOUBLE_EQ(y, -40);
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
    p.AsseTracciato.redim(3);
    p.AsseTracciato[1] = {5, 0, 0}, p.AsseTracciato[2] = {6, 15, 0}, p.AsseTracciato[3] = {8, 30, 0};
    p.NumeroIntersezioni = 2;
    p.Intersezioni.redim(2);
    p.Intersezioni[1] = {5.5f, 10.5f, 105, 1}, p.Intersezioni[2] = {6.5f, 20.5f, 110, 2};
    p.SezioniApplicate.redim(2);
    p.SezioniApplicate[1].QuotaProgetto = 106, p.SezioniApplicate[2].QuotaProgetto = 108;
    p.Cigli.redim(2), p.Occupazione.redim(2);
    p.Cigli[1] = {0.5f, 10.5f, 105, 10.5f, 10.5f, 105}, p.Cigli[2] = {1.5f, 20.5f, 110, 11.5f, 20.5f, 110};
    p.Occupazione[1] = {-1, 10.5f, 1.5f, 12, 10.5f, -0.5f}, p.Occupazione[2] = {0, 20.5f, -1, 13, 20.5f, 2};
    return p;
}

TEST(DxfWriter, PlanLayersColoursAndElevations) {
    Impostazioni imp;
    VbArray<DxfEntity> d = rileggi(esportaPianta(pianoDiProva(), imp));
    EXPECT_EQ(conNome(d, "LINE", "curve").size(), 6u);
    auto quote = conNome(d, "TEXT", "quote");
    ASSERT_EQ(quote.size(), 2u);
    EXPECT_EQ(quote[1]->Testo, "110");
    EXPECT_FLOAT_EQ(quote[1]->X1, 30);
    auto asse = conNome(d, "LINE", "asse");
    ASSERT_EQ(asse.size(), 2u);
    EXPECT_FLOAT_EQ(asse[0]->Z1, 106);
    EXPECT_FLOAT_EQ(asse[1]->Z2, 108);  // past the last section: the last one's elevation
    auto sezioni = conNome(d, "LINE", "sezioni");
    ASSERT_EQ(sezioni.size(), 2u);
    EXPECT_FLOAT_EQ(sezioni[0]->Z1, 107.5f);
    EXPECT_FLOAT_EQ(sezioni[0]->Z2, 105.5f);
    auto occupazione = conNome(d, "LINE", "occupazione");
    ASSERT_EQ(occupazione.size(), 2u);
    EXPECT_EQ(occupazione[0]->Colore, 14);  // left z 1.5 >= 0: DXF colour 2
    EXPECT_EQ(occupazione[1]->Colore, 12);  // right z -0.5: DXF colour 1
    EXPECT_FLOAT_EQ(occupazione[1]->Z2, 110);
    EXPECT_EQ(conNome(d, "LINE", "cigli").size(), 2u);
    auto numeri = conNome(d, "TEXT", "sezioni");
    ASSERT_EQ(numeri.size(), 2u);
    EXPECT_EQ(numeri[1]->Testo, "2");
    EXPECT_EQ(numeri[1]->Colore, 11);
    EXPECT_EQ(conNome(d, "CIRCLE", "sezioni").size(), 2u);
}

TEST(DxfWriter, PlanSurvivesExportAndImport) {
    Workspace ws;
    ws.Piano = pianoDiProva();
    ws.TipoDocumento = kDocPianta;
    FakeHost host;
    FileTemporaneo file("pianta.dxf");
    ASSERT_TRUE(esportaDocumentoDxf(ws, host, file.path()));

    Workspace letto;
    RecordingCanvas canvas;
    ASSERT_TRUE(ReadDxf(letto, host, file.path()));
    SceltaDxf s;
    s.modo = ModoSelezioneDxf::Layer;
    s.layer = "curve";
    s.tipo = "LINE";
    s.curveDaPolilinee = true;
    ASSERT_TRUE(convertiProgettoDxf(letto, canvas, host, s));
    ASSERT_EQ(letto.Piano.NumeroCurveLivello, 2);
    for (int c = 1; c <= 2; ++c) EXPECT_EQ(letto.Piano.CurveLivello[c], ws.Piano.CurveLivello[c]) << c;

    auto asse = conNome(letto.DxfDrawing, "LINE", "asse");
    ASSERT_EQ(asse.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FLOAT_EQ(asse[i]->X1, ws.Piano.AsseTracciato[i + 1].x);
        EXPECT_FLOAT_EQ(asse[i]->Y2, ws.Piano.AsseTracciato[i + 2].y);
    }
    EXPECT_TRUE(host.messaggi.empty());
}

TEST(DxfWriter, ExportCommandWritesOnlyDocumentsItKnows) {
    Workspace ws;
    FakeHost host;
    RecordingCanvas canvas;
    FileTemporaneo file("uscita.dxf");
    host.fileSalvati.push_back(file.path());
    comandoEsportaDxf(ws, canvas, host);  // nothing shown: nothing written
    EXPECT_EQ(host.titoliDialoghi, std::vector<std::string>{"Esporta file di interscambio DXF"});
    EXPECT_EQ(host.proposteSalvataggio, std::vector<std::string>{""});
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
