#pragma once
// Pieces shared by the survey windows: named buttons and boxes, the reference frames, and
// the print of a page's grids.
#include <string>
#include <vector>

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include "project/griglia.h"

class QWidget;
class QHBoxLayout;

namespace carvela {

QPushButton* pulsanteRilievo(QWidget* parent, const char* testo, const char* nome);

// A frame of labelled boxes; each box is named "Text1_<index>".
QGroupBox* corniceCaselle(QWidget* parent, const char* titolo, const std::vector<int>& indici,
                          const std::vector<const char*>& etichette, std::vector<QLineEdit*>& caselle);

// The row of page buttons "C&hiudi", "&Applica", "&Stampa...", "&Esporta TXT".
struct PulsantiPagina {
    QPushButton* chiudi;
    QPushButton* applica;
    QPushButton* stampa;
    QPushButton* esporta;
    QHBoxLayout* riga;
};
PulsantiPagina pulsantiPagina(QWidget* parent);

// "&Stampa...": the page's boxes and grids printed as tables (only the rows holding data).
void stampaGriglie(QWidget* parent, const QString& titolo, const std::vector<std::string>& righeIntestazione,
                   const std::vector<const Griglia*>& griglie);

inline QString qtesto(const std::string& s) { return QString::fromStdString(s); }

}  // namespace carvela
