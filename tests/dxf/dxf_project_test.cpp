#include "dxf/dxf_project.h"

#include <gtest/gtest.h>

#include "dxf/dxf_commands.h"
#include "graphics/recording_canvas.h"
#include "state/workspace.h"
#include "support/fake_host.h"
#include "support/survey_dxf_fixtures.h"

namespace carvela {
namespace {

using V = std::vector<std::string>;
using Curve = std::vector<ContourSegment>;

// The header limits, two 3D contour polylines on layer CURVE (colour 3, y = z - 90), a line
// and a point on other layers, a text without layer: 15 entities.
std::string disegnoDiProva() {
    std::string s = "9 $LIMMIN 10 0 20 0 9 $LIMMAX 10 100 20 100 0 SECTION 2 ENTITIES";
    for (int z : {100, 105}) {
        const std::string yz = " 20 " + std::to_string(z - 90) + " 30 " + std::to_string(z);
        s += " 0 POLYLINE 8 CURVE 62 3 66 1 10 0 20 0 30 " + std::to_string(z) + " 70 8";
        for (int x : {0, 50, 100}) s += " 0 VERTEX 8 CURVE 62 3 10 " + std::to_string(x) + yz + " 70 32";
        s += " 0 SEQEND 8 CURVE";
    }
    return test::dxf(s +
                     " 0 LINE 8 ASSE 62 1 10 0 20 50 30 0 11 100 21 50 31 0 0 POINT 8 PUNTI 10 3 20 4 30 5"
                     " 0 TEXT 10 1 20 1 30 0 40 1 1 NOTA 0 ENDSEC 0 EOF");
}

struct Ricava {
    Workspace ws;
    RecordingCanvas canvas;
    FakeHost host;
    Ricava() {
        ws.DxfDrawing = test::leggiDxf(disegnoDiProva());
        ws.TipoDocumento = kDocDxf;
    }
    bool converti(TipoProgettoDxf progetto, ModoSelezioneDxf modo, const std::string& tipo, bool curve = false,
                  const std::string& layer = "") {
        return convertiProgettoDxf(ws, canvas, host, SceltaDxf{progetto, modo, 15, layer, tipo, curve});
    }
};

V testi(const std::vector<VoceDxf>& voci) {
    V out;
    for (const auto& v : voci) out.push_back(v.testo);
    return out;
}

// The names of the entities a selection takes.
V nomi(const VbArray<DxfEntity>& d, ModoSelezioneDxf modo, uint8_t colore, const std::string& layer = "",
       const std::string& tipo = "") {
    V out;
    const SceltaDxf scelta{TipoProgettoDxf::PianoQuotato, modo, colore, layer, tipo};
    const VbArray<DxfEntity> w = selezionaEntitaDxf(d, scelta);
    for (int32_t i = 1; i <= w.upperBound(); ++i) out.push_back(w[i].Nome);
    // Made within the drawing it takes, the selection is the same.
    VbArray<DxfEntity> preso = d;
    EXPECT_EQ(selezionaEntitaDxf(std::move(preso), scelta).raw(), w.raw());
    EXPECT_EQ(preso.upperBound(), -1);
    return out;
}

TEST(DxfProject, AnalyseListsColoursLayersAndKindsOnce) {
    Ricava r;
    const AnalisiDxf a = analizzaDxf(r.ws.DxfDrawing, &r.host);
    EXPECT_EQ(testi(a.colori), (V{"15", "10", "12"}));
    EXPECT_EQ(testi(a.layer), (V{"CURVE", "ASSE", "PUNTI"}));  // no empty layer
    EXPECT_EQ(testi(a.tipi), (V{"POLYLINE", "VERTEX", "SEQEND", "LINE", "POINT", "TEXT"}));
    EXPECT_EQ(a.layer[0].entita, 3);  // the first polyline, after the two header records
    EXPECT_EQ(r.host.didascalie, V{"Analisi del file DXF in corso..."});
    EXPECT_EQ(r.host.attesaAperta, 0);

    ModelloRicavaDxf m;
    m.analizza(VbArray<DxfEntity>(0));
    EXPECT_EQ(m.indiceColore, -1);
    EXPECT_EQ(m.indiceTipo, -1);
}

TEST(DxfProject, SelectionModes) {
    const VbArray<DxfEntity> d = test::leggiDxf(disegnoDiProva());
    using M = ModoSelezioneDxf;
    EXPECT_EQ(nomi(d, M::Colore, 12), V{"LINE"});
    EXPECT_EQ(nomi(d, M::Layer, 15, "PUNTI"), V{"POINT"});
    EXPECT_EQ(nomi(d, M::Entita, 15, "", "POLYLINE").size(), 10u);  // headers, vertices and sequence ends
    EXPECT_EQ(nomi(d, M::Entita, 15, "", "TEXT"), V{"TEXT"});
    const V tutte = nomi(d, M::Tutte, 15);
    ASSERT_EQ(tutte.size(), 15u);
    EXPECT_EQ(tutte[0], "$LIMMIN");  // the header records are copied too
    // Combined: the sequence ends carry no colour of their own.
    EXPECT_EQ(nomi(d, M::Combinata, 10, "CURVE", "POLYLINE").size(), 8u);
    EXPECT_EQ(nomi(d, M::Combinata, 15, "CURVE", "POLYLINE"), (V{"SEQEND", "SEQEND"}));

    // Polylines without their sequence ends still give one contour line each.
    const auto curve =
        curveDaPolilinee(selezionaEntitaDxf(d, {TipoProgettoDxf::PianoQuotato, M::Combinata, 10, "CURVE", "POLYLINE"}));
    ASSERT_EQ(curve.upperBound(), 2);
    EXPECT_EQ(curve[2].raw(), (Curve{{}, {0, 15, 105, 50, 15, 105}, {50, 15, 105, 100, 15, 105}}));
}

TEST(DxfProject, ContourLinesFromPolylinesAndLines) {
    Ricava r;
    ASSERT_TRUE(r.converti(TipoProgettoDxf::PianoQuotato, ModoSelezioneDxf::Entita, "POLYLINE", true));
    ASSERT_EQ(r.ws.Piano.NumeroCurveLivello, 2);
    EXPECT_EQ(r.ws.Piano.CurveLivello[2].raw(), (Curve{{}, {0, 15, 105, 50, 15, 105}, {50, 15, 105, 100, 15, 105}}));
    EXPECT_EQ(r.ws.TipoDocumento, kDocPianta);  // the plan is drawn
    EXPECT_TRUE(r.host.pagine.empty());
    EXPECT_EQ(r.host.didascalie.front(), "Selezione delle entità in corso...");
    // Read in place, the drawing stays whole; taken by the selection, it goes, with the same plan.
    EXPECT_EQ(r.ws.DxfDrawing, test::leggiDxf(disegnoDiProva()));
    Ricava preso;
    SceltaDxf rilascio{TipoProgettoDxf::PianoQuotato, ModoSelezioneDxf::Entita, 15, "", "POLYLINE", true};
    rilascio.rilasciaDisegno = true;
    ASSERT_TRUE(convertiProgettoDxf(preso.ws, preso.canvas, preso.host, rilascio));
    EXPECT_EQ(preso.ws.Piano.CurveLivello, r.ws.Piano.CurveLivello);
    EXPECT_EQ(preso.ws.DxfDrawing.upperBound(), -1);

    // Lines: consecutive lines with the same start elevation join, however far apart.
    auto linea = [](int x, int z) {
        return " 0 LINE 10 " + std::to_string(x) + " 20 0 30 " + std::to_string(z) + " 11 " + std::to_string(x + 1) +
               " 21 0 31 " + std::to_string(z);
    };
    const auto curve = curveDaLinee(test::leggiDxf(
        test::dxf(linea(0, 100) + linea(1000, 100) + linea(0, 105) + linea(5, 100) + " 0 POINT 10 0 20 0 30 0")));
    ASSERT_EQ(curve.upperBound(), 3);
    EXPECT_EQ(curve[1].raw(), (Curve{{}, {0, 0, 100, 1, 0, 100}, {1000, 0, 100, 1001, 0, 100}}));
    EXPECT_EQ(curve[3].upperBound(), 1);

    // Polylines: the closed spline one (flags 5) from its second vertex and back to it; the 2D
    // one (flags 0) gives nothing; the last, without SEQEND, keeps its last vertex.
    auto v = [](int x, int flag) {
        return " 0 VERTEX 10 " + std::to_string(x) + " 20 0 30 7 70 " + std::to_string(flag);
    };
    const auto p = curveDaPolilinee(
        test::leggiDxf(test::dxf("0 LINE 10 99 20 0 30 7 11 0 21 0 31 0 0 POLYLINE 10 0 20 0 30 7 70 5" + v(1, 16) +
                                 v(2, 8) + v(3, 8) + " 0 SEQEND 0 POLYLINE 10 0 20 0 30 0 70 0" + v(10, 0) + v(11, 0) +
                                 " 0 SEQEND 0 POLYLINE 10 0 20 0 30 7 70 0" + v(20, 32) + v(21, 32))));
    ASSERT_EQ(p.upperBound(), 2);
    EXPECT_EQ(p[1].raw(), (Curve{{}, {2, 0, 7, 3, 0, 7}, {3, 0, 7, 2, 0, 7}}));
    EXPECT_EQ(p[2].raw(), (Curve{{}, {20, 0, 7, 21, 0, 7}}));
}

TEST(DxfProject, TargetsOfEveryKind) {
    Ricava r;
    using T = TipoProgettoDxf;
    using std::tuple;
    const auto E = ModoSelezioneDxf::Entita;
    const Workspace& ws = r.ws;
    // Without the check box every polyline record becomes a plan point.
    ASSERT_TRUE(r.converti(T::PianoQuotato, E, "POLYLINE"));
    EXPECT_EQ(tuple(ws.Piano.NumeroPunti, ws.Piano.PuntiStazione.upperBound()), tuple(10, 10));
    EXPECT_EQ(ws.Piano.Punti[2], (PlanPoint{0, 10, 100, 0}));
    // The six vertices become stations or vertices with their arrays sized; the drawing's y is
    // a profile's or a section's elevation.
    ASSERT_TRUE(r.converti(T::PoligonaleAperta, E, "VERTEX"));
    const OpenTraverse& a = ws.PoligonaleAperta;
    EXPECT_EQ(tuple(a.NumeroStazioni, a.Ascissa[2], a.LetturaSuperiore.upperBound()), tuple(6, 50.0f, 6));
    ASSERT_TRUE(r.converti(T::PoligonaleChiusa, E, "VERTEX"));
    EXPECT_EQ(tuple(ws.PoligonaleChiusa.NumeroStazioni, ws.PoligonaleChiusa.Ordinata[4]), tuple(6, 15.0f));
    ASSERT_TRUE(r.converti(T::Triangolazione, E, "VERTEX"));
    const TriangulationChain& t = ws.Triangolazione;
    EXPECT_EQ(tuple(t.NumeroTriangoli, t.X.upperBound(), t.Azimut.upperBound(), t.X[3]), tuple(6, 7, 8, 100.0f));
    ASSERT_TRUE(r.converti(T::Profilo, E, "VERTEX"));
    const Profilo& p = ws.Profilo;
    EXPECT_EQ(tuple(p.NumeroSezioni, p.NumeroLivellette, p.PuntiLivelletta[1]), tuple(6, 1, 6));
    EXPECT_EQ(tuple(p.Progressive[2], p.QuoteTerreno[2], p.TerrenoLiv(6, 1)), tuple(50.0f, 10.0f, 15.0f));
    r.ws.SezioneCorrente = 2;
    ASSERT_TRUE(r.converti(T::Sezione, E, "VERTEX"));
    const Sezione& z = ws.Sezioni[2];
    EXPECT_EQ(tuple(z.NumeroPunti, z.DistanzeTerreno[3], z.Pendenze.upperBound1()), tuple(6, 100.0f, 6));

    EXPECT_EQ(r.host.pagine,
              (std::vector<Pagina>{Pagina::PuntiPiano, Pagina::PoligonaleAperta, Pagina::PoligonaleChiusa,
                                   Pagina::Triangolazione, Pagina::Profilo, Pagina::Sezione}));
    EXPECT_TRUE(r.host.messaggi.empty());
    EXPECT_EQ(r.host.attesaAperta, 0);
}

TEST(DxfProject, EmptyChoicesAndEmptySelections) {
    Ricava r;
    // A selection that takes nothing makes nothing: every target keeps what it holds.
    r.ws.Piano.NumeroPunti = 2;
    r.ws.PoligonaleAperta.NumeroStazioni = 4;
    r.ws.PoligonaleChiusa.NumeroStazioni = 5;
    r.ws.Triangolazione.NumeroTriangoli = 6;
    r.ws.Profilo.NumeroSezioni = 7;
    r.ws.Sezioni[1].NumeroPunti = 8;
    const Workspace prima = r.ws;
    using T = TipoProgettoDxf;
    for (T t : {T::PianoQuotato, T::PoligonaleAperta, T::PoligonaleChiusa, T::Triangolazione, T::Profilo, T::Sezione}) {
        r.host.pulisci();
        EXPECT_FALSE(r.converti(t, ModoSelezioneDxf::Layer, "", false, "NESSUNO"));
        EXPECT_EQ(r.host.testiMessaggi(), V{"Nessuna entità selezionata per il tipo di progetto scelto!"});
    }
    EXPECT_EQ(
        std::tuple(r.ws.Piano.NumeroPunti, r.ws.PoligonaleAperta.NumeroStazioni, r.ws.PoligonaleChiusa.NumeroStazioni,
                   r.ws.Triangolazione.NumeroTriangoli, r.ws.Profilo.NumeroSezioni, r.ws.Sezioni[1].NumeroPunti),
        std::tuple(prima.Piano.NumeroPunti, 4, 5, 6, 7, 8));
    EXPECT_TRUE(r.host.pagine.empty());
    EXPECT_EQ(r.host.attesaAperta, 0);

    // Contours asked of a selection without polylines: the plan keeps its contour lines.
    r.ws.Piano.NumeroCurveLivello = 1;
    r.ws.Piano.CurveLivello.redim(1);
    r.host.pulisci();
    EXPECT_FALSE(r.converti(TipoProgettoDxf::PianoQuotato, ModoSelezioneDxf::Layer, "POLYLINE", true, "NESSUNO"));
    EXPECT_EQ(r.host.testiMessaggi(), V{"Nessuna curva di livello ricavata dalle entità selezionate!"});
    EXPECT_EQ(r.ws.Piano.NumeroCurveLivello, 1);
    EXPECT_EQ(r.host.attesaAperta, 0);

    // A mode whose list is empty cannot choose: the message, and no conversion.
    Workspace vuoto;
    vuoto.DxfDrawing = test::leggiDxf(test::dxf("0 POINT 10 0 20 0 30 0"));  // no layer at all
    ModelloRicavaDxf m;
    m.analizza(vuoto.DxfDrawing);
    m.modo = ModoSelezioneDxf::Layer;
    r.host.pulisci();
    EXPECT_FALSE(riconosciDxf(m, vuoto, r.canvas, r.host));
    EXPECT_EQ(r.host.testiMessaggi(), V{"Nessun valore disponibile per il criterio di riconoscimento scelto!"});
    m.modo = ModoSelezioneDxf::Colore;
    EXPECT_TRUE(riconosciDxf(m, vuoto, r.canvas, r.host));
    EXPECT_EQ(vuoto.Piano.NumeroPunti, 1);
}

}  // namespace
}  // namespace carvela
