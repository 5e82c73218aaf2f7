#include "graphics/plan_drawing.h"

#include "shell/workspace.h"

namespace carvela {

void disegnaPianta(Workspace& ws, Canvas&, Host&) { ws.TipoDocumento = kDocPianta; }

}  // namespace carvela
