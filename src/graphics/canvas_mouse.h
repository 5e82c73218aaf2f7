#pragma once
// What the mouse does on the canvas: the zoom window, pan, pick square and axis-tracing
// modes of the view. The canvas window forwards its events here and paints the controls
// (cross-hair, rubber band, rubber rectangle, pick square) that `controlliCanvas` describes,
// over the picture and never into it.
#include <string>

namespace carvela {
struct Workspace;
struct Vista;
class Canvas;
class Host;

enum class PulsanteMouse { Sinistro, Destro, Altro };

// The controls to show for the pointer at canvas point (puntatoreX, puntatoreY).
struct ControlliCanvas {
    bool croce = false;       // tracing cross-hair: two lines across the canvas through the pointer
    bool elastico = false;    // rubber band from (inizioX, inizioY) to the pointer
    bool rettangolo = false;  // zoom-window rectangle from (inizioX, inizioY) to the pointer
    bool quadrato = false;    // pick square centred on the pointer
    double puntatoreX = 0, puntatoreY = 0;
    double inizioX = 0, inizioY = 0;
    bool operator==(const ControlliCanvas&) const = default;
};

// Side of the pick square, pixels.
inline constexpr double kLatoQuadratoSelezione = 10;

ControlliCanvas controlliCanvas(const Workspace& ws, double puntatoreX, double puntatoreY);

// The text of the coordinate label for the pointer at a canvas point: world x, ", ", world y,
// each in its default text form (empty when the view cannot map the point).
std::string testoCoordinate(const Vista& vista, double x, double y);

enum class EsitoMouse {
    Nessuno,                // no mode took the release
    Gestito,                // a mode took it
    TracciamentoTerminato,  // the right button ended axis tracing
    FinestraPlot,           // a zoom window chose the plot corners: show the plot window
};

// A mouse button released at canvas point (x, y). Whatever it redraws keeps the view.
EsitoMouse rilascioMouse(Workspace& ws, Canvas& canvas, Host& host, PulsanteMouse pulsante, double x, double y);

// Esc: disarms pan, zoom window and pick square, and abandons axis tracing (the plan as it was
// before tracing comes back and is redrawn). True when something was armed.
bool annullaModo(Workspace& ws, Canvas& canvas, Host& host);
// Backspace while tracing: the last vertex placed goes, and the plan is redrawn. False when
// not tracing or no vertex is placed.
bool togliUltimoVertice(Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
