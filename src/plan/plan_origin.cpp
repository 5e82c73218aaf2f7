#include "plan/plan_origin.h"

#include <algorithm>
#include <cmath>

#include "plan/axis.h"
#include "project/origine.h"
#include "project/vbtext.h"

namespace carvela {

bool pianoSenzaAltreCoordinate(const Planimetria& piano, bool puntiSostituiti, bool asseSostituito) {
    return (puntiSostituiti || piano.NumeroPunti <= 0) && piano.NumeroCurveLivello <= 0 &&
           piano.SegmentiReticolo.upperBound() < 1 && (asseSostituito || numeroVerticiAsse(piano) < 1) &&
           piano.NumeroIntersezioni <= 0;
}

std::vector<std::pair<double, double>> coordinateDigitate(const Griglia& g, int colonnaE) {
    std::vector<std::pair<double, double>> vere;
    for (int r = 1; r < g.righe(); ++r) {
        double e = 0, n = 0;
        if (!leggiNumero(g.testo(r, colonnaE), e) || !leggiNumero(g.testo(r, colonnaE + 1), n)) break;
        vere.emplace_back(e, n);
    }
    return vere;
}

void origineDaCoordinate(Planimetria& piano, const std::vector<std::pair<double, double>>& vere) {
    if (vere.empty()) return;
    double minE = vere[0].first, maxE = minE, minN = vere[0].second, maxN = minN;
    for (auto [e, n] : vere) {
        if (!std::isfinite(e) || !std::isfinite(n)) return;
        minE = std::min(minE, e), maxE = std::max(maxE, e);
        minN = std::min(minN, n), maxN = std::max(maxN, n);
    }
    const OrigineProgetto attuale = leggiOrigine(piano.Origine);
    auto entro = [&](double lo, double hi, double o) {
        return std::fabs(lo - o) <= kRaggioMillimetro && std::fabs(hi - o) <= kRaggioMillimetro;
    };
    if (entro(minE, maxE, attuale.est) && entro(minN, maxN, attuale.nord)) return;
    const OrigineProgetto o = scegliOrigine(minE, minN, maxE, maxN);
    if (!o.nulla() || !attuale.nulla()) piano.Origine = testoOrigine(o);
}

}  // namespace carvela
