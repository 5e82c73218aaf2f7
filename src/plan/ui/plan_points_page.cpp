#include "plan/ui/plan_points_page.h"

#include <QVBoxLayout>

#include "graphics/road_command.h"
#include "plan/plan_points.h"
#include "state/undo.h"
#include "state/workspace.h"

namespace carvela {

PaginaPuntiPiano::PaginaPuntiPiano(ContestoPagina& contesto, QWidget* parent)
    : FinestraPagina(contesto, "Caratteristiche della Planimetria", parent) {
    setObjectName("insertPuntiPQ");
    // Known before the first "&Applica" opens its step, or that step would not keep the points.
    partiApplica_ = partiPagina(Pagina::PuntiPiano);
    // The type column takes clicks, not typing.
    tabella_ = nuovaTabella("griglia", {1, 2, 3});
    connect(tabella_, &TabellaGriglia::cellaCliccata, this, &PaginaPuntiPiano::cellaCliccata);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabella_);
    layout->addLayout(rigaPulsanti());
    resize(640, 480);
}

void PaginaPuntiPiano::carica() {
    griglia_ = grigliaPuntiPiano(ws().Piano, ws().impostazioni, host());
    tabella_->mostra(griglia_);
    for (int r = 1; r < griglia_.righe(); ++r) centraTipo(r);
}

void PaginaPuntiPiano::leggiSchermo() { tabella_->leggi(griglia_); }

void PaginaPuntiPiano::centraTipo(int riga) {
    if (QTableWidgetItem* it = tabella_->item(riga - 1, kColonnaTipoPunto - 1)) it->setTextAlignment(Qt::AlignCenter);
}

void PaginaPuntiPiano::cellaCliccata(int riga, int colonna) {
    if (colonna != kColonnaTipoPunto) return;
    leggiSchermo();
    commutaTipoPunto(griglia_, riga);
    tabella_->impostaTestoCella(riga, colonna, QString::fromStdString(griglia_.testo(riga, colonna)));
    centraTipo(riga);
}

void PaginaPuntiPiano::applica() {
    leggiSchermo();
    if (!applicaPuntiPiano(griglia_, ws(), canvas(), host())) tabella_->mostraErrore(griglia_);
}

CARVELA_REGISTRA_PAGINA(Pagina::PuntiPiano, PaginaPuntiPiano)

}  // namespace carvela
