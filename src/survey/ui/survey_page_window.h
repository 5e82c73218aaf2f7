#pragma once
// The survey data pages (traverses, triangulation): the boxes Text1 and the grids Grid1
// (readings, typed) and Grid2 (results) over a page model of the core that loads from,
// and computes into, one record of the program state.
#include <QLineEdit>
#include <vector>

#include "shell/ui/page_window.h"
#include "state/workspace.h"
#include "survey/ui/survey_widgets.h"

namespace carvela {

// `Modello` has Grid1, Grid2, Text1, kTitolo, kCaselle, carica(record, settings) and
// applica(ws, host); `kRecord` names the record in the Workspace, `kDisegna` the drawing
// made after an apply that succeeded.
template <class Modello, auto kRecord, auto kDisegna>
class FinestraRilievo : public FinestraPagina {
public:
    std::vector<const Griglia*> griglie() const override { return {&modello_.Grid1, &modello_.Grid2}; }

protected:
    FinestraRilievo(ContestoPagina& contesto, QWidget* parent) : FinestraPagina(contesto, Modello::kTitolo, parent) {}

    // The grids, made after the boxes so that Tab goes from the boxes to the grids. Readings
    // are typed into columns 1..ultimaDigitabile of Grid1; the results take no typing.
    void creaGriglie(int ultimaDigitabile) {
        griglia1_ = nuovaTabella("Grid1");
        for (int c = 1; c <= ultimaDigitabile; ++c)
            griglia1_->impostaDigitazione(c, TabellaGriglia::Digitazione::Numerica);
        griglia2_ = nuovaTabella("Grid2");
    }

    void carica() override {
        modello_.carica(ws().*kRecord, ws().impostazioni);
        mostra();
    }
    void leggiSchermo() override {
        griglia1_->leggi(modello_.Grid1);
        for (int i = 0; i < Modello::kCaselle; ++i) {
            const auto k = static_cast<std::size_t>(i);
            modello_.Text1[k] = caselle_[k]->text().toStdString();
        }
    }
    // The results, and the readings as the computation rewrote them.
    void applica() override {
        leggiSchermo();
        modello_.casellaErrata = -1;
        if (modello_.applica(ws(), host())) kDisegna(ws(), canvas(), host());
        mostra();
        // The cell or box a refused entry came from takes the focus.
        if (!griglia1_->mostraErrore(modello_.Grid1) && modello_.casellaErrata >= 0) {
            QLineEdit* casella = caselle_[static_cast<std::size_t>(modello_.casellaErrata)];
            casella->setFocus(Qt::OtherFocusReason);
            casella->selectAll();
        }
    }
    virtual void mostra() {
        griglia1_->mostra(modello_.Grid1);
        griglia2_->mostra(modello_.Grid2);
        for (int i = 0; i < Modello::kCaselle; ++i) {
            const auto k = static_cast<std::size_t>(i);
            caselle_[k]->setText(qtesto(modello_.Text1[k]));
        }
    }

    Modello modello_;
    std::vector<QLineEdit*> caselle_;  // filled by the frames of the page (corniceCaselle)
    TabellaGriglia* griglia1_ = nullptr;
    TabellaGriglia* griglia2_ = nullptr;
};

}  // namespace carvela
