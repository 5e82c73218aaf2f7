#pragma once
// Undo and redo of the commands that change the project. A step keeps copies of the parts of
// the project a command changed, as they were before it, and nothing else: a terrain's contour
// lines are tens of megabytes and most commands never touch them. Undoing swaps the copies
// with the records, so the same step then holds what redo puts back.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>

#include "state/host.h"

namespace carvela {
struct Workspace;

// The parts of the project a step can keep.
enum ParteProgetto : uint32_t {
    kParteTerreno = 1,    // the plan's points
    kParteReticolo = 2,   // the plan's mesh and contour lines
    kParteTracciato = 4,  // the rest of the plan: axis, stations, edges, the road documents it embeds
    kParteSezioni = 8,    // the sections and the current one
    kParteProfilo = 16,
    kPartePaleggi = 32,
    kParteRilievi = 64,   // traverses and triangulation
    kParteDxf = 128,      // the imported drawing
    // Small enough to copy before any command; the command's step keeps only those it changed.
    kPartiLeggere = kParteTracciato | kParteSezioni | kParteProfilo | kPartePaleggi | kParteRilievi,
    kTutteLeParti = 255,
};

class Storia {
public:
    static constexpr std::size_t kPassiMassimi = 50;

    Storia();
    ~Storia();

    // Before a command that may change `parti` (the light parts are always kept): a copy is
    // taken. A step still open is closed first.
    void inizia(const Workspace& ws, uint32_t parti);
    // After it: the parts the command left unchanged are dropped; a step that changed nothing
    // is forgotten. Redo is cleared by any kept step.
    void concludi(const Workspace& ws);
    bool aperto() const;

    // False when there is nothing to undo (redo).
    bool annulla(Workspace& ws);
    bool ripeti(Workspace& ws);
    std::size_t passiAnnullabili() const { return annullabili_.size(); }
    std::size_t passiRipetibili() const { return ripetibili_.size(); }
    // A project opened from a file starts a history of its own.
    void svuota();

    struct Passo;

private:
    std::deque<std::unique_ptr<Passo>> annullabili_, ripetibili_;
    std::unique_ptr<Passo> aperto_;
};

// One command's step on the workspace's history (none: nothing is kept), closed when it ends.
class PassoStoria {
public:
    PassoStoria(Workspace& ws, uint32_t parti);
    ~PassoStoria();
    PassoStoria(const PassoStoria&) = delete;
    PassoStoria& operator=(const PassoStoria&) = delete;

private:
    Workspace& ws_;
    bool attivo_ = true;  // false inside a step already open: the outer one keeps the copies
};

// The heavy parts a menu command may change (the light ones are always kept); -1 for the
// commands that change nothing of the project, the view and page openings among them.
int64_t partiComando(std::string_view nomeMenu);
// The heavy parts a page's "&Applica" may change.
uint32_t partiPagina(Pagina pagina);

}  // namespace carvela
