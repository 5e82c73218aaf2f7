#pragma once
// The command table of the main window. Menu items, toolbar buttons and tree nodes only
// call it: each command checks its precondition on the document shown, says its fixed
// message through the host, and hands the work to its subsystem.
#include <string>
#include <string_view>
#include <vector>

namespace carvela {
struct Workspace;
class Canvas;
class Host;

class Comandi {
public:
    Comandi(Workspace& ws, Canvas& canvas, Host& host) : ws_(ws), canvas_(canvas), host_(host) {}

    // Runs the menu command with that control name ("apriFileProg", "RisolviPR", ...);
    // false for an unknown name.
    bool esegui(std::string_view nomeMenu);
    // Toolbar button by key ("icoZX2", ...).
    bool eseguiPulsante(std::string_view chiave);
    // Tree node by tag ("OP1001", ...); nodes without a tag do nothing.
    bool eseguiNodo(std::string_view tag);

    // Names the table knows, for the windows and the tests.
    static std::vector<std::string> nomiMenu();

private:
    void nuovoProgetto();
    void fattoreScala();
    void zoomToolbar(float fattore);
    void zoomMenu(float fattore);
    void annullaORipeti(bool annulla);

    Workspace& ws_;
    Canvas& canvas_;
    Host& host_;
};

}  // namespace carvela
