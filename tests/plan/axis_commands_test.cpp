// Tracing, import, reversal and the coordinates page of the road axis; its preparation, curves
// and stakes.
#include <gtest/gtest.h>

#include <cmath>

#include "graphics/recording_canvas.h"
#include "graphics/road_command.h"
#include "plan/axis.h"
#include "project/project_files.h"
#include "road/road_sample.h"
#include "state/workspace.h"
#include "support/fake_host.h"
#include "support/sample_records.h"
#include "support/trim2_fixtures.h"

namespace carvela {
namespace {

class AsseComandi : public ::testing::Test {
protected:
    void SetUp() override {
        ws.vista.scala = 2, ws.vista.offsetX = 10, ws.vista.offsetY = 500;
        prova::impostaAsse(ws.Piano, {{1, 2}, {3, 4}});  // a previous axis, no contour line
        ws.Piano.ProfiloApplicato.MetodoLivellette = 5;
    }
    Workspace ws;
    RecordingCanvas canvas;
    FakeHost host;
};

TEST_F(AsseComandi, TracingAppendsVerticesDrawsLegsAndRestoresAnAbandonedTrace) {
    iniziaTracciamentoAsse(ws, canvas, host);
    EXPECT_EQ(std::vector<int>({ws.vista.modoAsse, ws.PianoBackup.NumeroPuntiAsse, ws.Piano.NumeroPuntiAsse}),
              std::vector<int>({2, 2, 0}));
    aggiungiVerticeAsse(ws, canvas, host, 10, 20);
    aggiungiVerticeAsse(ws, canvas, host, 30, 25);
    aggiungiVerticeAsse(ws, canvas, host, NAN, 25);  // nowhere: ignored
    ASSERT_EQ(ws.Piano.NumeroPuntiAsse, 2);
    EXPECT_EQ(ws.Piano.VerticiAsse[2], (AxisPoint{30, 25, 0}));
    EXPECT_EQ(ws.Piano.AsseTracciato, ws.Piano.VerticiAsse);
    EXPECT_EQ(ws.Piano.ProfiloApplicato.MetodoLivellette, 0);
    // One leg, from the second vertex on, in colour 15: world (10, 20)-(30, 25) on screen.
    const auto linee = canvas.di(OperazioneCanvas::Line);
    ASSERT_EQ(linee.size(), 1u);
    EXPECT_EQ(std::vector<double>({double(linee[0].colore), linee[0].a, linee[0].b, linee[0].c, linee[0].d}),
              std::vector<double>({15, 30, 460, 70, 450}));
    terminaTracciamentoAsse(ws, canvas, host);
    EXPECT_EQ(ws.vista.modoAsse, 0);
    EXPECT_TRUE(host.messaggi.empty());

    // A trace of one vertex from the wizard: back to the wizard, the message, and the plan
    // as it was (although it has no contour line, the previous axis is not lost).
    iniziaTracciamentoAsse(ws, canvas, host);
    aggiungiVerticeAsse(ws, canvas, host, 10, 20);
    ws.wizardAttivo = -1;
    terminaTracciamentoAsse(ws, canvas, host);
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{"La poligonale non contiene punti sufficenti!"});
    EXPECT_EQ(host.pagine, std::vector<Pagina>{Pagina::Autocomposizione});
    EXPECT_EQ(ws.Piano.NumeroPuntiAsse, 2);
    EXPECT_EQ(ws.Piano.VerticiAsse[2], (AxisPoint{30, 25, 0}));
}

TEST_F(AsseComandi, ReversalSwapsVerticesInPlaceOrRefuses) {
    prova::impostaAsse(ws.Piano, {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}});
    ASSERT_TRUE(invertiAsse(ws, host));
    for (int32_t i = 1; i <= 5; ++i) EXPECT_EQ(ws.Piano.VerticiAsse[i].x, float(6 - i));
    prova::impostaAsse(ws.Piano, {{1, 0}});
    EXPECT_FALSE(invertiAsse(ws, host));
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{"Non è presente la poligonale d'asse!"});
}

TEST_F(AsseComandi, ImportFromTraverseAndTriangulationFiles) {
    campioni::CartellaTemporanea cartella;
    OpenTraverse pol;
    pol.Versione = 1, pol.NumeroStazioni = 3;
    pol.Ascissa.assignRaw({0, 100, 200, 300});
    pol.Ordinata.assignRaw({0, -5, -10, -15});
    ASSERT_EQ(scriviRecord(cartella.file("a.pla"), pol, false), "");
    TriangulationChain tri;
    tri.Versione = 1, tri.NumeroTriangoli = 2;
    tri.X.assignRaw({0, 0, 3});
    tri.Y.assignRaw({0, 0, 4});
    ASSERT_EQ(scriviRecord(cartella.file("t.trn"), tri, false), "");

    host.fileAperti = {cartella.file("a.pla"), cartella.file("t.trn")};
    importaAsse(ws, canvas, host, false);
    ASSERT_EQ(ws.Piano.NumeroPuntiAsse, 3);
    EXPECT_EQ(ws.Piano.VerticiAsse[3], (AxisPoint{300, -15, 0}));
    EXPECT_EQ(ws.Piano.AsseTracciato, ws.Piano.VerticiAsse);
    EXPECT_EQ(ws.TipoDocumento, kDocPianta);  // the plan was redrawn
    importaAsse(ws, canvas, host, true);
    ASSERT_EQ(ws.Piano.NumeroPuntiAsse, 2);
    EXPECT_EQ(ws.Piano.VerticiAsse[2], (AxisPoint{3, 4, 0}));
    EXPECT_EQ(host.titoliDialoghi,
              (std::vector<std::string>{"Apri file di Poligonale", "Apri file di Triangolazione"}));
    EXPECT_EQ(host.filtriDialoghi,
              (std::vector<std::string>{"File di Diagramma (*.pla) | *.PLA", "File di Diagramma (*.trn) | *.TRN"}));

    // Cancelled dialog: nothing. Missing file, or a traverse of another kind: a message, and
    // the axis stays.
    const Planimetria prima = ws.Piano;
    importaAsse(ws, canvas, host, false);
    pol.Tipo = 1;
    ASSERT_EQ(scriviRecord(cartella.file("c.pla"), pol, false), "");
    host.fileAperti = {cartella.file("manca.pla"), cartella.file("c.pla")};
    importaAsse(ws, canvas, host, false);
    importaAsse(ws, canvas, host, false);
    EXPECT_EQ(host.testiMessaggi(), (std::vector<std::string>{"Errore di apertura del file!",
                                                              "Il file non contiene una poligonale aperta!"}));
    EXPECT_EQ(ws.Piano, prima);
}

TEST_F(AsseComandi, ImportedSurveyGoesThroughItsTrueCoordinatesIntoThePlanOrigin) {
    campioni::CartellaTemporanea cartella;
    OpenTraverse pol;
    pol.Versione = 1, pol.NumeroStazioni = 2, pol.Origine = "E=2400000 N=4900000";
    pol.Ascissa.assignRaw({0, 12.345f, 812.5f});
    pol.Ordinata.assignRaw({0, -3.25f, 400.125f});
    ASSERT_EQ(scriviRecord(cartella.file("n.pla"), pol, false), "");
    host.fileAperti = {cartella.file("n.pla"), cartella.file("n.pla")};

    // A plan with nothing on it takes the survey's origin: the records stay as they are.
    importaAsse(ws, canvas, host, false);
    EXPECT_EQ(ws.Piano.Origine, "E=2400000 N=4900000");
    EXPECT_EQ(ws.Piano.VerticiAsse[1], (AxisPoint{12.345f, -3.25f, 0}));

    // A plan of its own origin gets the axis moved into it.
    ws.Piano.Origine = "E=2401000 N=4899000";
    ws.Piano.NumeroPunti = 1;
    importaAsse(ws, canvas, host, false);
    EXPECT_EQ(ws.Piano.Origine, "E=2401000 N=4899000");
    EXPECT_EQ(ws.Piano.VerticiAsse[2], (AxisPoint{812.5f - 1000, 400.125f + 1000, 0}));
}

TEST_F(AsseComandi, CoordinatesPageFillsEditsAndApplies) {
    PaginaCoordinateAsse pagina;
    ws.Piano.VerticiAsse[2] = {3.5f, -4.25f, 0};
    pagina.apri(ws);
    const Griglia& g = pagina.griglia;
    ASSERT_EQ(g.righe(), 3);
    EXPECT_EQ(std::vector<std::string>(
                  {g.testo(0, 0), g.testo(0, 1), g.testo(0, 2), g.testo(2, 0), g.testo(2, 1), g.testo(2, 2)}),
              std::vector<std::string>({"Punto n°", "Ascisse", "Ordinate", "2", "3,5", "-4,25"}));

    for (int tasto : {8, int('7'), int(','), int('5'), int('a')}) pagina.tasto(1, 1, tasto);  // "1" -> "7,5"
    ASSERT_TRUE(pagina.applica(ws, host));
    EXPECT_EQ(ws.Piano.VerticiAsse[1], (AxisPoint{7.5f, 2, 0}));
    EXPECT_EQ(ws.Piano.AsseTracciato, ws.Piano.VerticiAsse);

    // A cell that is not a number: message, nothing stored. No axis: refused.
    pagina.griglia.imposta(2, 2, "");
    const Planimetria prima = ws.Piano;
    EXPECT_FALSE(pagina.applica(ws, host));
    EXPECT_EQ(ws.Piano, prima);
    Workspace vuoto;
    pagina.apri(vuoto);
    EXPECT_EQ(pagina.griglia.righe(), 1);
    EXPECT_FALSE(pagina.applica(vuoto, host));
    EXPECT_EQ(host.testiMessaggi(),
              (std::vector<std::string>{"Tipo di dati non corretto!", "Nessun punto di poligonale d'asse inserito!"}));
}

using Vertici = std::vector<std::pair<double, double>>;
using prova::vicini;

// The axis computed with a curve table kept through the preparation (a method is set), the
// given radii, and a stake count of 1 on the first curve when `picchetti` is set.
Workspace calcolato(const Vertici& v, std::vector<float> raggi = {}, bool picchetti = false) {
    Workspace ws;
    prova::impostaAsse(ws.Piano, v);
    ws.Piano.ProfiloApplicato.MetodoLivellette = ws.Profilo.MetodoLivellette = 5;
    ws.Profilo.CurvaRaggio.assignRaw(raggi);
    ws.Profilo.CurvaRaggio.raw().insert(ws.Profilo.CurvaRaggio.raw().begin(), 0);
    if (picchetti) ws.Profilo.CurvaPicchetti.assignRaw({0, 1}), ws.impostazioni.PicchettiCurva = 4;
    preparaAsse(ws);
    calcolaCurvePicchetti(ws);
    return ws;
}

double angolo(const Workspace& ws, int32_t i) {
    const AxisPoint& p = ws.Piano.AsseTracciato[i];
    return std::atan2(p.x - ws.CentriCurve[i].x, p.y - ws.CentriCurve[i].y);
}

std::vector<double> centroEPrimoPicchetto(const Workspace& ws) {
    const AxisPoint& p = ws.Piano.AsseTracciato[2];
    return {ws.CentriCurve[2].x, ws.CentriCurve[2].y, p.x, p.y};
}

TEST(CurvePicchetti, WorkedExamplesLeftAndRight) {
    // Left-hand: Rmax = 100.5 x tan(|delta| / 2) ~ 4.9 is below the minimum, so R = 20.
    const Workspace s = calcolato({{0, 100}, {10, 0}, {30, -100}});
    EXPECT_EQ(s.Profilo.CurvaVerso[1], "s");
    EXPECT_EQ(s.Profilo.CurvaPicchetti[1], 8);
    EXPECT_FLOAT_EQ(s.Profilo.CurvaRaggio[1], 20);
    EXPECT_EQ(s.CentriCurve[2].lato, 1);
    EXPECT_TRUE(vicini(centroEPrimoPicchetto(s), {29.80, 2.96, 9.90, 0.97}, 0.01));
    // Stakes on the circle; one more step of the spacing reaches the second leg (5 x + y = 50).
    for (int32_t i = 2; i <= 9; ++i)
        EXPECT_NEAR(std::hypot(s.Piano.AsseTracciato[i].x - s.CentriCurve[i].x,
                               s.Piano.AsseTracciato[i].y - s.CentriCurve[i].y),
                    20, 1e-4);
    const double fine = angolo(s, 2) + 8 * (angolo(s, 3) - angolo(s, 2));
    EXPECT_NEAR(5 * (s.CentriCurve[2].x + 20 * std::sin(fine)) + s.CentriCurve[2].y + 20 * std::cos(fine), 50, 1e-3);

    // Right-hand: Rmax ~ 24.6, R stays 20; clockwise, in the direction of travel.
    const Workspace d = calcolato({{0, 100}, {10, 0}, {-30, -100}});
    EXPECT_EQ(d.Profilo.CurvaVerso[1], "d");
    EXPECT_FLOAT_EQ(d.Profilo.CurvaRaggio[1], 20);
    EXPECT_EQ(d.CentriCurve[2].lato, 0);
    EXPECT_TRUE(vicini(centroEPrimoPicchetto(d), {-10.39, 2.88, 9.51, 4.87}, 0.01));
    EXPECT_GT(angolo(d, 3), angolo(d, 2));

    // First vertex, 8 stakes marked 255 but the last, last vertex; the polygon stays.
    const Planimetria& p = d.Piano;
    ASSERT_EQ(p.NumeroPuntiAsse, 10);
    EXPECT_EQ(p.AsseTracciato[1], (AxisPoint{0, 100, 0}));
    for (int32_t i = 2; i <= 9; ++i) EXPECT_EQ(p.AsseTracciato[i].marca, i < 9 ? kMarcaPicchetto : 0) << i;
    EXPECT_EQ(p.AsseTracciato[10], (AxisPoint{-30, -100, 0}));
    EXPECT_EQ(p.VerticiAsse.upperBound(), 3);
    EXPECT_EQ(d.CentriCurve[10], d.CentriCurve[9]);
}

TEST(CurvePicchetti, RadiusLimitStakeCountAndTheBackPoint) {
    // Right-hand example, Rmax ~ 24.6 >= 20: 5 stays, 50 drops to Rmax. Left-hand, Rmax < 20:
    // 5 is raised to 20.
    EXPECT_FLOAT_EQ(calcolato({{0, 100}, {10, 0}, {-30, -100}}, {5}).Profilo.CurvaRaggio[1], 5);
    const double rmax = std::hypot(10.0, 100.0) * std::tan((std::atan(0.4) + std::atan(0.1)) / 2);
    EXPECT_NEAR(calcolato({{0, 100}, {10, 0}, {-30, -100}}, {50}).Profilo.CurvaRaggio[1], rmax, 1e-3);
    EXPECT_FLOAT_EQ(calcolato({{0, 100}, {10, 0}, {30, -100}}, {5}).Profilo.CurvaRaggio[1], 20);

    // A stake count below 2 takes the setting, and the table keeps it.
    const Workspace uno = calcolato({{0, 100}, {10, 0}, {-30, -100}}, {}, true);
    EXPECT_EQ(uno.Profilo.CurvaPicchetti[1], 4);
    EXPECT_EQ(uno.Piano.NumeroPuntiAsse, 6);

    // Two right angles 100 m apart with R = 80: the second curve's tangent is measured from
    // the first curve's last stake (about 35.6 m back), not from its vertex.
    const Workspace due = calcolato({{0, 0}, {0, 100}, {100, 100}, {100, 200}}, {80, 80});
    EXPECT_FLOAT_EQ(due.Profilo.CurvaRaggio[1], 80);
    const AxisPoint ultimo = due.Piano.AsseTracciato[9];
    const double indietro = std::hypot(100.0 - ultimo.x, 100.0 - ultimo.y);
    EXPECT_NEAR(indietro, 35.6, 0.1);
    EXPECT_NEAR(due.Profilo.CurvaRaggio[2], indietro * std::tan(3.1415929794311523 / 4), 1e-3);
    EXPECT_EQ(due.Profilo.CurvaVerso[2], "s");
}

TEST(PreparaAsse, NudgesEqualCoordinatesAndResetsOrKeepsTheProfile) {
    Workspace ws;
    prova::impostaAsse(ws.Piano, {{0, 0}, {0, 50}, {40, 50}, {40, 90}});
    ws.Profilo.NumeroSezioni = 7;
    ws.Profilo.CurvaRaggio.assignRaw({0, 35});
    preparaAsse(ws);
    // Method 0 in the plan's copy: the profile starts afresh, radii at the minimum.
    EXPECT_EQ(std::pair(ws.Profilo.NumeroSezioni, ws.Piano.ProfiloApplicato.NumeroSezioni), std::pair(0, 0));
    EXPECT_EQ(ws.Profilo.NumeroCurve, 2);
    EXPECT_FLOAT_EQ(ws.Profilo.CurvaRaggio[1], 20);
    // Equal x or y of consecutive vertices are moved 0.0005 apart, and the move is stored.
    EXPECT_EQ(std::vector<float>({ws.Piano.VerticiAsse[2].x, ws.Piano.VerticiAsse[3].y, ws.Piano.VerticiAsse[4].x}),
              std::vector<float>({0.0005f, 50.0005f, 40.0005f}));
    EXPECT_EQ(ws.Piano.AsseTracciato, ws.Piano.VerticiAsse);

    // With a method set the profile stays; the curve table grows keeping its values.
    ws.Piano.ProfiloApplicato.MetodoLivellette = 3;
    ws.Profilo.NumeroSezioni = 7;
    ws.Profilo.CurvaRaggio[1] = 35;
    prova::impostaAsse(ws.Piano, {{0, 0}, {10, 50}, {40, 60}, {45, 90}, {80, 100}});
    preparaAsse(ws);
    EXPECT_EQ(std::pair(ws.Profilo.NumeroSezioni, ws.Profilo.NumeroCurve), std::pair(7, 3));
    EXPECT_EQ(std::pair(ws.Profilo.CurvaRaggio[1], ws.Profilo.CurvaRaggio[3]), std::pair(35.0f, 20.0f));
}

TEST(CurvePicchetti, StraightAndDegenerateAxesStayFinite) {
    const Workspace dritto = calcolato({{0, 0}, {100, 30}});
    EXPECT_EQ(dritto.Piano.NumeroPuntiAsse, 2);
    EXPECT_EQ(dritto.Piano.AsseTracciato, dritto.Piano.VerticiAsse);
    for (const Vertici& v : {Vertici{{0, 0}, {50, 50}, {100, 100}}, Vertici{{0, 0}, {10, 10}, {10, 10}, {20, 0}},
                             Vertici{{5, 5}, {5, 5}, {5, 5}}, Vertici{{0, 0}, {30, 100}, {0, 0}},
                             Vertici{{0, 0}, {0, 100}, {0, 40}, {60, 40}}}) {
        const Workspace ws = calcolato(v);
        ASSERT_EQ(ws.Piano.NumeroPuntiAsse, 2 + 8 * (int32_t(v.size()) - 2));
        for (int32_t i = 1; i <= ws.Piano.NumeroPuntiAsse; ++i) {
            const AxisPoint& a = ws.Piano.AsseTracciato[i];
            EXPECT_TRUE(std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(ws.CentriCurve[i].x)) << i;
        }
        // Aligned vertices: every stake falls on the middle vertex.
        if (v.size() == 3 && v[2].first == 100)
            for (int32_t i = 2; i <= 9; ++i) EXPECT_NEAR(ws.Piano.AsseTracciato[i].x, 50, 1e-3);
    }
}

}  // namespace
}  // namespace carvela
