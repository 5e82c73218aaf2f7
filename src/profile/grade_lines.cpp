#include "profile/grade_lines.h"

#include <algorithm>
#include <vector>

#include "project/records.h"

namespace carvela {
namespace {

int32_t puntiMassimi(const Profilo& pr) {
    int32_t massimo = 0;
    for (int32_t g = 1; g <= pr.NumeroLivellette; ++g) massimo = std::max(massimo, pr.PuntiLivelletta.get(g));
    return massimo;
}

void assicura(VbArray<float>& v, int32_t n) {
    if (!v.isDimensioned() || v.upperBound() < n) v.redimPreserve(n);
}

}  // namespace

void allargaTabellaLivellette(VbArray2<float>& t, int32_t punti, int32_t livellette) {
    if (t.isDimensioned() && t.upperBound1() >= punti && t.upperBound2() >= livellette) return;
    auto celle = [](int64_t ub1, int64_t ub2) { return (ub1 + 1) * (ub2 + 1); };
    const int64_t limite =
        2 * std::max(int64_t{t.count1()} * t.count2(), celle(std::max(punti, 0), std::max(livellette, 0)));
    int32_t ub1 = std::max(t.upperBound1(), punti), ub2 = std::max(t.upperBound2(), livellette);
    if (celle(ub1, ub2) > limite) ub1 = std::max(punti, 0);
    if (celle(ub1, ub2) > limite) ub2 = std::max(livellette, 0);
    t.redimPreserve(ub1, ub2);
}

void appiattisciLivellette(Profilo& pr) {
    const int32_t livellette = std::max(0, pr.NumeroLivellette);
    if (livellette < 1) return;  // no layout: the lists stay as they are
    std::vector<float> x{0}, t{0}, z{0}, r{0};
    auto aggiungi = [&](int32_t j, int32_t g) {
        x.push_back(pr.ProgressiveLiv.get(j, g));
        t.push_back(pr.TerrenoLiv.get(j, g));
        z.push_back(pr.ProgettoLiv.get(j, g));
        r.push_back(pr.RosseLiv.get(j, g));
    };
    for (int32_t g = 1; g <= livellette; ++g)
        for (int32_t j = 1; j < pr.PuntiLivelletta.get(g); ++j) aggiungi(j, g);
    if (livellette >= 1 && pr.PuntiLivelletta.get(livellette) >= 1)
        aggiungi(pr.PuntiLivelletta.get(livellette), livellette);

    // The last point goes to position NumeroSezioni; a layout listing fewer points than
    // that repeats its last point up to there rather than leaving zeros in the lists.
    const int32_t n = std::max(pr.NumeroSezioni, static_cast<int32_t>(x.size()) - 1);
    auto scrivi = [&](VbArray<float>& lista, std::vector<float>& valori) {
        const float ultimo = valori.back();
        valori.resize(static_cast<std::size_t>(n) + 1, ultimo);
        lista.assignRaw(std::move(valori));
    };
    scrivi(pr.Progressive, x);
    scrivi(pr.QuoteTerreno, t);
    scrivi(pr.QuoteProgetto, z);
    scrivi(pr.QuoteRosse, r);
}

void ricostruisciTabelleLivellette(Profilo& pr) {
    const int32_t livellette = std::max(0, pr.NumeroLivellette);
    const int32_t punti = puntiMassimi(pr);
    for (VbArray2<float>* t : {&pr.ProgressiveLiv, &pr.TerrenoLiv, &pr.ProgettoLiv, &pr.RosseLiv})
        allargaTabellaLivellette(*t, punti, livellette);

    int32_t k = 1;
    for (int32_t g = 1; g <= livellette; ++g)
        for (int32_t j = 1; j <= pr.PuntiLivelletta.get(g); ++j, ++k) {
            pr.ProgressiveLiv(j, g) = pr.Progressive.get(k);
            pr.TerrenoLiv(j, g) = pr.QuoteTerreno.get(k);
        }

    appiattisciLivellette(pr);

    double massima = 0;
    for (int32_t i = 1; i <= pr.NumeroSezioni; ++i) massima = std::max(massima, double{pr.QuoteTerreno.get(i)});
    double minima = massima;
    for (int32_t i = 1; i <= pr.NumeroSezioni; ++i) minima = std::min(minima, double{pr.QuoteTerreno.get(i)});
    pr.QuotaMassima = static_cast<float>(massima);
    pr.QuotaMinima = static_cast<float>(minima);
    pr.QuotaRiferimento = static_cast<float>(minima - 20);

    assicura(pr.AreaTerreno, livellette);
    for (int32_t g = 1; g <= livellette; ++g) {
        double area = 0;
        for (int32_t j = 1; j < pr.PuntiLivelletta.get(g); ++j)
            area += (double{pr.ProgressiveLiv(j + 1, g)} - pr.ProgressiveLiv(j, g)) *
                    (double{pr.TerrenoLiv(j + 1, g)} + pr.TerrenoLiv(j, g)) / 2;
        pr.AreaTerreno[g] = static_cast<float>(area);
    }
}

}  // namespace carvela
