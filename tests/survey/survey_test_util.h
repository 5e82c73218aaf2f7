#pragma once
// Builders of survey records for the tests.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "project/records.h"
#include "support/survey_dxf_fixtures.h"
#include "survey/triangulation.h"

namespace carvela::test {

struct Stazione {
    float indietro, avanti, distanza, zenitale, strumento, prisma;
};

// A closed traverse ready to compute: stations 1..n from their readings, the reference
// vertex and the azimuth of the first leg, the tolerances.
inline ClosedTraverse poligonaleChiusa(const std::vector<Stazione>& stazioni, float x1, float y1, float q1,
                                       float azimut1, float tolleranzaAngolare, float tolleranzaLineare) {
    ClosedTraverse p;
    const int n = static_cast<int>(stazioni.size());
    p.NumeroStazioni = static_cast<int16_t>(n);
    VbArray<float>* letture[] = {&p.LetturaIndietro, &p.LetturaAvanti,      &p.Distanza,
                                 &p.AngoloZenitale,  &p.AltezzaStrumentale, &p.AltezzaPrisma};
    for (auto* a : letture) a->redim(n);
    for (auto* a : {&p.Quota, &p.AngoloMisurato, &p.AngoloCompensato, &p.Azimut}) a->redim(n);
    for (auto* a : {&p.AscissaParziale, &p.OrdinataParziale, &p.Ascissa, &p.Ordinata}) a->redim(n + 1);
    for (int i = 1; i <= n; ++i) {
        const Stazione& s = stazioni[i - 1];
        const float valori[] = {s.indietro, s.avanti, s.distanza, s.zenitale, s.strumento, s.prisma};
        for (int k = 0; k < 6; ++k) (*letture[k])[i] = valori[k];
    }
    p.Ascissa[1] = x1, p.Ordinata[1] = y1, p.Quota[1] = q1, p.Azimut[1] = azimut1;
    p.TolleranzaAngolare = tolleranzaAngolare, p.TolleranzaLineare = tolleranzaLineare;
    return p;
}

// A chain of triangles from their three angles, vertex 0, the azimuth and length of the base.
inline TriangulationChain catena(const std::vector<std::array<float, 3>>& angoli, float x0, float y0, float azimut0,
                                 float base) {
    TriangulationChain c;
    c.NumeroTriangoli = static_cast<int16_t>(angoli.size());
    VbArray<float>* colonne[] = {&c.Angolo1, &c.Angolo2, &c.Angolo3};
    for (int k = 0; k < 3; ++k) {
        colonne[k]->redim(c.NumeroTriangoli);
        for (int t = 1; t <= c.NumeroTriangoli; ++t) (*colonne[k])[t] = angoli[t - 1][k];
    }
    c.X.assignRaw({x0}), c.Y.assignRaw({y0}), c.Azimut.assignRaw({azimut0}), c.Distanza.assignRaw({base});
    preparaTriangolazione(c);
    return c;
}

}  // namespace carvela::test
