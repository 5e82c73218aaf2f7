#pragma once
// "Caratteristiche della Planimetria" (insertPuntiPQ): the plan points in an editable grid.
#include <QDialog>

#include "project/griglia.h"
#include "shell/ui/page_registry.h"

class QPushButton;

namespace carvela {
class TabellaGriglia;

class PaginaPuntiPiano : public QDialog {
    Q_OBJECT
public:
    PaginaPuntiPiano(ContestoPagina& contesto, QWidget* parent = nullptr);

    TabellaGriglia* tabella() const { return tabella_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void carica();
    void applica();
    void esporta();
    void stampa();
    void cellaCliccata(int riga, int colonna);

    ContestoPagina& contesto_;
    Griglia griglia_;
    TabellaGriglia* tabella_ = nullptr;
};

}  // namespace carvela
