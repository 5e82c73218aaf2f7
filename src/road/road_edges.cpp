#include "road/road_edges.h"

#include <cmath>

#include "road/geometry.h"
#include "state/workspace.h"

namespace carvela {
namespace {

// Section values as numbers the plan can hold: anything else counts as 0.
double valore(float v) { return std::isfinite(v) ? v : 0.0; }

}  // namespace

void calcolaCigliOccupazione(Workspace& ws) {
    Planimetria& piano = ws.Piano;
    const int32_t n = std::max(0, piano.NumeroIntersezioni);
    piano.Cigli.redim(n);
    piano.Occupazione.redim(n);
    for (int32_t j = 1; j <= n; ++j) {
        const IntersezioneAsse s = piano.Intersezioni.get(j);
        const Sezione sezione = piano.SezioniApplicate.get(j);
        double sinistra = 0, destra = 0;
        direzioniSezione(ws, j, sinistra, destra);

        const double meta = valore(sezione.Larghezza) > 0 ? valore(sezione.Larghezza) / 2 : 0;
        const double fuoriSinistra = std::fabs(valore(sezione.ScostamentoSinistro)) + meta;
        const double fuoriDestra = std::fabs(valore(sezione.ScostamentoDestro)) + meta;
        auto punto = [&](double phi, double d, float& x, float& y) {
            x = static_cast<float>(s.x + std::sin(phi) * d);
            y = static_cast<float>(s.y + std::cos(phi) * d);
        };

        ContourSegment& ciglio = piano.Cigli[j];
        punto(sinistra, meta, ciglio.x1, ciglio.y1);
        punto(destra, meta, ciglio.x2, ciglio.y2);
        ciglio.z1 = ciglio.z2 = s.z;

        ContourSegment& occupazione = piano.Occupazione[j];
        punto(sinistra, fuoriSinistra, occupazione.x1, occupazione.y1);
        punto(destra, fuoriDestra, occupazione.x2, occupazione.y2);
        occupazione.z1 = static_cast<float>(valore(sezione.RossaCiglioSinistro));
        occupazione.z2 = static_cast<float>(valore(sezione.RossaCiglioDestro));
    }
}

}  // namespace carvela
