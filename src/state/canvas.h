#pragma once
// The surface every drawing paints on. Coordinates are canvas pixels (x right, y down);
// colours are indexes 0..15 of the classic 16-colour palette. Implementations: the Qt
// canvas of the main window, RecordingCanvas for tests, RasterCanvas for PNG pictures.
#include <cmath>
#include <cstdint>
#include <vector>

namespace carvela {

struct PuntoCanvas {
    int32_t x = 0, y = 0;
    bool operator==(const PuntoCanvas&) const = default;
};

enum class StileTratto { Continuo, Tratteggiato };

struct ColoreRgb {
    uint8_t r, g, b;
};

// 0 black, 1 blue, 2 green, 3 cyan, 4 red, 5 magenta, 6 brown, 7 light grey, 8 grey,
// 9 light blue, 10 light green, 11 light cyan, 12 light red, 13 light magenta, 14 yellow,
// 15 bright white.
inline constexpr ColoreRgb kPalette[16] = {
    {0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},   {128, 0, 0},   {128, 0, 128},
    {128, 128, 0},   {192, 192, 192}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0},   {0, 255, 255},
    {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};

inline ColoreRgb colorePalette(int indice) { return kPalette[(indice % 16 + 16) % 16]; }

// Semi-axes of the ellipse of `circle` and `arc`: with aspect > 1 the radius is the vertical
// semi-axis, otherwise the horizontal one. An aspect that is not a positive number counts as 1.
struct SemiAssi {
    double orizzontale, verticale;
};
inline SemiAssi semiAssi(double raggio, double aspetto) {
    if (!(aspetto > 0) || aspetto > 1e12) aspetto = 1;
    raggio = raggio < 0 ? -raggio : raggio;
    if (aspetto > 1) return {raggio / aspetto, raggio};
    return {raggio, raggio * aspetto};
}
// Counter-clockwise sweep from `inizio` to `fine` (radians), in (0, 2*pi]: an end below the
// start goes round through zero, equal angles give the whole ellipse.
inline double ampiezzaArco(double inizio, double fine) {
    constexpr double giro = 6.283185307179586;
    double a = fine - inizio;
    if (!std::isfinite(a)) return 0;
    if (a > giro || a < -giro) a -= giro * static_cast<double>(static_cast<long long>(a / giro));
    if (a <= 0) a += giro;
    return a;
}

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int larghezza() const = 0;  // pixels
    virtual int altezza() const = 0;

    virtual void clear() = 0;
    virtual void setForeColor(int colore) = 0;
    virtual int foreColor() const = 0;
    virtual void setDrawStyle(StileTratto stile) = 0;

    virtual void setPixel(int x, int y, int colore) = 0;
    // Pen moves and straight lines in the fore colour.
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // A chain of cubic Bezier segments: start point, then three points per segment.
    virtual void polyBezier(const std::vector<PuntoCanvas>& punti) = 0;
    // A line between two points in the given colour (does not move the pen).
    virtual void line(double x1, double y1, double x2, double y2, int colore) = 0;
    // A rectangle outline (or filled) between two corners.
    virtual void box(double x1, double y1, double x2, double y2, int colore, bool pieno) = 0;
    // A full circle or ellipse. With aspect > 1 the radius is the vertical semi-axis and the
    // horizontal one is radius / aspect; otherwise the radius is horizontal and the vertical
    // one radius * aspect.
    virtual void circle(double cx, double cy, double raggio, int colore, double aspetto = 1.0) = 0;
    // An arc of such an ellipse from `inizio` to `fine` radians, counter-clockwise as seen on
    // screen from the +x axis.
    virtual void arc(double cx, double cy, double raggio, int colore, double inizio, double fine,
                     double aspetto = 1.0) = 0;
};

}  // namespace carvela
