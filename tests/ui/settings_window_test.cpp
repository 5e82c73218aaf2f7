// The settings window "Impostazioni" and the QSettings store of the program.
#include "shell/ui/settings_window.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QStandardPaths>
#include <QTabWidget>

#include "shell/ui/qt_settings_store.h"
#include "ui/window_test.h"

using namespace carvela;

class SettingsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void schedeCampiEApplica() {
        prova::FinestraDiProva f;
        FinestraPrincipale& w = f.w;
        MapSettingsStore& store = f.store;
        std::vector<std::string>& messaggi = f.messaggi;
        w.workspace().impostazioni.AngoloPiatto = 200;

        auto* pagina = qobject_cast<FinestraImpostazioni*>(w.host().pagina(Pagina::Impostazioni));
        QVERIFY(pagina);
        QCOMPARE(w.host().pagina(Pagina::Impostazioni), pagina);  // created once, reused
        pagina->show();
        auto* schede = pagina->findChild<QTabWidget*>();
        QStringList titoli;
        for (int i = 0; i < schede->count(); ++i) titoli << schede->tabText(i);
        QCOMPARE(titoli, QStringList({"Generale", "Diagrammi", "Strada", "Disegno", "Stampa", "Sezione trasverasale",
                                      "Movimenti di terra"}));
        QCOMPARE(pagina->findChild<QPushButton*>("applica")->text(), QString("&Appllica"));
        QCOMPARE(pagina->findChild<QPushButton*>("chiudi")->text(), QString("C&hiudi"));

        // Filled on opening: the angle option, the slopes with four decimals.
        QCOMPARE(pagina->campi().angoli, UnitaAngolare::Centesimali);
        QCOMPARE(pagina->findChild<QLineEdit*>("scarpataSterro")->text(), QString("0,7854"));

        // The interval and its label follow the automatic-save box.
        QCheckBox* autoSave = nullptr;
        for (auto* c : pagina->findChildren<QCheckBox*>())
            if (c->text() == "Salvataggio  automatico.") autoSave = c;
        QVERIFY(autoSave);
        auto* intervallo = pagina->findChild<QAbstractSpinBox*>("intervalloAutoSave");
        autoSave->click();
        QVERIFY(!intervallo->isEnabled());
        autoSave->click();
        QVERIFY(intervallo->isEnabled());

        // The down arrow brings 2 to 1, and stops there; "&Appllica" then refuses it after
        // taking the fields before it, and saves all the same.
        auto* campoIntervallo = static_cast<CampoConFrecce*>(intervallo);
        campoIntervallo->impostaTesto("2");
        intervallo->stepDown();
        intervallo->stepDown();
        QCOMPARE(campoIntervallo->testo(), QString("1"));
        pagina->findChild<QLineEdit*>("scalaVolumi")->setText("25");
        pagina->findChild<QPushButton*>("applica")->click();
        QCOMPARE(messaggi, std::vector<std::string>{"Intervallo di salvataggio automatico errato!"});
        QCOMPARE(w.workspace().impostazioni.fattoreScalaVolumi, 25.0f);
        QCOMPARE(store.valori["fattoreScalaVolumi"], std::string("25"));
        QCOMPARE(store.valori["IntervalloAutoSave"], std::string("10"));
        QVERIFY(pagina->isVisible());  // the window stays open

        campoIntervallo->impostaTesto("3");
        messaggi.clear();
        QVERIFY(pagina->applica());
        QVERIFY(messaggi.empty());
        QCOMPARE(w.workspace().impostazioni.IntervalloAutoSave, 3);

        // "C&hiudi" closes without applying.
        campoIntervallo->impostaTesto("9");
        pagina->findChild<QPushButton*>("chiudi")->click();
        QVERIFY(!pagina->isVisible());
        QCOMPARE(w.workspace().impostazioni.IntervalloAutoSave, 3);
    }

    void archivioQSettings() {
        {
            QtSettingsStore store("CarvelaProva", "Impostazioni");
            Impostazioni s;
            s.DimensioneQuote = 2.5f;
            s.MuroSezione = false;
            salvaImpostazioni(store, s);
            store.scrivi("PicchettiCurva", "nonsense");
            store.sincronizza();
        }
        QtSettingsStore store("CarvelaProva", "Impostazioni");
        QCOMPARE(store.leggi("DimensioneQuote").value_or(""), std::string("2,5"));
        QVERIFY(!store.leggi("ChiaveCheNonEsiste").has_value());
        const Impostazioni letto = caricaImpostazioni(store);
        QCOMPARE(letto.DimensioneQuote, 2.5f);
        QVERIFY(!letto.MuroSezione);
        QCOMPARE(int(letto.PicchettiCurva), 8);
        QSettings("CarvelaProva", "CarvelaProva").clear();
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"
