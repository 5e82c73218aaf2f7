#pragma once
// Zoom, pan and the mouse modes of the canvas.

namespace carvela {
struct Workspace;
class Canvas;
class Host;

// Zoom window on two corners in canvas coordinates (no view is saved here).
void zoomFinestraSu(Workspace& ws, Canvas& canvas, Host& host, double x1, double y1, double x2, double y2);
// "&Estensione": save the view, zoom on the drawing extent, redraw.
void zoomEstensione(Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
