#pragma once
// Builds a profile from its sections and grade-line layout, as the road computation leaves it.
#include <vector>

#include "profile/grade_lines.h"
#include "project/records.h"

namespace carvela::prova {

struct SezioneProfilo {
    double x, z;
};

// `punti` lists each grade line's point count (shared end sections counted in both).
inline Profilo profiloDa(const std::vector<SezioneProfilo>& sezioni, const std::vector<int32_t>& punti,
                         uint8_t metodo = 0) {
    Profilo pr;
    pr.NumeroSezioni = static_cast<int32_t>(sezioni.size());
    pr.NumeroLivellette = static_cast<int32_t>(punti.size());
    pr.PuntiLivelletta.redim(pr.NumeroLivellette);
    std::vector<float> x{0}, z{0};
    std::size_t k = 0;
    for (std::size_t g = 0; g < punti.size(); ++g) {
        pr.PuntiLivelletta[static_cast<int32_t>(g) + 1] = punti[g];
        if (g > 0) --k;  // the shared section starts the next grade line
        for (int32_t j = 0; j < punti[g]; ++j, ++k) {
            x.push_back(static_cast<float>(sezioni[k].x));
            z.push_back(static_cast<float>(sezioni[k].z));
        }
    }
    pr.Progressive.assignRaw(x);
    pr.QuoteTerreno.assignRaw(z);
    for (VbArray2<float>* t : {&pr.ProgressiveLiv, &pr.TerrenoLiv, &pr.ProgettoLiv, &pr.RosseLiv})
        t->redim(pr.NumeroSezioni, pr.NumeroLivellette + 1);
    ricostruisciTabelleLivellette(pr);
    pr.MetodoLivellette = metodo;
    return pr;
}

// Sections every `passo` metres from 0 over flat ground.
inline std::vector<SezioneProfilo> piano(int quante, double passo, double quota) {
    std::vector<SezioneProfilo> s;
    for (int i = 0; i < quante; ++i) s.push_back({i * passo, quota});
    return s;
}

}  // namespace carvela::prova
