#include "graphics/drawing_items.h"

#include "graphics/view.h"

namespace carvela {

void rendiDisegno(Vista&, Canvas&, const Disegno&) {}

}  // namespace carvela
