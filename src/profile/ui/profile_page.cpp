#include "profile/ui/profile_page.h"

#include <QLabel>
#include <QVBoxLayout>

#include "graphics/road_drawings.h"
#include "state/workspace.h"

namespace carvela {

FinestraProfilo::FinestraProfilo(ContestoPagina& contesto, QWidget* parent)
    : FinestraPagina(contesto, "Caratteristiche del profilo longitudinale.", parent) {
    setObjectName("InsertProfilo");
    // The sections take no typing; only the stakes and radius of a curve are typed.
    sezioni_ = nuovaTabella("sezioni");
    curve_ = nuovaTabella("curve", {4, 5});
    connect(sezioni_, &TabellaGriglia::cellaCliccata, this, &FinestraProfilo::clicSezioni);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Parametri del profilo:", this));
    layout->addWidget(sezioni_, 3);
    layout->addWidget(new QLabel("Parametri delle curve:", this));
    layout->addWidget(curve_, 2);
    layout->addLayout(rigaPulsanti());
    resize(820, 560);
}

void FinestraProfilo::carica() {
    pagina_.apri(ws());
    mostra();
}

void FinestraProfilo::mostra() {
    sezioni_->mostra(pagina_.sezioni);
    curve_->mostra(pagina_.curve);
}

void FinestraProfilo::leggiSchermo() {
    sezioni_->leggi(pagina_.sezioni);
    curve_->leggi(pagina_.curve);
}

void FinestraProfilo::clicSezioni(int riga, int colonna) {
    if (colonna != 3) return;
    pagina_.clicSezioni(riga, colonna);
    sezioni_->impostaTestoCella(riga, colonna, QString::fromStdString(pagina_.sezioni.testo(riga, colonna)));
}

void FinestraProfilo::applica() {
    leggiSchermo();
    pagina_.premiApplica(ws(), host(), [this] { disegnaProfilo(ws(), canvas(), host()); });
    mostra();
    // After a refused entry, the cell it came from (the screen just shown keeps the text).
    if (!sezioni_->mostraErrore(pagina_.sezioni)) curve_->mostraErrore(pagina_.curve);
}

CARVELA_REGISTRA_PAGINA(Pagina::Profilo, FinestraProfilo)

}  // namespace carvela
