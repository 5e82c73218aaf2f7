// The main window: menus, toolbar, tree, the commands they call, the progress window and
// the shutdown question, with every message box answered by the test.
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "project/project_files.h"
#include "shell/ui/print_plot.h"
#include "shell/ui/print_setup.h"
#include "shell/ui/sheets_window.h"
#include "shell/ui/wait_window.h"
#include "support/cases.h"
#include "support/modal.h"
#include "support/sample_records.h"
#include "ui/window_test.h"

using namespace carvela;

namespace {

struct Finestra : prova::FinestraDiProva {
    // The record written to `nome` in `dir` and opened; its path.
    template <class R>
    std::string apri(const campioni::CartellaTemporanea& dir, const char* nome, const R& record) {
        const std::string path = dir.file(nome);
        if (!scriviRecord(path, record, false).empty() || !w.apriFile(QString::fromStdString(path))) return "";
        return path;
    }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menuBarraEAlberoComeNeiCasi() {
        Finestra f;
        QCOMPARE(f.w.windowTitle(), QString("Carvela"));
        for (const test::Caso& c : test::leggiCasi("main_window.txt")) {
            const QString nome = QString::fromStdString(c.campi.at(1));
            QStringList visto, atteso;
            for (const std::string& voce : c.lista(2)) atteso << QString::fromStdString(voce);
            auto* albero = f.w.findChild<QTreeWidget*>(nome);
            if (c.nome() == "menu") {
                QWidget* menu = nome == "barra" ? static_cast<QWidget*>(f.w.menuBar()) : f.w.findChild<QMenu*>(nome);
                QVERIFY2(menu, c.testo.c_str());
                for (QAction* a : menu->actions()) visto << (a->isSeparator() ? QString("-") : a->text());
            } else if (c.nome() == "toolbar") {
                for (QAction* a : f.w.findChild<QToolBar*>(nome)->actions()) {
                    if (!a->isSeparator()) visto << a->objectName() + "=" + a->toolTip();
                    QVERIFY2(a->isSeparator() || !a->icon().isNull(), qPrintable(a->objectName()));
                }
            } else if (c.nome() == "radici") {
                for (int i = 0; i < albero->topLevelItemCount(); ++i) {
                    visto << albero->topLevelItem(i)->text(0);
                    QVERIFY(albero->topLevelItem(i)->isExpanded());
                }
            } else {
                for (QTreeWidgetItemIterator it(albero); *it; ++it)
                    if (const QString t = (*it)->data(0, Qt::UserRole).toString(); !t.isEmpty())
                        visto << (*it)->text(0) + "=" + t;
            }
            QCOMPARE(visto, atteso);
        }
        // Every command of the table has its menu item, named after it.
        for (const std::string& nome : Comandi::nomiMenu())
            QVERIFY2(f.w.menuBar()->findChild<QAction*>(QString::fromStdString(nome)) != nullptr, nome.c_str());

        // A click on a node acts by its tag; a node without one does nothing.
        auto* albero = f.w.findChild<QTreeWidget*>("TreeViewTool");
        QTreeWidgetItem* poligonali = albero->topLevelItem(1);
        emit albero->itemClicked(poligonali, 0);
        emit albero->itemClicked(poligonali->child(0), 0);
        QCOMPARE(f.pagine, std::vector<Pagina>{Pagina::PoligonaleAperta});
        for (QAction* a : f.w.findChild<QToolBar*>("Toolbar3D")->actions())
            if (a->objectName() == "icoPC") a->trigger();
        QCOMPARE(f.pagine.back(), Pagina::Impostazioni);
    }

    void comandiRifiutatiEVista3D() {
        Finestra f;
        f.w.workspace().Profilo = campioni::profilo();  // data held, but the plan is shown
        f.w.workspace().TipoDocumento = kDocPianta;
        f.esegui("RisolviPR");
        QCOMPARE(f.messaggi, std::vector<std::string>{"Dati di profilo assenti! Definire le caratteristiche del "
                                                      "profilo longitudinale del terreno."});
        QCOMPARE(f.w.workspace().TipoDocumento, uint8_t(kDocPianta));

        QMenu* modifica = f.w.findChild<QMenu*>("modifica");
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
        QCOMPARE(std::tuple(v.scala, v.offsetX, v.offsetY), std::tuple(1.0f, 0.0f, float(f.w.canvas().altezza())));
        QCOMPARE(f.w.timerAutoSave().interval(), 10000);

        campioni::CartellaTemporanea dir;
        const std::string path = f.apri(dir, "strada.pln", campioni::piano(2));
        QVERIFY(!path.empty());
        QCOMPARE(f.w.windowTitle(), QString::fromStdString("Carvela [ " + path + " ]"));
        QCOMPARE(f.w.workspace().TipoDocumento, uint8_t(kDocPianta));
        // A failed open keeps the project, its caption, its modified flag and its drawing:
        // a missing file, a damaged project (cut short) and a file that is no project at all.
        segnaModifica(f.w.workspace());
        QTRY_VERIFY(f.w.windowTitle().endsWith(" *"));
        const QString titolo = f.w.windowTitle();
        const QImage disegnato = f.w.canvas().immagine().copy();
        std::string integro;
        {
            std::ifstream in(path, std::ios::binary);
            integro.assign(std::istreambuf_iterator<char>(in), {});
        }
        const std::pair<const char*, std::string> falliti[] = {
            {"manca.pln", ""},
            {"rotto.pln", integro.substr(0, integro.size() / 2)},
            {"testo.pln", "Questo non è un progetto.\r\n"},
        };
        for (const auto& [nome, contenuto] : falliti) {
            if (!contenuto.empty()) std::ofstream(dir.file(nome), std::ios::binary) << contenuto;
            f.messaggi.clear();
            QVERIFY2(!f.w.apriFile(QString::fromStdString(dir.file(nome))), nome);
            QCOMPARE(f.messaggi.size(), size_t(1));
            QVERIFY(f.messaggi[0].rfind("Errore di apertura del file!", 0) == 0);
            QCOMPARE(f.w.windowTitle(), titolo);
            QVERIFY(progettoModificato(f.w.workspace()));
            QVERIFY(f.w.workspace().Piano == campioni::piano(2));
            QVERIFY(f.w.canvas().immagine() == disegnato);
        }
    }

    void progettoModificatoAsteriscoDomandaESalvataggioAutomatico() {
        Finestra f;
        campioni::CartellaTemporanea dir;
        const std::string path = f.apri(dir, "p.pro", campioni::profilo());
        QVERIFY(!path.empty());
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
        f.esegui("nuovoProgetto");
        f.esegui("apriFileProg");
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
        f.esegui("esci");
        QCOMPARE(f.messaggi.size(), size_t(2));
        QVERIFY(!f.w.isVisible());
        QCOMPARE(f.store.valori.size(), size_t(36));
        QCOMPARE(f.store.valori["PicchettiCurva"], std::string("12"));
    }

    void stampanteCondivisaEFinestraPlotDalMenu() {
        Finestra f;
        // The page set up from the menu is the shared printer's, which every print uses.
        QPrinter* impostata = nullptr;
        auto aperta =
            prova::allaFinestraModale<QPageSetupDialog>([&](QPageSetupDialog* d) { impostata = d->printer(); });
        f.esegui("impostaStampa");
        QVERIFY(*aperta);
        QCOMPARE(impostata, &stampanteCondivisa());

        // "Stampa &disegno..." opens the plot window on the whole drawing shown.
        campioni::CartellaTemporanea dir;
        QVERIFY(!f.apri(dir, "strada.pln", campioni::piano(3)).empty());
        const AreaPlot disegno = areaEstensione(f.w.workspace().vista);
        QVERIFY(disegno.valida());
        AreaPlot mostrata;
        aperta = prova::allaFinestraModale<FinestraPlot>([&](FinestraPlot* p) { mostrata = p->area(); });
        f.esegui("stampaDisegno");
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
        auto aperta = prova::allaFinestraModale<FinestraTavole>([&](FinestraTavole* t) {
            t->findChild<QComboBox*>("carta")->setCurrentIndex(1);    // A4
            t->findChild<QComboBox*>("profilo")->setCurrentIndex(1);  // 1:2000 / 1:200
            scritto = t->scriviPdf(pdf);
            t->findChild<QComboBox*>("sezioni")->setCurrentIndex(2);
            t->findChild<QComboBox*>("profilo")->setCurrentIndex(2);
            nulla = t->scriviPdf(dir.file("nulla.pdf"));
        });
        f.esegui("stampaTavole");
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
        host.CaptionLabel("Calcolo in corso...");
        host.ImpostaBarra(40);
        host.AggiornaSatoBarra(25);
        host.ImpostaBarra(0);       // a maximum of 0 leaves the bar as it was
        host.AggiornaSatoBarra(0);  // so does a position of 0
        QCOMPARE(std::tuple(attesa.didascalia(), attesa.massimo(), attesa.posizione()),
                 std::tuple(QString("Calcolo in corso..."), 40, 25));
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
