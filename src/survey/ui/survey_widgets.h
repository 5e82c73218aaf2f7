#pragma once
// Pieces shared by the survey windows: named buttons and boxes, the reference frames.
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <string>
#include <vector>

class QWidget;

namespace carvela {

QPushButton* pulsanteRilievo(QWidget* parent, const char* testo, const char* nome);

// A frame of labelled boxes; each box is named "Text1_<index>".
QGroupBox* corniceCaselle(QWidget* parent, const char* titolo, const std::vector<int>& indici,
                          const std::vector<const char*>& etichette, std::vector<QLineEdit*>& caselle);

inline QString qtesto(const std::string& s) { return QString::fromStdString(s); }

}  // namespace carvela
