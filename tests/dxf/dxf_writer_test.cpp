#include "dxf/dxf_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "dxf/dxf_commands.h"
#include "dxf/dxf_exports.h"
#include "dxf/dxf_project.h"
#include "dxf/dxf_road_exports.h"
#include "graphics/recording_canvas.h"
#include "state/settings.h"
#include "state/workspace.h"
#include "support/cases.h"
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

    // Values that are not finite never reach the file; texts stay on one line.
    ScrittoreDxf n;
    n.linea("x", 7, 0, 0, 0, std::numeric_limits<float>::infinity(), 0, 0);
    n.cerchio("x", 7, std::nanf(""), 0, 0, 1);
    EXPECT_EQ(n.contenuto(), "");
    EXPECT_EQ(n.scartate(), 2);
    n.testo("città", 7, 0, 0, 0, 1, "riga\r\nseconda", 0);
    EXPECT_NE(n.contenuto().find("citt\xE0\r\n 62 \r\n 7 \r\n"), std::string::npos);
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

// Three sections over 230 m, one grade line from 100 down to 97.25; no curves, as the road
// computation leaves them.
Profilo profiloDiProva() {
    Profilo p;
    p.NumeroSezioni = 3;
    p.NumeroLivellette = 1;
    for (auto* a : {&p.Progressive, &p.QuoteTerreno, &p.QuoteProgetto, &p.QuoteRosse}) a->redim(3);
    for (auto* t : {&p.ProgressiveLiv, &p.TerrenoLiv, &p.ProgettoLiv, &p.RosseLiv}) t->redim(3, 1);
    p.PuntiLivelletta.redim(1), p.Pendenze.redim(1), p.CurvaDa.redim(0), p.CurvaA.redim(0);
    p.PuntiLivelletta[1] = 3;
    p.Pendenze[1] = -0.0123456f;
    const float x[] = {0, 0, 150, 230}, z[] = {0, 100, 104, 98}, progetto[] = {0, 100, 98.5f, 97.25f};
    for (int i = 1; i <= 3; ++i) {
        p.Progressive[i] = p.ProgressiveLiv(i, 1) = x[i];
        p.QuoteTerreno[i] = p.TerrenoLiv(i, 1) = z[i];
        p.QuoteProgetto[i] = p.ProgettoLiv(i, 1) = progetto[i];
        p.QuoteRosse[i] = p.RosseLiv(i, 1) = progetto[i] - z[i];
    }
    p.QuotaMassima = 104, p.QuotaMinima = 98, p.QuotaRiferimento = 78, p.MetodoLivellette = 1;
    return p;
}

// Two sections, numbers 1 and 12, with their ground, feet and areas.
VbArray<Sezione> sezioniDiProva() {
    VbArray<Sezione> sezioni(2);
    for (int16_t i : {1, 2}) {
        Sezione& s = sezioni[i];
        s.Numero = i == 1 ? 1 : 12;
        s.Larghezza = 10, s.QuotaProgetto = 100, s.NumeroPunti = 3;
        s.DistanzeTerreno = test::lista({-15, 0, 15}), s.QuoteTerreno = test::lista({101, 99, 100});
        s.NumeroIntersezioni = 1;
        s.Intersezioni.assignRaw({0, 3});
        s.RossaCiglioSinistro = -0.6f, s.RossaCiglioDestro = 0.2f;
        s.XPiedeSinistro = -6, s.ZPiedeSinistro = 100.8f, s.XPiedeDestro = 6, s.ZPiedeDestro = 99.7f;
        s.AreaSterro = 3, s.AreaRiporto = -1;
    }
    return sezioni;
}

// The records behind the exports of dxf_write.txt.
std::string esportazione(const std::string& nome) {
    Impostazioni imp;
    if (nome == "chiusa" || nome == "aperta") {
        imp.DimensioneQuote = 2.5f;
        ClosedTraverse c;
        c.NumeroStazioni = 3;
        c.Ascissa = lista({1.999f, 100.29f, 50}), c.Ordinata = lista({0.29f, -3.456f, 80}),
        c.Quota = lista({100, 101.5f, 99});
        OpenTraverse a;
        a.NumeroStazioni = 2;
        a.Ascissa = lista({0, 10}), a.Ordinata = lista({0, 0}), a.Quota = lista({0, 0});
        return nome == "chiusa" ? esportaPoligonaleChiusa(c, imp) : esportaPoligonaleAperta(a, imp);
    }
    if (nome.rfind("triangolazione", 0) == 0) {
        const int n = nome.back() - '0';
        TriangulationChain t;
        t.NumeroTriangoli = static_cast<int16_t>(n);
        t.X.redim(n + 1), t.Y.redim(n + 1), t.Azimut.redim(n + 2);
        for (int v = 0; v <= n + 1; ++v) t.X[v] = 10.0f * v, t.Y[v] = v % 2 ? 10.0f : 0.0f, t.Azimut[v] = 50;
        return esportaTriangolazione(t, imp);
    }
    if (nome == "diagramma") {
        // Two sections 20 m apart, net areas +10 and -30: a zero point at 5 m makes three points.
        TabellaPaleggi t;
        t.NumeroPunti = 3;
        t.ScalaVolumi = 10;
        t.Ordinate = lista({0, 25, -200}), t.ProgressivePunti = lista({0, 5, 20}), t.ProgressiveSezioni.redim(1);
        t.ProgressiveSezioni[1] = 20;
        return esportaDiagramma(t);
    }
    if (nome == "pianta") return esportaPianta(pianoDiProva(), imp);
    if (nome == "sezioni") return esportaSezioni(sezioniDiProva(), imp);
    if (nome.rfind("profilo", 0) == 0) {
        Profilo p = profiloDiProva();
        if (nome == "profilo1") p.NumeroSezioni = 1;  // too short to draw
        return esportaProfilo(p);
    }
    ScrittoreDxf w;
    if (nome == "segmento") w.segmentoSpesso("profilo", 7, 0, 1.85f, 0, 10, 1.85f, 0, .2f);
    if (nome == "testo") w.testo("città", 7, 0, 0, 0, 1, "riga\r\nseconda", 0);
    return w.contenuto();
}

TEST(DxfWriter, ExportsReadBack) {
    for (const test::Caso& c : test::leggiCasi("dxf_write.txt")) {
        const V d = descrivi(leggiDxf(esportazione(c.campi[0])), c.campi[1] == "*" ? "" : c.campi[1]);
        if (c.campi[2].rfind("#", 0) == 0)
            EXPECT_EQ(d.size(), std::stoul(c.campi[2].substr(1))) << "dxf_write.txt:" << c.riga;
        else
            EXPECT_EQ(d, c.lista(2)) << "dxf_write.txt:" << c.riga;
    }
}

TEST(DxfRoadExports, ProfileInDrawingUnitsWithTheExportForms) {
    const VbArray<DxfEntity> d = leggiDxf(esportaProfilo(profiloDiProva()));
    ASSERT_GT(d.upperBound(), 20);
    V verticali, didascalie;
    for (const DxfEntity& e : std::vector(d.raw().begin() + 1, d.raw().end())) {
        EXPECT_EQ(e.Layer, "profilo") << e.Nome;
        if (e.Nome == "LINE") {
            // Everything drawn lies within the profile and its bands, a tenth of the screen.
            EXPECT_TRUE(std::min(e.X1, e.X2) >= -12.5f && std::max(e.X1, e.X2) <= 23) << descrivi(e);
            EXPECT_TRUE(std::min(e.Y1, e.Y2) >= -13 && std::max(e.Y1, e.Y2) <= 40) << descrivi(e);
            if (e.Colore == 15 && e.X1 == e.X2 && e.Y1 == 2) verticali.push_back(descrivi(e));
        }
        if (e.Nome == "TEXT" && e.Testo.rfind("L=", 0) == 0) didascalie.push_back(descrivi(e));
    }
    // A colour-7 line at every section from 2 up to the ground.
    EXPECT_EQ(verticali, (V{"LINE/profilo c15 y1=2 y2=22", "LINE/profilo c15 x1=15 y1=2 x2=15 y2=26",
                            "LINE/profilo c15 x1=23 y1=2 x2=23 y2=20"}));
    // One caption per grade line, truncated: length 230, fall 2.75, slope -1.2346 %.
    EXPECT_EQ(didascalie, V{"TEXT/profilo c11 x1=0.1 y1=29.5 r=0.2 'L= 230 , Disl= 2.75 , P=-1.2346%'"});
}

TEST(DxfRoadExports, SectionsAsSheetsInColumns) {
    FakeHost host;
    const VbArray<DxfEntity> d = leggiDxf(esportaSezioni(sezioniDiProva(), Impostazioni{}, &host));
    EXPECT_EQ(host.didascalie, V{"Esportazione in corso..."});
    EXPECT_EQ(host.posizioniBarra, (std::vector<int>{1, 2}));
    EXPECT_EQ(host.attesaAperta, 0);

    // Section 12 stands in the second column (x offset 55), second place down (y offset -40):
    // axis at x 65, platform level at y -20.
    V segni, titoli;
    std::set<std::string> didascalie;
    for (const DxfEntity& e : std::vector(d.raw().begin() + 1, d.raw().end())) {
        EXPECT_EQ(e.Layer, "sezioni");
        if (e.Nome == "LINE" && (e.X1 == 65 || e.X1 == 68) && e.X1 == e.X2) segni.push_back(descrivi(e));
        // Titles in DXF colour 4 and 0.3 high, table captions in colour 1 and 0.25 high.
        if (e.Nome == "TEXT" && e.Testo.rfind("SEZIONE", 0) == 0)
            titoli.push_back(e.Colore == 11 && e.R == 0.3f ? e.Testo : descrivi(e));
        if (e.Nome == "TEXT" && std::set<std::string>{"QUOTA", "TERR.", "PROG.", "D.PROG."}.count(e.Testo))
            didascalie.insert(e.Colore == 12 && e.R == 0.25f ? e.Testo : descrivi(e));
    }
    EXPECT_EQ(titoli, (V{"SEZIONE  1", "SEZIONE  12"}));
    EXPECT_EQ(didascalie, (std::set<std::string>{"D.PROG.", "PROG.", "QUOTA", "TERR."}));
    std::sort(segni.begin(), segni.end());
    EXPECT_EQ(segni, (V{"LINE/sezioni c11 x1=65 y1=-20 x2=65 y2=-18", "LINE/sezioni c11 x1=65 y1=-22 x2=65 y2=-20",
                        "LINE/sezioni c12 x1=68 y1=-20 x2=68 y2=-22", "LINE/sezioni c14 x1=68 y1=-20 x2=68 y2=-18"}));
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
