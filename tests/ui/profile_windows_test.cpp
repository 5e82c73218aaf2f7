// The profile window and the grade-line method window on screen.
#include <QTabWidget>

#include "profile/profile_builder.h"
#include "profile/profile_solve.h"
#include "ui/window_test.h"

using namespace carvela;
using prova::pulsante;

class ProfileWindowsTest : public QObject {
    Q_OBJECT

private:
    static Workspace profiloDiProva() {
        Workspace ws;
        ws.Profilo = prova::profiloDa({{0, 100}, {10, 102}, {20, 101}, {30, 97}, {40, 99}}, {5}, 5);
        ws.Profilo.ProgettoLiv(1, 1) = 100;
        risolviProfilo(ws.Profilo);
        ws.Piano.ProfiloApplicato = ws.Profilo;
        ws.TipoDocumento = kDocProfilo;
        return ws;
    }

private slots:
    void finestraProfiloSegnaEApplica() {
        Workspace ws = profiloDiProva();
        FakeHost host;
        CanvasWidget canvas(ws);
        canvas.resize(500, 400);
        inizializzaVista(ws.vista, canvas);
        ContestoPagina contesto{ws, canvas, host};
        auto pagina = prova::apriPagina(Pagina::Profilo, contesto);
        QVERIFY(pagina);
        QCOMPARE(pagina->windowTitle(), QString("Caratteristiche del profilo longitudinale."));
        TabellaGriglia* sezioni = pagina->findChildren<TabellaGriglia*>().value(0);
        QVERIFY(sezioni != nullptr);
        QCOMPARE(sezioni->rowCount(), 5);
        // Typing does nothing on the sections; a click on "Livellette" marks row 3.
        sezioni->setCurrentCell(1, 1);
        QTest::keyClicks(sezioni, "7");
        QCOMPARE(sezioni->testoCella(2, 2), QString("102,0000"));
        QTest::mouseClick(sezioni->viewport(), Qt::LeftButton, {},
                          sezioni->visualItemRect(sezioni->item(2, 2)).center());
        QCOMPARE(sezioni->testoCella(3, 3), QString("chiudi livelletta"));
        pulsante(pagina.get(), "&Applica")->click();
        QCOMPARE(ws.Profilo.NumeroLivellette, 2);
        QCOMPARE(ws.Piano.ProfiloApplicato, ws.Profilo);
        QCOMPARE(host.messaggi.size(), std::size_t(1));  // the reminder to recompute the plan
        QCOMPARE(ws.TipoDocumento, uint8_t(kDocProfilo));
    }

    void finestraTipoCalcoloPendenze() {
        Workspace ws = profiloDiProva();
        ws.Profilo = prova::profiloDa(prova::piano(5, 10, 100), {3, 3}, 4);
        ws.Profilo.Pendenze.redim(2);
        FakeHost host;
        CanvasWidget canvas(ws);
        canvas.resize(500, 400);
        inizializzaVista(ws.vista, canvas);
        ContestoPagina contesto{ws, canvas, host};
        auto pagina = prova::apriPagina(Pagina::TipoProfilo, contesto);
        QVERIFY(pagina);
        QCOMPARE(pagina->windowTitle(), QString("Imposta tipo di calcolo della livelletta"));
        auto* schede = pagina->findChild<QTabWidget*>();
        QVERIFY(schede != nullptr);
        QCOMPARE(schede->count(), 5);
        QCOMPARE(schede->currentIndex(), 3);  // the method's tab
        auto* pendenze = qobject_cast<TabellaGriglia*>(schede->widget(3));
        for (int r = 0; r < 2; ++r) {
            pendenze->setCurrentCell(r, 0);
            QTest::keyClick(pendenze, Qt::Key_Backspace);
            QTest::keyClicks(pendenze, r == 0 ? "1,5" : "-2");
        }
        pulsante(pagina.get(), "&Applica")->click();
        QCOMPARE(QList<float>({ws.Profilo.Pendenze[1], ws.Profilo.Pendenze[2]}), QList<float>({0.015f, -0.02f}));
        // Method 5 from its text box.
        schede->setCurrentIndex(4);
        pagina->findChild<QLineEdit*>()->setText("101");
        pulsante(pagina.get(), "&Applica")->click();
        QCOMPARE(ws.Profilo.MetodoLivellette, uint8_t(5));
        QCOMPARE(ws.Profilo.ProgettoLiv(1, 1), 101.0f);
        QVERIFY(host.messaggi.empty());
    }
};

QTEST_MAIN(ProfileWindowsTest)
#include "profile_windows_test.moc"
