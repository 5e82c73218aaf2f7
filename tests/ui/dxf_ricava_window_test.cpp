// "Ricava progetto da file DXF": import the sample drawing, recognise its contour lines in
// the window: the contour lines the road computation starts from.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>

#include "dxf/dxf_sample_road.h"
#include "dxf/ui/ricava_dxf_page.h"
#include "shell/commands.h"
#include "ui/window_test.h"

using namespace carvela;

class RicavaDxfWindowTest : public QObject {
    Q_OBJECT

    // The page keeps the context it was made with: `contesto` outlives it.
    static std::unique_ptr<PaginaRicavaDxf> apri(ContestoPagina& contesto) {
        std::unique_ptr<PaginaRicavaDxf> p(
            dynamic_cast<PaginaRicavaDxf*>(creaPagina(Pagina::RicavaDxf, contesto, nullptr)));
        if (p) p->show();
        return p;
    }

private slots:
    void importaERiconosceLeCurveDelCampione() {
        Workspace ws;
        RecordingCanvas canvas(800, 600);
        FakeHost host;
        Comandi comandi(ws, canvas, host);
        comandi.esegui("RicavaDaDXF");  // nothing imported yet
        QCOMPARE(host.testiMessaggi(), std::vector<std::string>{"Non è stato importato il disegno DXF!"});
        host.pulisci();
        host.fileAperti.push_back(test::fileCampione("terreno.dxf"));
        comandi.esegui("ImportDXFin");
        QCOMPARE(ws.TipoDocumento, uint8_t(kDocDxf));
        comandi.esegui("RicavaDaDXF");
        QCOMPARE(host.pagine, std::vector<Pagina>{Pagina::RicavaDxf});
        QVERIFY(host.messaggi.empty());

        ContestoPagina contesto{ws, canvas, host};
        auto pagina = apri(contesto);
        QVERIFY(pagina);
        QCOMPARE(pagina->windowTitle(), QString("Ricava progetto da file DXF"));
        QVERIFY(pagina->pulsanteChiudi()->isVisible());
        QCOMPARE(pagina->elenco(1)->itemText(0), QString("CURVE_LIVELLO"));
        QCOMPARE(pagina->elenco(2)->findText("$LIMMIN"), -1);  // header records are no entity kind
        QCOMPARE(pagina->elenco(0)->currentIndex(), 0);

        // Piano quotato, by entity type POLYLINE, contours from polylines.
        pagina->gruppoProgetto()->button(0)->click();
        pagina->gruppoSelezione()->button(2)->click();
        pagina->elenco(2)->setCurrentIndex(pagina->elenco(2)->findText("POLYLINE"));
        pagina->casellaCurve()->setChecked(true);
        QTest::mouseClick(pagina->pulsanteRiconosci(), Qt::LeftButton);
        QVERIFY(!pagina->isVisible());
        QCOMPARE(ws.Piano.NumeroCurveLivello, 53);
        QCOMPARE(ws.TipoDocumento, uint8_t(kDocPianta));

        // The same contour lines as the batch chain recognises, from which it computes the road.
        Workspace campione;
        QVERIFY(test::calcolaCampione(campione, canvas, host));
        QVERIFY(ws.Piano.CurveLivello == campione.Piano.CurveLivello);
    }

    void elenchiVuotiEAutocomposizione() {
        Workspace ws;
        ws.DxfDrawing.redim(2);
        ws.DxfDrawing[1].Nome = ws.DxfDrawing[2].Nome = "POINT";  // entities without any layer
        ws.DxfDrawing[2].X1 = 7;
        ws.TipoDocumento = kDocDxf;
        ws.wizardAttivo = -1;
        RecordingCanvas canvas;
        FakeHost host;
        ContestoPagina contesto{ws, canvas, host};
        auto pagina = apri(contesto);
        QVERIFY(pagina);
        QVERIFY(!pagina->pulsanteChiudi()->isVisible());  // hidden while the wizard runs
        QCOMPARE(pagina->elenco(1)->count(), 0);

        pagina->gruppoSelezione()->button(1)->click();  // by layer: nothing to choose
        QTest::mouseClick(pagina->pulsanteRiconosci(), Qt::LeftButton);
        QCOMPARE(host.testiMessaggi(),
                 std::vector<std::string>{"Nessun valore disponibile per il criterio di riconoscimento scelto!"});
        QVERIFY(pagina->isVisible());

        // All entities into an open traverse; its page opens afterwards.
        pagina->gruppoProgetto()->button(1)->click();
        pagina->gruppoSelezione()->button(3)->click();
        QTest::mouseClick(pagina->pulsanteRiconosci(), Qt::LeftButton);
        QVERIFY(!pagina->isVisible());
        QCOMPARE(ws.PoligonaleAperta.NumeroStazioni, int16_t(2));
        QCOMPARE(ws.PoligonaleAperta.Ascissa[2], 7.0f);
        QCOMPARE(host.pagine, std::vector<Pagina>{Pagina::PoligonaleAperta});
    }
};

QTEST_MAIN(RicavaDxfWindowTest)
#include "dxf_ricava_window_test.moc"
