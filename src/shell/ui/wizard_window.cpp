#include "shell/ui/wizard_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "graphics/ui/canvas_widget.h"
#include "shell/ui/qt_settings_store.h"
#include "shell/ui/wizard_confirm.h"
#include "shell/ui/wizard_help.h"
#include "state/host.h"
#include "state/undo.h"
#include "state/workspace.h"

namespace carvela {
namespace {

QString testo(int numero) { return QString::fromStdString(testoWizard(numero)); }

QLabel* spiegazione(int numero, QWidget* parent) {
    auto* l = new QLabel(testo(numero), parent);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setProperty("tag", numero);
    return l;
}

}  // namespace

FinestraWizard::FinestraWizard(ContestoPagina& contesto, QWidget* parent)
    : QDialog(parent),
      contesto_(contesto),
      impostazioni_(std::make_unique<QtSettingsStore>(QStringLiteral("Wizards"), QStringLiteral("WizardTemplate"))) {
    setObjectName(QStringLiteral("frmWizard"));
    setModal(false);
    modello_ =
        std::make_unique<Autocomposizione>(contesto_.ws, contesto_.canvas, contesto_.host, *this, *impostazioni_);

    auto* colonna = new QVBoxLayout(this);
    auto* corpo = new QHBoxLayout;
    auto* banda = new QLabel(QStringLiteral("Carvela"), this);
    banda->setObjectName(QStringLiteral("imgWizard"));
    banda->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    banda->setFixedWidth(110);
    banda->setMargin(10);
    banda->setStyleSheet(
        QStringLiteral("background-color: #1d4f7a; color: white; font-weight: bold; font-size: 13pt;"));
    fotogrammi_ = new QStackedWidget(this);
    for (int passo = 0; passo < kPassiWizard; ++passo) fotogrammi_->addWidget(creaFotogramma(passo));
    corpo->addWidget(banda);
    corpo->addWidget(fotogrammi_, 1);
    colonna->addLayout(corpo, 1);

    auto* riga = new QHBoxLayout;
    const char* nomi[5] = {"cmdNav_0", "cmdNav_1", "cmdNav_2", "cmdNav_3", "cmdNav_4"};
    for (int i = 0; i < 5; ++i) {
        pulsanti_[i] = new QPushButton(testo(100 + i), this);
        pulsanti_[i]->setObjectName(QString::fromLatin1(nomi[i]));
        pulsanti_[i]->setAutoDefault(false);
    }
    pulsanti_[Avanti]->setDefault(true);
    riga->addWidget(pulsanti_[Guida]);
    riga->addStretch();
    riga->addWidget(pulsanti_[Interrompi]);
    riga->addSpacing(12);
    riga->addWidget(pulsanti_[Indietro]);
    riga->addWidget(pulsanti_[Avanti]);
    riga->addSpacing(12);
    riga->addWidget(pulsanti_[Fine]);
    colonna->addLayout(riga);
    setMinimumSize(560, 340);

    connect(pulsanti_[Guida], &QPushButton::clicked, this, [this] { modello_->guida(); });
    connect(pulsanti_[Interrompi], &QPushButton::clicked, this, [this] { modello_->interrompi(); });
    connect(pulsanti_[Indietro], &QPushButton::clicked, this, [this] { vai(false); });
    connect(pulsanti_[Avanti], &QPushButton::clicked, this, [this] {
        PassoStoria passo(contesto_.ws, partiPagina(Pagina::Autocomposizione));
        vai(true);
    });
    connect(pulsanti_[Fine], &QPushButton::clicked, this, [this] {
        PassoStoria passo(contesto_.ws, partiPagina(Pagina::Autocomposizione));
        modello_->fine();
    });

    // Axis tracing ends on the canvas: the wizard comes back.
    if (auto* canvas = dynamic_cast<CanvasWidget*>(&contesto_.canvas)) {
        connect(canvas, &CanvasWidget::tracciamentoTerminato, this, [this] {
            modello_->tracciamentoTerminato();
            aggiorna();
        });
    }
}

// The program state may already be gone when the main window deletes its pages: nothing of
// it is touched here.
FinestraWizard::~FinestraWizard() { delete guida_; }

QWidget* FinestraWizard::creaFotogramma(int passo) {
    auto* f = new QWidget(this);
    f->setObjectName(QStringLiteral("fraStep_%1").arg(passo));
    f->setProperty("tag", kTitoliPassi[passo]);
    auto* colonna = new QVBoxLayout(f);
    auto* titolo = new QLabel(testo(kTitoliPassi[passo]), f);
    QFont carattere = titolo->font();
    carattere.setPointSizeF(carattere.pointSizeF() * 1.4);
    carattere.setBold(true);
    titolo->setFont(carattere);
    colonna->addWidget(titolo);
    colonna->addSpacing(6);
    colonna->addWidget(spiegazione(kSpiegazioniPassi[passo][0], f));
    switch (passo) {
    case 0:
        colonna->addStretch();
        introduzione_ = new QCheckBox(testo(1002), f);
        introduzione_->setObjectName(QStringLiteral("chkShowIntro"));
        introduzione_->setChecked(modello_->introduzioneDaNonMostrare());
        connect(introduzione_, &QCheckBox::toggled, this,
                [this](bool spuntata) { modello_->impostaIntroduzioneDaNonMostrare(spuntata); });
        colonna->addWidget(introduzione_);
        break;
    case 1: {
        auto* riga = new QHBoxLayout;
        campoFile_ = new QLineEdit(f);
        campoFile_->setObjectName(QStringLiteral("TextFileName"));
        sfoglia_ = new QPushButton(QStringLiteral("Sfoglia..."), f);
        sfoglia_->setObjectName(QStringLiteral("Command1"));
        sfoglia_->setAutoDefault(false);
        riga->addWidget(campoFile_, 1);
        riga->addWidget(sfoglia_);
        colonna->addSpacing(10);
        colonna->addLayout(riga);
        connect(campoFile_, &QLineEdit::textChanged, this,
                [this](const QString& t) { modello_->nomeFile = t.toStdString(); });
        connect(sfoglia_, &QPushButton::clicked, this, [this] {
            modello_->sfoglia();
            campoFile_->setText(QString::fromStdString(modello_->nomeFile));
        });
        colonna->addStretch();
        break;
    }
    case 5: {
        colonna->addWidget(spiegazione(kSpiegazioniPassi[passo][1], f));
        colonna->addSpacing(8);
        colonna->addWidget(new QLabel(QStringLiteral("Al termine dell'autocomposizione visualizza:"), f));
        for (OpzioneFinale o : kOrdineOpzioni) {
            auto* r = new QRadioButton(QString::fromUtf8(testoOpzione(o)), f);
            r->setObjectName(QStringLiteral("Option1_%1").arg(static_cast<int>(o)));
            opzioni_[static_cast<int>(o) - 1] = r;
            colonna->addWidget(r);
            connect(r, &QRadioButton::toggled, this, [this, o](bool scelta) {
                if (scelta) modello_->opzione = o;
            });
        }
        colonna->addStretch();
        break;
    }
    default: colonna->addStretch(); break;
    }
    return f;
}

QWidget* FinestraWizard::fotogramma(int passo) const { return fotogrammi_->widget(passo); }

int FinestraWizard::fotogrammaVisibile() const { return fotogrammi_->currentIndex(); }

void FinestraWizard::aggiorna() {
    fotogrammi_->setCurrentIndex(modello_->passo());
    setWindowTitle(QString::fromStdString(modello_->didascalia()));
    pulsanti_[Indietro]->setEnabled(modello_->indietroAbilitato());
    pulsanti_[Avanti]->setEnabled(modello_->avantiAbilitato());
    pulsanti_[Fine]->setEnabled(modello_->fineAbilitata());
    QRadioButton* scelta = opzioni_[static_cast<int>(modello_->opzione) - 1];
    if (!scelta->isChecked()) scelta->setChecked(true);
}

void FinestraWizard::vai(bool avanti) {
    if (avanti)
        modello_->avanti();
    else
        modello_->indietro();
    if (modello_->aperta()) aggiorna();
}

void FinestraWizard::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (modello_->aperta()) return;
    modello_->apri();
    campoFile_->setText(QString::fromStdString(modello_->nomeFile));
    introduzione_->setChecked(modello_->introduzioneDaNonMostrare());
    aggiorna();
}

void FinestraWizard::closeEvent(QCloseEvent* event) {
    if (!chiusuraInterna_ && modello_->aperta()) modello_->chiudi();
    QDialog::closeEvent(event);
}

void FinestraWizard::reject() { modello_->interrompi(); }

// F1 anywhere in the window acts as the help button.
void FinestraWizard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        modello_->guida();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FinestraWizard::nascondi() { hide(); }

void FinestraWizard::mostra() {
    show();
    raise();
    activateWindow();
}

// Disabling the main window itself would disable this window too (it is its child): its
// menus, toolbars and canvas are disabled instead, and exactly those are enabled again.
void FinestraWizard::abilitaPrincipale(bool abilitata) {
    if (abilitata) {
        for (const QPointer<QWidget>& w : disabilitati_)
            if (w) w->setEnabled(true);
        disabilitati_.clear();
        return;
    }
    QWidget* principale = parentWidget() ? parentWidget()->window() : nullptr;
    if (!principale) return;
    for (QWidget* w : principale->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow() || !w->isEnabled()) continue;
        w->setEnabled(false);
        disabilitati_.emplace_back(w);
    }
}

bool FinestraWizard::apriGuida(int contesto) {
    if (!guida_) guida_ = new FinestraGuida(nullptr);
    if (guida_->mostraContesto(contesto)) return true;
    contesto_.host.messaggio("La guida dell'autocomposizione non è disponibile.", Pulsanti::Ok, Icona::Avviso);
    return false;
}

void FinestraWizard::chiudiGuida() {
    if (guida_) guida_->close();
}

void FinestraWizard::chiudiFinestra() {
    chiusuraInterna_ = true;
    QDialog::done(QDialog::Accepted);
    chiusuraInterna_ = false;
}

void FinestraWizard::mostraConferma() {
    FinestraConferma conferma(*impostazioni_, parentWidget());
    conferma.exec();
}

CARVELA_REGISTRA_PAGINA(Pagina::Autocomposizione, FinestraWizard)

}  // namespace carvela
