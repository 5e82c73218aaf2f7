#include "dxf/dxf_project.h"

#include <gtest/gtest.h>

#include "dxf/dxf_reader.h"
#include "dxf/dxf_test_files.h"
#include "graphics/recording_canvas.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

namespace carvela {
namespace {

using test::dxfDaCoppie;

// Two 3D contour polylines on layer CURVE (colour 3), a line and a point on other layers,
// a text without layer and the header limits.
std::string disegnoDiProva() {
    // clang-format off
    std::string s = dxfDaCoppie({{0, "SECTION"}, {2, "HEADER"}, {9, "$LIMMIN"}, {10, "0"}, {20, "0"},
                                 {9, "$LIMMAX"}, {10, "100"}, {20, "100"}, {0, "ENDSEC"},
                                 {0, "SECTION"}, {2, "ENTITIES"}});
    // clang-format on
    for (int quota : {100, 105}) {
        const std::string z = std::to_string(quota);
        const std::string y = std::to_string(quota - 90);
        // clang-format off
        s += dxfDaCoppie({{0, "POLYLINE"}, {8, "CURVE"}, {62, "3"}, {66, "1"}, {10, "0"}, {20, "0"}, {30, z},
                          {70, "8"}});
        // clang-format on
        for (int x : {0, 50, 100})
            // clang-format off
            s += dxfDaCoppie({{0, "VERTEX"}, {8, "CURVE"}, {62, "3"}, {10, std::to_string(x)}, {20, y}, {30, z},
                              {70, "32"}});
        // clang-format on
        s += dxfDaCoppie({{0, "SEQEND"}, {8, "CURVE"}});
    }
    // clang-format off
    s += dxfDaCoppie({{0, "LINE"}, {8, "ASSE"}, {62, "1"}, {10, "0"}, {20, "50"}, {30, "0"}, {11, "100"},
                      {21, "50"}, {31, "0"},
                      {0, "POINT"}, {8, "PUNTI"}, {10, "3"}, {20, "4"}, {30, "5"},
                      {0, "TEXT"}, {10, "1"}, {20, "1"}, {30, "0"}, {40, "1"}, {1, "NOTA"},
                      {0, "ENDSEC"}, {0, "EOF"}});
    // clang-format on
    return s;
}

struct Ricava {
    Workspace ws;
    RecordingCanvas canvas;
    FakeHost host;
    Ricava() {
        LimitiDxf l;
        convertiDxf(disegnoDiProva(), ws.DxfDrawing, l);
        ws.TipoDocumento = kDocDxf;
    }
    int indice(const std::vector<VoceDxf>& lista, const std::string& testo) {
        for (std::size_t i = 0; i < lista.size(); ++i)
            if (lista[i].testo == testo) return static_cast<int>(i);
        return -1;
    }
};

std::vector<std::string> testi(const std::vector<VoceDxf>& voci) {
    std::vector<std::string> out;
    for (const auto& v : voci) out.push_back(v.testo);
    return out;
}

TEST(DxfProject, AnalyseListsColoursLayersAndKindsOnce) {
    Ricava r;
    AnalisiDxf a = analizzaDxf(r.ws.DxfDrawing, &r.host);
    EXPECT_EQ(testi(a.colori), (std::vector<std::string>{"15", "10", "12"}));
    EXPECT_EQ(testi(a.layer), (std::vector<std::string>{"CURVE", "ASSE", "PUNTI"}));  // no empty layer
    EXPECT_EQ(testi(a.tipi), (std::vector<std::string>{"POLYLINE", "VERTEX", "SEQEND", "LINE", "POINT", "TEXT"}));
    EXPECT_EQ(a.layer[0].entita, 3);  // the first polyline, after the two header records
    EXPECT_EQ(r.host.didascalie, std::vector<std::string>{"Analisi del file DXF in corso..."});
    EXPECT_EQ(r.host.attesaAperta, 0);

    ModelloRicavaDxf m;
    m.analizza(VbArray<DxfEntity>(0));
    EXPECT_EQ(m.indiceColore, -1);
    EXPECT_EQ(m.indiceTipo, -1);
}

TEST(DxfProject, SelectionModes) {
    Ricava r;
    SceltaDxf s;
    auto nomi = [&](const SceltaDxf& scelta) {
        std::vector<std::string> out;
        VbArray<DxfEntity> w = selezionaEntitaDxf(r.ws.DxfDrawing, scelta);
        for (int32_t i = 1; i <= w.upperBound(); ++i) out.push_back(w[i].Nome);
        return out;
    };
    s.modo = ModoSelezioneDxf::Colore;
    s.colore = 12;
    EXPECT_EQ(nomi(s), std::vector<std::string>{"LINE"});
    s.modo = ModoSelezioneDxf::Layer;
    s.layer = "PUNTI";
    EXPECT_EQ(nomi(s), std::vector<std::string>{"POINT"});
    s.modo = ModoSelezioneDxf::Entita;
    s.tipo = "POLYLINE";
    EXPECT_EQ(nomi(s).size(), 10u);  // headers, vertices and sequence ends
    s.tipo = "TEXT";
    EXPECT_EQ(nomi(s), std::vector<std::string>{"TEXT"});
    s.modo = ModoSelezioneDxf::Tutte;
    std::vector<std::string> tutte = nomi(s);
    ASSERT_EQ(tutte.size(), 15u);
    EXPECT_EQ(tutte[0], "$LIMMIN");  // the header records are copied too
    s.modo = ModoSelezioneDxf::Combinata;
    s.tipo = "POLYLINE";
    s.layer = "CURVE";
    s.colore = 10;
    EXPECT_EQ(nomi(s).size(), 8u);  // the sequence ends carry no colour of their own
    s.colore = 15;
    EXPECT_EQ(nomi(s), (std::vector<std::string>{"SEQEND", "SEQEND"}));

    // Polylines without their sequence ends still give one contour line each.
    s.colore = 10;
    VbArray<VbArray<ContourSegment>> curve = curveDaPolilinee(selezionaEntitaDxf(r.ws.DxfDrawing, s));
    ASSERT_EQ(curve.upperBound(), 2);
    EXPECT_EQ(curve[2].upperBound(), 2);
    EXPECT_FLOAT_EQ(curve[2][1].z1, 105);
}

TEST(DxfProject, ContourLinesFromPolylinesAndLines) {
    Ricava r;
    SceltaDxf s;
    s.modo = ModoSelezioneDxf::Entita;
    s.tipo = "POLYLINE";
    s.curveDaPolilinee = true;
    ASSERT_TRUE(convertiProgettoDxf(r.ws, r.canvas, r.host, s));
    const Planimetria& p = r.ws.Piano;
    ASSERT_EQ(p.NumeroCurveLivello, 2);
    ASSERT_EQ(p.CurveLivello[2].upperBound(), 2);
    EXPECT_EQ(p.CurveLivello[2][2], (ContourSegment{50, 15, 105, 100, 15, 105}));
    EXPECT_EQ(r.ws.TipoDocumento, kDocPianta);  // the plan is drawn
    EXPECT_TRUE(r.host.pagine.empty());
    EXPECT_EQ(r.host.didascalie.front(), "Selezione delle entità in corso...");

    // Lines: consecutive lines with the same start elevation join, however far apart.
    VbArray<DxfEntity> w(0);
    auto linea = [&](float x, float z) {
        DxfEntity e;
        e.Nome = "LINE";
        e.X1 = x, e.Z1 = z, e.X2 = x + 1, e.Z2 = z;
        w.raw().push_back(e);
    };
    linea(0, 100), linea(1000, 100), linea(0, 105), linea(5, 100);
    w.raw().push_back(DxfEntity{"POINT"});
    VbArray<VbArray<ContourSegment>> curve = curveDaLinee(w);
    ASSERT_EQ(curve.upperBound(), 3);
    EXPECT_EQ(curve[1].upperBound(), 2);
    EXPECT_FLOAT_EQ(curve[1][2].x1, 1000);
    EXPECT_EQ(curve[3].upperBound(), 1);
}

TEST(DxfProject, PolylineContoursFollowTheVertexRules) {
    auto e = [](const char* nome, float x, uint8_t flag = 32, uint8_t flagPolilinea = 0) {
        DxfEntity d;
        d.Nome = nome;
        d.X1 = x;
        d.Z1 = 7;
        d.FlagVertice = flag;
        d.FlagPolilinea = flagPolilinea;
        return d;
    };
    VbArray<DxfEntity> w(0);
    for (DxfEntity d : {e("LINE", 99), e("POLYLINE", 0, 0, 5), e("VERTEX", 1, 16), e("VERTEX", 2, 8), e("VERTEX", 3, 8),
                        e("SEQEND", 0), e("POLYLINE", 0), e("VERTEX", 10, 0), e("VERTEX", 11, 0), e("SEQEND", 0),
                        e("POLYLINE", 0), e("VERTEX", 20), e("VERTEX", 21)})
        w.raw().push_back(d);
    VbArray<VbArray<ContourSegment>> c = curveDaPolilinee(w);
    // The closed spline polyline from its second vertex and back; the 2D one gives nothing; the
    // last, without SEQEND, keeps its last vertex.
    ASSERT_EQ(c.upperBound(), 2);
    ASSERT_EQ(c[1].upperBound(), 2);
    EXPECT_FLOAT_EQ(c[1][1].x1, 2);
    EXPECT_FLOAT_EQ(c[1][1].x2, 3);
    EXPECT_FLOAT_EQ(c[1][2].x1, 3);
    EXPECT_FLOAT_EQ(c[1][2].x2, 2);
    ASSERT_EQ(c[2].upperBound(), 1);
    EXPECT_FLOAT_EQ(c[2][1].x2, 21);
}

TEST(DxfProject, TargetsOfEveryKind) {
    Ricava r;
    SceltaDxf s;
    s.modo = ModoSelezioneDxf::Entita;
    s.tipo = "POLYLINE";

    // Without the check box every polyline record becomes a plan point.
    s.progetto = TipoProgettoDxf::PianoQuotato;
    ASSERT_TRUE(convertiProgettoDxf(r.ws, r.canvas, r.host, s));
    EXPECT_EQ(r.ws.Piano.NumeroPunti, 10);
    EXPECT_EQ(r.ws.Piano.Punti[2], (PlanPoint{0, 10, 100, 0}));
    EXPECT_EQ(r.ws.Piano.PuntiStazione.upperBound(), 10);
    EXPECT_EQ(r.host.pagine, std::vector<Pagina>{Pagina::PuntiPiano});

    s.tipo = "VERTEX";
    s.progetto = TipoProgettoDxf::PoligonaleAperta;
    ASSERT_TRUE(convertiProgettoDxf(r.ws, r.canvas, r.host, s));
    EXPECT_EQ(r.ws.PoligonaleAperta.NumeroStazioni, 6);
    EXPECT_FLOAT_EQ(r.ws.PoligonaleAperta.Ascissa[2], 50);
    EXPECT_EQ(r.ws.PoligonaleAperta.LetturaSuperiore.upperBound(), 6);

    s.progetto = TipoProgettoDxf::PoligonaleChiusa;
    ASSERT_TRUE(convertiProgettoDxf(r.ws, r.canvas, r.host, s));
    EXPECT_EQ(r.ws.PoligonaleChiusa.NumeroStazioni, 6);
    EXPECT_FLOAT_EQ(r.ws.PoligonaleChiusa.Ordinata[4], 15);

    s.progetto = TipoProgettoDxf::Triangolazione;
    ASSERT_TRUE(convertiProgettoDxf(r.ws, r.canvas, r.host, s));
    EXPECT_EQ(r.ws.Triangolazione.NumeroTriangoli, 6);
    EXPECT_EQ(r.ws.Triangolazione.X.upperBound(), 7);
    EXPECT_EQ(r.ws.Triangolazione.Azimut.upperBound(), 8);
    EXPECT_FLOAT_EQ(r.ws.Triangolazione.X[3], 100);

    s.progetto = TipoProgettoDxf::Profilo;
    ASSERT_TRUE(convertiProgettoDxf(r.ws, r.canvas, r.host, s));
    const Profilo& pr = r.ws.Profilo;
    EXPECT_EQ(pr.NumeroSezioni, 6);
    EXPECT_EQ(pr.NumeroLivellette, 1);
    EXPECT_EQ(pr.PuntiLivelletta[1], 6);
    EXPECT_FLOAT_EQ(pr.Progressive[2], 50);
    EXPECT_FLOAT_EQ(pr.QuoteTerreno[2], 10);  // the drawing's y is the elevation
    EXPECT_FLOAT_EQ(pr.TerrenoLiv(6, 1), 15);

    s.progetto = TipoProgettoDxf::Sezione;
    r.ws.SezioneCorrente = 2;
    ASSERT_TRUE(convertiProgettoDxf(r.ws, r.canvas, r.host, s));
    const Sezione& z = r.ws.Sezioni[2];
    EXPECT_EQ(z.NumeroPunti, 6);
    EXPECT_FLOAT_EQ(z.DistanzeTerreno[3], 100);
    EXPECT_EQ(z.Pendenze.upperBound1(), 6);

    EXPECT_EQ(r.host.pagine,
              (std::vector<Pagina>{Pagina::PuntiPiano, Pagina::PoligonaleAperta, Pagina::PoligonaleChiusa,
                                   Pagina::Triangolazione, Pagina::Profilo, Pagina::Sezione}));
    EXPECT_TRUE(r.host.messaggi.empty());
    EXPECT_EQ(r.host.attesaAperta, 0);
}

TEST(DxfProject, EmptyChoicesAndEmptySelections) {
    Ricava r;
    // A selection that takes nothing gives a target with count 0.
    SceltaDxf s;
    s.modo = ModoSelezioneDxf::Layer;
    s.layer = "NESSUNO";
    s.progetto = TipoProgettoDxf::PoligonaleAperta;
    r.ws.PoligonaleAperta.NumeroStazioni = 4;
    ASSERT_TRUE(convertiProgettoDxf(r.ws, r.canvas, r.host, s));
    EXPECT_EQ(r.ws.PoligonaleAperta.NumeroStazioni, 0);

    // Contours asked of a selection without polylines: the plan keeps its contour lines.
    r.ws.Piano.NumeroCurveLivello = 1;
    r.ws.Piano.CurveLivello.redim(1);
    s.progetto = TipoProgettoDxf::PianoQuotato;
    s.tipo = "POLYLINE";
    s.curveDaPolilinee = true;
    EXPECT_FALSE(convertiProgettoDxf(r.ws, r.canvas, r.host, s));
    EXPECT_EQ(r.host.testiMessaggi(),
              std::vector<std::string>{"Nessuna curva di livello ricavata dalle entità selezionate!"});
    EXPECT_EQ(r.ws.Piano.NumeroCurveLivello, 1);
    EXPECT_EQ(r.host.attesaAperta, 0);

    // A mode whose list is empty cannot choose: the message, and no conversion.
    Workspace vuoto;
    vuoto.DxfDrawing.redim(1);
    vuoto.DxfDrawing[1].Nome = "POINT";  // no layer at all
    ModelloRicavaDxf m;
    m.analizza(vuoto.DxfDrawing);
    m.modo = ModoSelezioneDxf::Layer;
    r.host.pulisci();
    EXPECT_FALSE(m.riconosci(vuoto, r.canvas, r.host));
    EXPECT_EQ(r.host.testiMessaggi(),
              std::vector<std::string>{"Nessun valore disponibile per il criterio di riconoscimento scelto!"});
    m.modo = ModoSelezioneDxf::Colore;
    EXPECT_TRUE(m.riconosci(vuoto, r.canvas, r.host));
    EXPECT_EQ(vuoto.Piano.NumeroPunti, 1);
}

}  // namespace
}  // namespace carvela
