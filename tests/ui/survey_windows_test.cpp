// The survey windows driven as a user would: typing in the grids, filling the boxes,
// pressing the buttons.
#include "survey/survey_messages.h"
#include "ui/window_test.h"

using namespace carvela;

class SurveyWindowsTest : public QObject {
    Q_OBJECT

private:
    Workspace ws;
    RecordingCanvas canvas;
    FakeHost host;
    ContestoPagina contesto{ws, canvas, host};  // outlives the pages made with it

    // Types the cells of a row from column 1 on.
    static void digita(TabellaGriglia* t, int riga, const QStringList& celle) {
        for (int c = 0; c < celle.size(); ++c) {
            t->setCurrentCell(riga - 1, c);
            QTest::keyClicks(t, celle[c]);
        }
    }
    static QLineEdit* casella(QDialog* d, int indice) {
        return d->findChild<QLineEdit*>(QString("Text1_%1").arg(indice));
    }
    static void caselle(QDialog* d, const QStringList& testi) {
        for (int i = 0; i < testi.size(); ++i) casella(d, i)->setText(testi[i]);
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
        auto d = prova::apriPagina(Pagina::PoligonaleChiusa, contesto);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QString("Poligonale chiusa"));
        auto* g1 = d->findChild<TabellaGriglia*>("Grid1");
        auto* g2 = d->findChild<TabellaGriglia*>("Grid2");
        QVERIFY(g1 && g2);
        QCOMPARE(g1->rowCount(), 10);
        for (int r = 1; r <= 4; ++r) digita(g1, r, {"0", "100", r == 1 ? "100,04" : "100", "100", "15", "15"});
        QCOMPARE(g1->testoCella(1, 5), QString("15"));
        caselle(d.get(), {"500", "1000", "100", "0,01", "0,05", "0"});
        d->findChild<QPushButton*>("applica")->click();
        QCOMPARE(ws.PoligonaleChiusa.NumeroStazioni, int16_t(4));
        QCOMPARE(g2->testoCella(2, 5), QString("1100,0300"));
        QCOMPARE(g1->testoCella(1, 3), QString("100,0400"));
        QCOMPARE(d->findChild<QLabel*>("erroreLineare")->text(), QString("0,0400"));
        QVERIFY(!canvas.operazioni.empty());
        QCOMPARE(host.testiMessaggi().size(), std::size_t(1));  // the unit reminder only
        // A box that is not a number: the message, and that box takes the focus.
        casella(d.get(), 4)->setText("x");
        d->findChild<QPushButton*>("applica")->click();
        QVERIFY(host.testiMessaggi().back() == kMsgTipoDatiNonCorretto);
        QCOMPARE(d->focusWidget(), casella(d.get(), 4));
        casella(d.get(), 4)->setText("0,05");

        // Two stations left after backspacing rows 3 and 4: refused, the results on screen stay.
        for (int r = 3; r <= 4; ++r) {
            g1->setCurrentCell(r - 1, 0);
            for (int k = 0; k < 8; ++k) QTest::keyClick(g1, Qt::Key_Backspace);
        }
        d->findChild<QPushButton*>("applica")->click();
        QVERIFY(host.testiMessaggi().back() == kMsgPoligonaleChiusaCorta);
        QCOMPARE(g2->testoCella(2, 5), QString("1100,0300"));
        QCOMPARE(casella(d.get(), 4)->text(), QString("0,05"));
    }

    void openTraverseOpensOnTheStoredRecord() {
        ws.PoligonaleAperta.NumeroStazioni = 2;
        for (auto* a : {&ws.PoligonaleAperta.Ascissa, &ws.PoligonaleAperta.Ordinata, &ws.PoligonaleAperta.Quota})
            a->redim(2);
        ws.PoligonaleAperta.Ascissa[1] = 12.5f;
        ws.PoligonaleAperta.Ascissa[2] = 20;
        auto d = prova::apriPagina(Pagina::PoligonaleAperta, contesto);
        QVERIFY(d);
        QCOMPARE(d->findChild<TabellaGriglia*>("Grid1")->verticalHeaderItem(0)->text(), QString("1-2"));
        QCOMPARE(casella(d.get(), 0)->text(), QString("12,5"));
        QCOMPARE(d->findChild<TabellaGriglia*>("Grid2")->testoCella(2, 4), QString("20,0000"));
    }

    void triangulationErrorColumnIsNotTyped() {
        ws.impostazioni.AngoloPiatto = 180;
        auto d = prova::apriPagina(Pagina::Triangolazione, contesto);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QString("Triangolazioni"));
        auto* g1 = d->findChild<TabellaGriglia*>("Grid1");
        digita(g1, 1, {"60", "60", "60,003", "5"});
        QCOMPARE(g1->testoCella(1, 4), QString());
        caselle(d.get(), {"0", "0", "90", "100"});
        d->findChild<QPushButton*>("applica")->click();
        QCOMPARE(ws.Triangolazione.NumeroTriangoli, int16_t(1));
        QCOMPARE(g1->testoCella(1, 4), QString("0,0030"));
        QCOMPARE(d->findChild<TabellaGriglia*>("Grid2")->testoCella(3, 3), QString("100,0000"));
    }

    void intersectionsComputeIntoTheirResultBoxes() {
        auto d = prova::apriPagina(Pagina::IntersezioneAvanti, contesto);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QString("Intersezione in avanti"));
        caselle(d.get(), {"0", "0", "100", "0", "50", "50"});
        auto* calcola = d->findChild<QPushButton*>("calcola");
        QCOMPARE(calcola->text(), QString("<< &Calcola >>"));
        calcola->click();
        QCOMPARE(casella(d.get(), 6)->text().left(2), QString("50"));
        QCOMPARE(casella(d.get(), 7)->text().left(2), QString("50"));
        const QString xp = casella(d.get(), 6)->text();
        casella(d.get(), 5)->setText("150");  // parallel sights
        calcola->click();
        QVERIFY(host.testiMessaggi().back() == kMsgDirezioniParallele);
        QCOMPARE(casella(d.get(), 6)->text(), xp);
        // A box that is not a number: the message, and that box takes the focus.
        casella(d.get(), 3)->setText("x");
        calcola->setFocus();
        calcola->click();
        QVERIFY(host.testiMessaggi().back() == kMsgTipoDatiNonCorretto);
        QCOMPARE(d->focusWidget(), casella(d.get(), 3));
        QCOMPARE(casella(d.get(), 6)->text(), xp);

        // The other two pages with all their boxes, up to the last.
        const std::tuple<Pagina, const char*, int> altre[] = {
            {Pagina::IntersezioneHansen, "Intersezione di Hansen", 11},
            {Pagina::IntersezionePotheno, "Intersezione di Pothèno", 9}};
        for (const auto& [pagina, titolo, ultima] : altre) {
            d = prova::apriPagina(pagina, contesto);
            QVERIFY(d);
            QCOMPARE(d->windowTitle(), QString::fromUtf8(titolo));
            QVERIFY(casella(d.get(), ultima));
        }
    }
};

QTEST_MAIN(SurveyWindowsTest)
#include "survey_windows_test.moc"
