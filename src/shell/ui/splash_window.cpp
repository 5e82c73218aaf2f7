#include "shell/ui/splash_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/ui/icons.h"

namespace carvela {

FinestraAvvio::FinestraAvvio(std::function<void()> poi, int millisecondi)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("FormAvvio");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* immagine = new QLabel(this);
    immagine->setObjectName("Picture1");
    immagine->setPixmap(immagineMarchio(420, 260));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(7, 7, 7, 7);  // the picture plus a small border
    layout->addWidget(immagine);
    setStyleSheet("FinestraAvvio, #FormAvvio { background: #203a5c; }");
    adjustSize();
    if (QScreen* schermo = QGuiApplication::primaryScreen())
        move(schermo->availableGeometry().center() - rect().center());
    timer_ = new QTimer(this);
    timer_->setObjectName("Timer2");
    timer_->setSingleShot(true);
    timer_->setInterval(millisecondi);
    connect(timer_, &QTimer::timeout, this, [this, poi = std::move(poi)] {
        if (poi) poi();
        close();
    });
    timer_->start();
}

}  // namespace carvela
