// The windows "Poligonale aperta" (InsertPoligoAperta) and "Poligonale chiusa"
// (InsertPoligoChiusa): the reference boxes, two grids and the page buttons over the page
// models of the core.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "survey/survey_drawings.h"
#include "survey/traverse_pages.h"
#include "survey/ui/survey_page_window.h"

namespace carvela {
namespace {

// Readings: azimuths, distance, zenith and the two heights.
constexpr int kColonneLetture = 6;

class FinestraPoligonaleAperta
    : public FinestraRilievo<ModelloPoligonaleAperta, &Workspace::PoligonaleAperta, &disegnaPoligonaleAperta> {
public:
    FinestraPoligonaleAperta(ContestoPagina& contesto, QWidget* parent) : FinestraRilievo(contesto, parent) {
        const auto& e = ModelloPoligonaleAperta::kEtichette;
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(corniceCaselle(this, "&Coordinate del vertice di riferimento:", {0, 1, 2, 3},
                                         {e[0], e[1], e[2], e[3]}, caselle_));
        creaGriglie(kColonneLetture);
        layout->addWidget(griglia1_, 1);
        layout->addWidget(griglia2_, 1);
        layout->addLayout(rigaPulsanti());
        resize(760, 640);
    }
};

class FinestraPoligonaleChiusa
    : public FinestraRilievo<ModelloPoligonaleChiusa, &Workspace::PoligonaleChiusa, &disegnaPoligonaleChiusa> {
public:
    FinestraPoligonaleChiusa(ContestoPagina& contesto, QWidget* parent) : FinestraRilievo(contesto, parent) {
        const auto& e = ModelloPoligonaleChiusa::kEtichette;
        auto* riferimento = corniceCaselle(this, "&Coordinate del vertice di riferimento:", {0, 1, 2, 5},
                                           {e[0], e[1], e[2], e[5]}, caselle_);
        auto* tolleranze = corniceCaselle(this, "Tolleranze:", {3, 4}, {e[3], e[4]}, caselle_);

        erroreAngolare_ = new QLabel(this);
        erroreAngolare_->setObjectName("erroreAngolare");
        erroreLineare_ = new QLabel(this);
        erroreLineare_->setObjectName("erroreLineare");
        for (auto* etichetta : {erroreAngolare_, erroreLineare_}) {
            etichetta->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            etichetta->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            etichetta->setMinimumWidth(100);
        }
        auto* errori = new QGridLayout;
        errori->addWidget(new QLabel(kErroreAngolare, this), 0, 0);
        errori->addWidget(erroreAngolare_, 0, 1);
        errori->addWidget(new QLabel(kErroreLineare, this), 1, 0);
        errori->addWidget(erroreLineare_, 1, 1);
        creaGriglie(kColonneLetture);

        auto* alto = new QHBoxLayout;
        alto->addWidget(riferimento);
        auto* destra = new QVBoxLayout;
        destra->addWidget(tolleranze);
        destra->addLayout(errori);
        alto->addLayout(destra);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(alto);
        layout->addWidget(griglia1_, 1);
        layout->addWidget(griglia2_, 1);
        layout->addLayout(rigaPulsanti());
        resize(760, 680);
    }

    // On paper the closing errors head the two grids.
    std::vector<const Griglia*> griglieStampa() override {
        std::string angolare = kErroreAngolare, lineare = kErroreLineare;
        angolare.pop_back();
        lineare.pop_back();
        errori_ = grigliaValori({{angolare, modello_.erroreAngolare}, {lineare, modello_.erroreLineare}});
        return {&errori_, &modello_.Grid1, &modello_.Grid2};
    }

protected:
    void mostra() override {
        FinestraRilievo::mostra();
        erroreAngolare_->setText(qtesto(modello_.erroreAngolare));
        erroreLineare_->setText(qtesto(modello_.erroreLineare));
    }

private:
    static constexpr const char* kErroreAngolare = "Errore di chiusura angolare:";
    static constexpr const char* kErroreLineare = "Errore di chiusura lineare:";

    QLabel* erroreAngolare_;
    QLabel* erroreLineare_;
    Griglia errori_;
};

CARVELA_REGISTRA_PAGINA(Pagina::PoligonaleAperta, FinestraPoligonaleAperta)
CARVELA_REGISTRA_PAGINA(Pagina::PoligonaleChiusa, FinestraPoligonaleChiusa)

}  // namespace
}  // namespace carvela
