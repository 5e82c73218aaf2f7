#pragma once
// The road's commands as the menus, pages and batch tool run them: each computes, then
// redraws the plan it changed.
#include "road/road_computation.h"

namespace carvela {
class Canvas;
class Griglia;

// The road computation: compute, redraw the plan, then warn about the grade lines the
// profile could not solve. False when the computation stopped with its message and nothing
// was computed.
bool calcolaTracciato(Workspace& ws, Canvas& canvas, Host& host);
// "Importa da &poligonale" / "Importa da &triangolazione": the axis from a survey file, then
// the plan with it.
void importaAsse(Workspace& ws, Canvas& canvas, Host& host, bool daTriangolazione);
// "&Applica" of the plan points: reads the grid and, when that succeeds and the plan has
// points, redraws it.
bool applicaPuntiPiano(const Griglia& griglia, Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
