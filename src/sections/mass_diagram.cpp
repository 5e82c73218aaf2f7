#include "sections/mass_diagram.h"

#include "shell/workspace.h"

namespace carvela {

void disegnaDiagramma(Workspace& ws, Canvas&, Host&) { ws.TipoDocumento = kDocDiagramma; }

}  // namespace carvela
