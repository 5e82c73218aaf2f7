#pragma once
// Sample plans for the road computation tests: contour lines of simple terrains, built as
// polylines the way the DXF import stores them, and a four-vertex axis.
#include <cmath>
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

// The plane z = z0 + gx x + gy y about the square [-50, 250] x [-50, 250]: its contour lines every
// `passo` metres of elevation, each straight, 500 m long, centred on the square's centre and cut
// into 12 pieces.
inline Planimetria pianoInclinato(double z0, double gx, double gy, double passo) {
    Planimetria p;
    const double g2 = gx * gx + gy * gy, dx = -gy / std::sqrt(g2), dy = gx / std::sqrt(g2);
    const double zc = z0 + 100 * (gx + gy), dz = 150 * (std::fabs(gx) + std::fabs(gy));
    for (double z = std::ceil((zc - dz) / passo) * passo; z <= zc + dz; z += passo) {
        const double c = (z - zc) / g2, px = 100 + c * gx, py = 100 + c * gy;  // nearest the centre
        std::vector<std::pair<double, double>> linea;
        for (int i = -6; i <= 6; ++i) linea.push_back({px + 250 * i / 6.0 * dx, py + 250 * i / 6.0 * dy});
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
