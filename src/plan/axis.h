#pragma once
// The road axis: tracing, import, reversal, and the curves and stakes.

namespace carvela {
struct Workspace;
class Canvas;
class Host;

// "&Traccia asse": back up the plan, empty the axis, enter axis-tracing mode.
void iniziaTracciamentoAsse(Workspace& ws, Canvas& canvas, Host& host);
// A click while tracing (world coordinates): append a vertex and draw the new leg.
void aggiungiVerticeAsse(Workspace& ws, Canvas& canvas, Host& host, double x, double y);
// The right-button release that ends tracing.
void terminaTracciamentoAsse(Workspace& ws, Canvas& canvas, Host& host);
// "Importa da &poligonale" / "Importa da &triangolazione".
void importaAsse(Workspace& ws, Canvas& canvas, Host& host, bool daTriangolazione);
// "Inverti senso di percorrenza" without the computation that follows; false when refused.
bool invertiAsse(Workspace& ws, Host& host);

}  // namespace carvela
