#pragma once
// The road axis: tracing, import, reversal, the coordinates page, and the curves and stakes
// that turn the polygon as entered into the staked axis of the road computation.
#include <cstdint>

#include "project/griglia.h"

namespace carvela {
struct Workspace;
struct Planimetria;
class Canvas;
class Host;

// "&Traccia asse": back up the plan, empty the axis, enter axis-tracing mode.
void iniziaTracciamentoAsse(Workspace& ws, Canvas& canvas, Host& host);
// A click while tracing (world coordinates): append a vertex and draw the new leg.
void aggiungiVerticeAsse(Workspace& ws, Canvas& canvas, Host& host, double x, double y);
// The right-button release that ends tracing.
void terminaTracciamentoAsse(Workspace& ws, Canvas& canvas, Host& host);
// "Importa da &poligonale" / "Importa da &triangolazione" without the drawing that follows
// (importaAsse, graphics/road_command.h): false when nothing was imported.
bool importaVerticiAsse(Workspace& ws, Host& host, bool daTriangolazione);
// "Inverti senso di percorrenza" without the computation that follows; false when refused.
bool invertiAsse(Workspace& ws, Host& host);

// Vertices of the polygon as entered (VerticiAsse holds them from position 1).
int32_t numeroVerticiAsse(const Planimetria& piano);

// First step of every road computation: the profile reset rule, equal coordinates of
// consecutive vertices moved apart by 0.0005 (stored), the staked axis set to the polygon,
// the curve table sized to the interior vertices with the minimum radius where none is set.
void preparaAsse(Workspace& ws);
// Second step: a circular curve at every interior vertex, staked; fills AsseTracciato,
// CentriCurve, NumeroPuntiAsse and the curve table's side, radius and stake count.
void calcolaCurvePicchetti(Workspace& ws);

// The coordinates window "Punti Poligonale": one row per vertex, x and y editable.
class PaginaCoordinateAsse {
public:
    Griglia griglia;

    // Sizes the grid to the axis and fills it.
    void apri(const Workspace& ws);
    // Typing into a cell (the numeric key filter); row and column in grid numbering.
    void tasto(int riga, int colonna, int codice);
    // "&Applica": rebuilds the axis from the rows; true when it did (the window then closes
    // and the road computation runs). Refuses without an axis, or with a cell that is not a
    // number, changing nothing.
    bool applica(Workspace& ws, Host& host) const;
};

}  // namespace carvela
