// The survey windows driven as a user would: typing in the grids, filling the boxes,
// pressing the buttons.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "graphics/recording_canvas.h"
#include "shell/ui/grid_table.h"
#include "shell/ui/page_registry.h"
#include "shell/workspace.h"
#include "support/fake_host.h"
#include "survey/survey_messages.h"

using namespace carvela;

class SurveyWindowsTest : public QObject {
    Q_OBJECT

private:
    Workspace ws;
    RecordingCanvas canvas;
    FakeHost host;

    QDialog* apri(Pagina pagina) {
        ContestoPagina contesto{ws, canvas, host};
        QDialog* d = creaPagina(pagina, contesto, nullptr);
        if (d) d->show();
        return d;
    }
    static void digita(TabellaGriglia* t, int riga, int colonna, const QString& testo) {
        t->setCurrentCell(riga - 1, colonna - 1);
        QTest::keyClicks(t, testo);
    }
    static void casella(QDialog* d, int indice, const QString& testo) {
        d->findChild<QLineEdit*>(QString("Text1_%1").arg(indice))->setText(testo);
    }
    static QString testoCasella(QDialog* d, int indice) {
        return d->findChild<QLineEdit*>(QString("Text1_%1").arg(indice))->text();
    }

private slots:
    void init() {
        ws = Workspace();
        ws.impostazioni.AngoloPiatto = 200;
        ws.impostazioni.numeroPuntiPoligoDefault = 10;
        ws.impostazioni.numeroPuntiTriangolDefault = 10;
        canvas.svuota();
        host.pulisci();
    }

    void closedTraverseTypedAppliedAndShown() {
        QDialog* d = apri(Pagina::PoligonaleChiusa);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QString("Poligonale chiusa"));
        auto* g1 = d->findChild<TabellaGriglia*>("Grid1");
        auto* g2 = d->findChild<TabellaGriglia*>("Grid2");
        QVERIFY(g1 && g2);
        QCOMPARE(g1->rowCount(), 10);
        QCOMPARE(g1->horizontalHeaderItem(1)->text(), QString("Ang. azim. <i+1>"));
        const char* distanze[] = {"100,04", "100", "100", "100"};
        for (int r = 1; r <= 4; ++r) {
            digita(g1, r, 1, "0");
            digita(g1, r, 2, "100");
            digita(g1, r, 3, distanze[r - 1]);
            digita(g1, r, 4, "100");
            digita(g1, r, 5, "1.5");  // the full stop is not a key of these grids
            digita(g1, r, 6, "15");
        }
        QCOMPARE(g1->testoCella(1, 5), QString("15"));
        const char* caselle[] = {"500", "1000", "100", "0,01", "0,05", "0"};
        for (int i = 0; i < 6; ++i) casella(d, i, caselle[i]);
        d->findChild<QPushButton*>("applica")->click();

        QCOMPARE(ws.PoligonaleChiusa.NumeroStazioni, int16_t(4));
        QCOMPARE(g2->testoCella(2, 5), QString("1100,0300"));
        QCOMPARE(g1->testoCella(1, 3), QString("100,0400"));
        QCOMPARE(d->findChild<QLabel*>("erroreLineare")->text(), QString("0,0400"));
        QCOMPARE(ws.TipoDocumento, uint8_t(kDocPoligonaleChiusa));
        QVERIFY(!canvas.operazioni.empty());
        QCOMPARE(host.testiMessaggi().size(), std::size_t(1));  // the unit reminder only

        // Two stations left: refused, the results on screen stay.
        for (int r = 3; r <= 4; ++r) {
            g1->setCurrentCell(r - 1, 0);
            for (int k = 0; k < 8; ++k) QTest::keyClick(g1, Qt::Key_Backspace);
        }
        host.pulisci();
        d->findChild<QPushButton*>("applica")->click();
        QVERIFY(host.testiMessaggi().back() == kMsgPoligonaleChiusaCorta);
        QCOMPARE(g2->testoCella(2, 5), QString("1100,0300"));
        QCOMPARE(testoCasella(d, 4), QString("0,05"));
        delete d;
    }

    void openTraverseOpensOnTheStoredRecord() {
        ws.PoligonaleAperta.NumeroStazioni = 2;
        ws.PoligonaleAperta.Ascissa.redim(2);
        ws.PoligonaleAperta.Ascissa[1] = 12.5f;
        ws.PoligonaleAperta.Ascissa[2] = 20;
        ws.PoligonaleAperta.Ordinata.redim(2);
        ws.PoligonaleAperta.Quota.redim(2);
        QDialog* d = apri(Pagina::PoligonaleAperta);
        QVERIFY(d);
        auto* g1 = d->findChild<TabellaGriglia*>("Grid1");
        QCOMPARE(g1->verticalHeaderItem(0)->text(), QString("1-2"));
        QCOMPARE(testoCasella(d, 0), QString("12,5"));
        QCOMPARE(d->findChild<TabellaGriglia*>("Grid2")->testoCella(2, 4), QString("20,0000"));
        for (const char* nome : {"chiudi", "applica", "stampa", "esporta"}) QVERIFY(d->findChild<QPushButton*>(nome));
        delete d;
    }

    void triangulationErrorColumnIsNotTyped() {
        QDialog* d = apri(Pagina::Triangolazione);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QString("Triangolazioni"));
        auto* g1 = d->findChild<TabellaGriglia*>("Grid1");
        digita(g1, 1, 1, "60");
        digita(g1, 1, 2, "60");
        digita(g1, 1, 3, "60,003");
        digita(g1, 1, 4, "5");
        QCOMPARE(g1->testoCella(1, 4), QString());
        ws.impostazioni.AngoloPiatto = 180;
        const char* caselle[] = {"0", "0", "90", "100"};
        for (int i = 0; i < 4; ++i) casella(d, i, caselle[i]);
        d->findChild<QPushButton*>("applica")->click();
        QCOMPARE(ws.Triangolazione.NumeroTriangoli, int16_t(1));
        QCOMPARE(g1->testoCella(1, 4), QString("0,0030"));
        QCOMPARE(d->findChild<TabellaGriglia*>("Grid2")->testoCella(3, 3), QString("100,0000"));
        delete d;
    }

    void intersectionsComputeIntoTheirResultBoxes() {
        QDialog* d = apri(Pagina::IntersezioneAvanti);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QString("Intersezione in avanti"));
        const char* valori[] = {"0", "0", "100", "0", "50", "50"};
        for (int i = 0; i < 6; ++i) casella(d, i, valori[i]);
        auto* calcola = d->findChild<QPushButton*>("calcola");
        QCOMPARE(calcola->text(), QString("<< &Calcola >>"));
        calcola->click();
        QCOMPARE(testoCasella(d, 6).left(2), QString("50"));
        QCOMPARE(testoCasella(d, 7).left(2), QString("50"));
        const QString xp = testoCasella(d, 6);
        casella(d, 5, "150");  // parallel sights
        calcola->click();
        QVERIFY(host.testiMessaggi().back() == kMsgDirezioniParallele);
        QCOMPARE(testoCasella(d, 6), xp);
        delete d;

        d = apri(Pagina::IntersezioneHansen);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QString::fromUtf8("Intersezione di Hansen"));
        QVERIFY(d->findChild<QLineEdit*>("Text1_11"));
        delete d;
        d = apri(Pagina::IntersezionePotheno);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QString::fromUtf8("Intersezione di Pothèno"));
        QVERIFY(d->findChild<QLineEdit*>("Text1_9"));
        delete d;
    }
};

QTEST_MAIN(SurveyWindowsTest)
#include "survey_windows_test.moc"
