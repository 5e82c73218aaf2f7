#pragma once
// A small plan for the drawing tests: a round hill of contour lines, points on a 50 m grid (some
// of them stations), and an axis across the hill with stations every 40 m along its legs, road
// edges 5 m and land take 9 m either side.
#include <cmath>

#include "project/records.h"

namespace carvela::prova {

inline Planimetria pianoDiProva() {
    const auto quota = [](double x, double y) { return float(120 - std::hypot(x - 200, y - 150) * 0.1); };
    Planimetria p;
    p.NumeroPunti = 63;
    p.Punti.redim(63);
    p.PuntiStazione.redim(63);
    for (int n = 1, i = 0; i <= 8; ++i)
        for (int j = 0; j <= 6; ++j, ++n) {
            p.Punti[n] = {i * 50.0f, j * 50.0f, quota(i * 50, j * 50)};
            p.PuntiStazione[n] = (i + j) % 5 == 0;
        }
    // Contour lines every 2 m from 118 down: circles of 24 pieces about the top.
    p.NumeroCurveLivello = 10;
    p.CurveLivello.redim(10);
    for (int c = 1; c <= 10; ++c) {
        const auto x = [&](int k) { return float(200 + 20 * c * std::cos(k * 3.141592653589793 / 12)); };
        const auto y = [&](int k) { return float(150 + 20 * c * std::sin(k * 3.141592653589793 / 12)); };
        const float z = 120.0f - 2 * c;
        p.CurveLivello[c].redim(24);
        for (int k = 1; k <= 24; ++k) p.CurveLivello[c][k] = {x(k - 1), y(k - 1), z, x(k), y(k), z};
    }
    const float asse[][2] = {{0, 60}, {150, 80}, {250, 110}, {330, 170}, {400, 260}};
    p.NumeroPuntiAsse = 5;
    p.AsseTracciato.redim(5);
    for (int k = 1; k <= 5; ++k) p.AsseTracciato[k] = {asse[k - 1][0], asse[k - 1][1], 0};
    p.VerticiAsse = p.AsseTracciato;
    int st = 0;
    for (int k = 0; k < 4; ++k) {
        const double x1 = asse[k][0], y1 = asse[k][1], l = std::hypot(asse[k + 1][0] - x1, asse[k + 1][1] - y1);
        const double ux = (asse[k + 1][0] - x1) / l, uy = (asse[k + 1][1] - y1) / l;
        for (double d = 0; d < l; d += 40) {
            const double x = x1 + ux * d, y = y1 + uy * d;
            ++st;
            for (auto* v : {&p.Cigli, &p.Occupazione}) v->ensure(st);
            p.Intersezioni.ensure(st);
            p.Intersezioni[st] = {float(x), float(y), quota(x, y), int16_t(k + 1)};
            // Offsets to the left of the direction of travel; negative to the right.
            const auto lx = [&](double o) { return float(x - uy * o); };
            const auto ly = [&](double o) { return float(y + ux * o); };
            p.Cigli[st] = {lx(5), ly(5), 0, lx(-5), ly(-5), 0};
            p.Occupazione[st] = {lx(9), ly(9), st % 3 == 0 ? -1.0f : 1.0f, lx(-9), ly(-9), st % 4 == 0 ? -1.0f : 1.0f};
        }
    }
    p.NumeroIntersezioni = st;
    p.EstremiSezioni.redim(st);
    p.SezioniApplicate.redim(st);
    return p;
}

}  // namespace carvela::prova
