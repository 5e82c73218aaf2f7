#include "plan/ui/axis_coordinates_page.h"

#include <QVBoxLayout>

#include "graphics/road_command.h"
#include "state/workspace.h"

namespace carvela {

PaginaAsseCoordinate::PaginaAsseCoordinate(ContestoPagina& contesto, QWidget* parent)
    : FinestraPagina(contesto, "Punti Poligonale", parent) {
    setObjectName("FormCoodPoligoAsse");
    tabella_ = nuovaTabella("griglia", {1, 2});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabella_);
    layout->addLayout(rigaPulsanti());
    resize(420, 420);
}

// Every opening shows the axis as it is now.
void PaginaAsseCoordinate::carica() {
    pagina_.apri(ws());
    tabella_->mostra(pagina_.griglia);
}

void PaginaAsseCoordinate::leggiSchermo() { tabella_->leggi(pagina_.griglia); }

void PaginaAsseCoordinate::applica() {
    leggiSchermo();
    if (!pagina_.applica(ws(), host())) {
        tabella_->mostraErrore(pagina_.griglia);
        return;
    }
    accept();
    calcolaTracciato(ws(), canvas(), host());
}

CARVELA_REGISTRA_PAGINA(Pagina::CoordinateAsse, PaginaAsseCoordinate)

}  // namespace carvela
