#pragma once
// The splash window FormAvvio: the program's picture for 2000 ms while it starts.
#include <QWidget>
#include <functional>

class QTimer;

namespace carvela {

class FinestraAvvio : public QWidget {
    Q_OBJECT
public:
    // `poi` runs when the timer fires (it loads the main window); then the splash closes.
    explicit FinestraAvvio(std::function<void()> poi, int millisecondi = 2000);

private:
    QTimer* timer_;
};

}  // namespace carvela
