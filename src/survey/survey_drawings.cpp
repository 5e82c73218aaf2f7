#include "survey/survey_drawings.h"

#include "shell/workspace.h"

namespace carvela {

void disegnaPoligonaleAperta(Workspace& ws, Canvas&, Host&) { ws.TipoDocumento = kDocPoligonaleAperta; }
void disegnaPoligonaleChiusa(Workspace& ws, Canvas&, Host&) { ws.TipoDocumento = kDocPoligonaleChiusa; }
void disegnaTriangolazione(Workspace& ws, Canvas&, Host&) { ws.TipoDocumento = kDocTriangolazione; }

}  // namespace carvela
