#pragma once
// A small plan for the drawing tests: a round hill of contour lines, surveyed points on a
// grid (a few of them stations), a straight-and-curved axis crossing the hill with its
// stations, road edges and land take.
#include <cmath>

#include "project/records.h"

namespace carvela::prova {

inline double quotaCollina(double x, double y) {
    const double r = std::hypot(x - 200, y - 150);
    return 120 - r * 0.1;
}

inline Planimetria pianoDiProva() {
    Planimetria p;
    // Points on a 50 m grid.
    int n = 0;
    p.Punti.redim(0);
    p.PuntiStazione.redim(0);
    for (int i = 0; i <= 8; ++i)
        for (int j = 0; j <= 6; ++j) {
            ++n;
            p.Punti.ensure(n);
            p.PuntiStazione.ensure(n);
            const float x = static_cast<float>(i * 50), y = static_cast<float>(j * 50);
            p.Punti[n] = {x, y, static_cast<float>(quotaCollina(x, y))};
            p.PuntiStazione[n] = (i + j) % 5 == 0 ? 1 : 0;
        }
    p.NumeroPunti = n;

    // Contour lines every 2 m: circles of 24 pieces about the hill top.
    p.CurveLivello.redim(0);
    int curve = 0;
    for (double z = 118; z >= 100; z -= 2) {
        const double r = (120 - z) / 0.1;
        ++curve;
        p.CurveLivello.ensure(curve);
        auto& pezzi = p.CurveLivello[curve];
        pezzi.redim(24);
        for (int k = 1; k <= 24; ++k) {
            const double a1 = (k - 1) * 2 * 3.141592653589793 / 24, a2 = k * 2 * 3.141592653589793 / 24;
            pezzi[k] = {static_cast<float>(200 + r * std::cos(a1)), static_cast<float>(150 + r * std::sin(a1)),
                        static_cast<float>(z),
                        static_cast<float>(200 + r * std::cos(a2)), static_cast<float>(150 + r * std::sin(a2)),
                        static_cast<float>(z)};
        }
    }
    p.NumeroCurveLivello = curve;

    // An axis from west to east, bending north.
    const float asse[][2] = {{0, 60}, {150, 80}, {250, 110}, {330, 170}, {400, 260}};
    p.NumeroPuntiAsse = 5;
    p.AsseTracciato.redim(5);
    p.VerticiAsse.redim(5);
    for (int k = 0; k < 5; ++k) {
        p.AsseTracciato[k + 1] = {asse[k][0], asse[k][1], 0};
        p.VerticiAsse[k + 1] = p.AsseTracciato[k + 1];
    }
    // Stations every 40 m along the legs, with edges 5 m and land take 9 m either side.
    p.Intersezioni.redim(0);
    p.Cigli.redim(0);
    p.Occupazione.redim(0);
    int st = 0;
    for (int k = 0; k < 4; ++k) {
        const double x1 = asse[k][0], y1 = asse[k][1], x2 = asse[k + 1][0], y2 = asse[k + 1][1];
        const double l = std::hypot(x2 - x1, y2 - y1), ux = (x2 - x1) / l, uy = (y2 - y1) / l;
        for (double d = 0; d < l; d += 40) {
            ++st;
            const double x = x1 + ux * d, y = y1 + uy * d;
            p.Intersezioni.ensure(st);
            p.Cigli.ensure(st);
            p.Occupazione.ensure(st);
            p.Intersezioni[st] = {static_cast<float>(x), static_cast<float>(y), static_cast<float>(quotaCollina(x, y)),
                                  static_cast<int16_t>(k + 1)};
            // Left is to the left of the direction of travel.
            auto lato = [&](double o) { return std::pair{static_cast<float>(x - uy * o), static_cast<float>(y + ux * o)}; };
            auto [cxL, cyL] = lato(5);
            auto [cxR, cyR] = lato(-5);
            auto [oxL, oyL] = lato(9);
            auto [oxR, oyR] = lato(-9);
            const float zL = st % 3 == 0 ? -1.0f : 1.0f, zR = st % 4 == 0 ? -1.0f : 1.0f;
            p.Cigli[st] = {cxL, cyL, 0, cxR, cyR, 0};
            p.Occupazione[st] = {oxL, oyL, zL, oxR, oyR, zR};
        }
    }
    p.NumeroIntersezioni = st;
    p.EstremiSezioni.redim(st);
    p.SezioniApplicate.redim(st);
    return p;
}

}  // namespace carvela::prova
