// The section window: list, boxes, ground grid with its key filter, choosing and applying.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "graphics/recording_canvas.h"
#include "shell/ui/grid_table.h"
#include "shell/ui/page_registry.h"
#include "shell/workspace.h"
#include "support/fake_host.h"

using namespace carvela;

class SectionWindowTest : public QObject {
    Q_OBJECT

private:
    static Workspace progetto() {
        Workspace ws;
        ws.Sezioni.redim(2);
        for (int j = 1; j <= 2; ++j) {
            Sezione& s = ws.Sezioni[j];
            s.Numero = static_cast<int16_t>(j);
            s.QuotaProgetto = 100;
            s.Larghezza = 10;
            s.Progressiva = 20.0f * (j - 1);
            s.NumeroPunti = 2;
            s.DistanzeTerreno.redim(2);
            s.QuoteTerreno.redim(2);
            s.DistanzeTerreno[1] = -20;
            s.DistanzeTerreno[2] = 20;
            s.QuoteTerreno[1] = s.QuoteTerreno[2] = 98.0f + j;
        }
        return ws;
    }

private slots:
    void sceltaDigitazioneApplica() {
        Workspace ws = progetto();
        RecordingCanvas canvas;
        FakeHost host;
        ContestoPagina contesto{ws, canvas, host};
        QDialog* finestra = creaPagina(Pagina::Sezione, contesto, nullptr);
        QVERIFY(finestra != nullptr);
        QCOMPARE(finestra->windowTitle(), QString("Caratteristiche della sezione"));
        finestra->show();

        auto* elenco = finestra->findChild<QListWidget*>("elencoSezioni");
        auto* griglia = finestra->findChild<TabellaGriglia*>("griglia");
        auto* numero = finestra->findChild<QLineEdit*>("numero");
        auto* quota = finestra->findChild<QLineEdit*>("quota");
        auto* applica = finestra->findChild<QPushButton*>("applica");
        QVERIFY(elenco && griglia && numero && quota && applica);
        QCOMPARE(elenco->count(), 2);
        QCOMPARE(elenco->item(1)->text(), QString("sezione 2"));
        QCOMPARE(griglia->rowCount(), 50);
        QCOMPARE(griglia->horizontalHeaderItem(0)->text(), QString("Distanza dall'asse"));
        QCOMPARE(griglia->testoCella(1, 1), QString("-20"));

        // Choosing the second section shows it and draws it.
        QTest::mouseClick(elenco->viewport(), Qt::LeftButton, {}, elenco->visualItemRect(elenco->item(1)).center());
        QCOMPARE(ws.SezioneCorrente, 2);
        QCOMPARE(griglia->testoCella(2, 2), QString("100"));
        QCOMPARE(ws.TipoDocumento, uint8_t(kDocSezione));

        // Typing in the grid goes through the numeric key rule: the point is refused.
        griglia->setCurrentCell(2, 0);
        QTest::keyClicks(griglia, "8.5");
        QCOMPARE(griglia->testoCella(3, 1), QString("85"));
        QTest::keyClick(griglia, Qt::Key_Backspace);
        QTest::keyClicks(griglia, ",5");
        QCOMPARE(griglia->testoCella(3, 1), QString("8,5"));
        griglia->impostaTestoCella(3, 1, "");

        // Apply stores, solves and copies the list into the plan.
        quota->setText("101");
        applica->click();
        QCOMPARE(ws.Sezioni[2].QuotaProgetto, 101.0f);
        QVERIFY(ws.Sezioni[2].AreaRiporto < 0);
        QCOMPARE(ws.Piano.SezioniApplicate.upperBound(), 2);
        QVERIFY(host.messaggi.empty());

        // A wrong number: the message, the window stays.
        numero->setText("0");
        applica->click();
        QCOMPARE(host.messaggi.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(host.messaggi[0].testo),
                 QString("Il numero progressivo della sezione non è corretto!"));

        // An unsolved section shows its note under the grid.
        auto* stato = finestra->findChild<QLabel*>("stato");
        numero->setText("2");
        finestra->findChild<QLineEdit*>("larghezza")->setText("60");
        applica->click();
        QVERIFY(!ws.Sezioni[2].Risolta);
        QVERIFY(!stato->text().isEmpty());
        QVERIFY(!stato->isHidden());
        delete finestra;
    }
};

QTEST_MAIN(SectionWindowTest)
#include "section_window_test.moc"
