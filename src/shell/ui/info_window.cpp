#include "shell/ui/info_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ui/icons.h"

namespace carvela {

QString nomeProduttore() { return "Carvela"; }

QString commentiVersione() {
    return QString("Progettazione preliminare di strade su terreno rilevato e calcoli topografici.\nVersione %1")
        .arg(CARVELA_VERSION);
}

FinestraInformazioni::FinestraInformazioni(ContestoPagina&, QWidget* parent) : QDialog(parent) {
    setObjectName("FormInfo");
    setWindowTitle("Informazioni su Carvela");
    auto* immagine = new QLabel(this);
    immagine->setPixmap(immagineMarchio(160, 120));
    auto* produttore = new QLabel(nomeProduttore(), this);
    produttore->setObjectName("LabelCompagnia");
    QFont f = produttore->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    produttore->setFont(f);
    auto* commenti = new QLabel(commentiVersione(), this);
    commenti->setObjectName("LabelCommenti");
    commenti->setWordWrap(true);
    auto* chiudi = new QPushButton("OK", this);
    chiudi->setObjectName("chiudi");
    chiudi->setDefault(true);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);

    auto* testi = new QVBoxLayout;
    testi->addWidget(produttore);
    testi->addWidget(commenti);
    testi->addStretch();
    testi->addWidget(chiudi, 0, Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(immagine, 0, Qt::AlignTop);
    layout->addLayout(testi);
    setMinimumWidth(480);
}

CARVELA_REGISTRA_PAGINA(Pagina::Informazioni, FinestraInformazioni)

}  // namespace carvela
