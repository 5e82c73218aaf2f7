#pragma once
// "Punti Poligonale" (FormCoodPoligoAsse): the axis vertices in an editable grid; "&Applica"
// rebuilds the axis, closes the window and runs the road computation.
#include "plan/axis.h"
#include "shell/ui/page_window.h"

namespace carvela {

class PaginaAsseCoordinate : public FinestraPagina {
    Q_OBJECT
public:
    PaginaAsseCoordinate(ContestoPagina& contesto, QWidget* parent = nullptr);

    TabellaGriglia* tabella() const { return tabella_; }
    std::vector<const Griglia*> griglie() const override { return {&pagina_.griglia}; }
    void applica() override;

protected:
    void carica() override;
    void leggiSchermo() override;

private:
    PaginaCoordinateAsse pagina_;
    TabellaGriglia* tabella_ = nullptr;
};

}  // namespace carvela
