#pragma once
// "Caratteristiche del profilo longitudinale." (InsertProfilo): the sections and curves of
// the profile; a click on the "Livellette" column marks the end of a grade line.
#include "profile/profile_page.h"
#include "shell/ui/page_window.h"

namespace carvela {

class FinestraProfilo : public FinestraPagina {
    Q_OBJECT
public:
    FinestraProfilo(ContestoPagina& contesto, QWidget* parent = nullptr);

    TabellaGriglia* tabellaSezioni() const { return sezioni_; }
    TabellaGriglia* tabellaCurve() const { return curve_; }
    std::vector<const Griglia*> griglie() const override { return {&pagina_.sezioni, &pagina_.curve}; }
    void applica() override;

protected:
    void carica() override;
    void leggiSchermo() override;

private:
    void mostra();
    void clicSezioni(int riga, int colonna);

    PaginaProfilo pagina_;
    TabellaGriglia* sezioni_ = nullptr;
    TabellaGriglia* curve_ = nullptr;
};

}  // namespace carvela
