#include "survey/survey_drawings.h"

#include <cmath>
#include <string>

#include "graphics/stroke_font.h"
#include "project/origine.h"
#include "project/vbtext.h"
#include "state/canvas.h"
#include "state/host.h"
#include "state/view.h"
#include "state/workspace.h"
#include "survey/survey_grid.h"

namespace carvela {
namespace {

bool finito(float x, float y) { return std::isfinite(x) && std::isfinite(y); }

// The pen through the view: moves and lines in whole pixels, every point widening the
// drawing extent so that "&Estensione" frames the whole figure.
class Penna {
public:
    Penna(Vista& vista, Canvas& canvas) : vista_(vista), canvas_(canvas) {}

    void sposta(float x, float y) { puntoEstensione(vista_, canvas_, vista_.canvasX(x), vista_.canvasY(y)); }
    void traccia(float x, float y) {
        const double cx = vista_.canvasX(x), cy = vista_.canvasY(y);
        canvas_.lineTo(pixel(cx), pixel(cy));
        puntoEstensione(vista_, canvas_, cx, cy);
    }
    // A segment between two world points; nothing when either is not a number.
    void segmento(float x1, float y1, float x2, float y2) {
        if (!finito(x1, y1) || !finito(x2, y2)) return;
        sposta(x1, y1);
        traccia(x2, y2);
    }
    void etichetta(float x, float y, float altezza, const std::string& testo) {
        scriviTesto(vista_, canvas_, vista_.scala, vista_.canvasX(x), vista_.canvasY(y), 0, altezza, 14, testo);
    }

private:
    Vista& vista_;
    Canvas& canvas_;
};

std::string dueDecimali(double v) { return formatta(v, "#.00"); }

// The traverse figure: stations 1..n joined in order (and closed back onto station 1), each
// labelled "P <i>(x,y,q)" up and to the right of it.
// The figure is drawn in record coordinates, as the view shows the records; the labels give
// the true coordinates.
void disegnaStazioni(Workspace& ws, Canvas& canvas, Host& host, int n, const VbArray<float>& X, const VbArray<float>& Y,
                     const VbArray<float>& Q, bool chiusa, const std::string& origine) {
    const OrigineProgetto o = leggiOrigine(origine);
    Vista& vista = ws.vista;
    riavviaEstensione(vista);
    host.cursoreAttesa(true);
    canvas.clear();
    canvas.setForeColor(15);
    Penna penna(vista, canvas);

    for (int i = 1; i < n; ++i) penna.segmento(X.get(i), Y.get(i), X.get(i + 1), Y.get(i + 1));
    if (chiusa && n >= 2) penna.segmento(X.get(n), Y.get(n), X.get(1), Y.get(1));

    const float altezza = ws.impostazioni.DimensioneQuote;
    for (int i = 1; i <= n; ++i) {
        const float x = X.get(i), y = Y.get(i), q = Q.get(i);
        if (!finito(x, y) || !std::isfinite(q)) continue;
        penna.etichetta(x + 3, y + 3, altezza,
                        etichettaStazione(i, coordinataVera(x, o.est), coordinataVera(y, o.nord), q));
    }
    host.cursoreAttesa(false);
}

}  // namespace

std::string etichettaStazione(int i, double x, double y, float q) {
    return "P" + vbStr(i) + "(" + dueDecimali(x) + "," + dueDecimali(y) + "," + dueDecimali(q) + ")";
}

std::string etichettaVertice(int v, double x, double y) {
    return "P" + dueDecimali(v + 1) + " (" + dueDecimali(x) + "," + dueDecimali(y) + ")";
}

void disegnaPoligonaleAperta(Workspace& ws, Canvas& canvas, Host& host) {
    ws.TipoDocumento = kDocPoligonaleAperta;
    const OpenTraverse& p = ws.PoligonaleAperta;
    disegnaStazioni(ws, canvas, host, p.NumeroStazioni, p.Ascissa, p.Ordinata, p.Quota, false, p.Origine);
}

void disegnaPoligonaleChiusa(Workspace& ws, Canvas& canvas, Host& host) {
    ws.TipoDocumento = kDocPoligonaleChiusa;
    const ClosedTraverse& p = ws.PoligonaleChiusa;
    disegnaStazioni(ws, canvas, host, p.NumeroStazioni, p.Ascissa, p.Ordinata, p.Quota, true, p.Origine);
}

void disegnaTriangolazione(Workspace& ws, Canvas& canvas, Host& host) {
    ws.TipoDocumento = kDocTriangolazione;
    const TriangulationChain& c = ws.Triangolazione;
    const int n = c.NumeroTriangoli;
    const OrigineProgetto o = leggiOrigine(c.Origine);
    Vista& vista = ws.vista;
    riavviaEstensione(vista);
    host.cursoreAttesa(true);
    canvas.clear();
    Penna penna(vista, canvas);
    const VbArray<float>&X = c.X, &Y = c.Y;

    if (n >= 1) {
        // The chain path, vertex 0 to vertex n + 1.
        canvas.setForeColor(15);
        canvas.setDrawStyle(StileTratto::Continuo);
        for (int v = 0; v <= n; ++v) penna.segmento(X.get(v), Y.get(v), X.get(v + 1), Y.get(v + 1));

        // The third sides, dashed: along the even vertices, then along the odd ones. Triangle t
        // has the third side (t - 1, t + 1), so no side starts after vertex n - 1: one
        // starting at n would run to a vertex the chain does not have.
        canvas.setDrawStyle(StileTratto::Tratteggiato);
        canvas.setForeColor(12);
        for (int v = 0; v <= n - 1; v += 2) penna.segmento(X.get(v), Y.get(v), X.get(v + 2), Y.get(v + 2));
        for (int v = 1; v <= n - 1; v += 2) penna.segmento(X.get(v), Y.get(v), X.get(v + 2), Y.get(v + 2));
        canvas.setDrawStyle(StileTratto::Continuo);

        const double s = vista.scala;
        for (int v = 0; v <= n + 1; ++v) {
            if (!finito(X.get(v), Y.get(v))) continue;
            const double cx = vista.canvasX(X.get(v)), cy = vista.canvasY(Y.get(v));
            canvas.circle(cx, cy, 6 * s, 10);
            canvas.circle(cx, cy, 2 * s, 10);
        }

        const float altezza = ws.impostazioni.DimensioneQuote;
        for (int v = 0; v <= n + 1; ++v) {
            const float x = X.get(v), y = Y.get(v);
            if (!finito(x, y)) continue;
            penna.etichetta(x + 4, y + 4, altezza,
                            etichettaVertice(v, coordinataVera(x, o.est), coordinataVera(y, o.nord)));
        }
    }
    host.cursoreAttesa(false);
}

}  // namespace carvela
