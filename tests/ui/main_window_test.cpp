// The main window: menus, toolbar, tree, the commands they call, the progress window and
// the shutdown question, with every message box answered by the test.
#include "shell/ui/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <memory>

#include "graphics/ui/canvas_widget.h"
#include "project/project_files.h"
#include "shell/ui/print_plot.h"
#include "shell/ui/print_setup.h"
#include "shell/ui/qt_host.h"
#include "shell/ui/sheets_window.h"
#include "shell/ui/wait_window.h"
#include "state/workspace.h"
#include "support/sample_records.h"

using namespace carvela;

namespace {

// Captions of a menu in order, "-" for a separator.
QStringList voci(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) out << (a->isSeparator() ? QString("-") : a->text());
    return out;
}

QMenu* sottomenu(QWidget* radice, const char* nome) { return radice->findChild<QMenu*>(nome); }

// Runs `azione` on the modal dialog of kind D that the next step opens, then closes it; true
// when such a dialog came up.
template <class D, class F>
std::shared_ptr<bool> allaFinestraModale(F azione) {
    auto aperta = std::make_shared<bool>(false);
    auto* attesa = new QTimer;
    auto tentativi = std::make_shared<int>(0);
    QObject::connect(attesa, &QTimer::timeout, [attesa, tentativi, aperta, azione] {
        auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!d && ++*tentativi < 100) return;
        attesa->stop();
        attesa->deleteLater();
        if (!d) return;
        *aperta = true;
        azione(d);
        d->reject();
    });
    attesa->start(20);
    return aperta;
}

struct Finestra {
    MapSettingsStore store;
    FinestraPrincipale w{&store};
    std::vector<std::string> messaggi;
    std::vector<Pagina> pagine;
    Risposta risposta = Risposta::Ok;

    Finestra() {
        w.host().rispostaMessaggio = [this](const std::string& t, Pulsanti, Icona) {
            messaggi.push_back(t);
            return risposta;
        };
        w.host().intercettaPagina = [this](Pagina p) {
            pagine.push_back(p);
            return true;
        };
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menuConDidascalieInOrdine() {
        Finestra f;
        QStringList barra;
        for (QAction* a : f.w.menuBar()->actions()) barra << a->text();
        QCOMPARE(barra, QStringList({"&File", "&Calcola", "&Strada", "&Modifica", "&Topografia", "&?"}));
        QCOMPARE(f.w.windowTitle(), QString("Carvela"));

        QCOMPARE(voci(sottomenu(&f.w, "file")),
                 QStringList({"&Nuovo...", "-", "Apri file...", "-", "&Salva...", "&Salva con nome...", "-",
                              "&Importa/&Esporta...", "-", "Impostazioni...", "-", "&Imposta stampante...",
                              "Stampa &disegno...", "Stampa &tavole...", "-", "File &recenti", "-", "&Esci"}));
        QCOMPARE(voci(sottomenu(&f.w, "Importa_esporta")),
                 QStringList({"Importa file DXF...", "Importa file di profilo longituinale ASCII...",
                              "Importa asse da LandXML...", "-", "&Esporta DXF disegno corrente...",
                              "&Esporta file di profilo longituinale ASCII...", "Esporta LandXML..."}));
        QCOMPARE(voci(sottomenu(&f.w, "calcola")),
                 QStringList({"&Planimetria...", "&Sezione...", "&Profilo...", "Diagramma dei paleggi...", "-",
                              "&Ricava progetto da DXF"}));
        QCOMPARE(voci(sottomenu(&f.w, "risolviPiano")), QStringList({"Caratteristiche del &Piano...", "&Reticolo...",
                                                                     "&Correggi Segmento", "Ri&disegna planimetria"}));
        QCOMPARE(voci(sottomenu(&f.w, "sezioneMenu")),
                 QStringList({"&Caratteristiche della Sezione...", "Risolvi &Sezione"}));
        QCOMPARE(voci(sottomenu(&f.w, "risolviProfilo")),
                 QStringList({"Caratteristiche del &Profilo...", "&Imposta tipo di calcolo...", "Risolvi &Profilo",
                              "&Ridisegna profilo"}));
        QCOMPARE(voci(sottomenu(&f.w, "diagPaleggi")),
                 QStringList({"&Tabella dei Volumi", "&Movimenti di terra e trasporti..."}));
        QCOMPARE(voci(sottomenu(&f.w, "retteStrada")),
                 QStringList({"Au&tocomposizione...", "&Asse stradale", "-", "&Risolvi tracciato stradale..."}));
        QCOMPARE(voci(sottomenu(&f.w, "AsseStrada")),
                 QStringList({"&Traccia asse", "&Coordinate asse stradale", "Importa da &poligonale",
                              "Importa da &triangolazione", "-", "Inverti senso di percorrenza"}));
        QCOMPARE(voci(sottomenu(&f.w, "modifica")), QStringList({"&Annulla", "&Ripeti", "-", "Viste...", "Vista 3D"}));
        QCOMPARE(voci(sottomenu(&f.w, "viste")),
                 QStringList({"&Zoom x 2", "&Zoom x 1/2", "&Fattore di scala...", "Zoom &Finestra...", "&Precedente",
                              "&Estensione", "&Pan..."}));
        QCOMPARE(voci(sottomenu(&f.w, "topos")),
                 QStringList({"Poligonali", "-", "&Intersezioni", "-", "Triangolazioni"}));
        QCOMPARE(voci(sottomenu(&f.w, "poligos")), QStringList({"... aperta", "... chiusa"}));
        QCOMPARE(voci(sottomenu(&f.w, "intersezio")),
                 QStringList({"... in avanti", "... di Pothèno", "... di Hansen"}));
        QCOMPARE(voci(sottomenu(&f.w, "help")),
                 QStringList({"&Guida...", "-", "S&ystem Info...", "-", "&Informazioni su..."}));

        // Every command of the table has its menu item, named after it.
        for (const std::string& nome : Comandi::nomiMenu())
            QVERIFY2(f.w.menuBar()->findChild<QAction*>(QString::fromStdString(nome)) != nullptr, nome.c_str());
    }

    void barraStrumentiEAlbero() {
        Finestra f;
        auto* barra = f.w.findChild<QToolBar*>("Toolbar3D");
        QVERIFY(barra);
        QStringList chiavi, suggerimenti;
        for (QAction* a : barra->actions()) {
            if (a->isSeparator()) continue;
            chiavi << a->objectName();
            suggerimenti << a->toolTip();
            QVERIFY(!a->icon().isNull());
        }
        QCOMPARE(chiavi, QStringList({"icoNew", "icoOpen", "icoSave", "icoZoom", "icoZX2", "icoZ05", "icoPan",
                                      "icoView", "icoUndo", "icoDraw", "icoPC", "icoHelp", "icoInfo"}));
        QCOMPARE(suggerimenti, QStringList({"Nuovo progetto", "Apri progetto", "Salva progetto", "Zoom finestra",
                                            "Zoom X 2", "Zoom 1/2", "Spostamento vista", "Zoom estensione",
                                            "Vista precedente", "Ridisegna", "Impostazioni", "Guida", "Informazioni"}));

        auto* albero = f.w.findChild<QTreeWidget*>("TreeViewTool");
        QVERIFY(albero);
        QCOMPARE(albero->topLevelItemCount(), 3);
        QStringList radici;
        for (int i = 0; i < 3; ++i) {
            radici << albero->topLevelItem(i)->text(0);
            QVERIFY(albero->topLevelItem(i)->isExpanded());
        }
        QCOMPARE(radici, QStringList({"Strada", "Poligonali", "Intersezioni"}));
        QStringList tag;
        QTreeWidgetItemIterator it(albero);
        for (; *it; ++it) {
            const QString t = (*it)->data(0, Qt::UserRole).toString();
            if (!t.isEmpty()) tag << (*it)->text(0) + "=" + t;
        }
        QCOMPARE(tag, QStringList({"Grafica Planimetria=OP1001", "Caratteristiche del piano=OP1002",
                                   "Grafica Profilo=OP2001", "Caratteristiche del profilo=OP2002",
                                   "Tipi di calcolo=OP2003", "Impostazione sezioni=OP3001", "Grafica Diagramma=OP4001",
                                   "Tabella dei volumi=OP4002", "Aperta=OP5001", "Chiusa=OP5002",
                                   "Triangolazione=OP5003", "In avanti=OP6001", "Pothèno=OP6002", "Hansen=OP6003"}));

        // A click on a node acts by its tag; a node without one does nothing.
        QTreeWidgetItem* poligonali = albero->topLevelItem(1);
        emit albero->itemClicked(poligonali, 0);
        emit albero->itemClicked(poligonali->child(0), 0);
        QCOMPARE(f.pagine, std::vector<Pagina>{Pagina::PoligonaleAperta});
        for (QAction* a : barra->actions())
            if (a->objectName() == "icoPC") a->trigger();
        QCOMPARE(f.pagine.back(), Pagina::Impostazioni);
    }

    void comandiRifiutatiEVista3D() {
        Finestra f;
        f.w.workspace().Profilo = campioni::profilo();  // data held, but the plan is shown
        f.w.workspace().TipoDocumento = kDocPianta;
        f.w.menuBar()->findChild<QAction*>("RisolviPR")->trigger();
        QCOMPARE(f.messaggi, std::vector<std::string>{"Dati di profilo assenti! Definire le caratteristiche del "
                                                      "profilo longitudinale del terreno."});
        QCOMPARE(f.w.workspace().TipoDocumento, uint8_t(kDocPianta));

        QMenu* modifica = sottomenu(&f.w, "modifica");
        QAction* vista3d = modifica->findChild<QAction*>("vista3D");
        emit modifica->aboutToShow();
        QVERIFY(vista3d->isEnabled());
        f.w.workspace().TipoDocumento = kDocProfilo;
        emit modifica->aboutToShow();
        QVERIFY(!vista3d->isEnabled());

        // The coordinate label follows the pointer over the canvas.
        CanvasWidget& c = f.w.canvas();
        QMouseEvent e(QEvent::MouseMove, QPointF(30, 40), c.mapToGlobal(QPointF(30, 40)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(&c, &e);
        QVERIFY(!f.w.findChild<QLabel*>("LabelCoord")->text().isEmpty());
    }

    void aperturaDaRigaDiComandoEVistaIniziale() {
        Finestra f;
        const Vista& v = f.w.workspace().vista;
        QCOMPARE(v.scala, 1.0f);
        QCOMPARE(v.offsetX, 0.0f);
        QCOMPARE(v.offsetY, float(f.w.canvas().altezza()));
        QCOMPARE(f.w.timerAutoSave().interval(), 10000);

        campioni::CartellaTemporanea dir;
        const std::string path = dir.file("strada.pln");
        QCOMPARE(scriviRecord(path, campioni::piano(2), false), std::string());
        QVERIFY(f.w.apriFile(QString::fromStdString(path)));
        QCOMPARE(f.w.windowTitle(), QString::fromStdString("Carvela [ " + path + " ]"));
        QCOMPARE(f.w.workspace().TipoDocumento, uint8_t(kDocPianta));
        // A failed open keeps the project, its caption and its drawing.
        const QImage disegnato = f.w.canvas().immagine().copy();
        QVERIFY(!f.w.apriFile(QString::fromStdString(dir.file("manca.pln"))));
        QCOMPARE(f.messaggi.back(), std::string("Errore di apertura del file!"));
        QCOMPARE(f.w.windowTitle(), QString::fromStdString("Carvela [ " + path + " ]"));
        QVERIFY(f.w.workspace().Piano == campioni::piano(2));
        QVERIFY(f.w.canvas().immagine() == disegnato);
    }

    void progettoModificatoAsteriscoDomandaESalvataggioAutomatico() {
        Finestra f;
        campioni::CartellaTemporanea dir;
        const std::string path = dir.file("p.pro");
        QCOMPARE(scriviRecord(path, campioni::profilo(), false), std::string());
        QVERIFY(f.w.apriFile(QString::fromStdString(path)));
        Workspace& ws = f.w.workspace();
        ws.impostazioni.IntervalloAutoSave = 1;

        // Opened and unchanged: the automatic save does not write over the file just opened.
        std::filesystem::remove(path);
        ws.periodoTimerMs = 10;
        ws.contatoreAutoSave = 30000;
        f.w.timerAutoSave().setInterval(10);
        QTest::qWait(80);
        QVERIFY(!std::filesystem::exists(path));
        QVERIFY(!f.w.windowTitle().endsWith(" *"));

        // Changed: the caption says so, the automatic save writes it and the status bar tells.
        segnaModifica(ws);
        QTRY_VERIFY(f.w.windowTitle().endsWith(" *"));
        ws.contatoreAutoSave = 30000;
        QTRY_VERIFY(std::filesystem::exists(path));
        QVERIFY(f.w.statusBar()->currentMessage().contains(QString::fromStdString(path)));
        QTRY_VERIFY(!f.w.windowTitle().endsWith(" *"));

        // Exit with unsaved changes asks whether to save; cancelling keeps everything.
        ws.Profilo.NumeroSezioni = 1;
        segnaModifica(ws);
        const Profilo cambiato = ws.Profilo;
        f.risposta = Risposta::Annulla;
        f.messaggi.clear();
        QVERIFY(!f.w.close());
        QCOMPARE(f.messaggi, std::vector<std::string>{"Il progetto è stato modificato. Salvare le modifiche?"});
        QVERIFY(f.w.isVisible() && ws.Profilo == cambiato && progettoModificato(ws));
        // So do "&Nuovo..." and "Apri file...": cancelled, nothing is emptied or opened.
        f.w.menuBar()->findChild<QAction*>("nuovoProgetto")->trigger();
        f.w.menuBar()->findChild<QAction*>("apriFileProg")->trigger();
        QCOMPARE(f.messaggi.size(), size_t(3));
        QVERIFY(ws.TipoDocumento == kDocProfilo && ws.Profilo == cambiato);
        // "No" discards and closes.
        f.risposta = Risposta::No;
        QVERIFY(f.w.close());
    }

    void annullareLaChiusuraLasciaTuttoComEra() {
        Finestra f;
        f.w.workspace().Profilo = campioni::profilo();
        f.w.workspace().TipoDocumento = kDocProfilo;
        f.w.workspace().impostazioni.PicchettiCurva = 12;
        f.risposta = Risposta::Annulla;
        QVERIFY(!f.w.close());
        QCOMPARE(f.messaggi, std::vector<std::string>{"Confermate la chiusura del programma?"});
        QVERIFY(f.w.isVisible());
        QVERIFY(f.w.workspace().Profilo == campioni::profilo());
        QCOMPARE(f.w.workspace().TipoDocumento, uint8_t(kDocProfilo));
        QVERIFY(f.store.valori.empty());  // nothing saved

        // "&Esci" asks the same question; OK saves every setting and closes.
        f.risposta = Risposta::Ok;
        f.w.menuBar()->findChild<QAction*>("esci")->trigger();
        QCOMPARE(f.messaggi.size(), size_t(2));
        QVERIFY(!f.w.isVisible());
        QCOMPARE(f.store.valori.size(), size_t(36));
        QCOMPARE(f.store.valori["PicchettiCurva"], std::string("12"));
    }

    void stampanteCondivisaEFinestraPlotDalMenu() {
        Finestra f;
        // The page set up from the menu is the shared printer's, which every print uses.
        QPrinter* impostata = nullptr;
        auto aperta = allaFinestraModale<QPageSetupDialog>([&](QPageSetupDialog* d) { impostata = d->printer(); });
        f.w.menuBar()->findChild<QAction*>("impostaStampa")->trigger();
        QVERIFY(*aperta);
        QCOMPARE(impostata, &stampanteCondivisa());

        // "Stampa &disegno..." opens the plot window on the whole drawing shown.
        campioni::CartellaTemporanea dir;
        const std::string path = dir.file("strada.pln");
        QCOMPARE(scriviRecord(path, campioni::piano(3), false), std::string());
        QVERIFY(f.w.apriFile(QString::fromStdString(path)));
        const AreaPlot disegno = areaEstensione(f.w.workspace().vista);
        QVERIFY(disegno.valida());
        AreaPlot mostrata;
        aperta = allaFinestraModale<FinestraPlot>([&](FinestraPlot* p) { mostrata = p->area(); });
        f.w.menuBar()->findChild<QAction*>("stampaDisegno")->trigger();
        QVERIFY(*aperta);
        QCOMPARE(mostrata.minX, disegno.minX);
        QCOMPARE(mostrata.maxY, disegno.maxY);
        QVERIFY(f.messaggi.empty());
    }

    void tavoleInPdfDalMenuFile() {
        Finestra f;
        campioni::CartellaTemporanea dir;
        const std::string path = dir.file("progetto.pln"), pdf = dir.file("tavole.pdf");
        std::filesystem::copy_file(CARVELA_SOURCE_DIR "/samples/progetto.pln", path);
        QVERIFY(f.w.apriFile(QString::fromStdString(path)));
        bool scritto = false, nulla = true;
        auto aperta = allaFinestraModale<FinestraTavole>([&](FinestraTavole* t) {
            t->findChild<QComboBox*>("carta")->setCurrentIndex(1);    // A4
            t->findChild<QComboBox*>("profilo")->setCurrentIndex(1);  // 1:2000 / 1:200
            scritto = t->scriviPdf(pdf);
            t->findChild<QComboBox*>("sezioni")->setCurrentIndex(2);
            t->findChild<QComboBox*>("profilo")->setCurrentIndex(2);
            nulla = t->scriviPdf(dir.file("nulla.pdf"));
        });
        f.w.menuBar()->findChild<QAction*>("stampaTavole")->trigger();
        QVERIFY(*aperta);
        QVERIFY(scritto);
        std::ifstream in(pdf, std::ios::binary);
        std::string inizio(5, '\0');
        in.read(inizio.data(), 5);
        QCOMPARE(inizio, std::string("%PDF-"));
        QVERIFY(std::filesystem::file_size(pdf) > 2000);
        // Nothing chosen: a message, no file.
        QVERIFY(!nulla);
        QVERIFY(!std::filesystem::exists(dir.file("nulla.pdf")));
        QCOMPARE(f.messaggi, (std::vector<std::string>{"Scegliere le sezioni, il profilo o entrambi."}));
    }

    void finestraDiAttesaEFiltri() {
        Finestra f;
        Host& host = f.w.host();
        host.mostraAttesa();
        FinestraAttesa& attesa = f.w.host().finestraAttesa();
        QVERIFY(attesa.isVisible());
        QCOMPARE(attesa.objectName(), QString("FormWait"));
        host.CaptionLabel("Calcolo in corso...");
        host.ImpostaBarra(40);
        host.AggiornaSatoBarra(25);
        host.ImpostaBarra(0);       // a maximum of 0 leaves the bar as it was
        host.AggiornaSatoBarra(0);  // so does a position of 0
        QCOMPARE(attesa.didascalia(), QString("Calcolo in corso..."));
        QCOMPARE(attesa.massimo(), 40);
        QCOMPARE(attesa.posizione(), 25);
        QVERIFY(QApplication::overrideCursor() != nullptr);
        host.chiudiAttesa();
        QVERIFY(!attesa.isVisible());
        QVERIFY(QApplication::overrideCursor() == nullptr);

        QCOMPARE(filtroQt("File di interscambio (*.dxf) | *.DXF"), QString("File di interscambio (*.dxf *.DXF)"));
        QCOMPARE(filtroQt("Planimetria (*.pln)|*.PLN|Poligonale chiusa(*.plc)|*.PLC|"),
                 QString("Planimetria (*.pln *.PLN);;Poligonale chiusa (*.plc *.PLC)"));
        QCOMPARE(filtroQt(""), QString());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
