// The road axis on screen: tracing it with the mouse, the coordinates window, and the
// computed plan drawn on the canvas.
#include "graphics/road_command.h"
#include "plan/axis.h"
#include "plan/ui/axis_coordinates_page.h"
#include "road/road_sample.h"
#include "ui/window_test.h"

using namespace carvela;
using prova::pulsante;

class AxisWindowsTest : public QObject {
    Q_OBJECT

private:
    // A view showing world [-20, 280] across 600 pixels.
    static void vista(Workspace& ws, CanvasWidget& c) {
        inizializzaVista(ws.vista, c);
        ws.vista.scala = 2, ws.vista.offsetX = 40, ws.vista.offsetY = 560;
    }

private slots:
    void assetracciatoColMouse() {
        Workspace ws;
        FakeHost host;
        CanvasWidget canvas(ws);
        canvas.setHost(&host);
        canvas.resize(600, 600);
        canvas.show();  // the picture takes the window's size once it is shown
        QVERIFY(QTest::qWaitForWindowExposed(&canvas));
        vista(ws, canvas);
        canvas.clear();
        ws.Piano = prova::pianoInclinato(100, 0.1, 0.05, 1);

        iniziaTracciamentoAsse(ws, canvas, host);
        QCOMPARE(int(ws.vista.modoAsse), 2);
        // Left clicks at pixels: world x = (px - 40) / 2, y = (560 - py) / 2.
        const QPoint clic[] = {{50, 536}, {180, 370}, {320, 440}, {440, 180}};
        for (const QPoint& p : clic) {
            QTest::mouseClick(&canvas, Qt::LeftButton, {}, p);
            // The cross-hair and the rubber band follow the pointer over the picture, not in it.
            const QImage prima = canvas.immagine().copy();
            QTest::mouseMove(&canvas, p + QPoint(37, 23));
            QVERIFY(canvas.immagine() == prima);
        }
        QCOMPARE(ws.Piano.NumeroPuntiAsse, 4);
        QCOMPARE(ws.Piano.VerticiAsse[4], (AxisPoint{200, 190, 0}));
        // The legs are drawn in bright white as they are traced: the middle of the first leg.
        QVERIFY(prova::vicino(canvas.immagine(), 115, 453, 0xFFFFFF, 1));
        QTest::mouseClick(&canvas, Qt::RightButton, {}, QPoint(300, 300));
        QCOMPARE(int(ws.vista.modoAsse), 0);
        QVERIFY(host.messaggi.empty());

        // The traced axis computes: stakes on both curves, stations along it, all drawn.
        calcolaTracciato(ws, canvas, host);
        QCOMPARE(ws.Piano.NumeroPuntiAsse, 18);
        QVERIFY(ws.Piano.NumeroIntersezioni > 30);
        QVERIFY(prova::pixel(canvas.immagine(), 0xFFFFFF) > 300);
        const QByteArray percorso = qgetenv("CARVELA_SCREENSHOT");
        if (!percorso.isEmpty()) canvas.immagine().save(QString::fromLocal8Bit(percorso));
    }

    void finestraCoordinateApplicaECalcola() {
        Workspace ws;
        FakeHost host;
        CanvasWidget canvas(ws);
        canvas.setHost(&host);
        canvas.resize(600, 600);
        vista(ws, canvas);
        ws.Piano = prova::pianoInclinato(100, 0.1, 0.05, 1);
        prova::impostaAsse(ws.Piano, prova::asseDiProva());
        ContestoPagina contesto{ws, canvas, host};
        auto pagina = prova::apriPagina(Pagina::CoordinateAsse, contesto);
        QVERIFY(pagina);
        QCOMPARE(pagina->windowTitle(), QString("Punti Poligonale"));
        auto* tabella = pagina->findChild<TabellaGriglia*>();
        QVERIFY(tabella != nullptr);
        QCOMPARE(tabella->rowCount(), 4);

        // Typing: Backspace twice, then "65,5"; a letter is ignored.
        tabella->setCurrentCell(1, 0);
        for (int i = 0; i < 2; ++i) QTest::keyClick(tabella, Qt::Key_Backspace);
        QTest::keyClicks(tabella, "65x,5");
        QCOMPARE(tabella->testoCella(2, 1), QString("65,5"));
        pulsante(pagina.get(), "&Applica")->click();
        QVERIFY(!pagina->isVisible());
        QCOMPARE(ws.Piano.VerticiAsse[2].x, 65.5f);
        QVERIFY(ws.Piano.NumeroIntersezioni > 30);  // the road computation ran
        QCOMPARE(ws.Piano.NumeroPuntiAsse, 18);
    }
};

QTEST_MAIN(AxisWindowsTest)
#include "axis_windows_test.moc"
