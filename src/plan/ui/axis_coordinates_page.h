#pragma once
// "Punti Poligonale" (FormCoodPoligoAsse): the axis vertices in an editable grid; "&Applica"
// rebuilds the axis, closes the window and runs the road computation.
#include <QDialog>

#include "plan/axis.h"
#include "shell/ui/page_registry.h"

namespace carvela {
class TabellaGriglia;

class PaginaAsseCoordinate : public QDialog {
    Q_OBJECT
public:
    PaginaAsseCoordinate(ContestoPagina& contesto, QWidget* parent = nullptr);

    TabellaGriglia* tabella() const { return tabella_; }
    void applica();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void esporta();
    void stampa();

    ContestoPagina& contesto_;
    PaginaCoordinateAsse pagina_;
    TabellaGriglia* tabella_ = nullptr;
};

}  // namespace carvela
