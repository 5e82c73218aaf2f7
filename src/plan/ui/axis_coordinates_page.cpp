#include "plan/ui/axis_coordinates_page.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "project/text_export.h"
#include "road/road_computation.h"
#include "shell/ui/grid_table.h"
#include "shell/ui/print_grids.h"
#include "shell/workspace.h"

namespace carvela {

PaginaAsseCoordinate::PaginaAsseCoordinate(ContestoPagina& contesto, QWidget* parent)
    : QDialog(parent), contesto_(contesto) {
    setWindowTitle("Punti Poligonale");
    setObjectName("FormCoodPoligoAsse");
    tabella_ = new TabellaGriglia(this);
    QFont carattere("MS Sans Serif", 8);
    tabella_->setFont(carattere);
    for (int c = 1; c <= 2; ++c) tabella_->impostaDigitazione(c, TabellaGriglia::Digitazione::Numerica);

    auto* applica = new QPushButton("&Applica", this);
    auto* chiudi = new QPushButton("C&hiudi", this);
    auto* esporta = new QPushButton("&Esporta TXT", this);
    auto* stampa = new QPushButton("&Stampa...", this);
    for (QPushButton* b : {applica, chiudi, esporta, stampa}) b->setAutoDefault(false);
    applica->setObjectName("applica");
    connect(applica, &QPushButton::clicked, this, &PaginaAsseCoordinate::applica);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(esporta, &QPushButton::clicked, this, &PaginaAsseCoordinate::esporta);
    connect(stampa, &QPushButton::clicked, this, &PaginaAsseCoordinate::stampa);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(applica);
    pulsanti->addWidget(esporta);
    pulsanti->addWidget(stampa);
    pulsanti->addStretch();
    pulsanti->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabella_);
    layout->addLayout(pulsanti);
    resize(420, 420);
}

// Every opening shows the axis as it is now.
void PaginaAsseCoordinate::showEvent(QShowEvent* event) {
    pagina_.apri(contesto_.ws);
    tabella_->mostra(pagina_.griglia);
    QDialog::showEvent(event);
}

void PaginaAsseCoordinate::applica() {
    tabella_->leggi(pagina_.griglia);
    if (!pagina_.applica(contesto_.ws, contesto_.host)) return;
    accept();
    calcolaTracciato(contesto_.ws, contesto_.canvas, contesto_.host);
}

void PaginaAsseCoordinate::esporta() {
    tabella_->leggi(pagina_.griglia);
    esportaTesto(contesto_.host, {&pagina_.griglia});
}

// The printout: the vertex table in pages with the window's caption.
void PaginaAsseCoordinate::stampa() {
    tabella_->leggi(pagina_.griglia);
    stampaGriglie(this, contesto_.host, windowTitle(), {&pagina_.griglia});
}

CARVELA_REGISTRA_PAGINA(Pagina::CoordinateAsse, PaginaAsseCoordinate)

}  // namespace carvela
