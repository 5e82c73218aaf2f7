// The window "Triangolazioni" (InsertPoligoTriangolaz) over the triangulation page model.
#include <QDialog>
#include <QShowEvent>
#include <QVBoxLayout>

#include "shell/ui/grid_table.h"
#include "shell/ui/page_registry.h"
#include "shell/workspace.h"
#include "survey/triangulation_page.h"
#include "survey/ui/survey_widgets.h"

namespace carvela {
namespace {

class FinestraTriangolazione : public QDialog {
public:
    FinestraTriangolazione(ContestoPagina& contesto, QWidget* parent)
        : QDialog(parent), ws_(contesto.ws), canvas_(contesto.canvas), host_(contesto.host) {
        setWindowTitle(ModelloTriangolazione::kTitolo);
        setModal(true);
        const auto& e = ModelloTriangolazione::kEtichette;
        auto* riferimento = corniceCaselle(this, "&Coordinate del vertice di riferimento:", {0, 1, 2, 3},
                                           {e[0], e[1], e[2], e[3]}, caselle_);
        griglia1_ = new TabellaGriglia(this);
        griglia1_->setObjectName("Grid1");
        // The error column is the computation's: typing there does nothing.
        for (int c = 1; c <= ModelloTriangolazione::kUltimaColonnaDigitabile; ++c)
            griglia1_->impostaDigitazione(c, TabellaGriglia::Digitazione::Numerica);
        griglia2_ = new TabellaGriglia(this);
        griglia2_->setObjectName("Grid2");
        const PulsantiPagina pulsanti = pulsantiPagina(this);

        auto* layout = new QVBoxLayout(this);
        layout->addWidget(riferimento);
        layout->addWidget(griglia1_, 1);
        layout->addWidget(griglia2_, 1);
        layout->addLayout(pulsanti.riga);
        resize(640, 640);

        connect(pulsanti.chiudi, &QPushButton::clicked, this, &QDialog::reject);
        connect(pulsanti.applica, &QPushButton::clicked, this, [this] {
            leggi();
            modello_.applica(ws_, canvas_, host_);
            mostra();
        });
        connect(pulsanti.esporta, &QPushButton::clicked, this, [this] {
            leggi();
            modello_.esporta(host_, [this](bool visibile) { setEnabled(visibile); });
        });
        connect(pulsanti.stampa, &QPushButton::clicked, this, [this] {
            leggi();
            stampaGriglie(this, windowTitle(), {}, {&modello_.Grid1, &modello_.Grid2});
        });
    }

protected:
    void showEvent(QShowEvent* evento) override {
        if (!evento->spontaneous()) {
            modello_.carica(ws_.Triangolazione, ws_.impostazioni);
            mostra();
        }
        QDialog::showEvent(evento);
    }

private:
    void leggi() {
        griglia1_->leggi(modello_.Grid1);
        for (int i = 0; i < ModelloTriangolazione::kCaselle; ++i)
            modello_.Text1[static_cast<std::size_t>(i)] = caselle_[static_cast<std::size_t>(i)]->text().toStdString();
    }
    void mostra() {
        griglia1_->mostra(modello_.Grid1);
        griglia2_->mostra(modello_.Grid2);
        for (int i = 0; i < ModelloTriangolazione::kCaselle; ++i)
            caselle_[static_cast<std::size_t>(i)]->setText(qtesto(modello_.Text1[static_cast<std::size_t>(i)]));
    }

    Workspace& ws_;
    Canvas& canvas_;
    Host& host_;
    ModelloTriangolazione modello_;
    std::vector<QLineEdit*> caselle_;
    TabellaGriglia* griglia1_;
    TabellaGriglia* griglia2_;
};

CARVELA_REGISTRA_PAGINA(Pagina::Triangolazione, FinestraTriangolazione)

}  // namespace
}  // namespace carvela
