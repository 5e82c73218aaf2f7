// The volume window: the table with its zero-point rows, the note on unsolved sections.
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "graphics/recording_canvas.h"
#include "sections/volumes.h"
#include "shell/ui/grid_table.h"
#include "shell/ui/page_registry.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

using namespace carvela;

class VolumeWindowTest : public QObject {
    Q_OBJECT

private slots:
    void tabellaERigheDiPassaggio() {
        Workspace ws;
        ws.Piano.NumeroIntersezioni = 3;
        ws.Piano.SezioniApplicate.redim(3);
        for (int j = 1; j <= 3; ++j) {  // net areas +10, -30, -30 at 0, 20 and 50 m
            Sezione& s = ws.Piano.SezioniApplicate[j];
            s.Numero = int16_t(j), s.Progressiva = j == 3 ? 50.0f : 20.0f * (j - 1);
            (j == 1 ? s.AreaSterro : s.AreaRiporto) = j == 1 ? 10 : -30;
        }
        costruisciPaleggi(ws.Piano.SezioniApplicate, 3, 10, ws.Paleggi);
        RecordingCanvas canvas;
        FakeHost host;
        ContestoPagina contesto{ws, canvas, host};
        QDialog* finestra = creaPagina(Pagina::TabellaVolumi, contesto, nullptr);
        QVERIFY(finestra != nullptr);
        QCOMPARE(finestra->windowTitle(), QString("Tabella dei volumi paleggiabili"));
        finestra->show();
        auto* griglia = finestra->findChild<TabellaGriglia*>("griglia");
        QVERIFY(griglia);
        QCOMPARE(griglia->rowCount(), 4);
        QCOMPARE(griglia->verticalHeaderItem(1)->text(), QString("*"));
        QCOMPARE(griglia->testoCella(2, 6) + " " + griglia->testoCella(3, 6), QString("25,0000 -200,0000"));
        auto* stato = finestra->findChild<QLabel*>("stato");
        QVERIFY(stato->isHidden());

        // Reopened after a section became unsolved: the note names it.
        finestra->hide();
        ws.Piano.SezioniApplicate[2].Risolta = false;
        finestra->show();
        QCOMPARE(stato->text(), QString("Sezioni non risolte, contate con aree nulle: 2"));
        QVERIFY(!stato->isHidden());
        delete finestra;
    }
};

QTEST_MAIN(VolumeWindowTest)
#include "volume_window_test.moc"
