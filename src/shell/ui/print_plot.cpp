#include "shell/ui/print_plot.h"

#include <QCheckBox>
#include <QDate>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "graphics/redraw.h"
#include "graphics/ui/canvas_widget.h"
#include "project/vbtext.h"
#include "shell/ui/print_canvas.h"
#include "shell/ui/print_setup.h"
#include "state/host.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela {
namespace {

constexpr double kBandaPiedeMm = 14;  // room for the title block under the drawing
constexpr double kSpessoreLineaMm = 0.2;

const char* const kNessunDisegno = "Nessun disegno da stampare.";

bool finito(double v) { return std::isfinite(v); }

QString nomeDocumento(const Workspace& ws) {
    switch (ws.TipoDocumento) {
    case kDocProfilo: return QStringLiteral("Profilo longitudinale");
    case kDocSezione: return QStringLiteral("Sezione n° %1").arg(ws.SezioneCorrente);
    case kDocDiagramma: return QStringLiteral("Diagramma dei volumi paleggiabili");
    case kDocPianta: return QStringLiteral("Planimetria");
    case kDocPoligonaleAperta: return QStringLiteral("Poligonale aperta");
    case kDocPoligonaleChiusa: return QStringLiteral("Poligonale chiusa");
    case kDocTriangolazione: return QStringLiteral("Triangolazione");
    case kDocDxf: return QStringLiteral("Disegno DXF");
    default: return QStringLiteral("Disegno");
    }
}

QString testoFattore(double f) {
    if (!finito(f) || f <= 0) return QStringLiteral("?");
    if (f >= 10) return QString::number(std::llround(f));
    return QString::fromStdString(formatta(f, "###0.00"));
}

// Plots follow the shape of the window: landscape for a wide one.
void orientaPagina(QPrinter& stampante, const AreaPlot& area) {
    stampante.setPageOrientation(area.maxX - area.minX > area.maxY - area.minY ? QPageLayout::Landscape
                                                                               : QPageLayout::Portrait);
}

void disegnaCartiglio(QPainter& p, const QRectF& pagina, double dpi, const Workspace& ws, double fattoreScala) {
    const double mm = dpi / 25.4;
    const QRectF riquadro(pagina.right() - 110 * mm, pagina.bottom() - (kBandaPiedeMm - 2) * mm, 110 * mm,
                          (kBandaPiedeMm - 2) * mm);
    p.setPen(QPen(Qt::black, 0.3 * mm));
    p.setBrush(Qt::NoBrush);
    p.drawRect(riquadro);
    const double colonna1 = riquadro.left() + 62 * mm, colonna2 = riquadro.left() + 86 * mm;
    p.setPen(QPen(Qt::black, 0.15 * mm));
    p.drawLine(QPointF(colonna1, riquadro.top()), QPointF(colonna1, riquadro.bottom()));
    p.drawLine(QPointF(colonna2, riquadro.top()), QPointF(colonna2, riquadro.bottom()));
    auto cella = [&](double da, double a, const QString& etichetta, const QString& valore) {
        QFont piccolo(QStringLiteral("Sans Serif"));
        piccolo.setPointSizeF(6);
        QFont grande(QStringLiteral("Sans Serif"));
        grande.setPointSizeF(9);
        grande.setBold(true);
        const QRectF r(da + 1.5 * mm, riquadro.top() + 0.8 * mm, a - da - 3 * mm, riquadro.height() - 1.6 * mm);
        p.setFont(piccolo);
        p.drawText(r, Qt::AlignLeft | Qt::AlignTop, etichetta);
        p.setFont(grande);
        p.drawText(r, Qt::AlignLeft | Qt::AlignBottom, valore);
    };
    cella(riquadro.left(), colonna1, QStringLiteral("Carvela"), nomeDocumento(ws));
    cella(colonna1, colonna2, QStringLiteral("Scala"), QStringLiteral("1:") + testoFattore(fattoreScala));
    cella(colonna2, riquadro.right(), QStringLiteral("Data"),
          QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
}

bool scriviPdf(const QString& percorso, Workspace& ws, Host& host, const AreaPlot& area) {
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(percorso);
    pdf.setPageLayout(stampanteCondivisa().pageLayout());
    orientaPagina(pdf, area);
    pdf.setCreator(QStringLiteral("Carvela"));
    pdf.setDocName(nomeDocumento(ws));
    QPainter p;
    if (!p.begin(&pdf)) {
        host.messaggio("Impossibile scrivere il file " + percorso.toStdString() + ".", Pulsanti::Ok, Icona::Critico);
        return false;
    }
    const bool disegnato = disegnaPlot(p, QRectF(0, 0, pdf.width(), pdf.height()), pdf.resolution(), ws, host, area);
    if (!p.end() || !QFileInfo(percorso).isFile()) {
        host.messaggio("Impossibile scrivere il file " + percorso.toStdString() + ".", Pulsanti::Ok, Icona::Critico);
        return false;
    }
    return disegnato;
}

}  // namespace

bool AreaPlot::valida() const {
    return finito(minX) && finito(minY) && finito(maxX) && finito(maxY) && maxX > minX && maxY > minY;
}

AreaPlot areaDaFinestra(const Vista& v) {
    AreaPlot a;
    if (!(v.plotScala > 0)) return a;
    const double x1 = (v.plotX1 - v.offsetX) / v.plotScala, x2 = (v.plotX2 - v.offsetX) / v.plotScala;
    const double y1 = (v.offsetY - v.plotY1) / v.plotScala, y2 = (v.offsetY - v.plotY2) / v.plotScala;
    a.minX = std::min(x1, x2), a.maxX = std::max(x1, x2);
    a.minY = std::min(y1, y2), a.maxY = std::max(y1, y2);
    return a;
}

AreaPlot areaEstensione(const Vista& v) {
    AreaPlot a;
    if (v.riavvioEstensione == -1 || !(v.scala > 0)) return a;
    a.minX = v.mondoX(v.estMinX), a.maxX = v.mondoX(v.estMaxX);
    a.minY = v.mondoY(v.estMaxY), a.maxY = v.mondoY(v.estMinY);
    // A little room around the drawing, so that nothing touches the frame.
    const double bordo = std::max(a.maxX - a.minX, a.maxY - a.minY) * 0.03;
    a.minX -= bordo, a.maxX += bordo, a.minY -= bordo, a.maxY += bordo;
    return a;
}

ImpaginazionePlot impaginaPlot(const AreaPlot& area, const QRectF& pagina, double dpi, const Impostazioni& imp) {
    ImpaginazionePlot r;
    if (!area.valida() || !(dpi > 0)) return r;
    const double mm = dpi / 25.4;
    auto margine = [&](float valore, double lato) {
        const double m = finito(valore) ? valore * mm : 0;
        return std::clamp(m, 0.0, lato / 2);
    };
    const double sinistra = pagina.left() + margine(imp.marginePlotSinistro, pagina.width());
    const double alto = pagina.top() + margine(imp.marginePlotSuperiore, pagina.height());
    const QRectF disponibile(QPointF(sinistra, alto), QPointF(pagina.right(), pagina.bottom() - kBandaPiedeMm * mm));
    if (disponibile.width() <= 0 || disponibile.height() <= 0) return r;
    const double w = area.maxX - area.minX, h = area.maxY - area.minY;
    const bool adatta = imp.AdattaScalaPlot || !finito(imp.fattoreScalaPlot) || imp.fattoreScalaPlot <= 0;
    r.pixelPerUnita =
        adatta ? std::min(disponibile.width() / w, disponibile.height() / h) : 1000.0 / imp.fattoreScalaPlot * mm;
    QPointF angolo = disponibile.topLeft();
    // A fitted drawing sits in the middle of the room it was fitted to.
    if (adatta)
        angolo +=
            QPointF((disponibile.width() - w * r.pixelPerUnita) / 2, (disponibile.height() - h * r.pixelPerUnita) / 2);
    r.area = QRectF(angolo, QSizeF(w * r.pixelPerUnita, h * r.pixelPerUnita)).intersected(disponibile);
    r.fattoreScala = 1000.0 * mm / r.pixelPerUnita;
    return r;
}

bool disegnaPlot(QPainter& p, const QRectF& pagina, double dpi, Workspace& ws, Host& host, const AreaPlot& area) {
    const ImpaginazionePlot imp = impaginaPlot(area, pagina, dpi, ws.impostazioni);
    if (imp.pixelPerUnita <= 0 || !finito(imp.pixelPerUnita)) {
        host.messaggio(kNessunDisegno);
        return false;
    }
    // The drawing runs again with a view whose pixels are the device's, the window's
    // top-left corner at the canvas origin; the screen's view is given back afterwards.
    const Vista schermo = ws.vista;
    const uint8_t documento = ws.TipoDocumento;
    ws.vista.scala = static_cast<float>(imp.pixelPerUnita);
    ws.vista.offsetX = static_cast<float>(-area.minX * imp.pixelPerUnita);
    ws.vista.offsetY = static_cast<float>(area.maxY * imp.pixelPerUnita);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(imp.area);
    CanvasStampa tela(p, imp.area.topLeft(), static_cast<int>(imp.area.width()), static_cast<int>(imp.area.height()),
                      kSpessoreLineaMm * dpi / 25.4);
    ridisegna(ws, tela, host);
    p.restore();
    ws.vista = schermo;
    ws.TipoDocumento = documento;

    p.setPen(QPen(Qt::black, 0.35 * dpi / 25.4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(imp.area);
    disegnaCartiglio(p, pagina, dpi, ws, imp.fattoreScala);
    return true;
}

bool stampaPlot(QWidget* parent, Workspace& ws, Host& host, const AreaPlot& area) {
    if (!area.valida()) {
        host.messaggio(kNessunDisegno);
        return false;
    }
    QPrinter& stampante = stampanteCondivisa();
    orientaPagina(stampante, area);
    stampante.setDocName(nomeDocumento(ws));
    QPrintDialog dialogo(&stampante, parent);
    dialogo.setWindowTitle(QStringLiteral("Stampa del disegno"));
    if (dialogo.exec() != QDialog::Accepted) return false;
    QPainter p;
    if (!p.begin(&stampante)) {
        host.messaggio("Impossibile avviare la stampa.", Pulsanti::Ok, Icona::Critico);
        return false;
    }
    const bool disegnato =
        disegnaPlot(p, QRectF(0, 0, stampante.width(), stampante.height()), stampante.resolution(), ws, host, area);
    return p.end() && disegnato;
}

bool esportaPlotPdf(const QString& percorso, Workspace& ws, Host& host, const AreaPlot& area) {
    if (!area.valida()) {
        host.messaggio(kNessunDisegno);
        return false;
    }
    return scriviPdf(percorso, ws, host, area);
}

// ---- the plot window ----

FinestraPlot::FinestraPlot(Workspace& ws, Canvas& canvas, Host& host, AreaPlot area, QWidget* parent)
    : QDialog(parent), ws_(ws), canvas_(canvas), host_(host), area_(area) {
    setObjectName(QStringLiteral("FormPlot"));
    setWindowTitle(QStringLiteral("Stampa del disegno"));
    auto* colonna = new QVBoxLayout(this);
    auto* modulo = new QFormLayout;
    etichettaArea_ = new QLabel(this);
    fattore_ = new QLineEdit(QString::fromStdString(testoNumero(ws.impostazioni.fattoreScalaPlot)), this);
    fattore_->setObjectName(QStringLiteral("fattoreScalaPlot"));
    adatta_ = new QCheckBox(QStringLiteral("Adatta la scala al foglio"), this);
    adatta_->setObjectName(QStringLiteral("AdattaScalaPlot"));
    adatta_->setChecked(ws.impostazioni.AdattaScalaPlot);
    etichettaScala_ = new QLabel(this);
    modulo->addRow(QStringLiteral("Area di stampa:"), etichettaArea_);
    modulo->addRow(QStringLiteral("Fattore di scala della stampa:"), fattore_);
    modulo->addRow(QString(), adatta_);
    modulo->addRow(QStringLiteral("Scala sul foglio:"), etichettaScala_);
    colonna->addLayout(modulo);

    auto* area1 = new QHBoxLayout;
    auto* finestra = new QPushButton(QStringLiteral("Seleziona &finestra..."), this);
    auto* intero = new QPushButton(QStringLiteral("&Intero disegno"), this);
    auto* imposta = new QPushButton(QStringLiteral("&Imposta stampante..."), this);
    area1->addWidget(finestra);
    area1->addWidget(intero);
    area1->addWidget(imposta);
    colonna->addLayout(area1);
    auto* comandi = new QHBoxLayout;
    auto* stampa = new QPushButton(QStringLiteral("&Stampa..."), this);
    auto* pdf = new QPushButton(QStringLiteral("Esporta &PDF..."), this);
    auto* chiudi = new QPushButton(QStringLiteral("C&hiudi"), this);
    stampa->setDefault(true);
    comandi->addStretch();
    comandi->addWidget(stampa);
    comandi->addWidget(pdf);
    comandi->addWidget(chiudi);
    colonna->addLayout(comandi);

    connect(finestra, &QPushButton::clicked, this, &FinestraPlot::sceltaFinestra);
    connect(intero, &QPushButton::clicked, this, &FinestraPlot::interoDisegno);
    connect(imposta, &QPushButton::clicked, this, [this] {
        impostaStampanteQt(this);
        aggiorna();
    });
    connect(stampa, &QPushButton::clicked, this, &FinestraPlot::stampa);
    connect(pdf, &QPushButton::clicked, this, &FinestraPlot::esportaPdf);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(fattore_, &QLineEdit::textChanged, this, [this] { aggiorna(); });
    connect(adatta_, &QCheckBox::toggled, this, [this](bool attivo) {
        fattore_->setEnabled(!attivo);
        aggiorna();
    });
    fattore_->setEnabled(!adatta_->isChecked());
    aggiorna();
}

QString FinestraPlot::testoArea() const {
    if (!area_.valida()) return QStringLiteral("nessun disegno");
    auto n = [](double v) { return QString::fromStdString(formatta(v, "###0.00")); };
    return QStringLiteral("x da %1 a %2, y da %3 a %4").arg(n(area_.minX), n(area_.maxX), n(area_.minY), n(area_.maxY));
}

// The scale the shared printer's page gives, with the values as typed.
QString FinestraPlot::testoScala() const {
    Impostazioni imp = ws_.impostazioni;
    imp.AdattaScalaPlot = adatta_->isChecked();
    float f;
    if (leggiFloat(fattore_->text().toStdString(), f) && f > 0)
        imp.fattoreScalaPlot = f;
    else if (!imp.AdattaScalaPlot)
        return QStringLiteral("fattore di scala non valido");
    if (!area_.valida()) return QString();
    QPrinter& stampante = stampanteCondivisa();
    QPageLayout layout = stampante.pageLayout();
    layout.setOrientation(area_.maxX - area_.minX > area_.maxY - area_.minY ? QPageLayout::Landscape
                                                                            : QPageLayout::Portrait);
    const double dpi = stampante.resolution();
    const ImpaginazionePlot r = impaginaPlot(area_, layout.paintRectPixels(static_cast<int>(dpi)), dpi, imp);
    if (r.pixelPerUnita <= 0) return QString();
    QString testo = QStringLiteral("1:") + testoFattore(r.fattoreScala);
    const double w = (area_.maxX - area_.minX) * r.pixelPerUnita, h = (area_.maxY - area_.minY) * r.pixelPerUnita;
    if (w > r.area.width() + 1 || h > r.area.height() + 1) testo += QStringLiteral(" (il disegno esce dal foglio)");
    return testo;
}

void FinestraPlot::aggiorna() {
    etichettaArea_->setText(testoArea());
    etichettaScala_->setText(testoScala());
}

bool FinestraPlot::leggiScala() {
    float f;
    const bool valido = leggiFloat(fattore_->text().toStdString(), f) && f > 0;
    if (!valido && !adatta_->isChecked()) {
        host_.messaggio("Fattore di scala errato!");
        return false;
    }
    if (valido) ws_.impostazioni.fattoreScalaPlot = f;
    ws_.impostazioni.AdattaScalaPlot = adatta_->isChecked();
    return true;
}

void FinestraPlot::sceltaFinestra() {
    if (!leggiScala()) return;
    done(kSceltaFinestra);
}

void FinestraPlot::interoDisegno() {
    area_ = areaEstensione(ws_.vista);
    aggiorna();
}

void FinestraPlot::stampa() {
    if (!leggiScala()) return;
    stampaPlot(this, ws_, host_, area_);
}

void FinestraPlot::esportaPdf() {
    if (!leggiScala()) return;
    if (!area_.valida()) {
        host_.messaggio(kNessunDisegno);
        return;
    }
    std::string percorso = host_.salvaFile("", "File PDF (*.pdf) | *.PDF", "Esporta disegno in PDF");
    if (percorso.empty()) return;
    QString file = QString::fromStdString(percorso);
    if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) file += QStringLiteral(".pdf");
    esportaPlotPdf(file, ws_, host_, area_);
}

namespace {

void mostraFinestraPlot(QWidget* parent, Workspace& ws, Canvas& canvas, Host& host, const AreaPlot& area) {
    FinestraPlot finestra(ws, canvas, host, area, parent);
    if (finestra.exec() != FinestraPlot::kSceltaFinestra) return;
    // The next zoom window on the canvas chooses the plot corners instead of zooming.
    ws.vista.marcaStampa = 1;
    ws.vista.modoZoom = 1;
    if (auto* widget = dynamic_cast<CanvasWidget*>(&canvas)) {
        QObject::connect(
            widget, &CanvasWidget::finestraPlotRichiesta, widget,
            [parent, &ws, &canvas, &host] { finestraPlotRichiesta(parent, ws, canvas, host); },
            Qt::SingleShotConnection);
    }
}

}  // namespace

void apriFinestraPlot(QWidget* parent, Workspace& ws, Canvas& canvas, Host& host) {
    mostraFinestraPlot(parent, ws, canvas, host, areaEstensione(ws.vista));
}

void finestraPlotRichiesta(QWidget* parent, Workspace& ws, Canvas& canvas, Host& host) {
    if (ws.vista.marcaStampa == 0) return;
    ws.vista.marcaStampa = 0;
    mostraFinestraPlot(parent, ws, canvas, host, areaDaFinestra(ws.vista));
}

}  // namespace carvela
