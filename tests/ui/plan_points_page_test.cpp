// The plan points page: typed points are applied and the plan is redrawn on the canvas.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include "graphics/ui/canvas_widget.h"
#include "graphics/view.h"
#include "plan/ui/plan_points_page.h"
#include "shell/ui/grid_table.h"
#include "shell/ui/page_registry.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

using namespace carvela;

class PlanPointsPageTest : public QObject {
    Q_OBJECT

private:
    static QPushButton* pulsante(QWidget* w, const QString& testo) {
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->text() == testo) return b;
        return nullptr;
    }
    static void digita(TabellaGriglia* t, int riga, int colonna, const QString& testo) {
        t->setCurrentCell(riga - 1, colonna - 1);
        QTest::keyClicks(t, testo);
    }
    static int pixelAccesi(const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) != 0;
        return n;
    }

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
        ws.Piano.Punti.redim(1);
        ws.Piano.Punti[1] = {5, 5, 1};
        ContestoPagina contesto{ws, canvas, host};
        QDialog* pagina = creaPagina(Pagina::PuntiPiano, contesto, nullptr);
        QVERIFY(pagina != nullptr);
        QCOMPARE(pagina->windowTitle(), QString("Caratteristiche della Planimetria"));
        pagina->show();
        auto* tabella = pagina->findChild<TabellaGriglia*>();
        QVERIFY(tabella != nullptr);
        QCOMPARE(tabella->rowCount(), 9);
        QCOMPARE(tabella->testoCella(1, 1), QString("5"));
        QVERIFY(pulsante(pagina, "&Stampa...") && pulsante(pagina, "&Esporta TXT") && pulsante(pagina, "C&hiudi"));

        // Typing follows the numeric cell rules: letters and points are ignored.
        digita(tabella, 2, 1, "1a2,5");
        digita(tabella, 2, 2, "40");
        digita(tabella, 2, 3, "-3");
        digita(tabella, 3, 1, "100");
        digita(tabella, 3, 2, "8.0");
        digita(tabella, 3, 3, "7");
        QCOMPARE(tabella->testoCella(2, 1), QString("12,5"));
        QCOMPARE(tabella->testoCella(3, 2), QString("80"));
        digita(tabella, 3, 4, "x");
        QCOMPARE(tabella->testoCella(3, 4), QString(""));
        // A click on the type cell marks the station; a second click unmarks it.
        emit tabella->cellaCliccata(3, 4);
        QCOMPARE(tabella->testoCella(3, 4), QString("stazione"));
        emit tabella->cellaCliccata(2, 4);
        emit tabella->cellaCliccata(2, 4);
        QCOMPARE(tabella->testoCella(2, 4), QString(""));

        canvas.clear();
        QCOMPARE(pixelAccesi(canvas.immagine()), 0);
        pulsante(pagina, "&Applica")->click();
        QVERIFY(host.messaggi.empty());
        QCOMPARE(ws.Piano.NumeroPunti, 3);
        QCOMPARE(ws.Piano.Punti[2].x, 12.5f);
        QCOMPARE(ws.Piano.Punti[3].y, 80.0f);
        QCOMPARE(int(ws.Piano.PuntiStazione[3]), 1);
        QCOMPARE(int(ws.TipoDocumento), int(kDocPianta));
        // The plan is on the canvas: the station's light red circle at (100, 80).
        QVERIFY(pixelAccesi(canvas.immagine()) > 50);
        const int cx = int(ws.vista.canvasX(100)), cy = int(ws.vista.canvasY(80));
        bool rosso = false;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) rosso |= (canvas.immagine().pixel(cx + dx, cy + dy) & 0xFFFFFF) == 0xFF0000;
        QVERIFY(rosso);
        QVERIFY(pagina->isVisible());  // the page stays open

        // A bad value: the message, no redraw, the count kept.
        digita(tabella, 1, 1, "-");
        tabella->impostaTestoCella(1, 1, "-");
        canvas.clear();
        pulsante(pagina, "&Applica")->click();
        QCOMPARE(host.testiMessaggi(), std::vector<std::string>{"Tipo di dati non corretto!"});
        QCOMPARE(ws.Piano.NumeroPunti, 3);
        QCOMPARE(pixelAccesi(canvas.immagine()), 0);

        // "&Esporta TXT" writes the grid as text to the chosen file.
        const QString percorso = QDir::temp().filePath("carvela_punti_piano_test.txt");
        QFile::remove(percorso);
        host.fileSalvati.push_back(percorso.toStdString());
        pulsante(pagina, "&Esporta TXT")->click();
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray testo = file.readAll();
        QVERIFY(testo.contains("Ascisse") && testo.contains("12,5") && testo.contains("stazione"));
        file.close();
        QFile::remove(percorso);

        pulsante(pagina, "C&hiudi")->click();
        QVERIFY(!pagina->isVisible());
        delete pagina;
    }
};

QTEST_MAIN(PlanPointsPageTest)
#include "plan_points_page_test.moc"
