// Tracing, import, reversal and the coordinates page of the road axis.
#include <gtest/gtest.h>

#include "graphics/recording_canvas.h"
#include "plan/axis.h"
#include "project/project_files.h"
#include "road/road_sample.h"
#include "shell/workspace.h"
#include "support/fake_host.h"
#include "support/sample_records.h"

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
    tri.Versione = 1, tri.NumeroTriangoli = 9;  // more than the lists hold: only the points present are taken
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
    EXPECT_EQ(host.titoliDialoghi, (std::vector<std::string>{"Apri file di Poligonale", "Apri file di Triangolazione"}));
    EXPECT_EQ(host.filtriDialoghi, (std::vector<std::string>{"File di Diagramma (*.pla) | *.PLA",
                                                             "File di Diagramma (*.trn) | *.TRN"}));

    // Cancelled dialog: nothing. Missing file, or a traverse of another kind: a message, and
    // the axis stays.
    const Planimetria prima = ws.Piano;
    importaAsse(ws, canvas, host, false);
    pol.Tipo = 1;
    ASSERT_EQ(scriviRecord(cartella.file("c.pla"), pol, false), "");
    host.fileAperti = {cartella.file("manca.pla"), cartella.file("c.pla")};
    importaAsse(ws, canvas, host, false);
    importaAsse(ws, canvas, host, false);
    EXPECT_EQ(host.testiMessaggi(),
              (std::vector<std::string>{"Errore di apertura del file!", "Il file non contiene una poligonale aperta!"}));
    EXPECT_EQ(ws.Piano, prima);
}

TEST_F(AsseComandi, CoordinatesPageFillsEditsAndApplies) {
    PaginaCoordinateAsse pagina;
    ws.Piano.VerticiAsse[2] = {3.5f, -4.25f, 0};
    pagina.apri(ws);
    const Griglia& g = pagina.griglia;
    ASSERT_EQ(g.righe(), 3);
    EXPECT_EQ(std::vector<std::string>({g.testo(0, 0), g.testo(0, 1), g.testo(0, 2), g.testo(2, 0), g.testo(2, 1),
                                        g.testo(2, 2)}),
              std::vector<std::string>({"Punto n°", "Ascisse", "Ordinate", "2", "3,5", "-4,25"}));
    EXPECT_EQ(g.larghezzeColonne, (std::vector<int>{700, 1600, 1600}));

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

}  // namespace
}  // namespace carvela
