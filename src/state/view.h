#pragma once
// The one view transform shared by every drawing, the drawing extent, the stack of previous
// views and the canvas modes. World (X, Y) is drawn at canvas (s*X + ox, -s*Y + oy).
#include <cmath>
#include <cstdint>
#include <vector>

#include "state/canvas.h"

namespace carvela {

class Host;

struct VistaSalvata {
    float offsetX = 0, offsetY = 0, scala = 1;
};

struct Vista {
    float scala = 1;
    float offsetX = 0;
    float offsetY = 0;

    // Extent of everything drawn since the last restart, canvas coordinates.
    float estMinX = 0, estMaxY = 0, estMaxX = 0, estMinY = 0;
    int16_t riavvioEstensione = -1;  // -1: the next point starts a new extent

    std::vector<VistaSalvata> pila;  // at most 255 entries; entry 0 is the base view
    static constexpr std::size_t kMaxPila = 255;

    // Canvas modes: 0 off, 1 waiting for the first click, 2 first click made.
    uint8_t modoPan = 0;
    uint8_t modoZoom = 0;
    uint8_t modoSelezione = 0;
    uint8_t modoAsse = 0;  // 0 or 2 while tracing the axis
    int16_t marcaStampa = 0;  // a zoom window serves the plot window instead of zooming
    // Above 0 while a view command redraws: every other drawing on the screen fits the view
    // to what it drew.
    int16_t mantieni = 0;

    // First click of pan / zoom window (canvas coordinates).
    float clickX = 0, clickY = 0;
    // The second window corner set from a drawing's limits, and the plot window's corners.
    float angoloX2 = 0, angoloY2 = 0;
    float plotX1 = 0, plotY1 = 0, plotX2 = 0, plotY2 = 0, plotScala = 0;

    double canvasX(double x) const { return scala * x + offsetX; }
    double canvasY(double y) const { return -scala * y + offsetY; }
    double mondoX(double cx) const { return (cx - offsetX) / scala; }
    double mondoY(double cy) const { return (offsetY - cy) / scala; }
};

// The view commands redraw under one of these, so the drawing keeps the view they set.
struct MantieniVista {
    explicit MantieniVista(Vista& v) : vista(v) { ++vista.mantieni; }
    ~MantieniVista() { --vista.mantieni; }
    MantieniVista(const MantieniVista&) = delete;
    MantieniVista& operator=(const MantieniVista&) = delete;
    Vista& vista;
};

// Canvas coordinates to whole pixels, as the pixel drawing calls take them.
inline int pixel(double v) {
    if (!(v == v)) return 0;
    if (v > 1e9) return 1000000000;
    if (v < -1e9) return -1000000000;
    return static_cast<int>(std::nearbyint(v));
}

// Every drawing starts with this: restart the extent.
inline void riavviaEstensione(Vista& v) { v.riavvioEstensione = -1; }

// The extent-tracking pen move: widens (or restarts) the extent with (x, y), then moves the
// pen there. Coordinates are canvas coordinates.
void puntoEstensione(Vista& v, Canvas& c, double x, double y);
// Widens (or restarts) the extent with (x, y) without moving the pen.
void allargaEstensione(Vista& v, double x, double y);
// Widens the extent by the points and draws them as one Bezier chain.
void bezierEstensione(Vista& v, Canvas& c, const std::vector<PuntoCanvas>& punti);

// Start-up view: scale 1, x offset 0, y offset the canvas height (world y = 0 at the bottom);
// the stack holds this base view only.
void inizializzaVista(Vista& v, const Canvas& c);
// Saves the current view on the stack (ignored when 255 views are saved).
void salvaVista(Vista& v);
// Back to the previous view; false when only the base view is left (then nothing changes).
bool vistaPrecedente(Vista& v);

}  // namespace carvela
