#pragma once
// Sections for the tests: a ground line given as x z pairs.
#include <vector>

#include "project/records.h"
#include "sections/section_solve.h"
#include "state/settings.h"

namespace carvela {

inline Sezione sezioneDi(float larghezza, float quota, const std::vector<float>& xz, int16_t numero = 1) {
    Sezione s;
    s.Numero = numero;
    s.Larghezza = larghezza;
    s.QuotaProgetto = quota;
    const int n = static_cast<int>(xz.size() / 2);
    s.NumeroPunti = static_cast<int16_t>(n);
    s.DistanzeTerreno.redim(n);
    s.QuoteTerreno.redim(n);
    for (int i = 1; i <= n; ++i) {
        s.DistanzeTerreno[i] = xz[static_cast<std::size_t>(2 * i - 2)];
        s.QuoteTerreno[i] = xz[static_cast<std::size_t>(2 * i - 1)];
    }
    return s;
}

inline Sezione sezioneRisolta(float quota, const std::vector<float>& xz, const Impostazioni& imp = {}) {
    Sezione s = sezioneDi(10, quota, xz, 7);
    risolviSezione(s, imp);
    return s;
}

}  // namespace carvela
