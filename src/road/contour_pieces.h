#pragma once
// The steps of the ground elevation on one contour piece, shared by the scan of every piece
// and by the grid index, so both compute the very same numbers.
#include <algorithm>
#include <cmath>

#include "project/records.h"

namespace carvela::pezzi {

// Relative tolerances: a crossing at a segment end still counts (bounds included), and two
// directions closer than this are parallel.
inline constexpr double kTolleranzaParametro = 1e-9;
inline constexpr double kTolleranzaParallele = 1e-12;

struct Incrocio {
    double t = 0;  // along the first line, 0 at its start, 1 at its end
    double u = 0;  // along the second line
};

// Crossing of the lines P0 + t*dP and Q0 + u*dQ; false when they are parallel.
inline bool incrocioRette(double p0x, double p0y, double dpx, double dpy, double q0x, double q0y, double dqx,
                          double dqy, Incrocio& i) {
    const double den = dpx * dqy - dpy * dqx;
    const double scala = std::hypot(dpx, dpy) * std::hypot(dqx, dqy);
    if (!(scala > 0) || !(std::fabs(den) > kTolleranzaParallele * scala)) return false;
    const double wx = q0x - p0x, wy = q0y - p0y;
    i.t = (wx * dqy - wy * dqx) / den;
    i.u = (wx * dpy - wy * dpx) / den;
    return std::isfinite(i.t) && std::isfinite(i.u);
}

// Within a segment, ends included. Along a segment the parameter grows with x, or with y
// where the segment runs north-south, so this is the x-range test of a crossing, and the
// y-range test for a segment whose x-range is a single value.
inline bool entroSegmento(double parametro) {
    return parametro >= -kTolleranzaParametro && parametro <= 1 + kTolleranzaParametro;
}

// Squared distance below which p counts as lying on a contour piece whose nearest point to
// it is (cx, cy): rounding of the coordinates' magnitude, not of the plan's units.
inline double quadratoTolleranza(double px, double py, double cx, double cy) {
    const double grandezza = 1 + std::max({std::fabs(px), std::fabs(py), std::fabs(cx), std::fabs(cy)});
    const double tolleranza = 1e-9 * grandezza;
    return tolleranza * tolleranza;
}

// A piece that gives no crossing and no elevation.
inline bool escluso(const ContourSegment& s) {
    if (s.x1 == s.x2 && s.y1 == s.y2) return true;  // a piece of length 0 has no direction
    return !std::isfinite(s.x1) || !std::isfinite(s.y1) || !std::isfinite(s.x2) || !std::isfinite(s.y2);
}

// Nearest point of a piece to p: the foot of the perpendicular, or the piece's first end
// when the foot falls beyond the piece. (East-west and north-south pieces take their foot
// too: their first end may lie far along the contour, and the line from there through p can
// miss the next contour line altogether.)
struct Piede {
    double cx = 0, cy = 0, d2 = 0;
    bool sulPezzo = false;  // p lies on the piece
};

inline Piede piede(const ContourSegment& s, double x, double y) {
    Piede p;
    const double dx = double{s.x2} - s.x1, dy = double{s.y2} - s.y1;
    p.cx = s.x1, p.cy = s.y1;
    const double t = ((x - s.x1) * dx + (y - s.y1) * dy) / (dx * dx + dy * dy);
    const bool entro = entroSegmento(t);
    if (entro) {
        p.cx = s.x1 + t * dx;
        p.cy = s.y1 + t * dy;
    }
    p.d2 = (x - p.cx) * (x - p.cx) + (y - p.cy) * (y - p.cy);
    p.sulPezzo = entro && p.d2 <= quadratoTolleranza(x, y, p.cx, p.cy);
    return p;
}

// Where the line A + t*E crosses the piece at or beyond p (t = 1); false when it does not.
inline bool incrocioOltre(const ContourSegment& s, double ax, double ay, double ex, double ey, double& t) {
    Incrocio i;
    if (!incrocioRette(ax, ay, ex, ey, s.x1, s.y1, double{s.x2} - s.x1, double{s.y2} - s.y1, i)) return false;
    if (!entroSegmento(i.u) || i.t < 1 - kTolleranzaParametro) return false;
    t = i.t;
    return true;
}

// Elevation between the nearest contour point (elevation za) and the next one beyond p,
// at 1 / lambda of the way.
inline float quotaInterpolata(bool oltre, double lambda, double za, double zb) {
    if (!oltre || !(lambda > 0)) return static_cast<float>(za);
    // |pA| / |AB| is 1 / lambda along the line.
    const double z = za + (zb - za) / lambda;
    return std::isfinite(z) ? static_cast<float>(z) : static_cast<float>(za);
}

}  // namespace carvela::pezzi
