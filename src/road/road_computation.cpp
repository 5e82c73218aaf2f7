#include "road/road_computation.h"

#include "shell/workspace.h"

namespace carvela {

void calcolaTracciato(Workspace&, Canvas&, Host&) {}

}  // namespace carvela
