// The canvas window: retained picture, palette colours, the pointer's coordinates, the zoom
// window and its rubber rectangle, the plot window's corners.
#include <QMouseEvent>
#include <QSignalSpy>

#include "ui/window_test.h"

using namespace carvela;

class CanvasWidgetTest : public QObject {
    Q_OBJECT

private:
    // A pointer move as the window system delivers it, without needing a visible window.
    static void muovi(QWidget* w, QPoint p) {
        QMouseEvent e(QEvent::MouseMove, QPointF(p), w->mapToGlobal(QPointF(p)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    static QRgb rgb(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }
    static bool nero(const QImage& img) { return prova::pixel(img, 0, true) == 0; }

private slots:
    void disegnoTrattenutoNeiColoriDellaTavolozza() {
        Workspace ws;
        CanvasWidget c(ws);
        c.resize(200, 100);
        c.clear();
        c.setForeColor(14);
        c.moveTo(10, 10);
        c.lineTo(60, 10);
        c.circle(100, 50, 20, 12, 1.0);
        c.box(150, 20, 170, 40, 10, true);
        // A yellow line, a light red circle not filled, a filled light green box.
        const QImage& img = c.immagine();
        QCOMPARE(QList<QRgb>({rgb(img, 30, 10), rgb(img, 120, 50), rgb(img, 100, 50), rgb(img, 160, 30)}),
                 QList<QRgb>({0xFFFF00u, 0xFF0000u, 0u, 0x00FF00u}));
        // Growing the window keeps the picture; shrinking it does not lose it either.
        c.resize(400, 300);
        QVERIFY(c.immagine().width() >= 400 && c.immagine().height() >= 300);
        QCOMPARE(rgb(c.immagine(), 30, 10), 0xFFFF00u);
        c.resize(50, 50);
        QCOMPARE(rgb(c.immagine(), 160, 30), 0x00FF00u);
        QCOMPARE(c.larghezza(), 50);
        // A copy taken earlier keeps what it showed while the canvas draws on.
        const QImage copia = c.immagine();
        c.clear();
        QVERIFY(nero(c.immagine()));
        QCOMPARE(rgb(copia, 160, 30), 0x00FF00u);
    }

    void coordinateDelPuntatore() {
        Workspace ws;
        CanvasWidget c(ws);
        c.resize(400, 400);
        ws.vista.scala = 2, ws.vista.offsetX = 100, ws.vista.offsetY = 500;
        QSignalSpy spia(&c, &CanvasWidget::coordinateMouse);
        muovi(&c, QPoint(300, 100));
        QCOMPARE(spia.last().at(0).toString(), QString("100, 200"));
        muovi(&c, QPoint(301, 100));
        QCOMPARE(spia.last().at(0).toString(), QString("100,5, 200"));
    }

    void zoomFinestraEPanColMouse() {
        Workspace ws;
        FakeHost host;
        CanvasWidget c(ws);
        c.setHost(&host);
        c.resize(800, 600);
        inizializzaVista(ws.vista, c);
        salvaVista(ws.vista);
        ws.vista.modoZoom = 1;
        QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(100, 100));
        QCOMPARE(int(ws.vista.modoZoom), 2);
        // The rubber rectangle is painted over the picture, not into it.
        muovi(&c, QPoint(200, 150));
        QVERIFY(nero(c.immagine()));
        QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(200, 150));
        QCOMPARE(int(ws.vista.modoZoom), 0);
        QCOMPARE(ws.vista.scala, 8.0f);  // 100 wide on 800 pixels
        QCOMPARE(ws.vista.offsetX, -800.0f);
        QVERIFY(host.messaggi.empty());

        // With the print mark the corners go to the plot window instead.
        ws.vista.marcaStampa = 1;
        ws.vista.modoZoom = 1;
        QSignalSpy plot(&c, &CanvasWidget::finestraPlotRichiesta);
        QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(5, 6));
        QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(105, 66));
        QCOMPARE(plot.count(), 1);
        QCOMPARE(ws.vista.plotX2, 105.0f);
        QCOMPARE(ws.vista.plotScala, 8.0f);
    }
};

QTEST_MAIN(CanvasWidgetTest)
#include "canvas_widget_test.moc"
