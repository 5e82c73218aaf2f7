#include "road/geometry.h"

#include <algorithm>
#include <cmath>

#include "road/contour_pieces.h"
#include "state/workspace.h"

namespace carvela {
namespace {

constexpr double kPi = static_cast<double>(kPiGreco);

using pezzi::entroSegmento;
using pezzi::Incrocio;
using pezzi::incrocioRette;

template <class Funzione>
void perOgniPezzo(const Planimetria& piano, Funzione f) {
    const int32_t curve = std::min(piano.NumeroCurveLivello, piano.CurveLivello.upperBound());
    for (int32_t c = 1; c <= curve; ++c) {
        const VbArray<ContourSegment>& curva = piano.CurveLivello[c];
        for (int32_t k = 1; k <= curva.upperBound(); ++k) {
            const ContourSegment& s = curva[k];
            if (pezzi::escluso(s) || !std::isfinite(s.z1)) continue;
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

    // Nearest contour point A (see pezzi::piede); a point on a contour line has that line's
    // elevation.
    bool trovato = false, sullaCurva = false;
    double ax = 0, ay = 0, migliore = 0, za = 0;
    perOgniPezzo(piano, [&](const ContourSegment& s) {
        const pezzi::Piede p = pezzi::piede(s, x, y);
        if (p.sulPezzo) {
            sullaCurva = true;
            za = s.z1;
            return false;
        }
        if (!trovato || p.d2 < migliore) {
            trovato = true;
            migliore = p.d2;
            ax = p.cx;
            ay = p.cy;
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
        double t = 0;
        if (pezzi::incrocioOltre(s, ax, ay, ex, ey, t) && (!oltre || t < lambda)) {
            oltre = true;
            lambda = t;
            zb = s.z1;
        }
        return true;
    });
    return pezzi::quotaInterpolata(oltre, lambda, za, zb);
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
