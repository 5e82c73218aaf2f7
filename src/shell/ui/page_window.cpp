#include "shell/ui/page_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "shell/ui/print_grids.h"
#include "state/text_export_command.h"
#include "state/undo.h"
#include "state/workspace.h"

namespace carvela {
namespace {

struct VocePulsante {
    FinestraPagina::Pulsante quale;
    const char* testo;
    const char* nome;
};
// In the order of the row.
constexpr VocePulsante kPulsanti[] = {
    {FinestraPagina::Applica, "&Applica", "applica"},
    {FinestraPagina::Esporta, "&Esporta TXT", "esporta"},
    {FinestraPagina::Stampa, "&Stampa...", "stampa"},
    {FinestraPagina::Chiudi, "C&hiudi", "chiudi"},
};

}  // namespace

FinestraPagina::FinestraPagina(ContestoPagina& contesto, const QString& titolo, QWidget* parent)
    : QDialog(parent), contesto_(contesto) {
    setWindowTitle(titolo);
    setModal(true);
}

QPushButton* FinestraPagina::pulsante(Pulsante quale) const {
    for (std::size_t i = 0; i < std::size(kPulsanti); ++i)
        if (kPulsanti[i].quale == quale) return pulsanti_[i];
    return nullptr;
}

Griglia FinestraPagina::grigliaValori(const std::vector<std::pair<std::string, std::string>>& valori) {
    Griglia g(2, static_cast<int>(valori.size()) + 1);
    for (std::size_t i = 0; i < valori.size(); ++i) {
        g.imposta(0, static_cast<int>(i) + 1, valori[i].first);
        g.imposta(1, static_cast<int>(i) + 1, valori[i].second);
    }
    return g;
}

void FinestraPagina::esporta() {
    leggiSchermo();
    esportaTesto(host(), griglie(), [this](bool visibile) { setEnabled(visibile); });
}

void FinestraPagina::stampa() {
    leggiSchermo();
    stampaGriglie(this, host(), windowTitle(), griglieStampa());
}

TabellaGriglia* FinestraPagina::nuovaTabella(const char* nome, std::initializer_list<int> colonneNumeriche) {
    auto* tabella = new TabellaGriglia(this);
    tabella->setObjectName(nome);
    for (int c : colonneNumeriche) tabella->impostaDigitazione(c, TabellaGriglia::Digitazione::Numerica);
    return tabella;
}

QHBoxLayout* FinestraPagina::rigaPulsanti(int quali) {
    auto* riga = new QHBoxLayout;
    for (std::size_t i = 0; i < std::size(kPulsanti); ++i) {
        const VocePulsante& v = kPulsanti[i];
        if ((quali & v.quale) == 0) continue;
        auto* b = new QPushButton(QString::fromUtf8(v.testo), this);
        b->setObjectName(v.nome);
        // Enter belongs to the grids and boxes: it must not apply or close the page.
        b->setAutoDefault(false);
        pulsanti_[i] = b;
        if (v.quale == Chiudi) riga->addStretch();
        riga->addWidget(b);
    }
    if (QPushButton* b = pulsante(Applica)) connect(b, &QPushButton::clicked, this, [this] {
            PassoStoria passo(ws(), partiApplica_);
            applica();
            segnaModifica(ws());  // "&Applica" puts the page into the project
        });
    if (QPushButton* b = pulsante(Esporta)) connect(b, &QPushButton::clicked, this, &FinestraPagina::esporta);
    if (QPushButton* b = pulsante(Stampa)) connect(b, &QPushButton::clicked, this, &FinestraPagina::stampa);
    if (QPushButton* b = pulsante(Chiudi)) connect(b, &QPushButton::clicked, this, &QDialog::reject);
    return riga;
}

QLabel* FinestraPagina::nuovaNota() {
    nota_ = new QLabel(this);
    nota_->setObjectName("stato");
    nota_->setStyleSheet("color: #c00000;");
    nota_->setWordWrap(true);
    nota_->hide();
    return nota_;
}

void FinestraPagina::mostraNota(const std::string& testo) {
    if (nota_ == nullptr) return;
    nota_->setText(QString::fromStdString(testo));
    nota_->setVisible(!testo.empty());
}

// A show that the window system makes (a window restored) keeps what was typed; an opening
// by the program loads the records afresh.
void FinestraPagina::showEvent(QShowEvent* evento) {
    if (!evento->spontaneous()) carica();
    QDialog::showEvent(evento);
}

}  // namespace carvela
