#include "survey/ui/survey_widgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

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

PulsantiPagina pulsantiPagina(QWidget* parent) {
    PulsantiPagina p;
    p.chiudi = pulsanteRilievo(parent, "C&hiudi", "chiudi");
    p.applica = pulsanteRilievo(parent, "&Applica", "applica");
    p.stampa = pulsanteRilievo(parent, "&Stampa...", "stampa");
    p.esporta = pulsanteRilievo(parent, "&Esporta TXT", "esporta");
    p.riga = new QHBoxLayout;
    p.riga->addStretch();
    for (auto* b : {p.applica, p.stampa, p.esporta, p.chiudi}) p.riga->addWidget(b);
    return p;
}

namespace {

// Rows with at least one data cell; a grid of defaults stays short on paper.
bool rigaPiena(const Griglia& g, int r) {
    for (int c = 1; c < g.colonne(); ++c)
        if (!g.testo(r, c).empty()) return true;
    return false;
}

QString tabellaHtml(const Griglia& g) {
    QString html = "<table border='1' cellspacing='0' cellpadding='3'><tr>";
    for (int c = 0; c < g.colonne(); ++c) html += "<th>" + qtesto(g.testo(0, c)).toHtmlEscaped() + "</th>";
    html += "</tr>";
    for (int r = 1; r < g.righe(); ++r) {
        if (!rigaPiena(g, r)) continue;
        html += "<tr>";
        for (int c = 0; c < g.colonne(); ++c)
            html += "<td align='right'>" + qtesto(g.testo(r, c)).toHtmlEscaped() + "</td>";
        html += "</tr>";
    }
    return html + "</table><br>";
}

}  // namespace

void stampaGriglie(QWidget* parent, const QString& titolo, const std::vector<std::string>& righeIntestazione,
                   const std::vector<const Griglia*>& griglie) {
    QPrinter stampante;
    QPrintDialog dialogo(&stampante, parent);
    dialogo.setWindowTitle(titolo);
    if (dialogo.exec() != QDialog::Accepted) return;
    QString html = "<h3>" + titolo.toHtmlEscaped() + "</h3>";
    for (const auto& r : righeIntestazione) html += qtesto(r).toHtmlEscaped() + "<br>";
    html += "<br>";
    for (const Griglia* g : griglie) html += tabellaHtml(*g);
    QTextDocument documento;
    documento.setHtml(html);
    documento.print(&stampante);
}

}  // namespace carvela
