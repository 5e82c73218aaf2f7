#pragma once
// Drawings of the open and closed traverses (kinds 5 and 6) and the triangulation chain (7).

namespace carvela {
struct Workspace;
class Canvas;
class Host;

void disegnaPoligonaleAperta(Workspace& ws, Canvas& canvas, Host& host);
void disegnaPoligonaleChiusa(Workspace& ws, Canvas& canvas, Host& host);
void disegnaTriangolazione(Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
