#include "sections/mass_diagram.h"

#include <cmath>

#include "graphics/canvas.h"
#include "graphics/stroke_font.h"
#include "graphics/view.h"
#include "project/vbtext.h"
#include "shell/host.h"
#include "shell/workspace.h"

namespace carvela {
namespace {

void linea(Vista& v, Canvas& c, double x1, double y1, double x2, double y2, int colore) {
    c.setForeColor(colore);
    puntoEstensione(v, c, v.canvasX(x1), v.canvasY(y1));
    c.lineTo(pixel(v.canvasX(x2)), pixel(v.canvasY(y2)));
    puntoEstensione(v, c, v.canvasX(x2), v.canvasY(y2));
}

void testo(Vista& v, Canvas& c, double x, double y, bool verticale, float altezza, int colore, const std::string& t) {
    scriviTesto(v, c, v.scala, v.canvasX(x), v.canvasY(y), verticale ? 1 : 0, altezza, colore, t);
}

// Values that cannot be drawn (a corrupt table) are drawn as zero.
double sicuro(double v) { return std::isfinite(v) ? v : 0.0; }

}  // namespace

void disegnaDiagramma(Workspace& ws, Canvas& canvas, Host& host) {
    ws.TipoDocumento = kDocDiagramma;
    Vista& v = ws.vista;
    riavviaEstensione(v);
    host.cursoreAttesa(true);
    canvas.clear();

    const TabellaPaleggi& t = ws.Paleggi;
    // A table with no usable scale (an empty record) is drawn at one cubic metre per unit.
    const double scala = std::isfinite(t.ScalaVolumi) && t.ScalaVolumi > 0 ? t.ScalaVolumi : 1.0;
    const int32_t punti = t.NumeroPunti;
    auto X = [&](int32_t p) { return sicuro(t.ProgressivePunti.get(p)); };
    auto V = [&](int32_t p) { return sicuro(t.Ordinate.get(p)); };

    for (int32_t p = 1; p <= punti; ++p) linea(v, canvas, X(p), 0, X(p), V(p) / scala, V(p) >= 0 ? 14 : 12);
    for (int32_t p = 1; p < punti; ++p) {
        linea(v, canvas, X(p), 0, X(p + 1), 0, 15);
        linea(v, canvas, X(p), V(p) / scala, X(p + 1), V(p + 1) / scala, 15);
    }
    const int32_t sezioni = t.ProgressiveSezioni.upperBound() + 1;
    for (int32_t j = 0; j < sezioni; ++j) {
        double xs = sicuro(t.ProgressiveSezioni[j]);
        canvas.circle(v.canvasX(xs), v.canvasY(0), v.scala * 1.0, 10, 1.0);
    }
    for (int32_t p = 1; p <= punti; ++p) {
        const bool positivo = V(p) >= 0;
        testo(v, canvas, X(p) + 0.4, V(p) / scala + (positivo ? 25 : -10), true, 5, positivo ? 14 : 12,
              formatta(V(p), "#.00"));
    }
    for (int32_t j = 1; j <= sezioni; ++j)
        testo(v, canvas, sicuro(t.ProgressiveSezioni[j - 1]) + 1.6, 1, false, 5, 10, std::to_string(j));
    testo(v, canvas, -15, 100, true, 20, 15, "RIPORTO       STERRO");

    host.cursoreAttesa(false);
}

}  // namespace carvela
