#pragma once
// Sample plans for the road computation tests: contour lines of simple terrains, built as
// polylines the way the DXF import stores them, and a four-vertex axis.
#include <cmath>
#include <functional>
#include <vector>

#include "project/records.h"

namespace carvela::prova {

inline void aggiungiCurva(Planimetria& p, const std::vector<std::pair<double, double>>& vertici, double z) {
    ++p.NumeroCurveLivello;
    p.CurveLivello.redimPreserve(p.NumeroCurveLivello);
    VbArray<ContourSegment>& c = p.CurveLivello[p.NumeroCurveLivello];
    const int32_t pezzi = static_cast<int32_t>(vertici.size()) - 1;
    c.redim(pezzi);
    for (int32_t i = 1; i <= pezzi; ++i) {
        const auto& a = vertici[static_cast<std::size_t>(i) - 1];
        const auto& b = vertici[static_cast<std::size_t>(i)];
        c[i] = {float(a.first), float(a.second), float(z), float(b.first), float(b.second), float(z)};
    }
}

inline void impostaAsse(Planimetria& p, const std::vector<std::pair<double, double>>& vertici) {
    const int32_t n = static_cast<int32_t>(vertici.size());
    p.VerticiAsse.redim(n);
    for (int32_t i = 1; i <= n; ++i)
        p.VerticiAsse[i] = {float(vertici[static_cast<std::size_t>(i) - 1].first),
                            float(vertici[static_cast<std::size_t>(i) - 1].second), 0};
    p.AsseTracciato = p.VerticiAsse;
    p.NumeroPuntiAsse = n;
}

// The plane z = z0 + gx x + gy y over [-50, 250] x [-50, 250]: its contour lines every
// `passo` metres of elevation, each the straight line across the square cut into pieces of
// at most 40 m.
inline Planimetria pianoInclinato(double z0, double gx, double gy, double passo) {
    Planimetria p;
    const double lo = -50, hi = 250;
    const double g2 = gx * gx + gy * gy, g = std::sqrt(g2);
    const double dx = -gy / g, dy = gx / g;  // along the contour lines
    const double zmin = z0 + std::min(gx * lo, gx * hi) + std::min(gy * lo, gy * hi);
    const double zmax = z0 + std::max(gx * lo, gx * hi) + std::max(gy * lo, gy * hi);
    for (double z = std::ceil(zmin / passo) * passo; z <= zmax; z += passo) {
        const double c = z - z0, px = c * gx / g2, py = c * gy / g2;
        // Clip the line p + t d to the square.
        double t0 = -1e9, t1 = 1e9;
        for (auto [q, d] : {std::pair{px, dx}, std::pair{py, dy}}) {
            if (std::fabs(d) < 1e-12) {
                if (q < lo || q > hi) t0 = 1, t1 = 0;
                continue;
            }
            const double a = (lo - q) / d, b = (hi - q) / d;
            t0 = std::max(t0, std::min(a, b));
            t1 = std::min(t1, std::max(a, b));
        }
        if (t1 - t0 < 1) continue;
        const int pezzi = static_cast<int>(std::ceil((t1 - t0) / 40));
        std::vector<std::pair<double, double>> linea;
        for (int i = 0; i <= pezzi; ++i) {
            const double t = t0 + (t1 - t0) * i / pezzi;
            linea.push_back({px + t * dx, py + t * dy});
        }
        aggiungiCurva(p, linea, z);
    }
    return p;
}

// A round hill of height 30 centred on (100, 100): contour circles (24-gons) every 2 m.
inline Planimetria collina() {
    Planimetria p;
    for (double z = 2; z <= 30; z += 2) {
        const double r = (30 - z) * 5 + 3;
        std::vector<std::pair<double, double>> anello;
        for (int i = 0; i <= 24; ++i) {
            const double a = 2 * 3.141592653589793 * i / 24;
            anello.push_back({100 + r * std::cos(a), 100 + r * std::sin(a)});
        }
        aggiungiCurva(p, anello, z);
    }
    return p;
}

inline const std::vector<std::pair<double, double>>& asseDiProva() {
    static const std::vector<std::pair<double, double>> asse{{5, 12}, {70, 95}, {140, 60}, {200, 190}};
    return asse;
}

}  // namespace carvela::prova
