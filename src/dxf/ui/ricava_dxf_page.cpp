#include "dxf/ui/ricava_dxf_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dxf/dxf_commands.h"
#include "state/undo.h"
#include "state/workspace.h"

namespace carvela {

PaginaRicavaDxf::PaginaRicavaDxf(ContestoPagina& contesto, QWidget* parent) : QDialog(parent), contesto_(contesto) {
    setWindowTitle(QStringLiteral("Ricava progetto da file DXF"));
    setModal(true);

    auto* tipi = new QGroupBox(QStringLiteral("Tipologia di progetto:"), this);
    auto* tipiLayout = new QVBoxLayout(tipi);
    progetto_ = new QButtonGroup(this);
    const char* const nomiProgetto[] = {"piano quotato",  "poligonale aperta", "poligonale chiusa",
                                        "triangolazione", "profilo",           "sezione"};
    for (int i = 0; i < 6; ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(nomiProgetto[i]), tipi);
        progetto_->addButton(b, i);
        tipiLayout->addWidget(b);
    }
    progetto_->button(0)->setChecked(true);

    auto* opzioni = new QGroupBox(QString::fromUtf8("Opzioni di riconoscimento delle entità:"), this);
    auto* opzioniLayout = new QGridLayout(opzioni);
    selezione_ = new QButtonGroup(this);
    const char* const nomiSelezione[] = {"colore", "layer", "entità", "tutte le entità", "combinata"};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(nomiSelezione[i]), opzioni);
        selezione_->addButton(b, i);
        opzioniLayout->addWidget(b, i, 0);
        if (i < 3) {
            elenchi_[i] = new QComboBox(opzioni);
            opzioniLayout->addWidget(elenchi_[i], i, 1);
        }
    }
    selezione_->button(0)->setChecked(true);
    curve_ = new QCheckBox(QStringLiteral("Ricava curve di livello da polilinee SPLine"), opzioni);
    opzioniLayout->addWidget(curve_, 5, 0, 1, 2);

    riconosci_ = new QPushButton(QStringLiteral("<<  &Riconosci... >>"), this);
    chiudi_ = new QPushButton(QStringLiteral("C&hiudi"), this);
    connect(riconosci_, &QPushButton::clicked, this, [this] {
        PassoStoria passo(contesto_.ws, partiPagina(Pagina::RicavaDxf));
        riconosci();
    });
    connect(chiudi_, &QPushButton::clicked, this, &QDialog::reject);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(riconosci_);
    pulsanti->addWidget(chiudi_);
    auto* layout = new QVBoxLayout(this);
    auto* riquadri = new QHBoxLayout;
    riquadri->addWidget(tipi);
    riquadri->addWidget(opzioni);
    layout->addLayout(riquadri);
    layout->addLayout(pulsanti);
}

void PaginaRicavaDxf::showEvent(QShowEvent* event) {
    // The window is made once and shown again: every opening analyses the drawing anew.
    analizza();
    QDialog::showEvent(event);
}

void PaginaRicavaDxf::analizza() {
    chiudi_->setVisible(contesto_.ws.wizardAttivo != -1);
    modello_.analizza(contesto_.ws.DxfDrawing, &contesto_.host);
    const std::vector<VoceDxf>* liste[3] = {&modello_.analisi().colori, &modello_.analisi().layer,
                                            &modello_.analisi().tipi};
    for (int i = 0; i < 3; ++i) {
        elenchi_[i]->clear();
        for (const VoceDxf& v : *liste[i]) elenchi_[i]->addItem(QString::fromStdString(v.testo), v.entita);
        elenchi_[i]->setCurrentIndex(liste[i]->empty() ? -1 : 0);
    }
}

void PaginaRicavaDxf::riconosci() {
    modello_.progetto = static_cast<TipoProgettoDxf>(std::max(0, progetto_->checkedId()));
    modello_.modo = static_cast<ModoSelezioneDxf>(std::max(0, selezione_->checkedId()));
    modello_.curveDaPolilinee = curve_->isChecked();
    modello_.indiceColore = elenchi_[0]->currentIndex();
    modello_.indiceLayer = elenchi_[1]->currentIndex();
    modello_.indiceTipo = elenchi_[2]->currentIndex();
    SceltaDxf scelta;
    if (!modello_.scelta(contesto_.ws.DxfDrawing, contesto_.host, scelta)) return;
    accept();  // the window goes first, then the target's page may open
    if (riconosciDxf(contesto_.ws, contesto_.canvas, contesto_.host, scelta)) segnaModifica(contesto_.ws);
}

CARVELA_REGISTRA_PAGINA(Pagina::RicavaDxf, PaginaRicavaDxf)

}  // namespace carvela
