// The section window "Caratteristiche della sezione" (InsertSezione).
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "project/text_export.h"
#include "sections/section_page.h"
#include "shell/ui/grid_table.h"
#include "shell/ui/page_registry.h"
#include "shell/workspace.h"

namespace carvela {
namespace {

class FinestraSezione : public QDialog {
public:
    FinestraSezione(ContestoPagina& contesto, QWidget* parent)
        : QDialog(parent), host_(contesto.host), pagina_(contesto.ws, contesto.canvas, contesto.host) {
        setWindowTitle("Caratteristiche della sezione");
        setModal(true);

        elenco_ = new QListWidget(this);
        elenco_->setObjectName("elencoSezioni");
        elenco_->setMaximumWidth(160);

        auto* campi = new QGridLayout;
        const char* etichette[] = {"Numero progressivo della sezione:", "Distanza progressiva della sezione:",
                                   "Quota di progetto in asse:", "Larghezza della strada:"};
        const char* nomi[] = {"numero", "progressiva", "quota", "larghezza"};
        for (int i = 0; i < 4; ++i) {
            campi->addWidget(new QLabel(etichette[i], this), i, 0);
            caselle_[i] = new QLineEdit(this);
            caselle_[i]->setObjectName(nomi[i]);
            campi->addWidget(caselle_[i], i, 1);
        }

        tabella_ = new TabellaGriglia(this);
        tabella_->setObjectName("griglia");
        tabella_->impostaDigitazione(1, TabellaGriglia::Digitazione::Numerica);
        tabella_->impostaDigitazione(2, TabellaGriglia::Digitazione::Numerica);

        stato_ = new QLabel(this);
        stato_->setObjectName("stato");
        stato_->setStyleSheet("color: #c00000;");
        stato_->setWordWrap(true);

        auto* applica = new QPushButton("&Applica", this);
        applica->setObjectName("applica");
        auto* esporta = new QPushButton("&Esporta TXT", this);
        esporta->setObjectName("esporta");
        auto* chiudi = new QPushButton("C&hiudi", this);
        chiudi->setObjectName("chiudi");
        auto* pulsanti = new QHBoxLayout;
        pulsanti->addStretch();
        pulsanti->addWidget(applica);
        pulsanti->addWidget(esporta);
        pulsanti->addWidget(chiudi);

        auto* destra = new QVBoxLayout;
        destra->addLayout(campi);
        destra->addWidget(new QLabel("Coordinate dei punti del terreno:", this));
        destra->addWidget(tabella_, 1);
        destra->addWidget(stato_);
        destra->addLayout(pulsanti);
        auto* principale = new QHBoxLayout(this);
        principale->addWidget(elenco_);
        principale->addLayout(destra, 1);
        resize(640, 520);

        connect(elenco_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            leggi();
            pagina_.scegli(elenco_->row(item));
            mostra();
        });
        connect(applica, &QPushButton::clicked, this, [this] {
            leggi();
            pagina_.applica();
            mostra();
        });
        connect(esporta, &QPushButton::clicked, this, [this] {
            leggi();
            esportaTesto(host_, {&pagina_.griglia}, [this](bool visibile) { setEnabled(visibile); });
        });
        connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    }

protected:
    void showEvent(QShowEvent* e) override {
        pagina_.apri();
        mostra();
        QDialog::showEvent(e);
    }

private:
    void leggi() {
        tabella_->leggi(pagina_.griglia);
        pagina_.numero = caselle_[0]->text().toStdString();
        pagina_.progressiva = caselle_[1]->text().toStdString();
        pagina_.quota = caselle_[2]->text().toStdString();
        pagina_.larghezza = caselle_[3]->text().toStdString();
    }
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
        stato_->setText(QString::fromStdString(pagina_.stato));
        stato_->setVisible(!pagina_.stato.empty());
    }

    Host& host_;
    PaginaSezione pagina_;
    QListWidget* elenco_;
    QLineEdit* caselle_[4];
    TabellaGriglia* tabella_;
    QLabel* stato_;
};

}  // namespace
}  // namespace carvela

using carvela::FinestraSezione;
CARVELA_REGISTRA_PAGINA(::carvela::Pagina::Sezione, FinestraSezione)
