#include "shell/ui/settings_window.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "state/canvas.h"
#include "state/workspace.h"

namespace carvela {
namespace {

std::string testo(const QLineEdit* e) { return e->text().toStdString(); }
QString q(const std::string& s) { return QString::fromStdString(s); }

// A cross-section of the road: platform, cut slope on the left, fill slope on the right.
QPixmap disegnoSezione(int w, int h) {
    QPixmap pm(w, h);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double y0 = h * 0.55;
    p.setPen(QPen(QColor(150, 110, 70), 2));
    p.drawPolyline(QPolygonF(
        {{0, h * 0.25}, {w * 0.25, h * 0.35}, {w * 0.5, h * 0.6}, {w * 0.75, h * 0.8}, {double(w), h * 0.85}}));
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(200, 200, 205));
    p.drawPolygon(QPolygonF({{w * 0.18, h * 0.32}, {w * 0.3, y0}, {w * 0.7, y0}, {w * 0.82, h * 0.82}}));
    p.setPen(QPen(Qt::red, 1, Qt::DashDotLine));
    p.drawLine(QPointF(w * 0.5, h * 0.1), QPointF(w * 0.5, h * 0.95));
    p.setPen(Qt::black);
    p.drawText(QRectF(0, h * 0.02, w * 0.45, 16), Qt::AlignLeft, "sterro");
    p.drawText(QRectF(w * 0.55, h * 0.02, w * 0.45, 16), Qt::AlignRight, "riporto");
    return pm;
}

QLabel* figura(int w, int h, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setPixmap(disegnoSezione(w, h));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

}  // namespace

CampoConFrecce::CampoConFrecce(Regola regola, QWidget* parent) : QAbstractSpinBox(parent), regola_(regola) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setKeyboardTracking(true);
}

QString CampoConFrecce::testo() const { return lineEdit()->text(); }
void CampoConFrecce::impostaTesto(const QString& t) { lineEdit()->setText(t); }

void CampoConFrecce::stepBy(int passi) {
    std::string t = testo().toStdString();
    for (int i = 0; i < std::abs(passi); ++i) t = regola_(t, passi > 0);
    impostaTesto(QString::fromStdString(t));
}

QLineEdit* FinestraImpostazioni::campo(const char* nome) {
    auto* e = new QLineEdit(this);
    e->setObjectName(nome);
    e->setMaximumWidth(110);
    return e;
}

FinestraImpostazioni::FinestraImpostazioni(ContestoPagina& contesto, QWidget* parent)
    : QDialog(parent), contesto_(contesto) {
    setObjectName("FormImpostazioni");
    setWindowTitle("Impostazioni");
    schede_ = new QTabWidget(this);
    schede_->setObjectName("SSTab1");

    // ---- Generale
    auto* generale = new QWidget;
    auto* gLayout = new QVBoxLayout(generale);
    auto* unita = new QGroupBox("Unità di misura angolare:");
    centesimali_ = new QRadioButton("Angoli centesimali");
    sessagesimali_ = new QRadioButton("Angoli sessagesimali");
    radianti_ = new QRadioButton("Radianti");
    auto* uLayout = new QVBoxLayout(unita);
    for (auto* r : {centesimali_, sessagesimali_, radianti_}) uLayout->addWidget(r);
    auto* assi = new QGroupBox("Assi e fattore di scala:");
    auto* aLayout = new QFormLayout(assi);
    aLayout->addRow("Fattore di scala del disegno:", scala_ = campo("scalaDisegno"));
    aLayout->addRow("Ascissa dell'origine:", ascissa_ = campo("ascissaOrigine"));
    aLayout->addRow("Ordinata dell'origine:", ordinata_ = campo("ordinataOrigine"));
    auto* salvataggio = new QGroupBox("Salvataggio:");
    auto* sLayout = new QFormLayout(salvataggio);
    backup_ = new QCheckBox("Utilizza file di backup.");
    autoSave_ = new QCheckBox("Salvataggio  automatico.");
    intervallo_ = new CampoConFrecce(frecciaIntervallo);
    intervallo_->setObjectName("intervalloAutoSave");
    intervallo_->setMaximumWidth(80);
    etichettaIntervallo_ = new QLabel("Intervallo in minuti:");
    sLayout->addRow(backup_);
    sLayout->addRow(autoSave_);
    sLayout->addRow(etichettaIntervallo_, intervallo_);
    connect(autoSave_, &QCheckBox::toggled, this, [this](bool attivo) {
        intervallo_->setEnabled(attivo);
        etichettaIntervallo_->setEnabled(attivo);
    });
    gLayout->addWidget(unita);
    gLayout->addWidget(assi);
    gLayout->addWidget(salvataggio);
    gLayout->addStretch();
    schede_->addTab(generale, "Generale");

    // ---- Diagrammi
    auto* diagrammi = new QWidget;
    auto* dLayout = new QVBoxLayout(diagrammi);
    auto* volumi = new QGroupBox("Scala dei volumi:");
    auto* vLayout = new QFormLayout(volumi);
    vLayout->addRow("1 mc =", scalaVolumi_ = campo("scalaVolumi"));
    dLayout->addWidget(volumi);
    dLayout->addStretch();
    schede_->addTab(diagrammi, "Diagrammi");

    // ---- Strada
    auto* strada = new QWidget;
    auto* stLayout = new QGridLayout(strada);
    auto* dxf = new QGroupBox("DXF sezioni:");
    auto* xLayout = new QFormLayout(dxf);
    sezioniPerColonna_ = new CampoConFrecce(frecciaSezioniPerColonna);
    sezioniPerColonna_->setObjectName("sezioniPerColonna");
    sezioniPerColonna_->setMaximumWidth(80);
    xLayout->addRow("Numero di sezioni per colonna:", sezioniPerColonna_);
    xLayout->addRow("Interasse tra le sezioni :", interasse_ = campo("interasseSezioni"));
    xLayout->addRow("Intervallo di incolonnamento:", intervalloColonne_ = campo("intervalloColonne"));
    auto* inserimento = new QGroupBox("Impostazioni di inserimento:");
    auto* iLayout = new QFormLayout(inserimento);
    iLayout->addRow("Numero predefinito dei punti del terreno della sezione:",
                    puntiTerreno_ = campo("puntiTerrenoSezione"));
    iLayout->addRow("Numero predefinito delle  sezioni del terreno:", sezioniProfilo_ = campo("sezioniProfilo"));
    iLayout->addRow("Numero predefinito delle curve del tracciato stradale:", curveProfilo_ = campo("curveProfilo"));
    iLayout->addRow("Raggio  minimo  della curva:", raggio_ = campo("raggioMinimo"));
    iLayout->addRow("Numero predefinito di picchetti delle curve:", picchetti_ = campo("picchettiCurva"));
    auto* calcolo = new QGroupBox("Opzioni di calcolo:");
    auto* cLayout = new QHBoxLayout(calcolo);
    auto* cForm = new QFormLayout;
    cForm->addRow("Larghezza della strada:", larghezza_ = campo("larghezzaStrada"));
    cForm->addRow("Inclinazione della scarpata di sterro:", sterro_ = campo("scarpataSterro"));
    cForm->addRow("Inclinazione della scarpata di riporto:", riporto_ = campo("scarpataRiporto"));
    cForm->addRow("Distanza di ricerca:", distanzaRicerca_ = campo("distanzaRicerca"));
    muro_ = new QCheckBox("Muro di sostegno nella sezione");
    cForm->addRow(muro_);
    cLayout->addLayout(cForm);
    cLayout->addWidget(figura(150, 90, calcolo));
    stLayout->addWidget(dxf, 0, 0);
    stLayout->addWidget(inserimento, 0, 1);
    stLayout->addWidget(calcolo, 1, 0, 1, 2);
    stLayout->setRowStretch(2, 1);
    schede_->addTab(strada, "Strada");

    // ---- Disegno
    auto* disegno = new QWidget;
    auto* diLayout = new QVBoxLayout(disegno);
    auto* planimetria = new QGroupBox("Planimetria:");
    auto* pLayout = new QFormLayout(planimetria);
    mantieniQuote_ = new QCheckBox("Mantieni il testo di quota sul disegno.");
    pLayout->addRow(mantieniQuote_);
    pLayout->addRow("Intervallo vertici polilinee:", intervalloVertici_ = campo("intervalloVertici"));
    pLayout->addRow("Numero predefinito i punti del terreno:", puntiPiano_ = campo("puntiPiano"));
    auto* disegnoGruppo = new QGroupBox("Disegno:");
    auto* dgLayout = new QFormLayout(disegnoGruppo);
    dgLayout->addRow("Dimensione del carattere di quotatura:", dimensioneQuote_ = campo("dimensioneQuote"));
    diLayout->addWidget(planimetria);
    diLayout->addWidget(disegnoGruppo);
    diLayout->addStretch();
    schede_->addTab(disegno, "Disegno");

    // ---- Stampa
    auto* stampa = new QWidget;
    auto* spLayout = new QVBoxLayout(stampa);
    auto* stampante = new QPushButton("Imposta  Stampante...");
    stampante->setObjectName("impostaStampante");
    connect(stampante, &QPushButton::clicked, this, [this] { contesto_.host.impostaStampante(); });
    auto* impostazioni = new QGroupBox("Impostazioni:");
    auto* isLayout = new QFormLayout(impostazioni);
    isLayout->addRow("Fattore di scala della stampa:", scalaStampa_ = campo("scalaStampa"));
    isLayout->addRow("Margine laterale dell'area di stampa:", margineLaterale_ = campo("margineLaterale"));
    isLayout->addRow("Margine superiore dell'area di stampa:", margineSuperiore_ = campo("margineSuperiore"));
    spLayout->addWidget(stampante, 0, Qt::AlignLeft);
    spLayout->addWidget(impostazioni);
    spLayout->addStretch();
    schede_->addTab(stampa, "Stampa");

    // ---- Sezione trasverasale
    auto* sezione = new QWidget;
    auto* seLayout = new QVBoxLayout(sezione);
    seLayout->addWidget(figura(360, 150, sezione));
    auto* sezioneGruppo = new QGroupBox("Sezione:");
    auto* sgLayout = new QFormLayout(sezioneGruppo);
    larghezzaIndividuale_ = new QCheckBox("Utilizza larghezza individuale");
    sgLayout->addRow(larghezzaIndividuale_);
    sgLayout->addRow("Distanza parziale minima tra le sezioni:", distanzaMinima_ = campo("distanzaMinimaSezioni"));
    seLayout->addWidget(sezioneGruppo);
    seLayout->addStretch();
    schede_->addTab(sezione, "Sezione trasverasale");

    // ---- Movimenti di terra
    auto* terra = new QWidget;
    auto* tLayout = new QVBoxLayout(terra);
    auto* stazioni = new QGroupBox("Sezioni regolari:");
    auto* rLayout = new QFormLayout(stazioni);
    rLayout->addRow("Una sezione ogni (m, 0 = nessuna):", intervalloRegolare_ = campo("intervalloRegolare"));
    tLayout->addWidget(stazioni);
    auto* fattori = new QGroupBox("Fattori:");
    auto* fLayout = new QFormLayout(fattori);
    fLayout->addRow(new QLabel("volume sciolto = sterro x rigonfiamento; volume in banco = riporto / costipamento"));
    fLayout->addRow("Fattore di rigonfiamento:", rigonfiamento_ = campo("rigonfiamento"));
    fLayout->addRow("Fattore di costipamento:", costipamento_ = campo("costipamento"));
    tLayout->addWidget(fattori);
    auto* trasporto = new QGroupBox("Trasporti:");
    auto* trLayout = new QFormLayout(trasporto);
    trLayout->addRow("Distanza di trasporto franco (m):", trasportoFranco_ = campo("trasportoFranco"));
    trLayout->addRow("Limite di trasporto economico (m, 0 = dai costi):",
                     trasportoEconomico_ = campo("trasportoEconomico"));
    trLayout->addRow("Costo prestito / costo trasporto oltre franco (m):", rapportoCosti_ = campo("rapportoCosti"));
    tLayout->addWidget(trasporto);
    tLayout->addStretch();
    schede_->addTab(terra, "Movimenti di terra");

    // ---- buttons
    auto* chiudi = new QPushButton("C&hiudi");
    chiudi->setObjectName("chiudi");
    auto* applicaBtn = new QPushButton("&Appllica");
    applicaBtn->setObjectName("applica");
    applicaBtn->setAutoDefault(false);
    chiudi->setAutoDefault(false);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(applicaBtn, &QPushButton::clicked, this, [this] { applica(); });
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(chiudi);
    pulsanti->addWidget(applicaBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(schede_);
    layout->addLayout(pulsanti);
}

void FinestraImpostazioni::carica() {
    const CampiImpostazioni c =
        campiDaImpostazioni(contesto_.ws.impostazioni, contesto_.ws.vista, contesto_.canvas.altezza());
    centesimali_->setChecked(c.angoli == UnitaAngolare::Centesimali);
    sessagesimali_->setChecked(c.angoli == UnitaAngolare::Sessagesimali);
    radianti_->setChecked(c.angoli == UnitaAngolare::Radianti);
    if (c.angoli == UnitaAngolare::Nessuna) {
        // None of the three: no option is shown as chosen.
        for (auto* r : {centesimali_, sessagesimali_, radianti_}) {
            r->setAutoExclusive(false);
            r->setChecked(false);
            r->setAutoExclusive(true);
        }
    }
    scala_->setText(q(c.scalaDisegno));
    ascissa_->setText(q(c.ascissaOrigine));
    ordinata_->setText(q(c.ordinataOrigine));
    backup_->setChecked(c.fileBackup);
    autoSave_->setChecked(c.autoSave);
    intervallo_->impostaTesto(q(c.intervalloAutoSave));
    intervallo_->setEnabled(c.autoSave);
    etichettaIntervallo_->setEnabled(c.autoSave);
    scalaVolumi_->setText(q(c.scalaVolumi));
    sezioniPerColonna_->impostaTesto(q(c.sezioniPerColonna));
    interasse_->setText(q(c.interasseSezioni));
    intervalloColonne_->setText(q(c.intervalloColonne));
    puntiTerreno_->setText(q(c.puntiTerrenoSezione));
    sezioniProfilo_->setText(q(c.sezioniProfilo));
    curveProfilo_->setText(q(c.curveProfilo));
    raggio_->setText(q(c.raggioMinimo));
    picchetti_->setText(q(c.picchettiCurva));
    larghezza_->setText(q(c.larghezzaStrada));
    sterro_->setText(q(c.scarpataSterro));
    riporto_->setText(q(c.scarpataRiporto));
    distanzaRicerca_->setText(q(c.distanzaRicerca));
    muro_->setChecked(c.muro);
    mantieniQuote_->setChecked(c.mantieniQuote);
    intervalloVertici_->setText(q(c.intervalloVertici));
    puntiPiano_->setText(q(c.puntiPiano));
    dimensioneQuote_->setText(q(c.dimensioneQuote));
    scalaStampa_->setText(q(c.scalaStampa));
    margineLaterale_->setText(q(c.margineLaterale));
    margineSuperiore_->setText(q(c.margineSuperiore));
    larghezzaIndividuale_->setChecked(c.larghezzaIndividuale);
    distanzaMinima_->setText(q(c.distanzaMinimaSezioni));
    intervalloRegolare_->setText(q(c.intervalloRegolare));
    rigonfiamento_->setText(q(c.rigonfiamento));
    costipamento_->setText(q(c.costipamento));
    trasportoFranco_->setText(q(c.trasportoFranco));
    trasportoEconomico_->setText(q(c.trasportoEconomico));
    rapportoCosti_->setText(q(c.rapportoCosti));
}

CampiImpostazioni FinestraImpostazioni::campi() const {
    CampiImpostazioni c;
    c.angoli = centesimali_->isChecked()     ? UnitaAngolare::Centesimali
               : sessagesimali_->isChecked() ? UnitaAngolare::Sessagesimali
               : radianti_->isChecked()      ? UnitaAngolare::Radianti
                                             : UnitaAngolare::Nessuna;
    c.scalaDisegno = testo(scala_);
    c.ascissaOrigine = testo(ascissa_);
    c.ordinataOrigine = testo(ordinata_);
    c.fileBackup = backup_->isChecked();
    c.autoSave = autoSave_->isChecked();
    c.intervalloAutoSave = intervallo_->testo().toStdString();
    c.scalaVolumi = testo(scalaVolumi_);
    c.sezioniPerColonna = sezioniPerColonna_->testo().toStdString();
    c.interasseSezioni = testo(interasse_);
    c.intervalloColonne = testo(intervalloColonne_);
    c.puntiTerrenoSezione = testo(puntiTerreno_);
    c.sezioniProfilo = testo(sezioniProfilo_);
    c.curveProfilo = testo(curveProfilo_);
    c.raggioMinimo = testo(raggio_);
    c.picchettiCurva = testo(picchetti_);
    c.larghezzaStrada = testo(larghezza_);
    c.scarpataSterro = testo(sterro_);
    c.scarpataRiporto = testo(riporto_);
    c.distanzaRicerca = testo(distanzaRicerca_);
    c.muro = muro_->isChecked();
    c.mantieniQuote = mantieniQuote_->isChecked();
    c.intervalloVertici = testo(intervalloVertici_);
    c.puntiPiano = testo(puntiPiano_);
    c.dimensioneQuote = testo(dimensioneQuote_);
    c.scalaStampa = testo(scalaStampa_);
    c.margineLaterale = testo(margineLaterale_);
    c.margineSuperiore = testo(margineSuperiore_);
    c.larghezzaIndividuale = larghezzaIndividuale_->isChecked();
    c.distanzaMinimaSezioni = testo(distanzaMinima_);
    c.intervalloRegolare = testo(intervalloRegolare_);
    c.rigonfiamento = testo(rigonfiamento_);
    c.costipamento = testo(costipamento_);
    c.trasportoFranco = testo(trasportoFranco_);
    c.trasportoEconomico = testo(trasportoEconomico_);
    c.rapportoCosti = testo(rapportoCosti_);
    return c;
}

bool FinestraImpostazioni::applica() {
    return applicaImpostazioni(campi(), contesto_.ws, contesto_.canvas, contesto_.host);
}

void FinestraImpostazioni::showEvent(QShowEvent* event) {
    carica();
    QDialog::showEvent(event);
}

CARVELA_REGISTRA_PAGINA(Pagina::Impostazioni, FinestraImpostazioni)

}  // namespace carvela
