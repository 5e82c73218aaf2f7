#include "shell/ui/grid_table.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "project/grid_typing.h"

namespace carvela {

TabellaGriglia::TabellaGriglia(QWidget* parent) : QTableWidget(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
    connect(this, &QTableWidget::cellClicked, this, [this](int r, int c) { emit cellaCliccata(r + 1, c + 1); });
}

void TabellaGriglia::mostra(const Griglia& g) {
    const int righe = std::max(0, g.righe() - 1);
    const int colonne = std::max(0, g.colonne() - 1);
    setRowCount(righe);
    setColumnCount(colonne);
    QStringList intestazioni;
    for (int c = 1; c < g.colonne(); ++c) intestazioni << QString::fromStdString(g.testo(0, c));
    setHorizontalHeaderLabels(intestazioni);
    if (g.colonne() > 0) {
        QStringList etichette;
        for (int r = 1; r < g.righe(); ++r) etichette << QString::fromStdString(g.testo(r, 0));
        setVerticalHeaderLabels(etichette);
        setCornerButtonEnabled(false);
    }
    for (int r = 1; r < g.righe(); ++r)
        for (int c = 1; c < g.colonne(); ++c) {
            auto* it = item(r - 1, c - 1);
            if (!it) {
                it = new QTableWidgetItem;
                it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                setItem(r - 1, c - 1, it);
            }
            it->setText(QString::fromStdString(g.testo(r, c)));
        }
    if (!g.larghezzeColonne.empty()) {
        verticalHeader()->setFixedWidth(twipsInPixel(g.larghezzeColonne[0]));
        for (int c = 1; c < g.colonne() && c < static_cast<int>(g.larghezzeColonne.size()); ++c)
            setColumnWidth(c - 1, twipsInPixel(g.larghezzeColonne[c]));
    }
    verticalHeader()->setDefaultSectionSize(twipsInPixel(g.altezzaRiga));
    horizontalHeader()->setFixedHeight(twipsInPixel(g.altezzaIntestazione));
}

void TabellaGriglia::leggi(Griglia& g) const {
    g.azzeraErrore();
    for (int r = 1; r < g.righe() && r - 1 < rowCount(); ++r)
        for (int c = 1; c < g.colonne() && c - 1 < columnCount(); ++c) {
            const auto* it = item(r - 1, c - 1);
            g.imposta(r, c, it ? it->text().toStdString() : std::string());
        }
}

bool TabellaGriglia::mostraErrore(const Griglia& g) {
    const Griglia::Posizione p = g.errore();
    if (p.riga < 1 || p.colonna < 1 || p.riga > rowCount() || p.colonna > columnCount()) return false;
    setCurrentCell(p.riga - 1, p.colonna - 1);
    scrollToItem(item(p.riga - 1, p.colonna - 1));
    setFocus(Qt::OtherFocusReason);
    return true;
}

void TabellaGriglia::impostaDigitazione(int colonna, Digitazione modo) { digitazione_[colonna] = modo; }

QString TabellaGriglia::testoCella(int riga, int colonna) const {
    const auto* it = item(riga - 1, colonna - 1);
    return it ? it->text() : QString();
}

void TabellaGriglia::impostaTestoCella(int riga, int colonna, const QString& testo) {
    if (riga < 1 || colonna < 1 || riga > rowCount() || colonna > columnCount()) return;
    auto* it = item(riga - 1, colonna - 1);
    if (!it) {
        it = new QTableWidgetItem;
        it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setItem(riga - 1, colonna - 1, it);
    }
    it->setText(testo);
}

void TabellaGriglia::keyPressEvent(QKeyEvent* event) {
    const int r = currentRow() + 1, c = currentColumn() + 1;
    auto modo = digitazione_.find(c);
    const bool navigazione = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down ||
                             event->key() == Qt::Key_Left || event->key() == Qt::Key_Right ||
                             event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
                             event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown ||
                             event->key() == Qt::Key_Home || event->key() == Qt::Key_End;
    if (navigazione || r < 1 || c < 1) {
        QTableWidget::keyPressEvent(event);
        return;
    }
    if (modo == digitazione_.end() || modo->second == Digitazione::Nessuna) {
        event->accept();
        return;
    }
    std::string testo = testoCella(r, c).toStdString();
    if (event->key() == Qt::Key_Backspace) {
        testo = filtraTasto(kTastoBackspace, testo);
    } else if (event->key() == Qt::Key_Delete) {
        testo = filtraTasto(kTastoCanc, testo);
    } else if (!event->text().isEmpty()) {
        const QString t = event->text();
        if (modo->second == Digitazione::Numerica) {
            const QChar ch = t.at(0);
            if (ch.unicode() < 128) testo = filtraTasto(ch.unicode(), testo);
        } else if (t.at(0).isPrint()) {
            testo += t.toStdString();
        }
    }
    impostaTestoCella(r, c, QString::fromStdString(testo));
    event->accept();
}

}  // namespace carvela
