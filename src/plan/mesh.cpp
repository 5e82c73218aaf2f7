#include "plan/mesh.h"

#include "shell/host.h"
#include "shell/workspace.h"

namespace carvela {

int32_t costruisciReticolo(Planimetria&) { return 0; }

void comandoReticolo(Workspace& ws, Canvas&, Host& host) {
    if (ws.TipoDocumento != kDocPianta) {
        host.messaggio("Assenza di dati: nessuna planimetria presa in esame!");
        return;
    }
}

}  // namespace carvela
