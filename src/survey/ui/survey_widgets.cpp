#include "survey/ui/survey_widgets.h"

#include <QFormLayout>

namespace carvela {

QPushButton* pulsanteRilievo(QWidget* parent, const char* testo, const char* nome) {
    auto* p = new QPushButton(QString::fromUtf8(testo), parent);
    p->setObjectName(nome);
    p->setAutoDefault(false);
    return p;
}

QGroupBox* corniceCaselle(QWidget* parent, const char* titolo, const std::vector<int>& indici,
                          const std::vector<const char*>& etichette, std::vector<QLineEdit*>& caselle) {
    auto* cornice = new QGroupBox(QString::fromUtf8(titolo), parent);
    auto* campi = new QFormLayout(cornice);
    for (std::size_t i = 0; i < indici.size(); ++i) {
        auto* casella = new QLineEdit(cornice);
        casella->setObjectName(QString("Text1_%1").arg(indici[i]));
        casella->setAlignment(Qt::AlignRight);
        campi->addRow(QString::fromUtf8(etichette[i]), casella);
        if (static_cast<int>(caselle.size()) <= indici[i]) caselle.resize(static_cast<std::size_t>(indici[i]) + 1);
        caselle[static_cast<std::size_t>(indici[i])] = casella;
    }
    return cornice;
}

}  // namespace carvela
