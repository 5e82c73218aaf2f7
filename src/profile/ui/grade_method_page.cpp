#include "profile/ui/grade_method_page.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "graphics/road_drawings.h"
#include "state/workspace.h"

namespace carvela {

FinestraTipoProfilo::FinestraTipoProfilo(ContestoPagina& contesto, QWidget* parent)
    : FinestraPagina(contesto, "Imposta tipo di calcolo della livelletta", parent) {
    setObjectName("impostaProfilo");
    schede_ = new QTabWidget(this);
    for (int t = 0; t < 4; ++t) {
        TabellaGriglia* tabella = nuovaTabella(nullptr);
        for (int c = 1; c <= 2; ++c) tabella->impostaDigitazione(c, TabellaGriglia::Digitazione::Libera);
        tabelle_[static_cast<std::size_t>(t)] = tabella;
        schede_->addTab(tabella, PaginaTipoProfilo::titoliSchede()[static_cast<std::size_t>(t)]);
    }
    auto* quinta = new QWidget(schede_);
    auto* modulo = new QFormLayout(quinta);
    quota_ = new QLineEdit(quinta);
    modulo->addRow("Quota di progetto di partenza:", quota_);
    schede_->addTab(quinta, PaginaTipoProfilo::titoliSchede()[4]);
    connect(schede_, &QTabWidget::currentChanged, this, [this](int i) { pagina_.scheda = i; });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(schede_);
    layout->addLayout(rigaPulsanti(Applica | Chiudi));
    resize(620, 380);
}

// Opening builds the grids; activation fills them and selects the method's tab.
void FinestraTipoProfilo::carica() {
    pagina_.scheda = schede_->currentIndex();
    pagina_.apri(ws());
    pagina_.attiva(ws());
    for (int t = 0; t < 4; ++t)
        tabelle_[static_cast<std::size_t>(t)]->mostra(pagina_.griglie[static_cast<std::size_t>(t)]);
    quota_->setText(QString::fromStdString(pagina_.quotaPartenza));
    schede_->setCurrentIndex(pagina_.scheda);
}

void FinestraTipoProfilo::leggiSchermo() {
    for (int t = 0; t < 4; ++t)
        tabelle_[static_cast<std::size_t>(t)]->leggi(pagina_.griglie[static_cast<std::size_t>(t)]);
    pagina_.quotaPartenza = quota_->text().toStdString();
    pagina_.scheda = schede_->currentIndex();
}

void FinestraTipoProfilo::applica() {
    leggiSchermo();
    if (pagina_.applica(ws(), host())) {
        disegnaProfilo(ws(), canvas(), host());
    } else if (pagina_.scheda < 4) {
        const auto t = static_cast<std::size_t>(pagina_.scheda);
        tabelle_[t]->mostraErrore(pagina_.griglie[t]);
    } else {
        // The fifth tab has one entry: the start elevation.
        quota_->setFocus(Qt::OtherFocusReason);
        quota_->selectAll();
    }
}

CARVELA_REGISTRA_PAGINA(Pagina::TipoProfilo, FinestraTipoProfilo)

}  // namespace carvela
