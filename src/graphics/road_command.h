#pragma once
// The road computation as the commands run it: compute, redraw the plan, then warn about
// the grade lines the profile could not solve.
#include "road/road_computation.h"

namespace carvela {
class Canvas;

void calcolaTracciato(Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
