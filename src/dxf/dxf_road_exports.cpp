#include "dxf/dxf_exports.h"

#include "dxf/dxf_writer.h"

namespace carvela {

// Placeholder until the drawing element lists are available.
std::string esportaProfilo(const Profilo&) {
    ScrittoreDxf w;
    w.inizio();
    w.fine();
    return w.contenuto();
}

std::string esportaSezioni(const VbArray<Sezione>&, const Impostazioni&, Host*) {
    ScrittoreDxf w;
    w.inizio();
    w.fine();
    return w.contenuto();
}

}  // namespace carvela
