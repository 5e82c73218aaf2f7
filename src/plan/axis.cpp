#include "plan/axis.h"

#include "shell/workspace.h"

namespace carvela {

void iniziaTracciamentoAsse(Workspace&, Canvas&, Host&) {}
void aggiungiVerticeAsse(Workspace&, Canvas&, Host&, double, double) {}
void terminaTracciamentoAsse(Workspace&, Canvas&, Host&) {}
void importaAsse(Workspace&, Canvas&, Host&, bool) {}
bool invertiAsse(Workspace&, Host&) { return false; }

}  // namespace carvela
