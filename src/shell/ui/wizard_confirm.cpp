#include "shell/ui/wizard_confirm.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/wizard.h"

namespace carvela {

FinestraConferma::FinestraConferma(SettingsStore& impostazioni, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmConfirm"));
    setWindowTitle(QString::fromStdString(testoWizard(10000)));
    setModal(true);
    auto* colonna = new QVBoxLayout(this);
    auto* testo = new QLabel(QString::fromStdString(testoWizard(10001)), this);
    testo->setWordWrap(true);
    testo->setMinimumWidth(320);
    casella_ = new QCheckBox(QString::fromStdString(testoWizard(10002)), this);
    casella_->setObjectName(QStringLiteral("chkDontShow"));
    casella_->setChecked(!Autocomposizione::confermaDaMostrare(impostazioni));
    auto* ok = new QPushButton(QString::fromStdString(testoWizard(10003)), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    colonna->addWidget(testo);
    colonna->addSpacing(8);
    colonna->addWidget(casella_);
    auto* riga = new QHBoxLayout;
    riga->addStretch();
    riga->addWidget(ok);
    colonna->addLayout(riga);
    connect(casella_, &QCheckBox::toggled, this,
            [&impostazioni](bool spuntata) { Autocomposizione::impostaConfermaDaNonMostrare(impostazioni, spuntata); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace carvela
