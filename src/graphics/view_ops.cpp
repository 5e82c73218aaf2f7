#include "graphics/view_ops.h"

#include "shell/workspace.h"

namespace carvela {

void zoomFinestraSu(Workspace&, Canvas&, Host&, double, double, double, double) {}
void zoomEstensione(Workspace&, Canvas&, Host&) {}

}  // namespace carvela
