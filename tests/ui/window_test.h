#pragma once
// What the window tests share: Qt's test tools and widgets, the state and its views, a host
// that answers from queues, the pages made through the registry.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "graphics/recording_canvas.h"
#include "graphics/ui/canvas_widget.h"
#include "shell/ui/grid_table.h"
#include "shell/ui/page_registry.h"
#include "state/view.h"
#include "state/workspace.h"
#include "support/fake_host.h"
#include "support/trim2_ui.h"

namespace carvela::prova {

// A page made through the registry, shown; it keeps `contesto`, which must outlive it.
inline std::unique_ptr<QDialog> apriPagina(Pagina pagina, ContestoPagina& contesto) {
    std::unique_ptr<QDialog> d(creaPagina(pagina, contesto, nullptr));
    if (d) d->show();
    return d;
}

// Types `testo` into a cell of the grid, row and column counted from 1.
inline void digita(TabellaGriglia* t, int riga, int colonna, const QString& testo) {
    t->setCurrentCell(riga - 1, colonna - 1);
    QTest::keyClicks(t, testo);
}

}  // namespace carvela::prova
