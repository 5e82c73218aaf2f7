#include "shell/file_commands.h"

#include "shell/workspace.h"

namespace carvela {

void comandoApri(Workspace&, Canvas&, Host&) {}
void comandoSalva(Workspace&, Host&, bool) {}
void tickAutoSave(Workspace&, Host&) {}

}  // namespace carvela
