#pragma once
// The window of the 3D view ("vista3dax"): three sliders with their value labels; moving one
// redraws the contour lines in perspective on the canvas.
#include <QDialog>
#include <memory>

#include "graphics/view3d.h"
#include "shell/ui/page_registry.h"
#include "state/view.h"

class QLabel;
class QSlider;

namespace carvela {

class FinestraVista3D : public QDialog {
    Q_OBJECT
public:
    FinestraVista3D(ContestoPagina& contesto, QWidget* parent = nullptr);
    ~FinestraVista3D() override;

    QSlider* cursore(int indice) const { return cursori_[indice]; }
    QLabel* etichetta(int indice) const { return etichette_[indice]; }
    const ModelloVista3D& modello() const { return *modello_; }

public slots:
    void done(int esito) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void apri();
    void cursoreMosso(int indice, int valore);
    void disegna();

    ContestoPagina contesto_;
    std::unique_ptr<ModelloVista3D> modello_;
    QSlider* cursori_[3] = {};
    QLabel* etichette_[3] = {};
    bool aperta_ = false;
    VistaSalvata vistaDocumento_;
};

}  // namespace carvela
