// The section window (list, boxes, ground grid with its key filter, choosing and applying) and the
// volume window (the table with its zero-point rows, the note on unsolved sections).
#include <QListWidget>

#include "sections/fixtures.h"
#include "sections/volumes.h"
#include "ui/window_test.h"

using namespace carvela;

class SectionWindowTest : public QObject {
    Q_OBJECT

private:
    static Workspace progetto() {
        Workspace ws;
        ws.Sezioni.redim(2);
        for (int16_t j = 1; j <= 2; ++j) ws.Sezioni[j] = sezioneDi(10, 100, {-20, 98.0f + j, 20, 98.0f + j}, j);
        return ws;
    }

private slots:
    void sceltaDigitazioneApplica() {
        Workspace ws = progetto();
        RecordingCanvas canvas;
        FakeHost host;
        ContestoPagina contesto{ws, canvas, host};
        auto finestra = prova::apriPagina(Pagina::Sezione, contesto);
        QVERIFY(finestra);
        QCOMPARE(finestra->windowTitle(), QString("Caratteristiche della sezione"));

        auto* elenco = finestra->findChild<QListWidget*>("elencoSezioni");
        auto* griglia = finestra->findChild<TabellaGriglia*>("griglia");
        auto* quota = finestra->findChild<QLineEdit*>("quota");
        auto* applica = finestra->findChild<QPushButton*>("applica");
        QVERIFY(elenco && griglia && quota && applica);
        QCOMPARE(elenco->count(), 2);
        QCOMPARE(elenco->item(1)->text(), QString("sezione 2"));
        QCOMPARE(griglia->testoCella(1, 1), QString("-20"));

        // Choosing the second section shows it and draws it.
        QTest::mouseClick(elenco->viewport(), Qt::LeftButton, {}, elenco->visualItemRect(elenco->item(1)).center());
        QCOMPARE(ws.SezioneCorrente, 2);
        QCOMPARE(griglia->testoCella(2, 2), QString("100"));
        QCOMPARE(ws.TipoDocumento, uint8_t(kDocSezione));

        // Typing in the grid goes through the numeric key rule: a point is the decimal comma,
        // a letter is refused, Delete empties the cell.
        griglia->setCurrentCell(2, 0);
        QTest::keyClicks(griglia, "8.x5");
        QCOMPARE(griglia->testoCella(3, 1), QString("8,5"));
        QTest::keyClick(griglia, Qt::Key_Delete);
        QCOMPARE(griglia->testoCella(3, 1), QString(""));
        QTest::keyClicks(griglia, "-2");
        QTest::keyClick(griglia, Qt::Key_Backspace);
        QCOMPARE(griglia->testoCella(3, 1), QString("-"));
        griglia->impostaTestoCella(3, 1, "");

        // Apply stores, solves and copies the list into the plan.
        quota->setText("101");
        applica->click();
        QCOMPARE(ws.Sezioni[2].QuotaProgetto, 101.0f);
        QVERIFY(ws.Sezioni[2].AreaRiporto < 0);
        QCOMPARE(ws.Piano.SezioniApplicate.upperBound(), 2);
        QVERIFY(host.messaggi.empty());

        // An unsolved section shows its note under the grid.
        auto* stato = finestra->findChild<QLabel*>("stato");
        finestra->findChild<QLineEdit*>("larghezza")->setText("60");
        applica->click();
        QVERIFY(!ws.Sezioni[2].Risolta);
        QVERIFY(!stato->text().isEmpty() && !stato->isHidden());
    }

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
        auto finestra = prova::apriPagina(Pagina::TabellaVolumi, contesto);
        QVERIFY(finestra);
        QCOMPARE(finestra->windowTitle(), QString("Tabella dei volumi paleggiabili"));
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
    }
};

QTEST_MAIN(SectionWindowTest)
#include "section_window_test.moc"
