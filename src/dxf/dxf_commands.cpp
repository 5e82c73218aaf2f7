#include "dxf/dxf_commands.h"

#include "shell/workspace.h"

namespace carvela {

void comandoImportaDxf(Workspace&, Canvas&, Host&) {}
void comandoEsportaDxf(Workspace&, Canvas&, Host&) {}

}  // namespace carvela
