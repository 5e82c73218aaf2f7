#pragma once
// Answers the modal window that the next step of a window test opens.
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace carvela::prova {

// Runs `azione` on the modal window of kind D once it is up (it may first show progress while
// it prepares), then rejects it if `azione` left it open. The flag tells whether it came up.
template <class D, class F>
std::shared_ptr<bool> allaFinestraModale(F azione) {
    auto aperta = std::make_shared<bool>(false);
    auto tentativi = std::make_shared<int>(0);
    auto* attesa = new QTimer;
    QObject::connect(attesa, &QTimer::timeout, [attesa, tentativi, aperta, azione] {
        QPointer<D> d = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!d && ++*tentativi < 250) return;
        attesa->stop();
        attesa->deleteLater();
        if (!d) return;
        *aperta = true;
        azione(d.data());
        if (d && d->isVisible()) d->reject();
    });
    attesa->start(20);
    return aperta;
}

}  // namespace carvela::prova
