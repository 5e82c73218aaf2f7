#include "profile/ui/grade_method_page.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/ui/grid_table.h"
#include "shell/workspace.h"

namespace carvela {

FinestraTipoProfilo::FinestraTipoProfilo(ContestoPagina& contesto, QWidget* parent)
    : QDialog(parent), contesto_(contesto) {
    setWindowTitle("Imposta tipo di calcolo della livelletta");
    setObjectName("impostaProfilo");
    const QFont carattere("MS Sans Serif", 8);
    schede_ = new QTabWidget(this);
    for (int t = 0; t < 4; ++t) {
        auto* tabella = new TabellaGriglia(schede_);
        tabella->setFont(carattere);
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

    auto* applica = new QPushButton("&Applica", this);
    auto* chiudi = new QPushButton("C&hiudi", this);
    for (QPushButton* b : {applica, chiudi}) b->setAutoDefault(false);
    applica->setObjectName("applica");
    connect(applica, &QPushButton::clicked, this, &FinestraTipoProfilo::applica);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(applica);
    pulsanti->addStretch();
    pulsanti->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(schede_);
    layout->addLayout(pulsanti);
    resize(620, 380);
}

// Opening builds the grids; activation fills them and selects the method's tab.
void FinestraTipoProfilo::showEvent(QShowEvent* event) {
    pagina_.scheda = schede_->currentIndex();
    pagina_.apri(contesto_.ws);
    pagina_.attiva(contesto_.ws);
    for (int t = 0; t < 4; ++t) tabelle_[static_cast<std::size_t>(t)]->mostra(pagina_.griglie[static_cast<std::size_t>(t)]);
    quota_->setText(QString::fromStdString(pagina_.quotaPartenza));
    schede_->setCurrentIndex(pagina_.scheda);
    QDialog::showEvent(event);
}

void FinestraTipoProfilo::applica() {
    for (int t = 0; t < 4; ++t) tabelle_[static_cast<std::size_t>(t)]->leggi(pagina_.griglie[static_cast<std::size_t>(t)]);
    pagina_.quotaPartenza = quota_->text().toStdString();
    pagina_.scheda = schede_->currentIndex();
    pagina_.applica(contesto_.ws, contesto_.canvas, contesto_.host);
}

CARVELA_REGISTRA_PAGINA(Pagina::TipoProfilo, FinestraTipoProfilo)

}  // namespace carvela
