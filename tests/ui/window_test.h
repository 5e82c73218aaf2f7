#pragma once
// What the window tests share: Qt's test tools and widgets, the state and its views, a host
// that answers from queues, the pages made through the registry.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

#include "graphics/recording_canvas.h"
#include "graphics/ui/canvas_widget.h"
#include "shell/ui/grid_table.h"
#include "shell/ui/main_window.h"
#include "shell/ui/page_registry.h"
#include "shell/ui/qt_host.h"
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

// The main window shown, every message noted and answered with `risposta`, every page it opens
// noted, then opened only where `lasciaAprire` says so. `memoria` null: the window keeps its own memory
// (recent files, its place) in QSettings, as the program does.
struct FinestraDiProva {
    MapSettingsStore store;
    FinestraPrincipale w;
    std::vector<std::string> messaggi;
    std::vector<Pagina> pagine;
    Risposta risposta = Risposta::Ok;
    std::function<bool(Pagina)> lasciaAprire = [](Pagina) { return false; };

    explicit FinestraDiProva(SettingsStore* memoria = nullptr) : w(&store, nullptr, memoria) {
        w.host().rispostaMessaggio = [this](const std::string& t, Pulsanti, Icona) {
            messaggi.push_back(t);
            return risposta;
        };
        w.host().intercettaPagina = [this](Pagina p) {
            pagine.push_back(p);
            return !lasciaAprire(p);
        };
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) qWarning("the main window was not shown");
    }
    void esegui(const char* comando) { w.menuBar()->findChild<QAction*>(comando)->trigger(); }
};

}  // namespace carvela::prova
