#include "sections/mass_diagram.h"

#include <algorithm>
#include <cmath>

#include "state/workspace.h"

namespace carvela {
namespace {

// Values that cannot be drawn (a corrupt table) are drawn as zero.
double sicuro(double v) { return std::isfinite(v) ? v : 0.0; }

std::vector<PuntoDiagramma> puntiTabella(const TabellaPaleggi& t) {
    std::vector<PuntoDiagramma> punti;
    for (int32_t p = 1; p <= t.NumeroPunti; ++p)
        punti.push_back({sicuro(t.ProgressivePunti.get(p)), sicuro(t.Ordinate.get(p))});
    return punti;
}

}  // namespace

EstremiDiagramma estremiDiagramma(const std::vector<PuntoDiagramma>& punti) {
    EstremiDiagramma e;
    bool primo = true;
    for (const PuntoDiagramma& p : punti) {
        const double x = p.x, v = p.ordinata;
        e.x1 = primo ? x : std::min(e.x1, x);
        e.x2 = primo ? x : std::max(e.x2, x);
        e.v1 = std::min(e.v1, v);
        e.v2 = std::max(e.v2, v);
        primo = false;
    }
    return e;
}

ParametriTerra parametriStrada(const Workspace& ws) { return parametriTerra(ws.impostazioni); }

Movimento movimentoPaleggi(const TabellaPaleggi& t, const ParametriTerra& parametri) {
    ParametriTerra p = parametri;
    p.puntiDiPassaggio = true;
    return calcolaMovimento(sezioniDaPaleggi(t), p);
}

bool suVolumiCorretti(const ParametriTerra& p) {
    auto valido = [](double f) { return std::isfinite(f) && f > 0; };
    return (valido(p.rigonfiamento) && p.rigonfiamento != 1) || (valido(p.costipamento) && p.costipamento != 1);
}

std::vector<PuntoDiagramma> puntiDiagramma(const TabellaPaleggi& t, const Movimento& m) {
    std::vector<PuntoDiagramma> punti;
    if (suVolumiCorretti(m.parametri)) {
        for (const TrattoTerra& r : m.tratti) punti.push_back({sicuro(r.progressiva), sicuro(r.ordinata)});
        return punti;
    }
    return puntiTabella(t);
}

double scalaVerticaleDiagramma(const TabellaPaleggi& t) {
    const EstremiDiagramma e = estremiDiagramma(puntiTabella(t));
    const double lunghezza = e.x2 - e.x1, volumi = e.v2 - e.v1;
    if (lunghezza > 0 && volumi > 0 && std::isfinite(lunghezza / volumi)) return 0.5 * lunghezza / volumi;
    // A table with no usable scale (an empty record) is drawn at one cubic metre per unit.
    const double scala = std::isfinite(t.ScalaVolumi) && t.ScalaVolumi > 0 ? t.ScalaVolumi : 1.0;
    return 1.0 / scala;
}

}  // namespace carvela
