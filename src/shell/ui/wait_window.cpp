#include "shell/ui/wait_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace carvela {

FinestraAttesa::FinestraAttesa(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("FormWait");
    setWindowTitle("Carvela");
    setWindowModality(Qt::ApplicationModal);
    auto* pannello = new QFrame(this);
    pannello->setFrameShape(QFrame::StyledPanel);
    etichetta_ = new QLabel(pannello);
    etichetta_->setObjectName("CaptionLabel");
    etichetta_->setMinimumWidth(320);
    barra_ = new QProgressBar(pannello);
    barra_->setObjectName("ProgressBar1");
    barra_->setRange(0, 100);
    barra_->setValue(0);
    auto* interno = new QVBoxLayout(pannello);
    interno->addWidget(etichetta_);
    interno->addWidget(barra_);
    auto* esterno = new QVBoxLayout(this);
    esterno->setContentsMargins(7, 7, 7, 7);  // the panel plus a small border, as designed
    esterno->addWidget(pannello);
    setFixedSize(sizeHint());
}

void FinestraAttesa::mostra() {
    barra_->setRange(0, 100);
    barra_->setValue(0);
    if (parentWidget()) {
        const QRect p = parentWidget()->geometry();
        move(p.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    lasciaPassareEventi(true);
}

void FinestraAttesa::chiudi() {
    if (cursoreAttesa_) {
        QApplication::restoreOverrideCursor();
        cursoreAttesa_ = false;
    }
    hide();
}

void FinestraAttesa::CaptionLabel(const QString& testo) {
    etichetta_->setText(testo);
    lasciaPassareEventi(true);
}

void FinestraAttesa::ImpostaBarra(int massimo) {
    if (massimo > 0) barra_->setMaximum(massimo);
    repaint();
    lasciaPassareEventi();
}

void FinestraAttesa::AggiornaSatoBarra(int posizione) {
    if (!cursoreAttesa_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursoreAttesa_ = true;
    }
    if (posizione != 0) barra_->setValue(std::clamp(posizione, barra_->minimum(), barra_->maximum()));
    lasciaPassareEventi();
}

QString FinestraAttesa::didascalia() const { return etichetta_->text(); }
int FinestraAttesa::massimo() const { return barra_->maximum(); }
int FinestraAttesa::posizione() const { return barra_->value(); }

void FinestraAttesa::closeEvent(QCloseEvent* event) { event->ignore(); }

// Repaints and input stay alive during long work without slowing it: pending events are
// let through at most every 50 ms (at once for a new caption).
void FinestraAttesa::lasciaPassareEventi(bool subito) {
    if (!subito && ultimiEventi_.isValid() && ultimiEventi_.elapsed() < 50) return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ultimiEventi_.restart();
}

}  // namespace carvela
