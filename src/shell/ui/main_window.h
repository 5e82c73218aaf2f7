#pragma once
// The main window MDIForm1: menu bar, toolbar Toolbar3D, the side panel with the tree
// TreeViewTool and the coordinate label LabelCoord, and the drawing canvas. It owns the
// program state, the canvas, the Qt host and the command table; menus, buttons and tree
// nodes only call the command table, but for "Stampa &disegno...", which opens the plot
// window.
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>

#include "shell/commands.h"
#include "state/undo.h"
#include "state/workspace.h"

class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace carvela {
class CanvasWidget;
class QtHost;
class SettingsStore;

class FinestraPrincipale : public QMainWindow {
    Q_OBJECT
public:
    // `archivio` holds the settings (the QSettings store when none is given). The settings
    // are loaded here; the view is set up once the canvas has its size. `memoria` keeps the
    // window's own memory, its size and place and the recent files (QSettings "Carvela" /
    // "Finestra" when none is given), apart from the program's options.
    explicit FinestraPrincipale(SettingsStore* archivio = nullptr, QWidget* parent = nullptr,
                                SettingsStore* memoria = nullptr);
    ~FinestraPrincipale() override;

    Workspace& workspace() { return ws_; }
    QtHost& host() { return *host_; }
    CanvasWidget& canvas() { return *canvas_; }
    Comandi& comandi() { return *comandi_; }
    QTimer& timerAutoSave() { return *timerAutoSave_; }
    Storia& storia() { return storia_; }
    // The recent files, the latest first (at most kMassimoRecenti).
    QStringList fileRecenti() const;
    static constexpr int kMassimoRecenti = 8;

    // Opens a project file as "Apri file..." does after its dialog (the command line's FILE).
    bool apriFile(const QString& path);
    // The view at start: scale 1, origin at the canvas's bottom-left corner.
    void inizializzaVistaIniziale();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void creaMenu();
    void creaBarraStrumenti();
    void creaAlbero();
    void tickTimer();
    // A command of the menus, toolbar or tree; a project file it opened or saved joins the
    // recent files.
    void eseguiComando(const std::function<void()>& comando);
    void ricordaFile(const QString& path);
    void riempiRecenti(QMenu* menu);
    void salvaStatoFinestra();
    void aggiornaModificato();

    Workspace ws_;
    Storia storia_;
    std::unique_ptr<SettingsStore> archivioProprio_, memoriaPropria_;
    SettingsStore* memoria_ = nullptr;
    CanvasWidget* canvas_ = nullptr;
    std::unique_ptr<QtHost> host_;
    std::unique_ptr<Comandi> comandi_;
    QTreeWidget* albero_ = nullptr;
    QLabel* coordinate_ = nullptr;
    QToolBar* barra_ = nullptr;
    QTimer* timerAutoSave_ = nullptr;
    bool vistaIniziata_ = false;
};

}  // namespace carvela
