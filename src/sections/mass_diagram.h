#pragma once
// The mass diagram of the volume table (document kind 3).

namespace carvela {
struct Workspace;
class Canvas;
class Host;

void disegnaDiagramma(Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
