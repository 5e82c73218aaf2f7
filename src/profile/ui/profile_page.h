#pragma once
// "Caratteristiche del profilo longitudinale." (InsertProfilo): the sections and curves of
// the profile; a click on the "Livellette" column marks the end of a grade line.
#include <QDialog>

#include "profile/profile_page.h"
#include "shell/ui/page_registry.h"

namespace carvela {
class TabellaGriglia;

class FinestraProfilo : public QDialog {
    Q_OBJECT
public:
    FinestraProfilo(ContestoPagina& contesto, QWidget* parent = nullptr);

    TabellaGriglia* tabellaSezioni() const { return sezioni_; }
    TabellaGriglia* tabellaCurve() const { return curve_; }
    void applica();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void mostra();
    void clicSezioni(int riga, int colonna);
    void esporta();

    ContestoPagina& contesto_;
    PaginaProfilo pagina_;
    TabellaGriglia* sezioni_ = nullptr;
    TabellaGriglia* curve_ = nullptr;
};

}  // namespace carvela
