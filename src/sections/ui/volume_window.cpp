// The volume window "Tabella dei volumi paleggiabili" (TalbellaPaleggi).
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "project/text_export.h"
#include "sections/volume_page.h"
#include "shell/ui/grid_table.h"
#include "shell/ui/page_registry.h"
#include "shell/workspace.h"

namespace carvela {
namespace {

class FinestraVolumi : public QDialog {
public:
    FinestraVolumi(ContestoPagina& contesto, QWidget* parent)
        : QDialog(parent), ws_(contesto.ws), host_(contesto.host), pagina_(contesto.ws) {
        setWindowTitle("Tabella dei volumi paleggiabili");
        setModal(true);

        tabella_ = new TabellaGriglia(this);
        tabella_->setObjectName("griglia");
        stato_ = new QLabel(this);
        stato_->setObjectName("stato");
        stato_->setStyleSheet("color: #c00000;");
        stato_->setWordWrap(true);

        auto* esporta = new QPushButton("&Esporta TXT", this);
        esporta->setObjectName("esporta");
        auto* chiudi = new QPushButton("C&hiudi", this);
        chiudi->setObjectName("chiudi");
        auto* pulsanti = new QHBoxLayout;
        pulsanti->addStretch();
        pulsanti->addWidget(esporta);
        pulsanti->addWidget(chiudi);

        auto* principale = new QVBoxLayout(this);
        principale->addWidget(tabella_, 1);
        principale->addWidget(stato_);
        principale->addLayout(pulsanti);
        resize(720, 480);

        connect(esporta, &QPushButton::clicked, this,
                [this] { esportaTesto(host_, {&pagina_.griglia}, [this](bool visibile) { setEnabled(visibile); }); });
        connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);
    }

protected:
    // The table is filled from the records each time the window opens.
    void showEvent(QShowEvent* e) override {
        pagina_ = PaginaVolumi(ws_);
        tabella_->mostra(pagina_.griglia);
        stato_->setText(QString::fromStdString(pagina_.stato));
        stato_->setVisible(!pagina_.stato.empty());
        QDialog::showEvent(e);
    }

private:
    Workspace& ws_;
    Host& host_;
    PaginaVolumi pagina_;
    TabellaGriglia* tabella_;
    QLabel* stato_;
};

}  // namespace
}  // namespace carvela

using carvela::FinestraVolumi;
CARVELA_REGISTRA_PAGINA(::carvela::Pagina::TabellaVolumi, FinestraVolumi)
