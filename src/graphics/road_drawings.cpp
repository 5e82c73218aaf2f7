#include "graphics/road_drawings.h"

#include "shell/workspace.h"

namespace carvela {

void disegnaProfilo(Workspace& ws, Canvas&, Host&) {
    if (ws.Profilo.NumeroSezioni >= 2) ws.TipoDocumento = kDocProfilo;
}
void disegnaSezione(Workspace& ws, Canvas&, Host&, const Sezione&) { ws.TipoDocumento = kDocSezione; }

}  // namespace carvela
