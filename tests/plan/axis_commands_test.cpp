// Tracing, import, reversal and the coordinates page of the road axis.
#include <gtest/gtest.h>

#include "graphics/recording_canvas.h"
#include "plan/axis.h"
#include "project/project_files.h"
#include "shell/workspace.h"
#include "support/fake_host.h"
#include "support/sample_records.h"

namespace carvela {
namespace {

class AsseComandi : public ::testing::Test {
protected:
    void SetUp() override {
        ws.vista.scala = 2;
        ws.vista.offsetX = 10;
        ws.vista.offsetY = 500;
        // A previous axis and a contour line, to see what tracing keeps and restores.
        ws.Piano.VerticiAsse.redim(2);
        ws.Piano.VerticiAsse[1] = {1, 2, 0};
        ws.Piano.VerticiAsse[2] = {3, 4, 0};
        ws.Piano.AsseTracciato = ws.Piano.VerticiAsse;
        ws.Piano.NumeroPuntiAsse = 2;
        ws.Piano.ProfiloApplicato.MetodoLivellette = 5;
    }
    Workspace ws;
    RecordingCanvas canvas;
    FakeHost host;
};

TEST_F(AsseComandi, TracingAppendsVerticesAndDrawsEachNewLeg) {
    iniziaTracciamentoAsse(ws, canvas, host);
    EXPECT_EQ(ws.vista.modoAsse, 2);
    EXPECT_EQ(ws.PianoBackup.NumeroPuntiAsse, 2);
    EXPECT_EQ(ws.Piano.NumeroPuntiAsse, 0);
    EXPECT_FALSE(ws.Piano.VerticiAsse.isDimensioned());

    aggiungiVerticeAsse(ws, canvas, host, 10, 20);
    EXPECT_TRUE(canvas.di(OperazioneCanvas::Line).empty());
    aggiungiVerticeAsse(ws, canvas, host, 30, 25);
    aggiungiVerticeAsse(ws, canvas, host, NAN, 25);  // nowhere: ignored
    ASSERT_EQ(ws.Piano.NumeroPuntiAsse, 2);
    EXPECT_EQ(ws.Piano.VerticiAsse[2], (AxisPoint{30, 25, 0}));
    EXPECT_EQ(ws.Piano.AsseTracciato, ws.Piano.VerticiAsse);
    EXPECT_EQ(ws.Piano.ProfiloApplicato.MetodoLivellette, 0);
    const auto linee = canvas.di(OperazioneCanvas::Line);
    ASSERT_EQ(linee.size(), 1u);
    EXPECT_EQ(linee[0].colore, 15);
    // World (10, 20) and (30, 25) through scale 2 and offsets (10, 500).
    EXPECT_DOUBLE_EQ(linee[0].a, 30);
    EXPECT_DOUBLE_EQ(linee[0].b, 460);
    EXPECT_DOUBLE_EQ(linee[0].c, 70);
    EXPECT_DOUBLE_EQ(linee[0].d, 450);

    terminaTracciamentoAsse(ws, canvas, host);
    EXPECT_EQ(ws.vista.modoAsse, 0);
    EXPECT_TRUE(host.messaggi.empty());
    EXPECT_EQ(ws.Piano.NumeroPuntiAsse, 2);
    EXPECT_EQ(ws.Piano.VerticiAsse[1], (AxisPoint{10, 20, 0}));
}

TEST_F(AsseComandi, AbandonedTraceRestoresThePlanAndReturnsToTheWizard) {
    iniziaTracciamentoAsse(ws, canvas, host);
    aggiungiVerticeAsse(ws, canvas, host, 10, 20);
    ws.wizardAttivo = -1;
    terminaTracciamentoAsse(ws, canvas, host);
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{"La poligonale non contiene punti sufficenti!"});
    EXPECT_EQ(host.pagine, std::vector<Pagina>{Pagina::Autocomposizione});
    // The plan has no contour lines, yet the previous axis is not lost.
    EXPECT_EQ(ws.Piano.NumeroPuntiAsse, 2);
    EXPECT_EQ(ws.Piano.VerticiAsse[2], (AxisPoint{3, 4, 0}));
    EXPECT_EQ(ws.Piano.ProfiloApplicato.MetodoLivellette, 5);
}

TEST_F(AsseComandi, ReversalSwapsVerticesInPlaceOrRefuses) {
    ws.Piano.VerticiAsse.redim(5);
    for (int32_t i = 1; i <= 5; ++i) ws.Piano.VerticiAsse[i] = {float(i), float(10 * i), 0};
    ASSERT_TRUE(invertiAsse(ws, host));
    for (int32_t i = 1; i <= 5; ++i) EXPECT_EQ(ws.Piano.VerticiAsse[i].x, float(6 - i));

    ws.Piano.VerticiAsse.redim(1);
    EXPECT_FALSE(invertiAsse(ws, host));
    EXPECT_EQ(host.testiMessaggi(), std::vector<std::string>{"Non è presente la poligonale d'asse!"});
}

TEST_F(AsseComandi, ImportFromTraverseAndTriangulationFiles) {
    campioni::CartellaTemporanea cartella;
    OpenTraverse pol;
    pol.Versione = 1;
    pol.NumeroStazioni = 3;
    pol.Ascissa.redim(3);
    pol.Ordinata.redim(3);
    for (int32_t i = 1; i <= 3; ++i) {
        pol.Ascissa[i] = float(100 * i);
        pol.Ordinata[i] = float(-5 * i);
    }
    ASSERT_EQ(scriviRecord(cartella.file("a.pla"), pol, false), "");
    TriangulationChain tri;
    tri.Versione = 1;
    tri.NumeroTriangoli = 9;  // more than the lists hold: only the points present are taken
    tri.X.redim(2);
    tri.Y.redim(2);
    tri.X[1] = 1, tri.Y[1] = 2, tri.X[2] = 3, tri.Y[2] = 4;
    ASSERT_EQ(scriviRecord(cartella.file("t.trn"), tri, false), "");

    host.fileAperti = {cartella.file("a.pla")};
    importaAsse(ws, canvas, host, false);
    EXPECT_EQ(host.titoliDialoghi, std::vector<std::string>{"Apri file di Poligonale"});
    EXPECT_EQ(host.filtriDialoghi, std::vector<std::string>{"File di Diagramma (*.pla) | *.PLA"});
    ASSERT_EQ(ws.Piano.NumeroPuntiAsse, 3);
    EXPECT_EQ(ws.Piano.VerticiAsse[3], (AxisPoint{300, -15, 0}));
    EXPECT_EQ(ws.Piano.AsseTracciato, ws.Piano.VerticiAsse);
    EXPECT_EQ(ws.PoligonaleAperta.NumeroStazioni, 3);
    EXPECT_EQ(ws.TipoDocumento, kDocPianta);  // the plan was redrawn

    host.fileAperti = {cartella.file("t.trn")};
    importaAsse(ws, canvas, host, true);
    EXPECT_EQ(host.titoliDialoghi.back(), "Apri file di Triangolazione");
    EXPECT_EQ(host.filtriDialoghi.back(), "File di Diagramma (*.trn) | *.TRN");
    ASSERT_EQ(ws.Piano.NumeroPuntiAsse, 2);
    EXPECT_EQ(ws.Piano.VerticiAsse[2], (AxisPoint{3, 4, 0}));
    EXPECT_TRUE(host.messaggi.empty());

    // Cancelled dialog: nothing changes. Unreadable file, or a traverse of another kind: a
    // message and the axis stays.
    const Planimetria prima = ws.Piano;
    importaAsse(ws, canvas, host, false);
    host.fileAperti = {cartella.file("manca.pla")};
    importaAsse(ws, canvas, host, false);
    pol.Tipo = 1;
    ASSERT_EQ(scriviRecord(cartella.file("c.pla"), pol, false), "");
    host.fileAperti = {cartella.file("c.pla")};
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
    ASSERT_EQ(g.colonne(), 3);
    EXPECT_EQ(g.testo(0, 0), "Punto n°");
    EXPECT_EQ(g.testo(0, 1), "Ascisse");
    EXPECT_EQ(g.testo(0, 2), "Ordinate");
    EXPECT_EQ(g.larghezzeColonne, (std::vector<int>{700, 1600, 1600}));
    EXPECT_EQ(g.testo(2, 0), "2");
    EXPECT_EQ(g.testo(2, 1), "3,5");
    EXPECT_EQ(g.testo(2, 2), "-4,25");

    // Typing: Backspace, digits and the comma; letters do nothing.
    pagina.tasto(1, 1, 8);
    pagina.tasto(1, 1, '7');
    pagina.tasto(1, 1, ',');
    pagina.tasto(1, 1, '5');
    pagina.tasto(1, 1, 'a');
    EXPECT_EQ(pagina.griglia.testo(1, 1), "7,5");
    ASSERT_TRUE(pagina.applica(ws, host));
    EXPECT_EQ(ws.Piano.NumeroPuntiAsse, 2);
    EXPECT_EQ(ws.Piano.VerticiAsse[1], (AxisPoint{7.5f, 2, 0}));
    EXPECT_EQ(ws.Piano.AsseTracciato, ws.Piano.VerticiAsse);

    // A cell that is not a number: message, nothing stored.
    pagina.griglia.imposta(2, 2, "");
    const Planimetria prima = ws.Piano;
    EXPECT_FALSE(pagina.applica(ws, host));
    EXPECT_EQ(ws.Piano, prima);

    // No axis at all: the heading row only, and apply refuses.
    Workspace vuoto;
    pagina.apri(vuoto);
    EXPECT_EQ(pagina.griglia.righe(), 1);
    EXPECT_FALSE(pagina.applica(vuoto, host));
    EXPECT_EQ(host.testiMessaggi(),
              (std::vector<std::string>{"Tipo di dati non corretto!", "Nessun punto di poligonale d'asse inserito!"}));
}

}  // namespace
}  // namespace carvela
