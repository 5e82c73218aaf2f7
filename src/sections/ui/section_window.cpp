// The section window "Caratteristiche della sezione" (InsertSezione).
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "graphics/road_drawings.h"
#include "sections/section_page.h"
#include "shell/ui/page_window.h"
#include "state/workspace.h"

namespace carvela {
namespace {

const char* const kEtichette[] = {"Numero progressivo della sezione:", "Distanza progressiva della sezione:",
                                  "Quota di progetto in asse:", "Larghezza della strada:"};

class FinestraSezione : public FinestraPagina {
public:
    FinestraSezione(ContestoPagina& contesto, QWidget* parent)
        : FinestraPagina(contesto, "Caratteristiche della sezione", parent),
          pagina_(ws(), host(), [this](const Sezione& s) { disegnaSezione(ws(), canvas(), host(), s); }) {
        elenco_ = new QListWidget(this);
        elenco_->setObjectName("elencoSezioni");
        elenco_->setMaximumWidth(160);

        auto* campi = new QGridLayout;
        const char* nomi[] = {"numero", "progressiva", "quota", "larghezza"};
        for (int i = 0; i < 4; ++i) {
            campi->addWidget(new QLabel(kEtichette[i], this), i, 0);
            caselle_[i] = new QLineEdit(this);
            caselle_[i]->setObjectName(nomi[i]);
            campi->addWidget(caselle_[i], i, 1);
        }
        tabella_ = nuovaTabella("griglia", {1, 2});

        auto* destra = new QVBoxLayout;
        destra->addLayout(campi);
        destra->addWidget(new QLabel("Coordinate dei punti del terreno:", this));
        destra->addWidget(tabella_, 1);
        destra->addWidget(nuovaNota());
        destra->addLayout(rigaPulsanti());
        auto* principale = new QHBoxLayout(this);
        principale->addWidget(elenco_);
        principale->addLayout(destra, 1);
        resize(640, 520);

        connect(elenco_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            leggiSchermo();
            pagina_.scegli(elenco_->row(item));
            mostra();
        });
    }

    std::vector<const Griglia*> griglie() const override { return {&pagina_.griglia}; }
    // On paper the section's boxes head its ground points.
    std::vector<const Griglia*> griglieStampa() override {
        std::vector<std::pair<std::string, std::string>> valori;
        const std::string* testi[] = {&pagina_.numero, &pagina_.progressiva, &pagina_.quota, &pagina_.larghezza};
        for (int i = 0; i < 4; ++i) {
            std::string etichetta = kEtichette[i];
            etichetta.pop_back();  // the colon
            valori.emplace_back(etichetta, *testi[i]);
        }
        caselleStampa_ = grigliaValori(valori);
        return {&caselleStampa_, &pagina_.griglia};
    }

protected:
    void carica() override {
        pagina_.apri();
        mostra();
    }
    void leggiSchermo() override {
        tabella_->leggi(pagina_.griglia);
        pagina_.numero = caselle_[0]->text().toStdString();
        pagina_.progressiva = caselle_[1]->text().toStdString();
        pagina_.quota = caselle_[2]->text().toStdString();
        pagina_.larghezza = caselle_[3]->text().toStdString();
    }
    void applica() override {
        leggiSchermo();
        pagina_.applica();
        mostra();
        tabella_->mostraErrore(pagina_.griglia);
    }

private:
    void mostra() {
        elenco_->clear();
        for (const auto& v : pagina_.elenco) {
            auto* item = new QListWidgetItem(QString::fromStdString(v.testo), elenco_);
            item->setData(Qt::UserRole, v.posizione);
        }
        caselle_[0]->setText(QString::fromStdString(pagina_.numero));
        caselle_[1]->setText(QString::fromStdString(pagina_.progressiva));
        caselle_[2]->setText(QString::fromStdString(pagina_.quota));
        caselle_[3]->setText(QString::fromStdString(pagina_.larghezza));
        tabella_->mostra(pagina_.griglia);
        mostraNota(pagina_.stato);
    }

    PaginaSezione pagina_;
    QListWidget* elenco_;
    QLineEdit* caselle_[4];
    TabellaGriglia* tabella_;
    Griglia caselleStampa_;
};

}  // namespace
}  // namespace carvela

using carvela::FinestraSezione;
CARVELA_REGISTRA_PAGINA(::carvela::Pagina::Sezione, FinestraSezione)
