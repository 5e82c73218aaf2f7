#include "graphics/drawing_items.h"

#include <cmath>
#include <vector>

#include "graphics/stroke_font.h"
#include "state/canvas.h"
#include "state/view.h"

namespace carvela {
namespace {

double finito(double v) { return std::isfinite(v) ? v : 0.0; }

}  // namespace

double avanzamentoVerticale(const std::string& testo, double h) {
    // The characters (UTF-8 continuation bytes belong to the character before), at most 255.
    std::vector<unsigned char> caratteri;
    for (unsigned char c : testo) {
        if ((c & 0xC0) == 0x80) continue;
        if (caratteri.size() == 255) break;
        caratteri.push_back(c);
    }
    // The font takes them last first and steps before each by the advance of the glyph drawn
    // before it, rounded to whole canvas units; a character without a glyph keeps that advance.
    double avanzamento = 0, totale = 0;
    for (auto k = caratteri.size(); k-- > 0;) {
        totale += std::nearbyint(avanzamento);
        const unsigned char c = caratteri[k];
        if (c < 0x80 && haGlifo(c)) avanzamento = (c == '.' || c == ')') ? 0.4 * h : 0.6 * h;
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
