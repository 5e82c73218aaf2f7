#pragma once
// The window "Ricava progetto da file DXF" (FormRicavaDXF).
#include <QDialog>

#include "dxf/dxf_project.h"
#include "shell/ui/page_registry.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;

namespace carvela {

class PaginaRicavaDxf : public QDialog {
    Q_OBJECT
public:
    PaginaRicavaDxf(ContestoPagina& contesto, QWidget* parent = nullptr);

    // For tests and the wizard: the controls by their role.
    QButtonGroup* gruppoProgetto() const { return progetto_; }
    QButtonGroup* gruppoSelezione() const { return selezione_; }
    QComboBox* elenco(int i) const { return elenchi_[i]; }
    QCheckBox* casellaCurve() const { return curve_; }
    QPushButton* pulsanteRiconosci() const { return riconosci_; }
    QPushButton* pulsanteChiudi() const { return chiudi_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void analizza();
    void riconosci();

    ContestoPagina& contesto_;
    ModelloRicavaDxf modello_;
    QButtonGroup* progetto_;
    QButtonGroup* selezione_;
    QComboBox* elenchi_[3];
    QCheckBox* curve_;
    QPushButton* riconosci_;
    QPushButton* chiudi_;
};

}  // namespace carvela
