#include "shell/ui/sheets_window.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <filesystem>

#include "graphics/pdf_writer.h"
#include "graphics/sheets.h"
#include "shell/ui/print_setup.h"
#include "state/host.h"
#include "state/workspace.h"

namespace carvela {
namespace {

// The sheets' millimetre drawing replayed on a printer begun by the caller: each sheet a
// page of its own size and orientation, full page, y upwards from the bottom-left corner.
class SuperficieStampante : public SuperficieMm {
public:
    SuperficieStampante(QPrinter& stampante, QPainter& pittore) : stampante_(stampante), p_(pittore) {}

    void nuovaPagina(double larghezza, double altezza) override {
        const QPageLayout::Orientation verso = larghezza > altezza ? QPageLayout::Landscape : QPageLayout::Portrait;
        const QPageSize formato(QSizeF(std::min(larghezza, altezza), std::max(larghezza, altezza)),
                                QPageSize::Millimeter);
        stampante_.setPageLayout(QPageLayout(formato, verso, QMarginsF()));
        if (pagine_++ > 0) stampante_.newPage();
        altezza_ = altezza;
        k_ = stampante_.resolution() / 25.4;
    }
    void colore(uint8_t r, uint8_t v, uint8_t b) override { colore_ = QColor(r, v, b); }
    void spessore(double mm) override { spessore_ = mm; }
    void linea(double x1, double y1, double x2, double y2) override {
        penna();
        p_.drawLine(punto(x1, y1), punto(x2, y2));
    }
    void polilinea(const std::vector<PuntoMm>& punti, bool chiusa) override {
        penna();
        QPolygonF poligono;
        for (const PuntoMm& q : punti) poligono << punto(q.x, q.y);
        if (chiusa)
            p_.drawPolygon(poligono);
        else
            p_.drawPolyline(poligono);
    }
    void rettangoloPieno(double x1, double y1, double x2, double y2) override {
        p_.fillRect(QRectF(punto(x1, y1), punto(x2, y2)).normalized(), colore_);
    }
    void cerchio(double x, double y, double raggio) override {
        penna();
        p_.drawEllipse(punto(x, y), raggio * k_, raggio * k_);
    }
    void testo(double x, double y, std::string_view utf8, double altezza, double gradi) override {
        QFont f("Helvetica");
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(altezza * k_ / 0.72))));  // capitals to em
        p_.save();
        p_.setFont(f);
        p_.setPen(colore_);
        p_.translate(punto(x, y));
        p_.rotate(-gradi);
        p_.drawText(QPointF(0, 0), QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size())));
        p_.restore();
    }

private:
    QPointF punto(double x, double y) const { return {x * k_, (altezza_ - y) * k_}; }
    void penna() {
        p_.setPen(QPen(colore_, std::max(1.0, spessore_ * k_)));
        p_.setBrush(Qt::NoBrush);
    }

    QPrinter& stampante_;
    QPainter& p_;
    int pagine_ = 0;
    double altezza_ = kA4Altezza, k_ = 1, spessore_ = 0.18;
    QColor colore_ = Qt::black;
};

}  // namespace

FinestraTavole::FinestraTavole(Workspace& ws, Host& host, QWidget* parent) : QDialog(parent), ws_(ws), host_(host) {
    setWindowTitle("Stampa tavole");
    setModal(true);
    sezioni_ = new QComboBox(this);
    sezioni_->setObjectName("sezioni");
    sezioni_->addItem("1:100", 100);
    sezioni_->addItem("1:200", 200);
    sezioni_->addItem("Nessuna", 0);
    sezioni_->setCurrentIndex(1);
    profilo_ = new QComboBox(this);
    profilo_->setObjectName("profilo");
    profilo_->addItem("1:1000 / 1:100", 1000);
    profilo_->addItem("1:2000 / 1:200", 2000);
    profilo_->addItem("Nessuno", 0);
    carta_ = new QComboBox(this);
    carta_->setObjectName("carta");
    carta_->addItem("A3", true);
    carta_->addItem("A4", false);
    auto* moduli = new QFormLayout;
    moduli->addRow("Sezioni trasversali:", sezioni_);
    moduli->addRow("Profilo longitudinale (lunghezze / altezze):", profilo_);
    moduli->addRow("Formato del foglio:", carta_);
    auto* riga = new QHBoxLayout;
    auto pulsante = [&](const char* testo, const char* nome) {
        auto* b = new QPushButton(QString::fromUtf8(testo), this);
        b->setObjectName(nome);
        b->setAutoDefault(false);
        riga->addWidget(b);
        return b;
    };
    connect(pulsante("&Stampa...", "stampa"), &QPushButton::clicked, this, &FinestraTavole::stampa);
    connect(pulsante("Esporta &PDF...", "pdf"), &QPushButton::clicked, this, &FinestraTavole::esportaPdf);
    riga->addStretch();
    connect(pulsante("C&hiudi", "chiudi"), &QPushButton::clicked, this, &QDialog::reject);
    auto* principale = new QVBoxLayout(this);
    principale->addLayout(moduli);
    principale->addLayout(riga);
}

bool FinestraTavole::opzioni(OpzioniTavole& o) const {
    o.scalaSezioni = sezioni_->currentData().toInt();
    o.scalaOrizzontale = profilo_->currentData().toInt();
    o.scalaVerticale = o.scalaOrizzontale / 10;
    o.formatoA3 = carta_->currentData().toBool();
    o.progetto = ws_.NomeFilePln.empty() ? std::string() : std::filesystem::path(ws_.NomeFilePln).stem().string();
    o.data = dataOdierna();
    if (o.scalaSezioni == 0 && o.scalaOrizzontale == 0) {
        host_.messaggio("Scegliere le sezioni, il profilo o entrambi.");
        return false;
    }
    return true;
}

bool FinestraTavole::scriviPdf(const std::string& percorso) {
    OpzioniTavole o;
    if (!opzioni(o)) return false;
    PdfWriter pdf;
    pdf.titolo("Tavole di " + (o.progetto.empty() ? std::string("Progetto senza nome") : o.progetto));
    const EsitoTavole esito = disegnaTavole(pdf, ws_.Sezioni, ws_.Profilo, o);
    if (!esito.errore.empty()) {
        host_.messaggio(esito.errore, Pulsanti::Ok, Icona::Avviso);
        return false;
    }
    const std::string errore = pdf.salva(percorso);
    if (!errore.empty()) {
        host_.messaggio(errore, Pulsanti::Ok, Icona::Critico);
        return false;
    }
    return true;
}

bool FinestraTavole::esportaPdf() {
    const std::string percorso = host_.salvaFile("tavole.pdf", "Documento PDF (*.pdf) | *.PDF", "Esporta tavole PDF");
    return !percorso.empty() && scriviPdf(percorso);
}

void FinestraTavole::stampa() {
    OpzioniTavole o;
    if (!opzioni(o)) return;
    QPrinter& stampante = stampanteCondivisa();
    QPrintDialog dialogo(&stampante, this);
    if (dialogo.exec() != QDialog::Accepted) return;
    stampante.setFullPage(true);
    QPainter pittore;
    // The first sheet's size is set before the painter begins, so page 1 has it too.
    const GeometriaFoglio g = geometriaFoglio(o.formatoA3);
    stampante.setPageLayout(QPageLayout(QPageSize(o.formatoA3 ? QPageSize::A3 : QPageSize::A4),
                                        g.larghezza > g.altezza ? QPageLayout::Landscape : QPageLayout::Portrait,
                                        QMarginsF()));
    if (!pittore.begin(&stampante)) {
        host_.messaggio("Impossibile avviare la stampa.", Pulsanti::Ok, Icona::Critico);
        return;
    }
    SuperficieStampante superficie(stampante, pittore);
    const EsitoTavole esito = disegnaTavole(superficie, ws_.Sezioni, ws_.Profilo, o);
    pittore.end();
    if (!esito.errore.empty()) host_.messaggio(esito.errore, Pulsanti::Ok, Icona::Avviso);
}

}  // namespace carvela
