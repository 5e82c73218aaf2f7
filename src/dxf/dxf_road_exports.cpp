#include "dxf/dxf_road_exports.h"

// The DXF twins of the profile and section drawings: the screen's element lists written as
// entities in drawing units, with the forms of the export where they differ (colours, the
// grade captions, the hectometre band, the section marks and captions).
#include <algorithm>
#include <cmath>

#include "dxf/dxf_exports.h"
#include "dxf/dxf_writer.h"
#include "graphics/road_drawings.h"
#include "project/vbtext.h"
#include "state/host.h"
#include "state/settings.h"

namespace carvela {
namespace {

float f(double v) { return static_cast<float>(v); }
double finito(double v) { return std::isfinite(v) ? v : 0; }

// Writes one element through a mapping of drawing units, in the given colour and height.
template <class Mappa>
void scriviElemento(ScrittoreDxf& w, const char* layer, const ElementoDisegno& e, const Mappa& m, double scala,
                    int colore, double altezza) {
    double x1, y1, x2, y2;
    m(e.x1, e.y1, x1, y1);
    m(e.x2, e.y2, x2, y2);
    switch (e.tipo) {
    case ElementoDisegno::Linea: w.linea(layer, colore, f(x1), f(y1), 0, f(x2), f(y2), 0); break;
    case ElementoDisegno::Cerchio: w.cerchio(layer, colore, f(x1), f(y1), 0, f(e.raggio * scala)); break;
    case ElementoDisegno::Testo:
        w.testo(layer, colore, f(x1), f(y1), 0, f(altezza), e.testo, e.verticale ? 90.0f : 0.0f);
        break;
    case ElementoDisegno::Rettangolo:
        w.linea(layer, colore, f(x1), f(y1), 0, f(x2), f(y1), 0);
        w.linea(layer, colore, f(x2), f(y1), 0, f(x2), f(y2), 0);
        w.linea(layer, colore, f(x2), f(y2), 0, f(x1), f(y2), 0);
        w.linea(layer, colore, f(x1), f(y2), 0, f(x1), f(y1), 0);
        break;
    }
}

// ---- profile -----------------------------------------------------------------------

// The grade lines and sections the profile drawing shows, with the same bounds.
struct DatiProfilo {
    const Profilo& p;
    int32_t sezioni = 0, livellette = 0;

    explicit DatiProfilo(const Profilo& profilo) : p(profilo) {
        sezioni = std::min<int32_t>(p.NumeroSezioni, std::min(p.Progressive.upperBound(), p.QuoteTerreno.upperBound()));
        livellette = std::clamp<int32_t>(
            p.NumeroLivellette, 0,
            std::max<int32_t>(0, std::min(p.PuntiLivelletta.upperBound(), p.ProgressiveLiv.upperBound2())));
    }
    int32_t punti(int32_t g) const {
        return std::max<int32_t>(0, std::min<int32_t>(p.PuntiLivelletta.get(g), p.ProgressiveLiv.upperBound1()));
    }
};

void didascalieLivellette(ScrittoreDxf& w, const DatiProfilo& d) {
    const Profilo& p = d.p;
    const double y = finito(p.QuotaMassima) - finito(p.QuotaRiferimento) + 3.5;
    for (int32_t g = 1; g <= d.livellette; ++g) {
        const int32_t n = d.punti(g);
        if (n < 1) continue;
        const float inizio = p.ProgressiveLiv.get(1, g);
        const float lunghezza = f(double(p.ProgressiveLiv.get(n, g)) - inizio);
        const float dislivello = f(double(p.ProgettoLiv.get(1, g)) - p.ProgettoLiv.get(n, g));
        const float pendenza = f(double(p.Pendenze.get(g)) * 100);
        const std::string testo = "L=" + vbStr(troncaDecimali(lunghezza, 2)) + " , " +
                                  "Disl=" + vbStr(troncaDecimali(dislivello, 2)) + " , " +
                                  "P=" + vbStr(troncaDecimali(pendenza, 4)) + "%";
        w.testo("profilo", 4, f(inizio / 10.0 + 0.1), f(y), 0, 0.2f, testo, 0);
    }
}

// Hectometres as thick segments, even ones at 1.85 and odd ones at 1.65.
void bandaEttometrica(ScrittoreDxf& w, double ultima) {
    if (!(ultima > 0) || ultima / 100 > 100000) return;
    const int64_t H = static_cast<int64_t>(std::floor(ultima / 100));
    auto segmento = [&](double da, double a, int64_t ettometro) {
        const float y = ettometro % 2 == 0 ? 1.85f : 1.65f;
        w.segmentoSpesso("profilo", 7, f(da), y, 0, f(a), y, 0, 0.2f);
    };
    for (int64_t k = 0; k < H; k += 2) {
        segmento(10.0 * k, 10.0 * k + 10, k);
        if (k + 1 < H) segmento(10.0 * k + 10, 10.0 * k + 20, k + 1);
    }
    if (ultima > 100.0 * H) segmento(10.0 * H, ultima / 10, H);
}

// ---- sections ----------------------------------------------------------------------

void scriviSezione(ScrittoreDxf& w, const Sezione& s, int numero, const Impostazioni& imp) {
    double ox, oy;
    offsetFoglioSezione(numero, imp, ox, oy);
    // Screen units are tenths of a metre about (256, 200); the sheet has metres about (10, 20).
    auto mappa = [&](double x, double y, double& mx, double& my) {
        mx = (x - 256) / 10 + 10 + ox;
        my = (y - 200) / 10 + 20 + oy;
    };
    const char* layer = "sezioni";
    auto segmento = [&](double x1, double y1, double x2, double y2, int colore) {
        w.linea(layer, colore, f(x1 + ox), f(y1 + oy), 0, f(x2 + ox), f(y2 + oy), 0);
    };
    bool primoCiglio = true;
    for (const ElementoDisegno& e : disegnoSezione(s)) {
        const std::string& r = e.ruolo;
        if (r == "asse") {
            segmento(10, 20, 10, 22, 4);
            segmento(10, 18, 10, 20, 4);
        } else if (r == "incrocio_sopra" || r == "incrocio_sotto") {
            const double x = (e.x1 - 256) / 10 + 10;
            if (r == "incrocio_sopra")
                segmento(x, 20, x, 22, 2);
            else
                segmento(x, 20, x, 18, 1);
        } else if (e.tipo == ElementoDisegno::Testo) {
            if (r == "titolo") {
                ElementoDisegno t = e;
                t.testo = "SEZIONE " + vbStr(static_cast<int64_t>(s.Numero));
                scriviElemento(w, layer, t, mappa, 0.1, 4, 0.3);
            } else if (r == "didascalia_tabella") {
                scriviElemento(w, layer, e, mappa, 0.1, 1, 0.25);
            } else if (r == "quota_ciglio" || r == "rossa_ciglio") {
                scriviElemento(w, layer, e, mappa, 0.1, 2, primoCiglio ? 0.3 : 0.25);
                primoCiglio = false;
            } else if (r.rfind("valore_", 0) == 0) {
                scriviElemento(w, layer, e, mappa, 0.1, 2, e.altezza / 10);
            } else {
                scriviElemento(w, layer, e, mappa, 0.1, coloreDxfDaPalette(e.colore), e.altezza / 10);
            }
        } else {
            scriviElemento(w, layer, e, mappa, 0.1, r == "terreno" ? 3 : 7, 0);
        }
    }
}

}  // namespace

std::string esportaProfilo(const Profilo& profilo) {
    ScrittoreDxf w;
    w.inizio();
    const DatiProfilo dati(profilo);
    const Disegno disegno = disegnoProfilo(profilo);
    if (!disegno.empty()) {
        const double riferimento = finito(profilo.QuotaRiferimento);
        auto mappa = [](double x, double y, double& mx, double& my) {
            mx = x / 10;
            my = y / 10;
        };
        for (const ElementoDisegno& e : disegno) {
            const std::string& r = e.ruolo;
            // Written in the forms of the export below.
            if (r == "verticale_sezione" || r == "didascalia_livelletta" || r == "ettometro") continue;
            const int colore = r == "terreno" ? 3 : coloreDxfDaPalette(e.colore);
            scriviElemento(w, "profilo", e, mappa, 0.1, colore, e.altezza / 10);
        }
        for (int32_t i = 1; i <= dati.sezioni; ++i) {
            const double x = finito(profilo.Progressive.get(i)) / 10;
            w.linea("profilo", 7, f(x), 2, 0, f(x), f(finito(profilo.QuoteTerreno.get(i)) - riferimento), 0);
        }
        didascalieLivellette(w, dati);
        bandaEttometrica(w, finito(profilo.Progressive.get(dati.sezioni)));
    }
    w.fine();
    return w.contenuto();
}

std::string esportaSezioni(const VbArray<Sezione>& sezioni, const Impostazioni& imp, Host* host, FileAtomico* file) {
    ScrittoreDxf w;
    w.collega(file);
    w.inizio();
    const int32_t ultima = sezioni.upperBound();
    if (host) {
        host->mostraAttesa();
        host->CaptionLabel("Esportazione in corso...");
        host->ImpostaBarra(static_cast<int16_t>(std::clamp<int32_t>(ultima, 0, 32767)));
    }
    for (int32_t i = 1; i <= ultima; ++i) {
        const Sezione& s = sezioni[i];
        scriviSezione(w, s, s.Numero > 0 ? s.Numero : i, imp);
        if (host) host->AggiornaSatoBarra(std::min(i, 32767));
    }
    if (host) host->chiudiAttesa();
    w.fine();
    return w.contenuto();
}

}  // namespace carvela
