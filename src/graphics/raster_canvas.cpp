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

}  // namespace

RasterCanvas::RasterCanvas(int larghezza, int altezza)
    : w_(std::max(1, larghezza)), h_(std::max(1, altezza)),
      rgb_(static_cast<std::size_t>(w_) * static_cast<std::size_t>(h_) * 3, 0) {}

void RasterCanvas::clear() {
    std::fill(rgb_.begin(), rgb_.end(), uint8_t{0});
    penX_ = penY_ = 0;
}

void RasterCanvas::setDrawStyle(StileTratto stile) {
    stile_ = stile;
    fase_ = 0;
}

void RasterCanvas::punto(int x, int y, const ColoreRgb& c) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    uint8_t* p = &rgb_[(static_cast<std::size_t>(y) * static_cast<std::size_t>(w_) + static_cast<std::size_t>(x)) * 3];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
}

ColoreRgb RasterCanvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return {0, 0, 0};
    const uint8_t* p =
        &rgb_[(static_cast<std::size_t>(y) * static_cast<std::size_t>(w_) + static_cast<std::size_t>(x)) * 3];
    return {p[0], p[1], p[2]};
}

void RasterCanvas::setPixel(int x, int y, int colore) { punto(x, y, colorePalette(colore)); }

void RasterCanvas::segmento(double x1, double y1, double x2, double y2, int colore) {
    if (!finiti(x1, y1, x2, y2)) return;
    if (!ritaglia(x1, y1, x2, y2, -1, -1, w_, h_)) return;
    const ColoreRgb c = colorePalette(colore);
    int ax = static_cast<int>(std::lround(x1)), ay = static_cast<int>(std::lround(y1));
    const int bx = static_cast<int>(std::lround(x2)), by = static_cast<int>(std::lround(y2));
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
        const double x0 = punti[i].x, y0 = punti[i].y, x1 = punti[i + 1].x, y1 = punti[i + 1].y;
        const double x2 = punti[i + 2].x, y2 = punti[i + 2].y, x3 = punti[i + 3].x, y3 = punti[i + 3].y;
        // Enough steps for pieces of a few pixels along the control polygon.
        const double lunghezza = std::hypot(x1 - x0, y1 - y0) + std::hypot(x2 - x1, y2 - y1) + std::hypot(x3 - x2, y3 - y2);
        const int passi = static_cast<int>(std::clamp(lunghezza / 4.0, 1.0, 2000.0));
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
    const ColoreRgb c = colorePalette(colore);
    const double ax = std::clamp(std::min(x1, x2), -1.0, double(w_)), bx = std::clamp(std::max(x1, x2), -1.0, double(w_));
    const double ay = std::clamp(std::min(y1, y2), -1.0, double(h_)), by = std::clamp(std::max(y1, y2), -1.0, double(h_));
    for (int y = static_cast<int>(std::lround(ay)); y <= static_cast<int>(std::lround(by)); ++y)
        for (int x = static_cast<int>(std::lround(ax)); x <= static_cast<int>(std::lround(bx)); ++x) punto(x, y, c);
}

void RasterCanvas::ellisse(double cx, double cy, double raggio, int colore, double inizio, double ampiezza,
                           double aspetto) {
    if (!finiti(cx, cy, raggio, inizio) || ampiezza <= 0) return;
    const SemiAssi a = semiAssi(raggio, aspetto);
    // Wholly outside the picture: nothing to draw.
    if (cx + a.orizzontale < -1 || cx - a.orizzontale > w_ || cy + a.verticale < -1 || cy - a.verticale > h_) return;
    const double perimetro = ampiezza * std::max(a.orizzontale, a.verticale);
    const int passi = static_cast<int>(std::clamp(perimetro / 2.0, 8.0, 20000.0));
    fase_ = 0;
    double px = cx + a.orizzontale * std::cos(inizio), py = cy - a.verticale * std::sin(inizio);
    for (int k = 1; k <= passi; ++k) {
        const double t = inizio + ampiezza * k / passi;
        const double qx = cx + a.orizzontale * std::cos(t), qy = cy - a.verticale * std::sin(t);
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
