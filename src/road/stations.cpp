#include "road/stations.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "road/contour_index.h"
#include "road/geometry.h"
#include "road/progress.h"
#include "road/shell_sort.h"
#include "state/workspace.h"

namespace carvela {
namespace {

struct Stazione {
    double x = 0, y = 0;
    int16_t tratto = 0;
    float z = 0;
};

double distanza(const Stazione& a, double x, double y) { return std::hypot(x - a.x, y - a.y); }

}  // namespace

void calcolaStazioni(Workspace& ws, Host& host) {
    Planimetria& piano = ws.Piano;
    const VbArray<AxisPoint>& asse = piano.AsseTracciato;
    const int32_t punti = std::min(piano.NumeroPuntiAsse, asse.upperBound());
    const double minima = ws.impostazioni.DistazaMinimaSezioni;
    const IndiceCurve indice(piano);
    std::vector<uint32_t> vicini;

    host.mostraAttesa();
    std::vector<Stazione> stazioni;
    {
        FaseAvanzamento fase(host, "Calcolo delle intersezioni in corso...", std::max(0, punti - 1));
        for (int32_t k = 1; k < punti; ++k) {
            const AxisPoint& a = asse[k];
            const AxisPoint& b = asse[k + 1];
            const int16_t tratto = static_cast<int16_t>(std::min<int32_t>(k, INT16_MAX));
            const std::size_t inizio = stazioni.size();
            if (k == 1) stazioni.push_back({a.x, a.y, 1});
            indice.pezziLungo(a.x, a.y, b.x, b.y, vicini);
            for (const uint32_t id : vicini) {
                const ContourSegment& s = indice.pezzo(id);
                double x = 0, y = 0;
                if (!intersezioneSegmenti(a.x, a.y, b.x, b.y, s.x1, s.y1, s.x2, s.y2, x, y)) continue;
                if (!stazioni.empty() && distanza(stazioni.back(), x, y) < minima) continue;
                stazioni.push_back({x, y, tratto});
            }
            stazioni.push_back({b.x, b.y, tratto});
            ordinaShell(stazioni, inizio, stazioni.size(),
                        [&](const Stazione& s) { return std::hypot(s.x - a.x, s.y - a.y); });
            for (std::size_t i = inizio; i < stazioni.size(); ++i)
                stazioni[i].z = indice.quota(stazioni[i].x, stazioni[i].y);
            fase.posizione(k);
        }
    }

    // Straight legs keep their stations at least the minimum spacing apart; stations on
    // the legs of a curve stay whatever their spacing.
    std::vector<Stazione> tenute;
    {
        FaseAvanzamento fase(host, "Controllo distaze sezioni in corso...", static_cast<int64_t>(stazioni.size()));
        for (std::size_t j = 0; j < stazioni.size(); ++j) {
            const Stazione& s = stazioni[j];
            const bool vicina = !tenute.empty() && distanza(tenute.back(), s.x, s.y) < minima;
            if (!vicina || asse.get(s.tratto).marca == kMarcaPicchetto) tenute.push_back(s);
            fase.posizione(static_cast<int64_t>(j) + 1);
        }
    }

    {
        FaseAvanzamento fase(host, "Eliminazione sezioni errate in corso...", static_cast<int64_t>(tenute.size()));
        const int32_t n = static_cast<int32_t>(tenute.size());
        piano.Intersezioni.redim(n);
        for (int32_t j = 1; j <= n; ++j) {
            const Stazione& s = tenute[static_cast<std::size_t>(j) - 1];
            piano.Intersezioni[j] = {static_cast<float>(s.x), static_cast<float>(s.y), s.z, s.tratto};
            fase.posizione(j);
        }
        piano.NumeroIntersezioni = n;
    }
    host.chiudiAttesa();
}

}  // namespace carvela
