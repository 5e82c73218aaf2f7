// The plan points page: typed points are applied and the plan is redrawn on the canvas.
#include "plan/ui/plan_points_page.h"

#include "ui/window_test.h"

using namespace carvela;
using prova::pulsante;

class PlanPointsPageTest : public QObject {
    Q_OBJECT

private slots:
    void puntiDigitatiApplicatiERidisegnati() {
        Workspace ws;
        FakeHost host;
        CanvasWidget canvas(ws);
        canvas.setHost(&host);
        canvas.resize(600, 400);
        inizializzaVista(ws.vista, canvas);
        ws.vista.scala = 2;
        ws.impostazioni.numeroPuntiPianoQDefault = 10;
        ws.Piano.NumeroPunti = 1;
        ws.Piano.Punti.assignRaw({{}, {5, 5, 1}});
        ContestoPagina contesto{ws, canvas, host};
        auto pagina = prova::apriPagina(Pagina::PuntiPiano, contesto);
        QVERIFY(pagina);
        QCOMPARE(pagina->windowTitle(), QString("Caratteristiche della Planimetria"));
        auto* tabella = pagina->findChild<TabellaGriglia*>();
        QVERIFY(tabella != nullptr);
        QCOMPARE(tabella->rowCount(), 9);
        QCOMPARE(tabella->testoCella(1, 1), QString("5"));

        // Typing follows the numeric cell rules: letters are ignored.
        const char* righe[][3] = {{"1a2,5", "40", "-3"}, {"100", "8x0", "7"}};
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c) {
                tabella->setCurrentCell(r + 1, c);
                QTest::keyClicks(tabella, righe[r][c]);
            }
        QCOMPARE(tabella->testoCella(2, 1), QString("12,5"));
        QCOMPARE(tabella->testoCella(3, 2), QString("80"));
        tabella->setCurrentCell(2, 3);  // the type cell takes clicks, not keys
        QTest::keyClicks(tabella, "x");
        QCOMPARE(tabella->testoCella(3, 4), QString(""));
        // A click on the type cell marks the station; a second click unmarks it.
        emit tabella->cellaCliccata(3, 4);
        emit tabella->cellaCliccata(2, 4);
        emit tabella->cellaCliccata(2, 4);
        QCOMPARE(tabella->testoCella(3, 4), QString("stazione"));
        QCOMPARE(tabella->testoCella(2, 4), QString(""));

        canvas.clear();
        pulsante(pagina.get(), "&Applica")->click();
        QVERIFY(host.messaggi.empty());
        QCOMPARE(ws.Piano.NumeroPunti, 3);
        QCOMPARE(ws.Piano.Punti[2].x, 12.5f);
        QCOMPARE(int(ws.Piano.PuntiStazione[3]), 1);
        QCOMPARE(int(ws.TipoDocumento), int(kDocPianta));
        // The plan is on the canvas: the station's light red circle at (100, 80).
        QVERIFY(prova::pixel(canvas.immagine(), 0, true) > 50);
        QVERIFY(prova::vicino(canvas.immagine(), int(ws.vista.canvasX(100)), int(ws.vista.canvasY(80)), 0xFF0000));
        QVERIFY(pagina->isVisible());  // the page stays open

        // A bad value: the message, no redraw, the count kept, and the bad cell is the current
        // one, with the focus, whatever was current before.
        tabella->impostaTestoCella(2, 2, "-");
        tabella->setCurrentCell(6, 0);
        pulsante(pagina.get(), "&Applica")->setFocus();
        canvas.clear();
        pulsante(pagina.get(), "&Applica")->click();
        QCOMPARE(host.testiMessaggi(), std::vector<std::string>{"Tipo di dati non corretto!"});
        QCOMPARE(ws.Piano.NumeroPunti, 3);
        QCOMPARE(prova::pixel(canvas.immagine(), 0, true), 0);
        QCOMPARE(std::pair(tabella->currentRow(), tabella->currentColumn()), std::pair(1, 1));
        QCOMPARE(pagina->focusWidget(), tabella);

        pulsante(pagina.get(), "C&hiudi")->click();
        QVERIFY(!pagina->isVisible());
    }
};

QTEST_MAIN(PlanPointsPageTest)
#include "plan_points_page_test.moc"
