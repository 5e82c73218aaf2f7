#include "shell/ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "graphics/canvas_mouse.h"
#include "graphics/pointer_text.h"
#include "graphics/ui/canvas_widget.h"
#include "sections/ui/haul_window.h"
#include "shell/file_commands.h"
#include "shell/ui/icons.h"
#include "shell/ui/print_plot.h"
#include "shell/ui/qt_host.h"
#include "shell/ui/qt_settings_store.h"
#include "shell/ui/sheets_window.h"
#include "state/settings.h"
#include "state/view.h"

namespace carvela {
namespace {

// One entry of a menu: a command (name and caption), a submenu, or a separator.
struct Voce {
    const char* nome = nullptr;  // nullptr: separator
    const char* testo = nullptr;
    std::vector<Voce> figli = {};
};
const Voce kSeparatore{};
// The plot of the drawing: a window of its own, not a command of the table.
constexpr const char* kStampaDisegno = "stampaDisegno";
// The haul report, a window of its own too.
constexpr const char* kRapportoTrasporti = "rapportoTrasporti";
// The sheets at scale, likewise.
constexpr const char* kStampaTavole = "stampaTavole";
// The recent files: a submenu filled each time it opens.
constexpr const char* kRecenti = "fileRecenti";
constexpr const char* kChiaveRecenti = "FileRecenti";
constexpr const char* kChiaveGeometria = "Geometria";

// The keys of the desktop programs engineers already use.
QKeySequence scorciatoia(std::string_view nome) {
    if (nome == "nuovoProgetto") return QKeySequence::New;
    if (nome == "apriFileProg") return QKeySequence::Open;
    if (nome == "AutoSalva") return QKeySequence::Save;
    if (nome == "salvaConNome") return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    if (nome == kStampaDisegno) return QKeySequence::Print;
    if (nome == "guida") return QKeySequence(Qt::Key_F1);
    if (nome == "annulla") return QKeySequence(Qt::CTRL | Qt::Key_Z);
    if (nome == "ripeti") return QKeySequence(Qt::CTRL | Qt::Key_Y);
    if (nome == "zoomEstenzione") return QKeySequence(Qt::Key_Home);
    return {};
}

// The names of the project files, to see which ones a command opened or saved.
std::vector<std::string> nomiFile(const Workspace& ws) {
    return {ws.NomeFilePln, ws.NomeFilePro, ws.NomeFileSez, ws.NomeFilePla, ws.NomeFilePlc, ws.NomeFileTrn};
}

const std::vector<Voce>& barraMenu() {
    static const std::vector<Voce> menu = {
        {"file",
         "&File",
         {{"nuovoProgetto", "&Nuovo..."},
          kSeparatore,
          {"apriFileProg", "Apri file..."},
          kSeparatore,
          {"AutoSalva", "&Salva..."},
          {"salvaConNome", "&Salva con nome..."},
          kSeparatore,
          {"Importa_esporta",
           "&Importa/&Esporta...",
           {{"ImportDXFin", "Importa file DXF..."},
            {"importaOldProfilo", "Importa file di profilo longituinale ASCII..."},
            {"importaAsseLandXML", "Importa asse da LandXML..."},
            kSeparatore,
            {"exportDXFsezione", "&Esporta DXF disegno corrente..."},
            {"espotraOldProfilo", "&Esporta file di profilo longituinale ASCII..."},
            {"esportaLandXML", "Esporta LandXML..."}}},
          kSeparatore,
          {"impostazioni", "Impostazioni..."},
          kSeparatore,
          {"impostaStampa", "&Imposta stampante..."},
          {kStampaDisegno, "Stampa &disegno..."},
          {kStampaTavole, "Stampa &tavole..."},
          kSeparatore,
          {kRecenti, "File &recenti", {}},
          kSeparatore,
          {"esci", "&Esci"}}},
        {"calcola",
         "&Calcola",
         {{"risolviPiano",
           "&Planimetria...",
           {{"insertPianoQ", "Caratteristiche del &Piano..."},
            {"reticolaPiano", "&Reticolo..."},
            {"correggiSegmento", "&Correggi Segmento"},
            {"RigenPlanim", "Ri&disegna planimetria"}}},
          {"sezioneMenu",
           "&Sezione...",
           {{"calcSez", "&Caratteristiche della Sezione..."}, {"risolviSezione", "Risolvi &Sezione"}}},
          {"risolviProfilo",
           "&Profilo...",
           {{"calcProfilo", "Caratteristiche del &Profilo..."},
            {"impostaTipoProfilo", "&Imposta tipo di calcolo..."},
            {"RisolviPR", "Risolvi &Profilo"},
            {"RigenProfilo", "&Ridisegna profilo"}}},
          {"diagPaleggi",
           "Diagramma dei paleggi...",
           {{"tabellaVolumiPal", "&Tabella dei Volumi"}, {kRapportoTrasporti, "&Movimenti di terra e trasporti..."}}},
          kSeparatore,
          {"RicavaDaDXF", "&Ricava progetto da DXF"}}},
        {"retteStrada",
         "&Strada",
         {{"autocompStr", "Au&tocomposizione..."},
          {"AsseStrada",
           "&Asse stradale",
           {{"tracciaAsse", "&Traccia asse"},
            {"asseCoord", "&Coordinate asse stradale"},
            {"assePoligo", "Importa da &poligonale"},
            {"asseTriangolazione", "Importa da &triangolazione"},
            kSeparatore,
            {"InvertiSM", "Inverti senso di percorrenza"}}},
          kSeparatore,
          {"ricavaProfilo", "&Risolvi tracciato stradale..."}}},
        {"modifica",
         "&Modifica",
         {{"annulla", "&Annulla"},
          {"ripeti", "&Ripeti"},
          kSeparatore,
          {"viste",
           "Viste...",
           {{"ZoomX2", "&Zoom x 2"},
            {"ZoomMeta", "&Zoom x 1/2"},
            {"FattoreScala", "&Fattore di scala..."},
            {"zoomFinestra", "Zoom &Finestra..."},
            {"vistaPrecedente", "&Precedente"},
            {"zoomEstenzione", "&Estensione"},
            {"pan", "&Pan..."}}},
          {"vista3D", "Vista 3D"}}},
        {"topos",
         "&Topografia",
         {{"poligos", "Poligonali", {{"poliAperta", "... aperta"}, {"poliChiusa", "... chiusa"}}},
          kSeparatore,
          {"intersezio",
           "&Intersezioni",
           {{"intAvanti", "... in avanti"}, {"intPotheno", "... di Pothèno"}, {"intHansen", "... di Hansen"}}},
          kSeparatore,
          {"triangola", "Triangolazioni"}}},
        {"help",
         "&?",
         {{"guida", "&Guida..."},
          kSeparatore,
          {"SysInfo", "S&ystem Info..."},
          kSeparatore,
          {"informazioni", "&Informazioni su..."}}},
    };
    return menu;
}

struct Pulsante {
    const char* chiave;
    const char* suggerimento;
};
const Pulsante kPulsanti[] = {
    {"icoNew", "Nuovo progetto"},    {"icoOpen", "Apri progetto"},   {"icoSave", "Salva progetto"},
    {"icoZoom", "Zoom finestra"},    {"icoZX2", "Zoom X 2"},         {"icoZ05", "Zoom 1/2"},
    {"icoPan", "Spostamento vista"}, {"icoView", "Zoom estensione"}, {"icoUndo", "Vista precedente"},
    {"icoDraw", "Ridisegna"},        {"icoPC", "Impostazioni"},      {"icoHelp", "Guida"},
    {"icoInfo", "Informazioni"},
};

struct Nodo {
    const char* testo;
    const char* icona;
    const char* tag;
    std::vector<Nodo> figli = {};
};

const std::vector<Nodo>& alberoPagine() {
    static const std::vector<Nodo> nodi = {
        {"Strada",
         "IcoPrj",
         "",
         {{"Planimetria",
           "IcoPlanim",
           "",
           {{"Grafica Planimetria", "IcoDraw", "OP1001"}, {"Caratteristiche del piano", "IcoTable", "OP1002"}}},
          {"Profilo longitudinale",
           "IcoProfilo",
           "",
           {{"Grafica Profilo", "IcoDraw", "OP2001"},
            {"Caratteristiche del profilo", "IcoTable", "OP2002"},
            {"Tipi di calcolo", "IcoMecc", "OP2003"}}},
          {"Sezioni", "IcoSezione", "", {{"Impostazione sezioni", "IcoTable", "OP3001"}}},
          {"Diagramma dei volumi",
           "IcoVolumi",
           "",
           {{"Grafica Diagramma", "IcoDraw", "OP4001"}, {"Tabella dei volumi", "IcoTable", "OP4002"}}}}},
        {"Poligonali",
         "IcoPrj",
         "",
         {{"Aperta", "IcoPoliA", "OP5001"},
          {"Chiusa", "IcoPoliC", "OP5002"},
          {"Triangolazione", "IcoTriangola", "OP5003"}}},
        {"Intersezioni",
         "IcoPrj",
         "",
         {{"In avanti", "IcoIntersA", "OP6001"},
          {"Pothèno", "IcoPotheno", "OP6002"},
          {"Hansen", "IcoHansen", "OP6003"}}},
    };
    return nodi;
}

void aggiungiNodo(QTreeWidgetItem* padre, QTreeWidget* albero, const Nodo& n) {
    auto* item = padre ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(albero);
    item->setText(0, QString::fromUtf8(n.testo));
    item->setIcon(0, iconaProgramma(n.icona));
    item->setData(0, Qt::UserRole, QString::fromUtf8(n.tag));
    for (const Nodo& f : n.figli) aggiungiNodo(item, albero, f);
}

}  // namespace

FinestraPrincipale::FinestraPrincipale(SettingsStore* archivio, QWidget* parent, SettingsStore* memoria)
    : QMainWindow(parent) {
    setObjectName("MDIForm1");
    setWindowTitle("Carvela");
    setWindowIcon(iconaProgramma("IcoPlanim"));

    // Settings first: the timer and the pages read them.
    if (archivio == nullptr) {
        archivioProprio_ = std::make_unique<QtSettingsStore>("Carvela", "Impostazioni");
        archivio = archivioProprio_.get();
    }
    ws_.archivioImpostazioni = archivio;
    ws_.impostazioni = caricaImpostazioni(*archivio);
    if (memoria == nullptr) {
        memoriaPropria_ = std::make_unique<QtSettingsStore>("Carvela", "Finestra");
        memoria = memoriaPropria_.get();
    }
    memoria_ = memoria;
    ws_.storia = &storia_;

    // The side panel (tree and coordinates) beside the canvas.
    auto* divisore = new QSplitter(Qt::Horizontal, this);
    divisore->setObjectName("divisore");
    auto* pannello = new QWidget(divisore);
    pannello->setObjectName("PicturePannello");
    auto* schede = new QTabWidget(pannello);
    schede->setObjectName("TabStrip1");
    albero_ = new QTreeWidget;
    albero_->setObjectName("TreeViewTool");
    albero_->setHeaderHidden(true);
    albero_->setIconSize(QSize(18, 18));
    schede->addTab(albero_, "Progetto");
    coordinate_ = new QLabel(pannello);
    coordinate_->setObjectName("LabelCoord");
    coordinate_->setFrameShape(QFrame::StyledPanel);
    coordinate_->setMinimumHeight(22);
    coordinate_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* pannelloLayout = new QVBoxLayout(pannello);
    pannelloLayout->setContentsMargins(2, 2, 2, 2);
    pannelloLayout->addWidget(schede, 1);
    pannelloLayout->addWidget(coordinate_);

    canvas_ = new CanvasWidget(ws_, divisore);
    canvas_->setObjectName("Tavolozza");
    canvas_->setMinimumSize(200, 150);
    divisore->addWidget(pannello);
    divisore->addWidget(canvas_);
    divisore->setStretchFactor(0, 0);
    divisore->setStretchFactor(1, 1);
    divisore->setSizes({240, 900});
    setCentralWidget(divisore);

    host_ = std::make_unique<QtHost>(this, ws_, *canvas_);
    comandi_ = std::make_unique<Comandi>(ws_, *canvas_, *host_);
    canvas_->setHost(host_.get());
    connect(canvas_, &CanvasWidget::coordinateMouse, coordinate_, &QLabel::setText);
    canvas_->testoPuntatore = [this](double x, double y) { return testoPuntatoreDocumento(ws_, x, y); };
    // Tracing ended with the right button: the trace is one step of the history.
    connect(canvas_, &CanvasWidget::tracciamentoTerminato, this, [this] { storia_.concludi(ws_); });

    creaMenu();
    creaBarraStrumenti();

    // The automatic save: a tick every ten seconds; the interval in minutes of the settings
    // is counted in ticks.
    ws_.periodoTimerMs = 10000;
    timerAutoSave_ = new QTimer(this);
    timerAutoSave_->setObjectName("Timer1");
    timerAutoSave_->setInterval(ws_.periodoTimerMs);
    connect(timerAutoSave_, &QTimer::timeout, this, &FinestraPrincipale::tickTimer);
    timerAutoSave_->start();

    // The asterisk of unsaved changes follows the project, whichever window changed it.
    auto* timerModifica = new QTimer(this);
    timerModifica->setObjectName("TimerModifica");
    timerModifica->setInterval(250);
    connect(timerModifica, &QTimer::timeout, this, &FinestraPrincipale::aggiornaModificato);
    timerModifica->start();
    statusBar()->setObjectName("BarraStato");

    creaAlbero();

    // Esc disarms what is armed on the canvas; Backspace takes back the last vertex traced.
    auto* esc = new QAction(this);
    esc->setObjectName("annullaModo");
    esc->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(esc, &QAction::triggered, this, [this] {
        if (annullaModo(ws_, *canvas_, *host_)) canvas_->update();
    });
    auto* indietro = new QAction(this);
    indietro->setObjectName("togliVertice");
    indietro->setShortcut(QKeySequence(Qt::Key_Backspace));
    connect(indietro, &QAction::triggered, this, [this] { togliUltimoVertice(ws_, *canvas_, *host_); });
    // Only where the main window has the focus: a page or the wizard keeps its own Esc.
    for (QAction* a : {esc, indietro}) a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    divisore->addActions({esc, indietro});

    resize(1180, 760);
    if (auto g = memoria_->leggi(kChiaveGeometria))
        restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*g)));
}

FinestraPrincipale::~FinestraPrincipale() {
    // The pages refer to the host and the canvas, and the canvas to the workspace: all of
    // them go before the members they refer to.
    for (QDialog* d : findChildren<QDialog*>(QString(), Qt::FindDirectChildrenOnly)) delete d;
    delete canvas_;
    canvas_ = nullptr;
}

void FinestraPrincipale::creaMenu() {
    std::function<void(QMenu*, const std::vector<Voce>&)> riempi = [&](QMenu* menu, const std::vector<Voce>& voci) {
        for (const Voce& v : voci) {
            if (v.nome == nullptr) {
                menu->addSeparator();
            } else if (std::string_view(v.nome) == kRecenti) {
                QMenu* sotto = menu->addMenu(QString::fromUtf8(v.testo));
                sotto->setObjectName(v.nome);
                connect(sotto, &QMenu::aboutToShow, this, [this, sotto] { riempiRecenti(sotto); });
                riempiRecenti(sotto);
            } else if (!v.figli.empty()) {
                QMenu* sotto = menu->addMenu(QString::fromUtf8(v.testo));
                sotto->setObjectName(v.nome);
                sotto->menuAction()->setObjectName(v.nome);
                riempi(sotto, v.figli);
            } else {
                QAction* a = menu->addAction(QString::fromUtf8(v.testo));
                a->setObjectName(v.nome);
                const std::string nome = v.nome;
                if (nome == kStampaDisegno)
                    connect(a, &QAction::triggered, this, [this] { apriFinestraPlot(this, ws_, *canvas_, *host_); });
                else if (nome == kStampaTavole)
                    connect(a, &QAction::triggered, this, [this] {
                        FinestraTavole tavole(ws_, *host_, this);
                        tavole.exec();
                    });
                else if (nome == kRapportoTrasporti)
                    connect(a, &QAction::triggered, this,
                            [this] { apriRapportoTrasporti(this, ws_, *canvas_, *host_); });
                else
                    connect(a, &QAction::triggered, this,
                            [this, nome] { eseguiComando([this, nome] { comandi_->esegui(nome); }); });
                a->setShortcut(scorciatoia(nome));
            }
        }
    };
    for (const Voce& v : barraMenu()) {
        QMenu* m = menuBar()->addMenu(QString::fromUtf8(v.testo));
        m->setObjectName(v.nome);
        m->menuAction()->setObjectName(v.nome);
        riempi(m, v.figli);
        if (std::string_view(v.nome) == "modifica") {
            // "Vista 3D" is for the plan only; checked each time the menu opens.
            connect(m, &QMenu::aboutToShow, this, [this, m] {
                if (QAction* vista3d = m->findChild<QAction*>("vista3D"))
                    vista3d->setEnabled(ws_.TipoDocumento == kDocPianta);
            });
        }
    }
}

void FinestraPrincipale::creaBarraStrumenti() {
    barra_ = addToolBar("Barra degli strumenti");
    barra_->setObjectName("Toolbar3D");
    barra_->setMovable(false);
    barra_->setIconSize(QSize(24, 24));
    for (const Pulsante& p : kPulsanti) {
        QAction* a = barra_->addAction(iconaProgramma(p.chiave), QString::fromUtf8(p.suggerimento));
        a->setObjectName(p.chiave);
        a->setToolTip(QString::fromUtf8(p.suggerimento));
        const std::string chiave = p.chiave;
        connect(a, &QAction::triggered, this,
                [this, chiave] { eseguiComando([this, chiave] { comandi_->eseguiPulsante(chiave); }); });
        // Groups as on the original bar: files, view, redraw, settings, help.
        if (chiave == "icoSave" || chiave == "icoUndo" || chiave == "icoDraw" || chiave == "icoPC")
            barra_->addSeparator();
    }
}

void FinestraPrincipale::creaAlbero() {
    for (const Nodo& n : alberoPagine()) aggiungiNodo(nullptr, albero_, n);
    for (int i = 0; i < albero_->topLevelItemCount(); ++i) albero_->topLevelItem(i)->setExpanded(true);
    connect(albero_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
        const std::string tag = item->data(0, Qt::UserRole).toString().toStdString();
        if (!tag.empty()) comandi_->eseguiNodo(tag);
    });
}

void FinestraPrincipale::inizializzaVistaIniziale() {
    inizializzaVista(ws_.vista, *canvas_);
    ws_.SezioneCorrente = 1;
    if (ws_.Sezioni.upperBound() < 1) ws_.Sezioni.redim(1);
    vistaIniziata_ = true;
}

void FinestraPrincipale::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!vistaIniziata_) inizializzaVistaIniziale();
}

bool FinestraPrincipale::apriFile(const QString& path) {
    if (!vistaIniziata_) inizializzaVistaIniziale();
    PassoStoria passo(ws_, static_cast<uint32_t>(partiComando("apriFileProg")));
    const bool aperto = apriFileProgetto(ws_, *canvas_, *host_, path.toStdString());
    if (aperto) ricordaFile(path);
    return aperto;
}

void FinestraPrincipale::eseguiComando(const std::function<void()>& comando) {
    const auto prima = nomiFile(ws_);
    comando();
    const auto dopo = nomiFile(ws_);
    for (std::size_t i = 0; i < dopo.size(); ++i)
        if (dopo[i] != prima[i] && !dopo[i].empty()) ricordaFile(QString::fromStdString(dopo[i]));
}

QStringList FinestraPrincipale::fileRecenti() const {
    const auto testo = memoria_->leggi(kChiaveRecenti);
    if (!testo) return {};
    return QString::fromStdString(*testo).split('\n', Qt::SkipEmptyParts);
}

void FinestraPrincipale::ricordaFile(const QString& path) {
    QStringList elenco = fileRecenti();
    elenco.removeAll(path);
    elenco.prepend(path);
    while (elenco.size() > kMassimoRecenti) elenco.removeLast();
    memoria_->scrivi(kChiaveRecenti, elenco.join('\n').toStdString());
    if (auto* qs = dynamic_cast<QtSettingsStore*>(memoria_)) qs->sincronizza();
}

void FinestraPrincipale::riempiRecenti(QMenu* menu) {
    menu->clear();
    const QStringList elenco = fileRecenti();
    menu->setEnabled(!elenco.isEmpty());
    for (int i = 0; i < elenco.size(); ++i) {
        const QString path = elenco[i];
        QAction* a = menu->addAction(QString("&%1 %2").arg(i + 1).arg(path));
        a->setObjectName(QString("recente%1").arg(i + 1));
        connect(a, &QAction::triggered, this, [this, path] {
            if (apriFile(path)) return;
            // A file that can no longer be read leaves the list.
            QStringList resto = fileRecenti();
            resto.removeAll(path);
            memoria_->scrivi(kChiaveRecenti, resto.join('\n').toStdString());
        });
    }
}

void FinestraPrincipale::salvaStatoFinestra() {
    memoria_->scrivi(kChiaveGeometria, saveGeometry().toBase64().toStdString());
    if (auto* qs = dynamic_cast<QtSettingsStore*>(memoria_)) qs->sincronizza();
}

void FinestraPrincipale::tickTimer() {
    // Not in the middle of long work: the records may be half computed.
    if (host_->attesaVisibile()) return;
    const std::string scritto = tickAutoSave(ws_, *host_);
    if (!scritto.empty())
        statusBar()->showMessage(QString::fromStdString("Salvataggio automatico: " + scritto + " (" +
                                                        QTime::currentTime().toString("HH:mm").toStdString() + ")"));
    aggiornaModificato();
    if (timerAutoSave_->interval() != ws_.periodoTimerMs) timerAutoSave_->setInterval(ws_.periodoTimerMs);
}

void FinestraPrincipale::aggiornaModificato() { host_->mostraModificato(progettoModificato(ws_)); }

void FinestraPrincipale::closeEvent(QCloseEvent* event) {
    if (!confermaChiusura(ws_, *host_)) {
        event->ignore();
        return;
    }
    salvaTutteImpostazioni(ws_);
    if (auto* qs = dynamic_cast<QtSettingsStore*>(ws_.archivioImpostazioni)) qs->sincronizza();
    salvaStatoFinestra();
    event->accept();
    // The process ends at once, whatever other windows are open.
    QCoreApplication::quit();
}

}  // namespace carvela
