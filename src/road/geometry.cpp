#include "road/geometry.h"

#include <algorithm>
#include <cmath>

#include "shell/workspace.h"

namespace carvela {
namespace {

constexpr double kPi = static_cast<double>(kPiGreco);

// Relative tolerances: a crossing at a segment end still counts (bounds included), and two
// directions closer than this are parallel.
constexpr double kTolleranzaParametro = 1e-9;
constexpr double kTolleranzaParallele = 1e-12;

struct Incrocio {
    double t = 0;  // along the first line, 0 at its start, 1 at its end
    double u = 0;  // along the second line
};

// Crossing of the lines P0 + t*dP and Q0 + u*dQ; false when they are parallel.
bool incrocioRette(double p0x, double p0y, double dpx, double dpy, double q0x, double q0y, double dqx, double dqy,
                   Incrocio& i) {
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
bool entroSegmento(double parametro) {
    return parametro >= -kTolleranzaParametro && parametro <= 1 + kTolleranzaParametro;
}

// Squared distance below which p counts as lying on a contour piece whose nearest point to
// it is (cx, cy): rounding of the coordinates' magnitude, not of the plan's units.
double quadratoTolleranza(double px, double py, double cx, double cy) {
    const double grandezza = 1 + std::max({std::fabs(px), std::fabs(py), std::fabs(cx), std::fabs(cy)});
    const double tolleranza = 1e-9 * grandezza;
    return tolleranza * tolleranza;
}

template <class Funzione>
void perOgniPezzo(const Planimetria& piano, Funzione f) {
    const int32_t curve = std::min(piano.NumeroCurveLivello, piano.CurveLivello.upperBound());
    for (int32_t c = 1; c <= curve; ++c) {
        const VbArray<ContourSegment>& pezzi = piano.CurveLivello[c];
        for (int32_t k = 1; k <= pezzi.upperBound(); ++k) {
            const ContourSegment& s = pezzi[k];
            if (s.x1 == s.x2 && s.y1 == s.y2) continue;  // a piece of length 0 has no direction
            if (!std::isfinite(s.x1) || !std::isfinite(s.y1) || !std::isfinite(s.x2) || !std::isfinite(s.y2) ||
                !std::isfinite(s.z1))
                continue;
            if (!f(s)) return;
        }
    }
}

// Bearing of leg k of the staked axis; a leg of length 0 borrows the direction of the
// nearest leg before it, then after it, that has one.
double rilevamentoTratto(const Planimetria& piano, int32_t k) {
    const VbArray<AxisPoint>& asse = piano.AsseTracciato;
    const int32_t ultimo = std::min(piano.NumeroPuntiAsse, asse.upperBound());
    auto direzione = [&](int32_t i, double& b) {
        if (i < 1 || i + 1 > ultimo) return false;
        const double dx = double{asse[i + 1].x} - asse[i].x, dy = double{asse[i + 1].y} - asse[i].y;
        if (dx == 0 && dy == 0) return false;
        b = rilevamento(dx, dy);
        return true;
    };
    double b = 0;
    if (direzione(k, b)) return b;
    for (int32_t i = k - 1; i >= 1; --i)
        if (direzione(i, b)) return b;
    for (int32_t i = k + 1; i < ultimo; ++i)
        if (direzione(i, b)) return b;
    return 0;
}

}  // namespace

double rilevamento(double dx, double dy) {
    if (!std::isfinite(dx) || !std::isfinite(dy)) return 0;
    if (dy == 0) {
        if (dx < 0) return 3 * kPi / 2;
        if (dx > 0) return kPi / 2;
        return 0;
    }
    if (dx == 0 && dy > 0) return 0;  // due north: 0 rather than a full turn
    const double a = std::atan(std::fabs(dx / dy));
    if (dx >= 0 && dy < 0) return kPi - a;
    if (dx < 0 && dy < 0) return kPi + a;
    if (dx <= 0 && dy > 0) return 2 * kPi - a;
    return a;
}

bool intersezioneSegmenti(double p0x, double p0y, double p1x, double p1y, double q0x, double q0y, double q1x,
                          double q1y, double& x, double& y) {
    const double dpx = p1x - p0x, dpy = p1y - p0y, dqx = q1x - q0x, dqy = q1y - q0y;
    if ((dpx == 0 && dpy == 0) || (dqx == 0 && dqy == 0)) return false;
    Incrocio i;
    if (!incrocioRette(p0x, p0y, dpx, dpy, q0x, q0y, dqx, dqy, i)) return false;
    if (!entroSegmento(i.t) || !entroSegmento(i.u)) return false;
    x = p0x + i.t * dpx;
    y = p0y + i.t * dpy;
    return std::isfinite(x) && std::isfinite(y);
}

float quotaTerreno(const Planimetria& piano, double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return 0;

    // Nearest contour point A: on each piece the foot of the perpendicular from p, or the
    // piece's first end when the foot falls beyond the piece. (East-west and north-south
    // pieces take their foot too: their first end may lie far along the contour, and the
    // line from there through p can miss the next contour line altogether.) A point on a
    // contour line has that line's elevation.
    bool trovato = false, sullaCurva = false;
    double ax = 0, ay = 0, migliore = 0, za = 0;
    perOgniPezzo(piano, [&](const ContourSegment& s) {
        const double dx = double{s.x2} - s.x1, dy = double{s.y2} - s.y1;
        double cx = s.x1, cy = s.y1;
        const double t = ((x - s.x1) * dx + (y - s.y1) * dy) / (dx * dx + dy * dy);
        const bool sulPezzo = entroSegmento(t);
        if (sulPezzo) {
            cx = s.x1 + t * dx;
            cy = s.y1 + t * dy;
        }
        const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        if (sulPezzo && d2 <= quadratoTolleranza(x, y, cx, cy)) {
            sullaCurva = true;
            za = s.z1;
            return false;
        }
        if (!trovato || d2 < migliore) {
            trovato = true;
            migliore = d2;
            ax = cx;
            ay = cy;
            za = s.z1;
        }
        return true;
    });
    if (sullaCurva) return static_cast<float>(za);
    if (!trovato) return 0;
    const double ex = x - ax, ey = y - ay;
    if (ex == 0 && ey == 0) return static_cast<float>(za);

    // Next contour point B: the nearest crossing of the line A-p beyond p. With none (the
    // point lies outside the outermost contour line) the nearest line's elevation stands.
    bool oltre = false;
    double lambda = 0, zb = 0;
    perOgniPezzo(piano, [&](const ContourSegment& s) {
        Incrocio i;
        if (!incrocioRette(ax, ay, ex, ey, s.x1, s.y1, double{s.x2} - s.x1, double{s.y2} - s.y1, i)) return true;
        if (!entroSegmento(i.u) || i.t < 1 - kTolleranzaParametro) return true;
        if (!oltre || i.t < lambda) {
            oltre = true;
            lambda = i.t;
            zb = s.z1;
        }
        return true;
    });
    if (!oltre || !(lambda > 0)) return static_cast<float>(za);
    // |pA| / |AB| is 1 / lambda along the line.
    const double z = za + (zb - za) / lambda;
    return std::isfinite(z) ? static_cast<float>(z) : static_cast<float>(za);
}

void direzioniSezione(const Workspace& ws, int32_t j, double& phiSinistra, double& phiDestra) {
    const Planimetria& piano = ws.Piano;
    const IntersezioneAsse stazione = piano.Intersezioni.get(j);
    const int32_t k = stazione.k;
    const AxisPoint inizio = piano.AsseTracciato.get(k);

    if (inizio.marca == kMarcaPicchetto && ws.CentriCurve.has(k)) {
        const CentroCurva& c = ws.CentriCurve[k];
        const double dx = double{stazione.x} - c.x, dy = double{stazione.y} - c.y;
        if ((dx != 0 || dy != 0) && std::isfinite(dx) && std::isfinite(dy)) {
            // Radial: the left end lies away from the centre on a right-hand curve.
            const double rho = rilevamento(dx, dy);
            if (c.lato == 0) {
                phiSinistra = rho;
                phiDestra = rho + kPi;
            } else {
                phiSinistra = rho + kPi;
                phiDestra = rho;
            }
            return;
        }
    }
    const double beta = rilevamentoTratto(piano, k);
    phiSinistra = beta - kPi / 2;
    phiDestra = beta + kPi / 2;
}

}  // namespace carvela
