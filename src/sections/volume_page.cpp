#include "sections/volume_page.h"

#include "sections/section_solve.h"
#include "sections/volumes.h"
#include "state/workspace.h"

namespace carvela {

PaginaVolumi::PaginaVolumi(const Workspace& ws)
    : griglia(grigliaPaleggi(ws.Paleggi)), totali(grigliaTotaliPaleggi(ws.Paleggi)) {
    const auto posizioni = sezioniNonRisolte(ws.Piano.SezioniApplicate, ws.Piano.NumeroIntersezioni);
    if (posizioni.empty()) return;
    stato = "Sezioni non risolte, contate con aree nulle:";
    for (std::size_t i = 0; i < posizioni.size(); ++i) stato += (i ? ", " : " ") + std::to_string(posizioni[i]);
}

}  // namespace carvela
