#pragma once
// The mass diagram drawn on a canvas, for the screen, the pictures and the plot (see
// sections/mass_diagram.h for the points, the scale and the haul it shows).

namespace carvela {
struct Workspace;
class Canvas;
class Host;

void disegnaDiagramma(Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
