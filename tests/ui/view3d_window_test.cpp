// The 3D view window: sliders, labels, drawing on the canvas, and the canvas given back.
#include "graphics/ui/view3d_window.h"

#include <QSlider>
#include <cmath>

#include "road/road_sample.h"
#include "ui/window_test.h"

using namespace carvela;

namespace {

// A lopsided hill of 15 contour lines, 5 m apart, 72 pieces each.
void collina(Planimetria& p) {
    for (int k = 0; k < 15; ++k) {
        std::vector<std::pair<double, double>> anello;
        for (int i = 0; i <= 72; ++i) {
            const double t = 2 * M_PI * i / 72;
            const double r = (380 - 24 * k) * (1 + 0.12 * std::sin(3 * t + 0.3 * k) + 0.06 * std::cos(5 * t - 0.2 * k));
            anello.push_back({500 + 6 * k + r * std::cos(t), 500 - 4 * k + r * std::sin(t)});
        }
        prova::aggiungiCurva(p, anello, 100 + 5 * k);
    }
}

// How many pixels of the picture are lit, and the box around them.
std::pair<int, QRect> accesi(const QImage& img) {
    std::pair<int, QRect> r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0) ++r.first, r.second |= QRect(x, y, 1, 1);
    return r;
}

}  // namespace

class View3dWindowTest : public QObject {
    Q_OBJECT

private slots:
    void slidersDrawTheTerrainInPerspective() {
        Workspace ws;
        collina(ws.Piano);
        CanvasWidget canvas(ws);
        canvas.resize(800, 600);
        ws.vista.scala = 0.7f, ws.vista.offsetX = 400, ws.vista.offsetY = 300;
        FakeHost host;
        canvas.show();
        ContestoPagina contesto{ws, canvas, host};  // kept by the window: outlives it
        std::unique_ptr<QDialog> pagina(creaPagina(Pagina::Vista3D, contesto, nullptr));
        auto* finestra = qobject_cast<FinestraVista3D*>(pagina.get());
        QVERIFY(finestra);
        canvas.setForeColor(10);
        finestra->show();

        // Opening: sliders at 0, 0, -2000 with their labels, the terrain seen from above.
        QCOMPARE(finestra->cursore(2)->value(), -2000);
        QCOMPARE(finestra->etichetta(0)->text() + finestra->etichetta(2)->text(), QStringLiteral("0-2000"));
        QCOMPARE(finestra->modello().stato().centroZ, 135.0f);
        QVERIFY(accesi(canvas.immagine().copy(0, 0, 800, 600)).first > 2000);

        // Tilted, turned and closer: each slider's label follows it.
        finestra->cursore(0)->setValue(10);
        finestra->cursore(1)->setValue(7);
        finestra->cursore(2)->setValue(-900);
        QCOMPARE(finestra->etichetta(0)->text() + " " + finestra->etichetta(1)->text() + " " +
                     finestra->etichetta(2)->text(),
                 QStringLiteral("10 7 -900"));
        QCOMPARE(finestra->modello().stato().elevazione, 1.0f);
        // Seen at an angle the hill is flattened: its picture is lower than wide, centred on
        // the terrain's centre, which projects to the view origin (400, 300).
        const QRect zona = accesi(canvas.immagine().copy(0, 0, 800, 600)).second;
        QVERIFY2(zona.height() < zona.width() * 0.8,
                 qPrintable(QString("%1 x %2").arg(zona.width()).arg(zona.height())));
        QVERIFY(std::abs(zona.center().x() - 400) < 60 && std::abs(zona.center().y() - 300) < 60);

        // Closing gives the canvas back to the document shown; the next opening starts again
        // from above.
        ws.TipoDocumento = kDocPianta;
        finestra->reject();
        QCOMPARE(ws.TipoDocumento, kDocPianta);
        finestra->show();
        QCOMPARE(finestra->cursore(0)->value(), 0);
        QCOMPARE(finestra->etichetta(2)->text(), QStringLiteral("-2000"));
        finestra->reject();
    }
};

QTEST_MAIN(View3dWindowTest)
#include "view3d_window_test.moc"
