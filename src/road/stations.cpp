#include "road/stations.h"

#include <algorithm>
#include <cmath>
#include <optional>
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
    bool regolare = false;  // at a multiple of the regular interval
    bool vertice = false;   // an axis point: the chain of stations may turn there
};

// With regular stations, the axis points inside a curve whose development is shorter than
// the minimum spacing: they give no station, and their legs count as straight ones.
std::vector<bool> curveCorte(const VbArray<AxisPoint>& asse, int32_t punti, double minima) {
    std::vector<bool> corta(static_cast<std::size_t>(std::max(punti, 0)) + 2, false);
    for (int32_t i = 1; i <= punti;) {
        if (asse[i].marca != kMarcaPicchetto) {
            ++i;
            continue;
        }
        // A curve: the run of marked points and the unmarked stake that closes it.
        int32_t fine = i;
        while (fine < punti && asse[fine].marca == kMarcaPicchetto) ++fine;
        double sviluppo = 0;
        for (int32_t k = i; k < fine; ++k)
            sviluppo += std::hypot(double(asse[k + 1].x) - asse[k].x, double(asse[k + 1].y) - asse[k].y);
        if (sviluppo < minima)
            for (int32_t k = i; k < fine; ++k) corta[static_cast<std::size_t>(k)] = true;
        i = fine + 1;
    }
    return corta;
}

double distanza(const Stazione& a, double x, double y) { return std::hypot(x - a.x, y - a.y); }

// A station within two single precision steps of a multiple is at it: the profile keeps its
// progressives in single precision.
constexpr double kScartoRegolare = 2.5e-7;

// The single precision point (as the station record keeps it) near a point of the chain
// whose progressive from r comes closest to the wanted one: far from the origin a float's
// step is some tenths of a millimetre, more than a progressive may miss by. Of the points
// whose progressive rounds to the wanted one, the one nearest the line from r.
void puntoSingolo(Stazione& n, const Stazione& r, double p, double voluta) {
    constexpr int kPassi = 6;
    const float x0 = static_cast<float>(n.x), y0 = static_cast<float>(n.y);
    const double lx = n.x - r.x, ly = n.y - r.y, l = std::hypot(lx, ly);
    const double mezzoPasso = (double{std::nextafter(static_cast<float>(voluta), HUGE_VALF)} - voluta) / 2;
    double migliore = HUGE_VAL, bx = x0, by = y0;
    float x = x0;
    for (int i = 0; i < kPassi; ++i) x = std::nextafter(x, -HUGE_VALF);
    for (int i = -kPassi; i <= kPassi; ++i, x = std::nextafter(x, HUGE_VALF)) {
        float y = y0;
        for (int j = 0; j < kPassi; ++j) y = std::nextafter(y, -HUGE_VALF);
        for (int j = -kPassi; j <= kPassi; ++j, y = std::nextafter(y, HUGE_VALF)) {
            const double scarto = std::fabs(p + std::hypot(x - r.x, y - r.y) - voluta);
            const double fuori = l > 0 ? std::fabs((x - r.x) * ly - (y - r.y) * lx) / l : 0;
            // Rounding to the wanted progressive first, then off the line.
            const double costo = scarto < mezzoPasso ? fuori : 1e6 + scarto;
            if (costo < migliore) migliore = costo, bx = x, by = y;
        }
    }
    n.x = bx, n.y = by;
}

// The regular stations, placed on the chain of stations the profile measures its
// progressives on (the distances between consecutive stations, from their stored single
// precision coordinates), so that each falls at a multiple of the interval. A station that
// is not an axis point and lies on a straight leg, closer than the minimum spacing to a
// regular one, gives way to it: it sits between two points of its line, so the
// progressives after it stay the same.
template <class Cedevole>
std::vector<Stazione> conSezioniRegolari(const std::vector<Stazione>& tenute, double intervallo, double minima,
                                         Cedevole cedevole) {
    std::vector<Stazione> catena;
    double p = 0;  // the progressive of the last station of the chain, as the profile sums it
    for (std::size_t i = 0; i < tenute.size(); ++i) {
        Stazione s = tenute[i];
        s.x = static_cast<float>(s.x), s.y = static_cast<float>(s.y);
        if (i > 0) {
            const double d = std::hypot(s.x - catena.back().x, s.y - catena.back().y);
            const double fine = p + d, tolleranza = kScartoRegolare * std::max(1.0, fine);
            for (double m = std::floor((p + tolleranza) / intervallo) + 1; d > 0 && m * intervallo < fine - tolleranza;
                 ++m) {
                const Stazione r = catena.back();
                const double resta = std::hypot(s.x - r.x, s.y - r.y);
                const double t = (m * intervallo - p) / resta;
                Stazione n{r.x + (s.x - r.x) * t, r.y + (s.y - r.y) * t, s.tratto, 0, true, false};
                puntoSingolo(n, r, p, m * intervallo);
                p += std::hypot(n.x - r.x, n.y - r.y);
                catena.push_back(n);
            }
            p += std::hypot(s.x - catena.back().x, s.y - catena.back().y);
        }
        const double resto = std::fabs(p - std::round(p / intervallo) * intervallo);
        s.regolare = resto <= kScartoRegolare * std::max(1.0, p);
        catena.push_back(s);
    }
    std::vector<Stazione> out;
    for (std::size_t j = 0; j < catena.size(); ++j) {
        const Stazione& s = catena[j];
        if (!s.regolare && !s.vertice && cedevole(s)) {
            auto vicina = [&](std::size_t k) { return catena[k].regolare && distanza(catena[k], s.x, s.y) < minima; };
            bool cede = false;
            for (std::size_t k = j; k-- > 0 && distanza(catena[k], s.x, s.y) < minima && !cede;) cede = vicina(k);
            for (std::size_t k = j + 1; k < catena.size() && distanza(catena[k], s.x, s.y) < minima && !cede; ++k)
                cede = vicina(k);
            if (cede) continue;
        }
        out.push_back(s);
    }
    return out;
}

}  // namespace

void calcolaStazioni(Workspace& ws, Host& host, const IndiceCurve* dato) {
    Planimetria& piano = ws.Piano;
    const VbArray<AxisPoint>& asse = piano.AsseTracciato;
    const int32_t punti = std::min(piano.NumeroPuntiAsse, asse.upperBound());
    const double minima = ws.impostazioni.DistazaMinimaSezioni;
    std::optional<IndiceCurve> proprio;
    const IndiceCurve& indice = dato ? *dato : proprio.emplace(piano);
    std::vector<uint32_t> vicini;

    // Regular stations: at every multiple of the interval along the chain of stations.
    const double intervallo = ws.impostazioni.IntervalloSezioniRegolari;
    const bool regolari = std::isfinite(intervallo) && intervallo > 0;
    const std::vector<bool> corta = regolari ? curveCorte(asse, punti, minima) : std::vector<bool>{};
    auto tornanteCorto = [&](int32_t p) { return regolari && p >= 1 && corta[static_cast<std::size_t>(p)]; };
    auto internaCorta = [&](int32_t p) { return p > 1 && tornanteCorto(p) && tornanteCorto(p - 1); };

    host.mostraAttesa();
    std::vector<Stazione> stazioni;
    {
        FaseAvanzamento fase(host, "Calcolo delle intersezioni in corso...", std::max(0, punti - 1));
        for (int32_t k = 1; k < punti; ++k) {
            const AxisPoint& a = asse[k];
            const AxisPoint& b = asse[k + 1];
            const int16_t tratto = static_cast<int16_t>(std::min<int32_t>(k, INT16_MAX));
            const std::size_t inizio = stazioni.size();
            if (k == 1) stazioni.push_back({a.x, a.y, 1, 0, false, true});
            indice.pezziLungo(a.x, a.y, b.x, b.y, vicini);
            for (const uint32_t id : vicini) {
                const ContourSegment& s = indice.pezzo(id);
                double x = 0, y = 0;
                if (!intersezioneSegmenti(a.x, a.y, b.x, b.y, s.x1, s.y1, s.x2, s.y2, x, y)) continue;
                if (!stazioni.empty() && distanza(stazioni.back(), x, y) < minima) continue;
                stazioni.push_back({x, y, tratto});
            }
            // The stakes inside a short curve give no station in this mode.
            if (!internaCorta(k + 1) || k + 1 == punti) stazioni.push_back({b.x, b.y, tratto, 0, false, true});
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
            const bool inCurva = asse.get(s.tratto).marca == kMarcaPicchetto && !tornanteCorto(s.tratto);
            const bool vicina = !tenute.empty() && distanza(tenute.back(), s.x, s.y) < minima;
            if (!vicina || inCurva) tenute.push_back(s);
            fase.posizione(static_cast<int64_t>(j) + 1);
        }
    }
    if (regolari) {
        tenute = conSezioniRegolari(tenute, intervallo, minima,
                                    [&](const Stazione& s) { return asse.get(s.tratto).marca != kMarcaPicchetto; });
        for (Stazione& s : tenute)
            if (s.regolare) s.z = indice.quota(s.x, s.y);
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
