#include "dxf/dxf_exports.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "dxf/dxf_writer.h"
#include "project/vbtext.h"
#include "sections/mass_diagram.h"
#include "state/settings.h"

namespace carvela {

float troncaDecimali(float v, int decimali) {
    const double scala = std::pow(10.0, decimali);
    const float prodotto = static_cast<float>(static_cast<double>(v) * scala);
    if (!std::isfinite(prodotto)) return v;
    return static_cast<float>(std::floor(prodotto) / scala);
}

int coloreDxfDaPalette(int indice) {
    switch (indice) {
    case 12: return 1;
    case 14: return 2;
    case 10: return 3;
    case 11: return 4;
    case 9: return 5;
    case 5: return 6;
    case 8: return 8;
    case 7: return 9;
    // Colours the reader never gives back: the nearest drawing colour.
    case 1: return 5;
    case 2: return 3;
    case 3: return 4;
    case 4: return 1;
    case 6: return 2;
    case 13: return 6;
    default: return 7;
    }
}

namespace {

// A label's true coordinate, truncated to two decimals and written as Str writes a number.
// Single precision cannot write a national grid coordinate, so far from 0 the truncated
// record is added to the origin in double (a whole-metre origin keeps the truncation exact).
std::string coordinataEtichetta(float record, double origine) {
    if (origine == 0) return vbStr(troncaDecimali(record, 2));
    const double vera = origine == std::round(origine) ? origine + troncaDecimali(record, 2)
                                                       : std::floor((origine + record) * 100) / 100;
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, vera, std::chars_format::fixed, 2);
    std::string t(buf, r.ptr);
    while (t.back() == '0') t.pop_back();
    if (t.back() == '.') t.pop_back();
    return (vera >= 0 ? " " : "") + t;
}

// "P 1( 12.34, 5.6, 100)": station number and true coordinates truncated to two decimals.
std::string etichettaPunto(int i, float x, float y, float q, const OrigineProgetto& o) {
    return "P" + vbStr(i) + "(" + coordinataEtichetta(x, o.est) + "," + coordinataEtichetta(y, o.nord) + "," +
           vbStr(troncaDecimali(q, 2)) + ")";
}

// Plain number text of a drawing label: no leading blank, the point as decimal separator.
std::string testoSemplice(float v) { return testoNumero(v, '.'); }

template <class Traversa>
void scriviStazioni(ScrittoreDxf& w, const Traversa& p, const Impostazioni& imp, bool chiusa) {
    // The records lie relative to the survey's origin; the drawing gets the true coordinates.
    const OrigineProgetto o = leggiOrigine(p.Origine);
    w.origine(o);
    const int n = p.NumeroStazioni;
    for (int i = 1; i <= n - 1; ++i)
        w.linea("poligonale", 7, p.Ascissa.get(i), p.Ordinata.get(i), p.Quota.get(i), p.Ascissa.get(i + 1),
                p.Ordinata.get(i + 1), p.Quota.get(i + 1));
    if (chiusa && n >= 2)
        w.linea("poligonale", 7, p.Ascissa.get(n), p.Ordinata.get(n), p.Quota.get(n), p.Ascissa.get(1),
                p.Ordinata.get(1), p.Quota.get(1));
    for (int i = 1; i <= n; ++i) {
        const float x = p.Ascissa.get(i), y = p.Ordinata.get(i), q = p.Quota.get(i);
        w.testo("quote", 2, x + 3.0f, y + 3.0f, q, imp.DimensioneQuote, etichettaPunto(i, x, y, q, o), 0);
    }
}

}  // namespace

std::string esportaPoligonaleAperta(const OpenTraverse& p, const Impostazioni& imp) {
    ScrittoreDxf w;
    w.inizio();
    scriviStazioni(w, p, imp, false);
    w.fine();
    return w.contenuto();
}

std::string esportaPoligonaleChiusa(const ClosedTraverse& p, const Impostazioni& imp) {
    ScrittoreDxf w;
    w.inizio();
    scriviStazioni(w, p, imp, true);
    w.fine();
    return w.contenuto();
}

std::string esportaTriangolazione(const TriangulationChain& t, const Impostazioni& imp) {
    ScrittoreDxf w;
    const OrigineProgetto o = leggiOrigine(t.Origine);
    w.origine(o);
    w.inizio();
    const int n = t.NumeroTriangoli;
    if (n >= 1) {
        auto lato = [&](int colore, int a, int b) {
            w.linea("triangolazione", colore, t.X.get(a), t.Y.get(a), t.Azimut.get(a), t.X.get(b), t.Y.get(b),
                    t.Azimut.get(b));
        };
        for (int v = 0; v <= n; ++v) lato(7, v, v + 1);
        // The third side of each triangle joins vertex v to v + 2; the last vertex is n + 1.
        for (int v = 0; v + 2 <= n + 1; v += 2) lato(1, v, v + 2);
        for (int v = 1; v + 2 <= n + 1; v += 2) lato(1, v, v + 2);
        for (int v = 0; v <= n + 1; ++v) {
            w.cerchio("triangolazione", 3, t.X.get(v), t.Y.get(v), t.Azimut.get(v), 6);
            w.cerchio("triangolazione", 3, t.X.get(v), t.Y.get(v), t.Azimut.get(v), 2);
        }
        for (int v = 0; v <= n + 1; ++v) {
            const float x = t.X.get(v), y = t.Y.get(v);
            std::string testo =
                "P" + vbStr(v + 1) + " (" + coordinataEtichetta(x, o.est) + "," + coordinataEtichetta(y, o.nord) + ")";
            w.testo("quote", 2, x + 3.0f, y + 3.0f, t.Azimut.get(v), imp.DimensioneQuote, testo, 0);
        }
    }
    w.fine();
    return w.contenuto();
}

std::string esportaPianta(const Planimetria& piano, const Impostazioni& imp, FileAtomico* file) {
    ScrittoreDxf w;
    w.origine(leggiOrigine(piano.Origine));  // the plan lies on the drawing it came from

    w.collega(file);
    w.inizio();
    const int32_t curve = std::min(piano.NumeroCurveLivello, piano.CurveLivello.upperBound());
    for (int32_t c = 1; c <= curve; ++c) {
        const auto& curva = piano.CurveLivello[c];
        for (int32_t s = 1; s <= curva.upperBound(); ++s) {
            const ContourSegment& g = curva[s];
            w.linea("curve", 3, g.x1, g.y1, g.z1, g.x2, g.y2, g.z2);
        }
    }
    for (int32_t c = 1; c <= curve; ++c) {
        const auto& curva = piano.CurveLivello[c];
        if (curva.upperBound() < 1) continue;  // a contour line without pieces has no end point
        const ContourSegment& g = curva[curva.upperBound()];
        w.testo("quote", 2, g.x2, g.y2, g.z2, imp.DimensioneQuote, testoSemplice(g.z2), 0);
    }

    // Design elevation of the axis at the section of that position; past the last section
    // the last one's.
    const int32_t sezioni = std::min(piano.NumeroIntersezioni, piano.SezioniApplicate.upperBound());
    auto quotaProgetto = [&](int32_t i) -> float {
        if (sezioni < 1) return 0;
        return piano.SezioniApplicate[std::clamp(i, 1, sezioni)].QuotaProgetto;
    };
    const int32_t puntiAsse = std::min(piano.NumeroPuntiAsse, piano.AsseTracciato.upperBound());
    for (int32_t i = 2; i <= puntiAsse; ++i) {
        const AxisPoint& a = piano.AsseTracciato[i - 1];
        const AxisPoint& b = piano.AsseTracciato[i];
        w.linea("asse", 7, a.x, a.y, quotaProgetto(i - 1), b.x, b.y, quotaProgetto(i));
    }

    const int32_t stazioni = piano.NumeroIntersezioni;
    auto quotaSu = [&](int32_t s, float z) { return static_cast<float>(double(quotaProgetto(s)) + z); };
    for (int32_t s = 1; s <= stazioni; ++s) {
        const ContourSegment o = piano.Occupazione.get(s);
        w.linea("sezioni", 7, o.x1, o.y1, quotaSu(s, o.z1), o.x2, o.y2, quotaSu(s, o.z2));
    }
    for (int32_t s = 1; s <= stazioni - 1; ++s) {
        const ContourSegment a = piano.Cigli.get(s), b = piano.Cigli.get(s + 1);
        w.linea("cigli", 7, a.x1, a.y1, a.z1, b.x1, b.y1, b.z1);
        w.linea("cigli", 7, a.x2, a.y2, a.z2, b.x2, b.y2, b.z2);
    }
    for (int32_t s = 1; s <= stazioni - 1; ++s) {
        const ContourSegment a = piano.Occupazione.get(s), b = piano.Occupazione.get(s + 1);
        w.linea("occupazione", a.z1 >= 0 ? 2 : 1, a.x1, a.y1, quotaSu(s, a.z1), b.x1, b.y1, quotaSu(s + 1, b.z1));
        w.linea("occupazione", a.z2 >= 0 ? 2 : 1, a.x2, a.y2, quotaSu(s, a.z2), b.x2, b.y2, quotaSu(s + 1, b.z2));
    }
    for (int32_t k = 1; k <= stazioni; ++k) {
        const IntersezioneAsse p = piano.Intersezioni.get(k);
        w.cerchio("sezioni", 7, p.x, p.y, p.z, 1);
        w.testo("sezioni", 4, p.x, p.y, p.z, imp.DimensioneQuote, std::to_string(k), 0);
    }
    w.fine();
    return w.contenuto();
}

std::string esportaDiagramma(const TabellaPaleggi& t) { return esportaDiagramma(t, ParametriTerra{}); }

std::string esportaDiagramma(const TabellaPaleggi& t, const ParametriTerra& parametri) {
    ScrittoreDxf w;
    w.inizio();
    const int n = std::max<int>(0, t.NumeroPunti);
    const double f = t.ScalaVolumi > 0 && std::isfinite(t.ScalaVolumi) ? t.ScalaVolumi : 1.0;
    auto X = [&](int p) { return t.ProgressivePunti.get(p); };
    auto A = [&](int p) { return t.Ordinate.get(p); };
    auto Y = [&](int p) { return static_cast<float>(A(p) / f); };
    const char* layer = "diagramma";

    for (int p = 1; p <= n - 1; ++p) w.linea(layer, 7, X(p), Y(p), 0, X(p + 1), Y(p + 1), 0);
    for (int p = 1; p <= n - 1; ++p) w.linea(layer, 7, X(p), 0, 0, X(p + 1), 0, 0);
    w.linea(layer, 7, 0, -200, 0, 0, 200, 0);
    for (int p = 1; p <= n; ++p) {
        const bool riporto = A(p) >= 0;
        w.linea(layer, riporto ? 2 : 1, X(p), 0, 0, X(p), Y(p), 0);
        const float y = static_cast<float>(double(Y(p)) + (riporto ? 10.0 : -50.0));
        w.testo(layer, riporto ? 2 : 1, X(p) + 3.0f, y, 0, 6, vbStr(troncaDecimali(A(p), 2)), 90);
    }
    // One number and one circle per section. Zero points of the diagram (where the net area
    // changes sign) are points but not sections, so the sections are counted from their own
    // list: position j - 1 holds the progressive of section j.
    const int sezioni = std::min<int>(t.ProgressiveSezioni.upperBound() + 1, n);
    for (int j = 1; j <= sezioni; ++j) {
        const float s = t.ProgressiveSezioni.get(j - 1);
        w.testo(layer, 7, s - 9.0f, 3, 0, 6, vbStr(j), 0);
        w.cerchio(layer, 3, s, 0, 0, 1);
    }
    w.testo(layer, 7, -5, -165, 0, 20, "RIPORTO    STERRO", 90);
    // The haul on a layer of its own, only when there is a free haul: without it the file is
    // the mass diagram alone, as it always was.
    if (parametri.trasportoFranco > 0 && std::isfinite(parametri.trasportoFranco)) {
        const Movimento m = movimentoPaleggi(t, parametri);
        const char* compenso = "compenso";
        auto Yv = [&](double v) { return static_cast<float>(v / f); };
        if (suVolumiCorretti(m.parametri)) {  // the corrected mass line the chords stand on
            const std::vector<PuntoDiagramma> d = puntiDiagramma(t, m);
            for (std::size_t i = 1; i < d.size(); ++i)
                w.linea(compenso, 6, static_cast<float>(d[i - 1].x), Yv(d[i - 1].ordinata), 0,
                        static_cast<float>(d[i].x), Yv(d[i].ordinata), 0);
        }
        for (double x : m.puntiEquilibrio) w.cerchio(compenso, 6, static_cast<float>(x), 0, 0, 2);
        for (const CordaDiagramma& c : m.corde) {
            const int colore = c.economica ? 5 : 4;
            const float y = Yv(c.ordinata);
            w.linea(compenso, colore, static_cast<float>(c.da), y, 0, static_cast<float>(c.a), y, 0);
            w.testo(compenso, colore, static_cast<float>(c.da), y + (c.ordinata >= 0 ? 3.0f : -9.0f), 0, 6,
                    (c.economica ? "econ." : "franco") + vbStr(troncaDecimali(static_cast<float>(c.a - c.da), 2)), 0);
        }
    }
    w.fine();
    return w.contenuto();
}

void offsetFoglioSezione(int numero, const Impostazioni& imp, double& offsetX, double& offsetY) {
    const int perColonna = std::max<int32_t>(1, imp.SezioniPerColonnaDXF);
    const double interasse = static_cast<double>(arrotondaPari(imp.InterasseColonnaDXF));
    const double intervallo = static_cast<double>(arrotondaPari(imp.IntervalloColonnaDXF));
    const int n = std::max(1, numero);
    const int primo = 1 + ((n - 1) / perColonna) * perColonna;  // first section number of the column
    offsetX = (primo / 10.0) * interasse;
    offsetY = -(n - primo) * intervallo;
}

}  // namespace carvela
