#include "graphics/ui/view3d_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>

#include "graphics/redraw.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela {

FinestraVista3D::FinestraVista3D(ContestoPagina& contesto, QWidget* parent)
    : QDialog(parent), contesto_(contesto), modello_(std::make_unique<ModelloVista3D>(contesto.ws.Piano)) {
    setObjectName("vista3dax");
    setWindowTitle(QStringLiteral("Vista 3D"));
    auto* griglia = new QGridLayout(this);
    const char* nomi[3] = {"Elevazione:", "Rotazione:", "Distanza:"};
    for (int i = 0; i < 3; ++i) {
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(QStringLiteral("Slider1_%1").arg(i));
        slider->setRange(kCursoriVista3D[i].minimo, kCursoriVista3D[i].massimo);
        slider->setValue(kCursoriVista3D[i].iniziale);
        slider->setPageStep(i == 2 ? 100 : 5);
        slider->setMinimumWidth(220);
        auto* valore = new QLabel(this);
        valore->setObjectName(QStringLiteral("Label1_%1").arg(i));
        valore->setMinimumWidth(48);
        valore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        griglia->addWidget(new QLabel(QString::fromUtf8(nomi[i]), this), i, 0);
        griglia->addWidget(slider, i, 1);
        griglia->addWidget(valore, i, 2);
        cursori_[i] = slider;
        etichette_[i] = valore;
        connect(slider, &QSlider::valueChanged, this, [this, i](int v) { cursoreMosso(i, v); });
    }
}

FinestraVista3D::~FinestraVista3D() = default;

void FinestraVista3D::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!aperta_) apri();
}

// Opening: the terrain centre of the current plan, the sliders at their initial values, and
// the view from above fitted to the canvas (the document's view is given back on closing).
void FinestraVista3D::apri() {
    aperta_ = true;
    Workspace& ws = contesto_.ws;
    vistaDocumento_ = {ws.vista.offsetX, ws.vista.offsetY, ws.vista.scala};
    modello_ = std::make_unique<ModelloVista3D>(ws.Piano);
    adattaVista3D(ws.vista, contesto_.canvas.larghezza(), contesto_.canvas.altezza(), ws.Piano, modello_->stato());
    for (int i = 0; i < 3; ++i) {
        QSignalBlocker blocco(cursori_[i]);
        cursori_[i]->setValue(modello_->valore(i));
        etichette_[i]->setText(QString::fromStdString(modello_->etichetta(i)));
    }
    disegna();
}

void FinestraVista3D::cursoreMosso(int indice, int valore) {
    modello_->imposta(indice, valore);
    etichette_[indice]->setText(QString::fromStdString(modello_->etichetta(indice)));
    disegna();
}

// The sliders move the viewpoint, not the view: the canvas draws under a kept view, so it
// does not refit (nor redraw the document) after each move.
void FinestraVista3D::disegna() {
    Workspace& ws = contesto_.ws;
    MantieniVista mantieni(ws.vista);
    disegnaVista3D(ws.vista, contesto_.canvas, ws.Piano, ws.impostazioni.IntervalloVertexPLine, modello_->stato());
}

// Closing gives the canvas back to the document shown.
void FinestraVista3D::done(int esito) {
    if (aperta_) {
        aperta_ = false;
        Vista& v = contesto_.ws.vista;
        v.offsetX = vistaDocumento_.offsetX, v.offsetY = vistaDocumento_.offsetY, v.scala = vistaDocumento_.scala;
        MantieniVista mantieni(v);
        ridisegna(contesto_.ws, contesto_.canvas, contesto_.host);
    }
    QDialog::done(esito);
}

CARVELA_REGISTRA_PAGINA(Pagina::Vista3D, FinestraVista3D)

}  // namespace carvela
