#include "sections/section_solve.h"

#include "project/records.h"
#include "shell/settings.h"

namespace carvela {

void risolviSezione(Sezione&, const Impostazioni&) {}

}  // namespace carvela
