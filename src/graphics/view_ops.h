#pragma once
// Zoom and the view changes the canvas modes end in.

namespace carvela {
struct Workspace;
struct Vista;
class Canvas;
class Host;

// The largest scale a zoom window may reach.
inline constexpr float kScalaMassima = 100000.0f;

// Zoom window on two corners in canvas coordinates (no view is saved here): the top-left
// corner of the rectangle moves to the canvas origin and its larger side fills the canvas.
// True when the view changed (the caller redraws). A window of no size says
// "Finestra di selezione inesistente!" and changes nothing; a scale above 100000 says
// "Fattore di scala dello zoom eccessivo!", goes back to the previous view and redraws.
bool zoomFinestraSu(Workspace& ws, Canvas& canvas, Host& host, double x1, double y1, double x2, double y2);
// "&Estensione": save the view, fit the drawing extent, redraw. An empty extent says
// "Finestra di selezione inesistente!" as a zoom window of no size does.
void zoomEstensione(Workspace& ws, Canvas& canvas, Host& host);
// The view that shows the drawing extent whole on a canvas of that size, centred, both
// width and height inside a margin of kMargineAdattamento of each side. False (and nothing
// changes) for an empty or single-point extent or a canvas of no pixels.
inline constexpr double kMargineAdattamento = 0.04;
bool adattaVista(Vista& vista, int larghezza, int altezza);
// Zoom by `fattore` about canvas point (x, y): the world point under it stays under it.
bool zoomAttorno(Vista& vista, double x, double y, double fattore);
// Disarms pan, zoom window and pick square (not axis tracing, which has its own ending).
// True when one was armed.
bool disarmaModi(Vista& vista);
// The end of a pan: the displacement (canvas units) is added to the offsets.
void spostaVista(Vista& vista, double dx, double dy);

}  // namespace carvela
