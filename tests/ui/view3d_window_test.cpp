// The 3D view window: sliders, labels, drawing on the canvas, and the canvas given back.
#include "graphics/ui/view3d_window.h"

#include <QLabel>
#include <QSlider>
#include <QTest>
#include <cmath>

#include "dxf/dxf_project.h"
#include "dxf/dxf_reader.h"
#include "graphics/recording_canvas.h"
#include "graphics/ui/canvas_widget.h"
#include "shell/ui/page_registry.h"
#include "shell/workspace.h"
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
            return std::pair{cx + r * std::cos(t), cy + r * std::sin(t)};
        };
        for (int i = 1; i <= lati; ++i) {
            auto [x1, y1] = punto(i - 1);
            auto [x2, y2] = punto(i);
            pezzi[i] = {float(x1), float(y1), float(z), float(x2), float(y2), float(z)};
        }
    }
}

int pixelAccesi(const QImage& img, QRect zona) {
    int n = 0;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0) ++n;
    return n;
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
        canvas.show();
        ws.vista.scala = 0.7f, ws.vista.offsetX = 400, ws.vista.offsetY = 300;
        FakeHost host;
        ContestoPagina contesto{ws, canvas, host};
        std::unique_ptr<QDialog> pagina(creaPagina(Pagina::Vista3D, contesto, nullptr));
        auto* finestra = qobject_cast<FinestraVista3D*>(pagina.get());
        QVERIFY(finestra);
        QCOMPARE(finestra->objectName(), QStringLiteral("vista3dax"));
        canvas.setForeColor(10);
        finestra->show();

        // Opening: sliders at 0, 0, -2000 with their labels, the terrain seen from above.
        QCOMPARE(finestra->cursore(0)->minimum(), 0);
        QCOMPARE(finestra->cursore(1)->maximum(), 63);
        QCOMPARE(finestra->cursore(2)->minimum(), -2000);
        QCOMPARE(finestra->cursore(2)->maximum(), -200);
        QCOMPARE(finestra->cursore(2)->value(), -2000);
        QCOMPARE(finestra->etichetta(0)->text(), QStringLiteral("0"));
        QCOMPARE(finestra->etichetta(2)->text(), QStringLiteral("-2000"));
        QCOMPARE(finestra->modello().stato().centroZ, 135.0f);
        const int dallAlto = pixelAccesi(canvas.immagine(), QRect(0, 0, 800, 600));
        QVERIFY(dallAlto > 2000);

        // Tilted, turned and closer.
        finestra->cursore(0)->setValue(10);
        finestra->cursore(1)->setValue(7);
        finestra->cursore(2)->setValue(-900);
        QCOMPARE(finestra->etichetta(0)->text(), QStringLiteral("10"));
        QCOMPARE(finestra->etichetta(1)->text(), QStringLiteral("7"));
        QCOMPARE(finestra->etichetta(2)->text(), QStringLiteral("-900"));
        QCOMPARE(finestra->modello().stato().elevazione, 1.0f);
        const QImage vista = canvas.immagine().copy(0, 0, 800, 600);
        vista.save(QDir::tempPath() + "/carvela_vista3d.png");
        // Seen at an angle the hill is flattened: its picture is lower than wide.
        int alto = 600, basso = 0, sinistra = 800, destra = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                if ((vista.pixel(x, y) & 0xFFFFFF) != 0) {
                    alto = std::min(alto, y), basso = std::max(basso, y);
                    sinistra = std::min(sinistra, x), destra = std::max(destra, x);
                }
        QVERIFY2(basso - alto < (destra - sinistra) * 0.8,
                 qPrintable(QString("%1 x %2").arg(destra - sinistra).arg(basso - alto)));
        // Centred on the terrain's centre, which projects to the view origin (400, 300).
        QVERIFY(std::abs((sinistra + destra) / 2 - 400) < 60 && std::abs((alto + basso) / 2 - 300) < 60);

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

    void sampleTerrainInPerspective() {
        const std::string campione = CARVELA_SOURCE_DIR "/samples/terreno.dxf";
        if (!QFile::exists(QString::fromStdString(campione))) QSKIP("sample terrain not present");
        Workspace ws;
        FakeHost host;
        RecordingCanvas nascosta;
        QVERIFY(ReadDxf(ws, host, campione));
        ModelloRicavaDxf riconoscimento;
        riconoscimento.analizza(ws.DxfDrawing);
        riconoscimento.modo = ModoSelezioneDxf::Tutte;
        riconoscimento.curveDaPolilinee = true;
        QVERIFY(riconoscimento.riconosci(ws, nascosta, host));
        QVERIFY(ws.Piano.NumeroCurveLivello > 10);

        CanvasWidget canvas(ws);
        canvas.resize(900, 600);
        canvas.show();
        ws.vista.scala = 1.1f, ws.vista.offsetX = 450, ws.vista.offsetY = 300;
        ContestoPagina contesto{ws, canvas, host};
        std::unique_ptr<QDialog> pagina(creaPagina(Pagina::Vista3D, contesto, nullptr));
        auto* finestra = static_cast<FinestraVista3D*>(pagina.get());
        canvas.setForeColor(10);
        finestra->show();
        finestra->cursore(0)->setValue(9);
        finestra->cursore(1)->setValue(40);
        finestra->cursore(2)->setValue(-1100);
        const QImage vista = canvas.immagine().copy(0, 0, 900, 600);
        vista.save(QDir::tempPath() + "/carvela_vista3d_campione.png");
        QVERIFY(pixelAccesi(vista, QRect(0, 0, 900, 600)) > 5000);
        finestra->reject();
    }
};

QTEST_MAIN(View3dWindowTest)
#include "view3d_window_test.moc"
