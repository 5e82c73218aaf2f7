#include "road/terrain_sections.h"

#include "shell/workspace.h"

namespace carvela {

void calcolaSezioniTerreno(Workspace&, Host&) {}

}  // namespace carvela
