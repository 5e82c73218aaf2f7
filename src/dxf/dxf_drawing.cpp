#include "dxf/dxf_drawing.h"

#include "shell/workspace.h"

namespace carvela {

void disegnaDxf(Workspace& ws, Canvas&, Host&) { ws.TipoDocumento = kDocDxf; }

}  // namespace carvela
