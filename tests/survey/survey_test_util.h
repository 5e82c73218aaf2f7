#pragma once
// Builders of survey records for the tests.
#include <initializer_list>
#include <vector>

#include "project/records.h"

namespace carvela::test {

inline VbArray<float> lista(std::initializer_list<float> valori) {
    VbArray<float> a;
    std::vector<float> v{0.0f};
    v.insert(v.end(), valori);
    a.assignRaw(v);
    return a;
}

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
    for (auto* a : {&p.LetturaIndietro, &p.LetturaAvanti, &p.Distanza, &p.AngoloZenitale, &p.AltezzaStrumentale,
                    &p.AltezzaPrisma, &p.Quota, &p.AngoloMisurato, &p.AngoloCompensato, &p.Azimut})
        a->redim(n);
    for (auto* a : {&p.AscissaParziale, &p.OrdinataParziale, &p.Ascissa, &p.Ordinata}) a->redim(n + 1);
    for (int i = 1; i <= n; ++i) {
        const Stazione& s = stazioni[i - 1];
        p.LetturaIndietro[i] = s.indietro;
        p.LetturaAvanti[i] = s.avanti;
        p.Distanza[i] = s.distanza;
        p.AngoloZenitale[i] = s.zenitale;
        p.AltezzaStrumentale[i] = s.strumento;
        p.AltezzaPrisma[i] = s.prisma;
    }
    p.Ascissa[1] = x1;
    p.Ordinata[1] = y1;
    p.Quota[1] = q1;
    p.Azimut[1] = azimut1;
    p.TolleranzaAngolare = tolleranzaAngolare;
    p.TolleranzaLineare = tolleranzaLineare;
    return p;
}

}  // namespace carvela::test
