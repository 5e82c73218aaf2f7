#include "road/terrain_sections.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "road/contour_index.h"
#include "road/geometry.h"
#include "road/shell_sort.h"
#include "sections/section_solve.h"
#include "state/host.h"
#include "state/workspace.h"

namespace carvela {
namespace {

struct PuntoTerreno {
    double s = 0;  // signed distance from the axis, negative on the left
    float z = 0;
};

// Sorts one side of the section by distance.
void ordina(std::vector<PuntoTerreno>& punti) {
    ordinaShell(punti, [](const PuntoTerreno& p) { return p.s; });
}

// Round to 4 decimals, half to even, as the classic rounding of the squared distance.
double arrotonda4(double v) { return std::nearbyint(v * 10000.0) / 10000.0; }

// Ground points where the section line crosses the contour lines.
std::vector<PuntoTerreno> incrociCurve(const IndiceCurve& indice, double xs, double ys, const EstremoSezione& e,
                                       std::vector<uint32_t>& vicini) {
    std::vector<PuntoTerreno> punti;
    const double lx = e.xL - xs, ly = e.yL - ys;
    // Pieces wholly beside the section line's box cannot cross it; the margin keeps the
    // crossings the intersection test accepts at a segment's very end.
    const double margine = 1e-6 * (1 + std::fabs(xs) + std::fabs(ys) + std::fabs(lx) + std::fabs(ly));
    const double minX = std::fmin(e.xL, e.xR) - margine, maxX = std::fmax(e.xL, e.xR) + margine;
    const double minY = std::fmin(e.yL, e.yR) - margine, maxY = std::fmax(e.yL, e.yR) + margine;
    indice.pezziLungo(e.xL, e.yL, e.xR, e.yR, vicini);
    for (const uint32_t id : vicini) {
        const ContourSegment& p = indice.pezzo(id);
        if (std::fmax(p.x1, p.x2) < minX || std::fmin(p.x1, p.x2) > maxX || std::fmax(p.y1, p.y2) < minY ||
            std::fmin(p.y1, p.y2) > maxY)
            continue;
        double cx = 0, cy = 0;
        if (!intersezioneSegmenti(e.xL, e.yL, e.xR, e.yR, p.x1, p.y1, p.x2, p.y2, cx, cy)) continue;
        const double dx = cx - xs, dy = cy - ys;
        const double q = dx * dx + dy * dy;
        double s = 0;
        if (arrotonda4(q) != 0) {
            s = std::sqrt(q);
            if (dx * lx + dy * ly > 0) s = -s;  // toward the left end
        }
        punti.push_back({s, p.z1});
    }
    return punti;
}

void sezioneTerreno(Workspace& ws, const IndiceCurve& indice, std::vector<uint32_t>& vicini, int32_t j) {
    Planimetria& piano = ws.Piano;
    const Impostazioni& imp = ws.impostazioni;
    const IntersezioneAsse& stazione = piano.Intersezioni[j];
    const double D = imp.DistazaRicercaIntersezioni;

    double phiL = 0, phiR = 0;
    direzioniSezione(ws, j, phiL, phiR);
    EstremoSezione estremi;
    estremi.xL = static_cast<float>(stazione.x + D * std::sin(phiL));
    estremi.yL = static_cast<float>(stazione.y + D * std::cos(phiL));
    estremi.xR = static_cast<float>(stazione.x + D * std::sin(phiR));
    estremi.yR = static_cast<float>(stazione.y + D * std::cos(phiR));
    piano.EstremiSezioni[j] = estremi;

    Sezione& s = piano.SezioniApplicate[j];
    s.Numero = static_cast<int16_t>(j);
    s.Progressiva = ws.Profilo.Progressive.get(j);
    s.QuotaProgetto = ws.Profilo.QuoteProgetto.get(j);
    const float quotaAsse = ws.Profilo.QuoteTerreno.get(j);
    s.QuotaTerrenoCiglio = quotaAsse;
    if (!imp.UsaLarghezzaIndividuale || !(s.Larghezza > 0)) s.Larghezza = imp.LarghezzaDefaultStrada;
    const double W = s.Larghezza;

    std::vector<PuntoTerreno> punti = incrociCurve(indice, stazione.x, stazione.y, estremi, vicini);
    auto nessuno = [&](auto condizione) { return std::none_of(punti.begin(), punti.end(), condizione); };
    if (nessuno([&](const PuntoTerreno& p) { return p.s <= -W / 2; }))
        punti.push_back({-D, indice.quota(estremi.xL, estremi.yL)});
    if (nessuno([&](const PuntoTerreno& p) { return p.s >= W / 2; }))
        punti.push_back({D, indice.quota(estremi.xR, estremi.yR)});

    std::vector<PuntoTerreno> sinistra, destra;
    for (const PuntoTerreno& p : punti) (p.s < 0 ? sinistra : destra).push_back(p);
    if (sinistra.size() > 1) ordina(sinistra);
    if (destra.size() > 1) ordina(destra);

    // Ground points are counted in 16 bits; a section line crossing more contour pieces
    // than that keeps the points nearest the axis.
    constexpr std::size_t kMaxPunti = 32000;
    while (sinistra.size() + destra.size() > kMaxPunti) {
        if (sinistra.size() >= destra.size())
            sinistra.erase(sinistra.begin());
        else
            destra.pop_back();
    }
    const int32_t N = static_cast<int32_t>(sinistra.size() + destra.size());
    s.NumeroPunti = static_cast<int16_t>(N);
    s.DistanzeTerreno.redim(N);
    s.QuoteTerreno.redim(N);
    int32_t i = 0;
    for (const auto* lato : {&sinistra, &destra}) {
        for (const PuntoTerreno& p : *lato) {
            ++i;
            s.DistanzeTerreno[i] = static_cast<float>(p.s);
            // An elevation of 0 is a contour or a point that carries no elevation.
            s.QuoteTerreno[i] = p.z == 0 ? quotaAsse : p.z;
        }
    }

    risolviSezione(s, imp);
    // Sezioni ends with exactly the sections of this computation.
    ws.Sezioni.redimPreserve(j);
    ws.Sezioni[j] = s;
}

}  // namespace

void calcolaSezioniTerreno(Workspace& ws, Host& host, const IndiceCurve* dato) {
    Planimetria& piano = ws.Piano;
    const int32_t n =
        std::max<int32_t>(0, std::min<int32_t>(piano.NumeroIntersezioni, piano.Intersezioni.upperBound()));
    host.mostraAttesa();
    host.CaptionLabel("Calcolo delle sezioni trasversali in corso...");
    // One step per section while the count fits the bar; beyond, the bar shows tenths.
    const bool passoSingolo = n <= 32767;
    host.ImpostaBarra(passoSingolo ? static_cast<int16_t>(n) : barraPerConteggio(n));

    piano.EstremiSezioni.ensure(n);
    piano.SezioniApplicate.ensure(n);
    std::optional<IndiceCurve> proprio;
    const IndiceCurve& indice = dato ? *dato : proprio.emplace(piano);
    std::vector<uint32_t> vicini;
    for (int32_t j = 1; j <= n; ++j) {
        sezioneTerreno(ws, indice, vicini, j);
        host.AggiornaSatoBarra(passoSingolo ? j : posizionePerElemento(j));
    }
    host.chiudiAttesa();

    const std::string avviso = messaggioSezioniNonRisolte(sezioniNonRisolte(piano.SezioniApplicate, n));
    if (!avviso.empty()) host.messaggio(avviso, Pulsanti::Ok, Icona::Avviso);
}

}  // namespace carvela
