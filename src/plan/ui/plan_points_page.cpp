#include "plan/ui/plan_points_page.h"

#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "plan/plan_points.h"
#include "project/text_export.h"
#include "shell/ui/grid_table.h"
#include "shell/workspace.h"

namespace carvela {

PaginaPuntiPiano::PaginaPuntiPiano(ContestoPagina& contesto, QWidget* parent)
    : QDialog(parent), contesto_(contesto) {
    setWindowTitle("Caratteristiche della Planimetria");
    setObjectName("insertPuntiPQ");
    tabella_ = new TabellaGriglia(this);
    for (int c = 1; c <= 3; ++c) tabella_->impostaDigitazione(c, TabellaGriglia::Digitazione::Numerica);
    tabella_->impostaDigitazione(kColonnaTipoPunto, TabellaGriglia::Digitazione::Nessuna);
    connect(tabella_, &TabellaGriglia::cellaCliccata, this, &PaginaPuntiPiano::cellaCliccata);

    auto* applica = new QPushButton("&Applica", this);
    auto* chiudi = new QPushButton("C&hiudi", this);
    auto* esporta = new QPushButton("&Esporta TXT", this);
    auto* stampa = new QPushButton("&Stampa...", this);
    for (QPushButton* b : {applica, chiudi, esporta, stampa}) b->setAutoDefault(false);
    connect(applica, &QPushButton::clicked, this, &PaginaPuntiPiano::applica);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(esporta, &QPushButton::clicked, this, &PaginaPuntiPiano::esporta);
    connect(stampa, &QPushButton::clicked, this, &PaginaPuntiPiano::stampa);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(applica);
    pulsanti->addWidget(esporta);
    pulsanti->addWidget(stampa);
    pulsanti->addStretch();
    pulsanti->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabella_);
    layout->addLayout(pulsanti);
    resize(640, 480);
}

// Every opening shows the plan as it is now.
void PaginaPuntiPiano::showEvent(QShowEvent* event) {
    carica();
    QDialog::showEvent(event);
}

void PaginaPuntiPiano::carica() {
    griglia_ = grigliaPuntiPiano(contesto_.ws.Piano, contesto_.ws.impostazioni, contesto_.host);
    tabella_->mostra(griglia_);
    for (int r = 1; r < griglia_.righe(); ++r) {
        if (QTableWidgetItem* it = tabella_->item(r - 1, kColonnaTipoPunto - 1))
            it->setTextAlignment(Qt::AlignCenter);
    }
}

void PaginaPuntiPiano::cellaCliccata(int riga, int colonna) {
    if (colonna != kColonnaTipoPunto) return;
    tabella_->leggi(griglia_);
    commutaTipoPunto(griglia_, riga);
    tabella_->impostaTestoCella(riga, colonna, QString::fromStdString(griglia_.testo(riga, colonna)));
    if (QTableWidgetItem* it = tabella_->item(riga - 1, colonna - 1)) it->setTextAlignment(Qt::AlignCenter);
}

void PaginaPuntiPiano::applica() {
    tabella_->leggi(griglia_);
    applicaPuntiPiano(griglia_, contesto_.ws, contesto_.canvas, contesto_.host);
}

void PaginaPuntiPiano::esporta() {
    tabella_->leggi(griglia_);
    esportaTesto(contesto_.host, {&griglia_}, [this](bool visibile) { setEnabled(visibile); });
}

// The printout: the filled rows of the grid as a table, with the page's caption.
void PaginaPuntiPiano::stampa() {
    tabella_->leggi(griglia_);
    QPrinter stampante;
    QPrintDialog dialogo(&stampante, this);
    if (dialogo.exec() != QDialog::Accepted) return;
    QString html = "<h3>" + windowTitle().toHtmlEscaped() + "</h3><table border=1 cellspacing=0 cellpadding=3><tr>";
    for (int c = 0; c < griglia_.colonne(); ++c)
        html += "<th>" + QString::fromStdString(griglia_.testo(0, c)).toHtmlEscaped() + "</th>";
    html += "</tr>";
    for (int r = 1; r < griglia_.righe(); ++r) {
        if (griglia_.testo(r, 1).empty() && griglia_.testo(r, 2).empty() && griglia_.testo(r, 3).empty()) continue;
        html += "<tr>";
        for (int c = 0; c < griglia_.colonne(); ++c)
            html += QString(c == kColonnaTipoPunto ? "<td align=center>" : "<td align=right>") +
                    QString::fromStdString(griglia_.testo(r, c)).toHtmlEscaped() + "</td>";
        html += "</tr>";
    }
    html += "</table>";
    QTextDocument documento;
    documento.setHtml(html);
    documento.print(&stampante);
}

CARVELA_REGISTRA_PAGINA(Pagina::PuntiPiano, PaginaPuntiPiano)

}  // namespace carvela
