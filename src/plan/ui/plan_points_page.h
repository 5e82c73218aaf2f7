#pragma once
// "Caratteristiche della Planimetria" (insertPuntiPQ): the plan points in an editable grid.
#include "project/griglia.h"
#include "shell/ui/page_window.h"

namespace carvela {

class PaginaPuntiPiano : public FinestraPagina {
    Q_OBJECT
public:
    PaginaPuntiPiano(ContestoPagina& contesto, QWidget* parent = nullptr);

    TabellaGriglia* tabella() const { return tabella_; }
    std::vector<const Griglia*> griglie() const override { return {&griglia_}; }

protected:
    void carica() override;
    void leggiSchermo() override;
    void applica() override;

private:
    void cellaCliccata(int riga, int colonna);
    void centraTipo(int riga);

    Griglia griglia_;
    TabellaGriglia* tabella_ = nullptr;
};

}  // namespace carvela
