#include "graphics/drawing_items.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "graphics/stroke_font.h"
#include "state/canvas.h"
#include "state/view.h"

namespace carvela {
namespace {

double finito(double v) { return std::isfinite(v) ? v : 0.0; }

// Length of a text in the stroke font at height h: the glyphs' advances.
double lunghezzaTratto(const std::string& testo, double h) {
    double l = 0;
    for (unsigned char c : testo) {
        if ((c & 0xC0) == 0x80) continue;
        l += (c == '.' || c == ')') ? 0.4 * h : 0.6 * h;
    }
    return l;
}

struct Ingombro {
    double x1, y1, x2, y2;
};

}  // namespace

Disegno senzaTestiSovrapposti(const Disegno& disegno, double kx, double ky, double kt) {
    // Per role, the kept texts by their left edge; a new one is checked against those whose
    // left edge lies within the widest kept one of its right edge.
    struct Banda {
        std::multimap<double, Ingombro> tenuti;
        double larghezzaMassima = 0;
    };
    std::map<std::string, Banda> bande;
    Disegno out;
    out.reserve(disegno.size());
    for (const ElementoDisegno& e : disegno) {
        if (e.tipo != ElementoDisegno::Testo || e.testo.empty()) {
            out.push_back(e);
            continue;
        }
        const double h = std::fabs(kt * finito(e.altezza)), l = lunghezzaTratto(e.testo, h);
        const double x = kx * finito(e.x1), y = ky * finito(e.y1);
        const Ingombro r = e.verticale ? Ingombro{x - h, y, x, y + l} : Ingombro{x, y, x + l, y + h};
        // Texts that only touch are both legible.
        const double tolleranza = 0.02 * h;
        Banda& b = bande[e.ruolo];
        bool sovrapposto = false;
        for (auto it = b.tenuti.lower_bound(r.x1 - b.larghezzaMassima); it != b.tenuti.end() && it->first < r.x2;
             ++it) {
            const Ingombro& t = it->second;
            if (t.x1 < r.x2 - tolleranza && r.x1 < t.x2 - tolleranza && t.y1 < r.y2 - tolleranza &&
                r.y1 < t.y2 - tolleranza) {
                sovrapposto = true;
                break;
            }
        }
        if (sovrapposto) continue;
        b.tenuti.emplace(r.x1, r);
        b.larghezzaMassima = std::max(b.larghezzaMassima, r.x2 - r.x1);
        out.push_back(e);
    }
    return out;
}

double avanzamentoVerticale(const std::string& testo, double h) {
    // The characters as the font reads them (two-byte UTF-8 decoded), at most 255.
    std::vector<char32_t> caratteri;
    for (std::size_t i = 0; i < testo.size() && caratteri.size() < 255; ++i) {
        const unsigned char c = static_cast<unsigned char>(testo[i]);
        if ((c & 0xC0) == 0x80) continue;
        char32_t cp = c;
        if ((c & 0xE0) == 0xC0 && i + 1 < testo.size() && (static_cast<unsigned char>(testo[i + 1]) & 0xC0) == 0x80)
            cp = ((c & 0x1F) << 6) | (static_cast<unsigned char>(testo[i + 1]) & 0x3F);
        caratteri.push_back(cp);
    }
    // The font takes them last first and steps before each by the advance of the glyph drawn
    // before it, rounded to whole canvas units; a character without a glyph keeps that advance.
    double avanzamento = 0, totale = 0;
    for (auto k = caratteri.size(); k-- > 0;) {
        totale += std::nearbyint(avanzamento);
        const char32_t c = caratteri[k];
        if (haGlifo(c)) avanzamento = (c == '.' || c == ')') ? 0.4 * h : (c == 0xB2 || c == 0xB3) ? 0.35 * h : 0.6 * h;
    }
    return totale;
}

void rendiDisegno(Vista& v, Canvas& canvas, const Disegno& disegno) {
    for (const ElementoDisegno& e : disegno) {
        const double x1 = v.canvasX(finito(e.x1)), y1 = v.canvasY(finito(e.y1));
        switch (e.tipo) {
        case ElementoDisegno::Linea: {
            const double x2 = v.canvasX(finito(e.x2)), y2 = v.canvasY(finito(e.y2));
            canvas.setForeColor(e.colore);
            puntoEstensione(v, canvas, x1, y1);
            canvas.lineTo(pixel(x2), pixel(y2));
            puntoEstensione(v, canvas, x2, y2);
            break;
        }
        case ElementoDisegno::Cerchio: {
            const double r = v.scala * finito(e.raggio);
            puntoEstensione(v, canvas, x1 - r, y1 - r);
            puntoEstensione(v, canvas, x1 + r, y1 + r);
            canvas.circle(x1, y1, r, e.colore, 1.0);
            break;
        }
        case ElementoDisegno::Rettangolo: {
            const double x2 = v.canvasX(finito(e.x2)), y2 = v.canvasY(finito(e.y2));
            puntoEstensione(v, canvas, x1, y1);
            puntoEstensione(v, canvas, x2, y2);
            canvas.box(x1, y1, x2, y2, e.colore, e.pieno);
            break;
        }
        case ElementoDisegno::Testo: {
            const float altezza = static_cast<float>(finito(e.altezza));
            double y0 = y1;
            if (e.verticale) y0 -= avanzamentoVerticale(e.testo, v.scala * altezza);
            scriviTesto(v, canvas, v.scala, x1, y0, e.verticale ? 1 : 0, altezza, e.colore, e.testo);
            break;
        }
        }
    }
}

}  // namespace carvela
