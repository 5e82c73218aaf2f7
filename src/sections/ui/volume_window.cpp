// The volume window "Tabella dei volumi paleggiabili" (TalbellaPaleggi).
#include <QLabel>
#include <QVBoxLayout>

#include "sections/volume_page.h"
#include "shell/ui/page_window.h"
#include "state/workspace.h"

namespace carvela {
namespace {

class FinestraVolumi : public FinestraPagina {
public:
    FinestraVolumi(ContestoPagina& contesto, QWidget* parent)
        : FinestraPagina(contesto, "Tabella dei volumi paleggiabili", parent), pagina_(ws()) {
        tabella_ = nuovaTabella("griglia");
        auto* principale = new QVBoxLayout(this);
        principale->addWidget(tabella_, 1);
        totali_ = nuovaTabella("totali");
        totali_->setMaximumHeight(totali_->fontMetrics().height() * 5);
        principale->addWidget(totali_);
        principale->addWidget(nuovaNota());
        principale->addLayout(rigaPulsanti(Esporta | Stampa | Chiudi));
        resize(720, 480);
    }

    std::vector<const Griglia*> griglie() const override { return {&pagina_.griglia, &pagina_.totali}; }

protected:
    // The table is filled from the records each time the window opens.
    void carica() override {
        pagina_ = PaginaVolumi(ws());
        tabella_->mostra(pagina_.griglia);
        totali_->mostra(pagina_.totali);
        mostraNota(pagina_.stato);
    }

private:
    PaginaVolumi pagina_;
    TabellaGriglia* tabella_;
    TabellaGriglia* totali_;
};

}  // namespace
}  // namespace carvela

using carvela::FinestraVolumi;
CARVELA_REGISTRA_PAGINA(::carvela::Pagina::TabellaVolumi, FinestraVolumi)
