#include "profile/ui/profile_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "project/text_export.h"
#include "shell/ui/grid_table.h"
#include "shell/workspace.h"

namespace carvela {

FinestraProfilo::FinestraProfilo(ContestoPagina& contesto, QWidget* parent) : QDialog(parent), contesto_(contesto) {
    setWindowTitle("Caratteristiche del profilo longitudinale.");
    setObjectName("InsertProfilo");
    const QFont carattere("MS Sans Serif", 8);
    sezioni_ = new TabellaGriglia(this);
    curve_ = new TabellaGriglia(this);
    sezioni_->setFont(carattere);
    curve_->setFont(carattere);
    // The sections take no typing; only the stakes and radius of a curve are typed.
    curve_->impostaDigitazione(4, TabellaGriglia::Digitazione::Numerica);
    curve_->impostaDigitazione(5, TabellaGriglia::Digitazione::Numerica);
    connect(sezioni_, &TabellaGriglia::cellaCliccata, this, &FinestraProfilo::clicSezioni);

    auto* applica = new QPushButton("&Applica", this);
    auto* esporta = new QPushButton("&Esporta TXT", this);
    auto* chiudi = new QPushButton("C&hiudi", this);
    for (QPushButton* b : {applica, esporta, chiudi}) b->setAutoDefault(false);
    applica->setObjectName("applica");
    connect(applica, &QPushButton::clicked, this, &FinestraProfilo::applica);
    connect(esporta, &QPushButton::clicked, this, &FinestraProfilo::esporta);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(applica);
    pulsanti->addWidget(esporta);
    pulsanti->addStretch();
    pulsanti->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Parametri del profilo:", this));
    layout->addWidget(sezioni_, 3);
    layout->addWidget(new QLabel("Parametri delle curve:", this));
    layout->addWidget(curve_, 2);
    layout->addLayout(pulsanti);
    resize(820, 560);
}

void FinestraProfilo::showEvent(QShowEvent* event) {
    pagina_.apri(contesto_.ws);
    mostra();
    QDialog::showEvent(event);
}

void FinestraProfilo::mostra() {
    sezioni_->mostra(pagina_.sezioni);
    curve_->mostra(pagina_.curve);
}

void FinestraProfilo::clicSezioni(int riga, int colonna) {
    if (colonna != 3) return;
    pagina_.clicSezioni(riga, colonna);
    sezioni_->impostaTestoCella(riga, colonna, QString::fromStdString(pagina_.sezioni.testo(riga, colonna)));
}

void FinestraProfilo::applica() {
    sezioni_->leggi(pagina_.sezioni);
    curve_->leggi(pagina_.curve);
    pagina_.premiApplica(contesto_.ws, contesto_.canvas, contesto_.host);
    mostra();
}

void FinestraProfilo::esporta() {
    sezioni_->leggi(pagina_.sezioni);
    curve_->leggi(pagina_.curve);
    esportaTesto(contesto_.host, {&pagina_.sezioni, &pagina_.curve});
}

CARVELA_REGISTRA_PAGINA(Pagina::Profilo, FinestraProfilo)

}  // namespace carvela
