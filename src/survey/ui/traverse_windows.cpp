// The windows "Poligonale aperta" (InsertPoligoAperta) and "Poligonale chiusa"
// (InsertPoligoChiusa): two grids, the reference boxes and the page buttons over the page
// models of the core.
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

#include "shell/ui/grid_table.h"
#include "shell/ui/page_registry.h"
#include "shell/workspace.h"
#include "survey/traverse_pages.h"
#include "survey/ui/survey_widgets.h"

namespace carvela {
namespace {

// The two grids of a traverse page: readings typed through the numeric keystroke rule,
// results read-only.
void preparaTabelle(TabellaGriglia* lettura, TabellaGriglia* risultati) {
    lettura->setObjectName("Grid1");
    risultati->setObjectName("Grid2");
    for (int c = 1; c <= 6; ++c) lettura->impostaDigitazione(c, TabellaGriglia::Digitazione::Numerica);
}

void leggiCaselle(const std::vector<QLineEdit*>& caselle, std::string* testi, int quante) {
    for (int i = 0; i < quante; ++i) testi[i] = caselle[static_cast<std::size_t>(i)]->text().toStdString();
}

void mostraCaselle(std::vector<QLineEdit*>& caselle, const std::string* testi, int quante) {
    for (int i = 0; i < quante; ++i) caselle[static_cast<std::size_t>(i)]->setText(qtesto(testi[i]));
}

class FinestraPoligonaleAperta : public QDialog {
public:
    FinestraPoligonaleAperta(ContestoPagina& contesto, QWidget* parent)
        : QDialog(parent), ws_(contesto.ws), canvas_(contesto.canvas), host_(contesto.host) {
        setWindowTitle(ModelloPoligonaleAperta::kTitolo);
        setModal(true);
        const auto& e = ModelloPoligonaleAperta::kEtichette;
        auto* riferimento = corniceCaselle(this, "&Coordinate del vertice di riferimento:", {0, 1, 2, 3},
                                           {e[0], e[1], e[2], e[3]}, caselle_);
        griglia1_ = new TabellaGriglia(this);
        griglia2_ = new TabellaGriglia(this);
        preparaTabelle(griglia1_, griglia2_);
        const PulsantiPagina pulsanti = pulsantiPagina(this);

        auto* layout = new QVBoxLayout(this);
        layout->addWidget(riferimento);
        layout->addWidget(griglia1_, 1);
        layout->addWidget(griglia2_, 1);
        layout->addLayout(pulsanti.riga);
        resize(760, 640);

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
            modello_.carica(ws_.PoligonaleAperta, ws_.impostazioni);
            mostra();
        }
        QDialog::showEvent(evento);
    }

private:
    void leggi() {
        griglia1_->leggi(modello_.Grid1);
        leggiCaselle(caselle_, modello_.Text1.data(), ModelloPoligonaleAperta::kCaselle);
    }
    void mostra() {
        griglia1_->mostra(modello_.Grid1);
        griglia2_->mostra(modello_.Grid2);
        mostraCaselle(caselle_, modello_.Text1.data(), ModelloPoligonaleAperta::kCaselle);
    }

    Workspace& ws_;
    Canvas& canvas_;
    Host& host_;
    ModelloPoligonaleAperta modello_;
    std::vector<QLineEdit*> caselle_;
    TabellaGriglia* griglia1_;
    TabellaGriglia* griglia2_;
};

class FinestraPoligonaleChiusa : public QDialog {
public:
    FinestraPoligonaleChiusa(ContestoPagina& contesto, QWidget* parent)
        : QDialog(parent), ws_(contesto.ws), canvas_(contesto.canvas), host_(contesto.host) {
        setWindowTitle(ModelloPoligonaleChiusa::kTitolo);
        setModal(true);
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
        errori->addWidget(new QLabel("Errore di chiusura angolare:", this), 0, 0);
        errori->addWidget(erroreAngolare_, 0, 1);
        errori->addWidget(new QLabel("Errore di chiusura lineare:", this), 1, 0);
        errori->addWidget(erroreLineare_, 1, 1);

        griglia1_ = new TabellaGriglia(this);
        griglia2_ = new TabellaGriglia(this);
        preparaTabelle(griglia1_, griglia2_);
        const PulsantiPagina pulsanti = pulsantiPagina(this);

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
        layout->addLayout(pulsanti.riga);
        resize(760, 680);

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
            stampaGriglie(this, windowTitle(),
                          {"Errore di chiusura angolare: " + modello_.erroreAngolare,
                           "Errore di chiusura lineare: " + modello_.erroreLineare},
                          {&modello_.Grid1, &modello_.Grid2});
        });
    }

protected:
    void showEvent(QShowEvent* evento) override {
        if (!evento->spontaneous()) {
            modello_.carica(ws_.PoligonaleChiusa, ws_.impostazioni);
            mostra();
        }
        QDialog::showEvent(evento);
    }

private:
    void leggi() {
        griglia1_->leggi(modello_.Grid1);
        leggiCaselle(caselle_, modello_.Text1.data(), ModelloPoligonaleChiusa::kCaselle);
    }
    void mostra() {
        griglia1_->mostra(modello_.Grid1);
        griglia2_->mostra(modello_.Grid2);
        mostraCaselle(caselle_, modello_.Text1.data(), ModelloPoligonaleChiusa::kCaselle);
        erroreAngolare_->setText(qtesto(modello_.erroreAngolare));
        erroreLineare_->setText(qtesto(modello_.erroreLineare));
    }

    Workspace& ws_;
    Canvas& canvas_;
    Host& host_;
    ModelloPoligonaleChiusa modello_;
    std::vector<QLineEdit*> caselle_;
    QLabel* erroreAngolare_;
    QLabel* erroreLineare_;
    TabellaGriglia* griglia1_;
    TabellaGriglia* griglia2_;
};

CARVELA_REGISTRA_PAGINA(Pagina::PoligonaleAperta, FinestraPoligonaleAperta)
CARVELA_REGISTRA_PAGINA(Pagina::PoligonaleChiusa, FinestraPoligonaleChiusa)

}  // namespace
}  // namespace carvela
