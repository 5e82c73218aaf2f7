#include "graphics/raster_canvas.h"

#include <algorithm>
#include <cmath>

namespace carvela {
namespace {

constexpr int kTrattoAcceso = 6, kTrattoSpento = 4;  // dashed style: pixels on, pixels off

// Liang-Barsky clipping of a segment to a rectangle; false when nothing is left.
bool ritaglia(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin, double xmax, double ymax) {
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - xmin, xmax - x1, y1 - ymin, ymax - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
    x1 = ax;
    y1 = ay;
    return true;
}

bool finiti(double a, double b, double c, double d) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

uint32_t parola(int indice) {
    const ColoreRgb c = colorePalette(indice);
    return 0xFF000000u | (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b;
}

// Nearest whole number of a value already clipped to about the picture (no library call).
int intero(double v) { return static_cast<int>(v + 2.5) - 2; }

// The steps of a Bezier piece: a quarter of the length of its control polygon (the sum of
// three hypot), 1 to 2000. The square root of the exact sum of squares of whole-pixel sides
// is within a few units in the last place of hypot, so it gives the same count unless the
// length lies that close to a multiple of 4; only then is hypot called.
int passiBezier(const PuntoCanvas* p) {
    auto passi = [](double lunghezza) { return static_cast<int>(std::clamp(lunghezza / 4.0, 1.0, 2000.0)); };
    double lati[3][2];
    double somma = 0;
    bool esatta = true;
    for (int k = 0; k < 3; ++k) {
        const double dx = double(p[k + 1].x) - p[k].x, dy = double(p[k + 1].y) - p[k].y;
        lati[k][0] = dx, lati[k][1] = dy;
        esatta = esatta && std::fabs(dx) < 67108864.0 && std::fabs(dy) < 67108864.0;  // squares below 2^53
        somma += std::sqrt(dx * dx + dy * dy);
    }
    if (esatta) {
        const int basso = passi(somma * (1 - 1e-14)), alto = passi(somma * (1 + 1e-14));
        if (basso == alto) return basso;
    }
    return passi(std::hypot(lati[0][0], lati[0][1]) + std::hypot(lati[1][0], lati[1][1]) +
                 std::hypot(lati[2][0], lati[2][1]));
}

}  // namespace

RasterCanvas::RasterCanvas(int larghezza, int altezza)
    : propri_(static_cast<std::size_t>(std::max(1, larghezza)) * static_cast<std::size_t>(std::max(1, altezza)),
              0xFF000000u),
      pixel_(propri_.data()),
      w_(std::max(1, larghezza)),
      h_(std::max(1, altezza)),
      passo_(w_) {}

RasterCanvas::RasterCanvas(uint32_t* pixel, int larghezza, int altezza, int passo) {
    collega(pixel, larghezza, altezza, passo);
}

void RasterCanvas::collega(uint32_t* pixel, int larghezza, int altezza, int passo) {
    pixel_ = pixel;
    w_ = pixel ? std::max(0, larghezza) : 0;
    h_ = pixel ? std::max(0, altezza) : 0;
    passo_ = std::max(passo, w_);
}

void RasterCanvas::clear() {
    for (int y = 0; y < h_; ++y) {
        uint32_t* riga = pixel_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(passo_);
        std::fill(riga, riga + w_, 0xFF000000u);
    }
    penX_ = penY_ = 0;
}

void RasterCanvas::setDrawStyle(StileTratto stile) {
    stile_ = stile;
    fase_ = 0;
}

ColoreRgb RasterCanvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return {0, 0, 0};
    const uint32_t p =
        pixel_[static_cast<std::size_t>(y) * static_cast<std::size_t>(passo_) + static_cast<std::size_t>(x)];
    return {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)};
}

std::vector<uint8_t> RasterCanvas::rgb() const {
    std::vector<uint8_t> out;
    out.reserve(static_cast<std::size_t>(w_) * static_cast<std::size_t>(h_) * 3);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const ColoreRgb c = pixel(x, y);
            out.insert(out.end(), {c.r, c.g, c.b});
        }
    return out;
}

void RasterCanvas::setPixel(int x, int y, int colore) { punto(x, y, parola(colore)); }

void RasterCanvas::segmento(double x1, double y1, double x2, double y2, int colore) {
    if (!finiti(x1, y1, x2, y2)) return;
    // Segments inside the picture need no clipping (most of them).
    const bool dentro = x1 >= -1 && x2 >= -1 && y1 >= -1 && y2 >= -1 && x1 <= w_ && x2 <= w_ && y1 <= h_ && y2 <= h_;
    if (!dentro && !ritaglia(x1, y1, x2, y2, -1, -1, w_, h_)) return;
    const uint32_t c = parola(colore);
    int ax = intero(x1), ay = intero(y1);
    const int bx = intero(x2), by = intero(y2);
    const int dx = std::abs(bx - ax), dy = -std::abs(by - ay);
    const int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
    int err = dx + dy;
    const bool tratteggio = stile_ == StileTratto::Tratteggiato;
    for (;;) {
        if (!tratteggio || fase_ < kTrattoAcceso) punto(ax, ay, c);
        if (tratteggio) fase_ = (fase_ + 1) % (kTrattoAcceso + kTrattoSpento);
        if (ax == bx && ay == by) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            ax += sx;
        }
        if (e2 <= dx) {
            err += dx;
            ay += sy;
        }
    }
}

void RasterCanvas::moveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
    fase_ = 0;
}

void RasterCanvas::lineTo(int x, int y) {
    segmento(penX_, penY_, x, y, fore_);
    penX_ = x;
    penY_ = y;
}

void RasterCanvas::polyBezier(const std::vector<PuntoCanvas>& punti) {
    if (punti.size() < 4) return;
    fase_ = 0;
    for (std::size_t i = 0; i + 3 < punti.size(); i += 3) {
        const PuntoCanvas* p = &punti[i];
        // A piece lies within the box of its control points: one wholly beyond the clipping
        // border of the picture (by more than the rounding of its steps) draws nothing, as
        // every step of it would be clipped away. A zoomed-in plan skips most pieces so.
        const auto [xmin, xmax] = std::minmax({p[0].x, p[1].x, p[2].x, p[3].x});
        const auto [ymin, ymax] = std::minmax({p[0].y, p[1].y, p[2].y, p[3].y});
        if (xmax < -2 || ymax < -2 || xmin > w_ + 1 || ymin > h_ + 1) continue;
        const double x0 = p[0].x, y0 = p[0].y, x1 = p[1].x, y1 = p[1].y;
        const double x2 = p[2].x, y2 = p[2].y, x3 = p[3].x, y3 = p[3].y;
        // Enough steps for pieces of a few pixels along the control polygon.
        const int passi = passiBezier(p);
        if (passi == 1) {  // the one step ends exactly at the last point
            segmento(x0, y0, x3, y3, fore_);
            continue;
        }
        double px = x0, py = y0;
        for (int k = 1; k <= passi; ++k) {
            const double t = static_cast<double>(k) / passi, u = 1 - t;
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            const double qx = a * x0 + b * x1 + c * x2 + d * x3, qy = a * y0 + b * y1 + c * y2 + d * y3;
            segmento(px, py, qx, qy, fore_);
            px = qx;
            py = qy;
        }
    }
    penX_ = punti.back().x;
    penY_ = punti.back().y;
}

void RasterCanvas::line(double x1, double y1, double x2, double y2, int colore) {
    fase_ = 0;
    segmento(x1, y1, x2, y2, colore);
}

void RasterCanvas::box(double x1, double y1, double x2, double y2, int colore, bool pieno) {
    if (!finiti(x1, y1, x2, y2)) return;
    if (!pieno) {
        fase_ = 0;
        segmento(x1, y1, x2, y1, colore);
        segmento(x2, y1, x2, y2, colore);
        segmento(x2, y2, x1, y2, colore);
        segmento(x1, y2, x1, y1, colore);
        return;
    }
    const uint32_t c = parola(colore);
    const double ax = std::clamp(std::min(x1, x2), -1.0, double(w_)),
                 bx = std::clamp(std::max(x1, x2), -1.0, double(w_));
    const double ay = std::clamp(std::min(y1, y2), -1.0, double(h_)),
                 by = std::clamp(std::max(y1, y2), -1.0, double(h_));
    for (int y = intero(ay); y <= intero(by); ++y)
        for (int x = intero(ax); x <= intero(bx); ++x) punto(x, y, c);
}

void RasterCanvas::ellisse(double cx, double cy, double raggio, int colore, double inizio, double ampiezza,
                           double aspetto) {
    if (!finiti(cx, cy, raggio, inizio) || ampiezza <= 0) return;
    const SemiAssi a = semiAssi(raggio, aspetto);
    // Wholly outside the picture: nothing to draw.
    if (cx + a.orizzontale < -1 || cx - a.orizzontale > w_ || cy + a.verticale < -1 || cy - a.verticale > h_) return;
    // Smaller than a pixel: the pixel at its centre.
    if (std::max(a.orizzontale, a.verticale) < 0.5) {
        punto(intero(std::clamp(cx, -2.0, double(w_))), intero(std::clamp(cy, -2.0, double(h_))), parola(colore));
        return;
    }
    const double perimetro = ampiezza * std::max(a.orizzontale, a.verticale);
    const int passi = static_cast<int>(std::clamp(perimetro / 2.0, 8.0, 20000.0));
    fase_ = 0;
    // The angle advances by turning (cos, sin) step by step instead of calling the library.
    const double dc = std::cos(ampiezza / passi), ds = std::sin(ampiezza / passi);
    double c = std::cos(inizio), s = std::sin(inizio);
    double px = cx + a.orizzontale * c, py = cy - a.verticale * s;
    for (int k = 1; k <= passi; ++k) {
        const double cn = c * dc - s * ds;
        s = s * dc + c * ds;
        c = cn;
        const double qx = cx + a.orizzontale * c, qy = cy - a.verticale * s;
        segmento(px, py, qx, qy, colore);
        px = qx;
        py = qy;
    }
}

void RasterCanvas::circle(double cx, double cy, double raggio, int colore, double aspetto) {
    ellisse(cx, cy, raggio, colore, 0, 6.283185307179586, aspetto);
}

void RasterCanvas::arc(double cx, double cy, double raggio, int colore, double inizio, double fine, double aspetto) {
    ellisse(cx, cy, raggio, colore, inizio, ampiezzaArco(inizio, fine), aspetto);
}

}  // namespace carvela
