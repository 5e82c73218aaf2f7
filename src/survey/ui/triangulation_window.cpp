// The window "Triangolazioni" (InsertPoligoTriangolaz) over the triangulation page model.
#include <QVBoxLayout>

#include "survey/survey_drawings.h"
#include "survey/triangulation_page.h"
#include "survey/ui/survey_page_window.h"

namespace carvela {
namespace {

// The error column is the computation's: typing there does nothing.
class FinestraTriangolazione
    : public FinestraRilievo<ModelloTriangolazione, &Workspace::Triangolazione, &disegnaTriangolazione> {
public:
    FinestraTriangolazione(ContestoPagina& contesto, QWidget* parent) : FinestraRilievo(contesto, parent) {
        const auto& e = ModelloTriangolazione::kEtichette;
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(corniceCaselle(this, "&Coordinate del vertice di riferimento:", {0, 1, 2, 3},
                                         {e[0], e[1], e[2], e[3]}, caselle_));
        creaGriglie(ModelloTriangolazione::kUltimaColonnaDigitabile);
        layout->addWidget(griglia1_, 1);
        layout->addWidget(griglia2_, 1);
        layout->addLayout(rigaPulsanti());
        resize(640, 640);
    }
};

CARVELA_REGISTRA_PAGINA(Pagina::Triangolazione, FinestraTriangolazione)

}  // namespace
}  // namespace carvela
