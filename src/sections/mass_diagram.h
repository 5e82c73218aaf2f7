#pragma once
// The mass diagram of the volume table (document kind 3), for the screen and the plot. x is the
// progressive; y the mass ordinate at a vertical scale that gives the diagram half its
// length in height, whatever the road's length or volumes, so the diagram at extent fills the
// canvas; texts and ticks are sized to the diagram. The DXF export keeps its own layout at the
// table's volume scale.
#include <cstdint>

namespace carvela {
struct Workspace;
struct TabellaPaleggi;
class Canvas;
class Host;

// Drawing units per cubic metre of the diagram of this table.
double scalaVerticaleDiagramma(const TabellaPaleggi& t);
void disegnaDiagramma(Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
