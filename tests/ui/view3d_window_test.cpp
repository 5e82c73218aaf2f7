// The 3D view window: sliders, labels, drawing on the canvas, and the canvas given back.
#include "graphics/ui/view3d_window.h"

#include <QLabel>
#include <QSlider>
#include <QTest>
#include <cmath>

#include "graphics/ui/canvas_widget.h"
#include "shell/ui/page_registry.h"
#include "state/workspace.h"
#include "support/fake_host.h"

using namespace carvela;

namespace {

// A lopsided hill of 15 contour lines, 5 m apart, 72 pieces each.
void collina(Planimetria& p) {
    const int livelli = 15, lati = 72;
    p.NumeroCurveLivello = livelli;
    p.CurveLivello.redim(livelli);
    for (int k = 0; k < livelli; ++k) {
        auto& pezzi = p.CurveLivello[k + 1];
        pezzi.redim(lati);
        const double cx = 500 + 6 * k, cy = 500 - 4 * k, z = 100 + 5 * k;
        auto punto = [&](int i) {
            const double t = 2 * M_PI * i / lati;
            const double r = (380 - 24 * k) * (1 + 0.12 * std::sin(3 * t + 0.3 * k) + 0.06 * std::cos(5 * t - 0.2 * k));
            return std::pair{float(cx + r * std::cos(t)), float(cy + r * std::sin(t))};
        };
        for (int i = 1; i <= lati; ++i)
            pezzi[i] = {punto(i - 1).first, punto(i - 1).second, float(z), punto(i).first, punto(i).second, float(z)};
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

// The window opened through the page registry on `canvas`, drawing in colour 10.
FinestraVista3D* apri(Workspace& ws, CanvasWidget& canvas, FakeHost& host, std::unique_ptr<QDialog>& pagina) {
    canvas.show();
    ContestoPagina contesto{ws, canvas, host};
    pagina.reset(creaPagina(Pagina::Vista3D, contesto, nullptr));
    canvas.setForeColor(10);
    pagina->show();
    return qobject_cast<FinestraVista3D*>(pagina.get());
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
        std::unique_ptr<QDialog> pagina;
        FinestraVista3D* finestra = apri(ws, canvas, host, pagina);
        QVERIFY(finestra);

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
