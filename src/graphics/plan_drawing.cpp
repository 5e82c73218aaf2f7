#include "graphics/plan_drawing.h"

#include <cmath>
#include <string_view>
#include <vector>

#include "graphics/stroke_font.h"
#include "project/vbtext.h"
#include "state/canvas.h"
#include "state/host.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela {
namespace {

bool finito(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

// A straight line between two world points: an extent-tracking move, then a line-to.
void tratto(Vista& v, Canvas& c, double x1, double y1, double x2, double y2) {
    if (!finito(x1, y1) || !finito(x2, y2)) return;
    puntoEstensione(v, c, v.canvasX(x1), v.canvasY(y1));
    c.lineTo(pixel(v.canvasX(x2)), pixel(v.canvasY(y2)));
}

// A count from the record, never beyond what the list holds (a damaged file may disagree).
template <class T>
int32_t limite(int32_t conteggio, const VbArray<T>& lista) {
    return conteggio < lista.upperBound() ? conteggio : lista.upperBound();
}

std::string etichettaPunto(int32_t i, const PlanPoint& p) {
    return "P" + testoNumero(static_cast<int64_t>(i)) + "(" + formatta(p.x, "#.00") + "," + formatta(p.y, "#.00") +
           "," + formatta(p.z, "#.00") + ")";
}

// The labels of one kind already written, as canvas boxes: a label that would overwrite one
// of them is left out, so the contour elevations crowded along the drawing's edge and the
// numbers of stations a few centimetres apart stay legible. Labels that only touch are kept.
class EtichetteScritte {
public:
    bool libera(double x, double y, std::string_view testo, double h) {
        double l = 0;
        for (unsigned char c : testo)
            if ((c & 0xC0) != 0x80) l += (c == '.' || c == ')') ? 0.4 * h : 0.6 * h;
        const double t = 0.02 * h;
        const Box nuova{x, y - h, x + l, y};
        for (const Box& b : scritte_)
            if (b.x1 < nuova.x2 - t && nuova.x1 < b.x2 - t && b.y1 < nuova.y2 - t && nuova.y1 < b.y2 - t) return false;
        scritte_.push_back(nuova);
        return true;
    }

private:
    struct Box {
        double x1, y1, x2, y2;
    };
    std::vector<Box> scritte_;
};

}  // namespace

void disegnaCurvaLivello(Vista& v, Canvas& c, const VbArray<ContourSegment>& pezzi, int32_t passo) {
    const int32_t n = pezzi.upperBound();
    if (n < 1) return;
    if (passo < 1) passo = 1;
    for (int32_t i = 1; i <= n; ++i)
        if (!finito(pezzi[i].x1, pezzi[i].y1) || !finito(pezzi[i].x2, pezzi[i].y2)) return;
    std::vector<PuntoCanvas> punti;
    punti.reserve(static_cast<std::size_t>((n - 1) / passo + 1));
    int32_t ultimo = 1;
    for (int32_t i = 1; i <= n; i += passo) {
        const ContourSegment& s = pezzi[i];
        punti.push_back({pixel(v.canvasX(s.x1)), pixel(v.canvasY(s.y1))});
        ultimo = i;
        if (i > n - passo) break;  // the next index would pass the last piece (or overflow)
    }
    const int32_t k = static_cast<int32_t>(punti.size());
    const int32_t resto = (k - 1) % 3;
    punti.resize(static_cast<std::size_t>(k - resto));
    bezierEstensione(v, c, punti);
    if (resto == 0) return;
    // The rest runs straight on from the last point of the Bezier chain: the piece sampled
    // `resto` steps before the last one, then every piece's end to the last.
    const int32_t da = ultimo - resto * passo;
    const ContourSegment& s = pezzi[da];
    puntoEstensione(v, c, v.canvasX(s.x1), v.canvasY(s.y1));
    for (int32_t i = da; i <= n; ++i) c.lineTo(pixel(v.canvasX(pezzi[i].x2)), pixel(v.canvasY(pezzi[i].y2)));
}

void disegnaPianta(Workspace& ws, Canvas& canvas, Host& host) {
    ws.TipoDocumento = kDocPianta;
    Vista& v = ws.vista;
    const Planimetria& p = ws.Piano;
    const Impostazioni& imp = ws.impostazioni;
    const float s = v.scala;
    const int32_t numeroPunti = limite(p.NumeroPunti, p.Punti);
    const int32_t puntiAsse = limite(p.NumeroPuntiAsse, p.AsseTracciato);
    const int32_t stazioni = limite(p.NumeroIntersezioni, p.Intersezioni);
    const int32_t sezioni = limite(p.NumeroIntersezioni, p.Occupazione);
    const int32_t cigli = limite(p.NumeroIntersezioni, p.Cigli);
    riavviaEstensione(v);
    host.cursoreAttesa(true);
    canvas.clear();

    // Points: a white pixel and a circle of half a world unit, light red on stations.
    for (int32_t i = 1; i <= numeroPunti; ++i) {
        const PlanPoint q = p.Punti[i];
        const double x = v.canvasX(q.x), y = v.canvasY(q.y);
        if (!finito(x, y)) continue;
        // The points count in the extent, so "&Estensione" finds a plan of points alone.
        allargaEstensione(v, x, y);
        canvas.setPixel(pixel(x), pixel(y), 15);
        canvas.circle(x, y, 0.5 * s, p.PuntiStazione.get(i) == 1 ? 12 : 11, 1.0);
    }
    if (imp.MantieniQuoteDraw) {
        for (int32_t i = 1; i <= numeroPunti; ++i) {
            const PlanPoint q = p.Punti[i];
            if (!finito(q.x, q.y)) continue;
            scriviTesto(v, canvas, s, v.canvasX(q.x + 1.0), v.canvasY(q.y + 1.0), 0, imp.DimensioneQuote, 14,
                        etichettaPunto(i, q));
        }
    }

    // Contour lines and their elevations.
    canvas.setForeColor(10);
    for (int32_t i = 1; i <= p.NumeroCurveLivello && p.CurveLivello.has(i); ++i)
        disegnaCurvaLivello(v, canvas, p.CurveLivello[i], imp.IntervalloVertexPLine);
    EtichetteScritte quote;
    for (int32_t i = 1; i <= p.NumeroCurveLivello && p.CurveLivello.has(i); ++i) {
        const auto& pezzi = p.CurveLivello[i];
        const int32_t n = pezzi.upperBound();
        if (n < 1) continue;
        const ContourSegment& fine = pezzi[n];
        if (!finito(fine.x2, fine.y2)) continue;
        const std::string quota = formatta(fine.z1, "#.00");
        if (quote.libera(v.canvasX(fine.x2), v.canvasY(fine.y2), quota, s * imp.DimensioneQuote))
            scriviTesto(v, canvas, s, v.canvasX(fine.x2), v.canvasY(fine.y2), 0, imp.DimensioneQuote, 14, quota);
    }

    // The staked axis.
    canvas.setForeColor(15);
    for (int32_t i = 1; i < puntiAsse; ++i) {
        const AxisPoint a = p.AsseTracciato[i], b = p.AsseTracciato[i + 1];
        tratto(v, canvas, a.x, a.y, b.x, b.y);
    }
    // Section lines, from the left to the right land-take point.
    for (int32_t j = 1; j <= sezioni; ++j) {
        const ContourSegment o = p.Occupazione[j];
        tratto(v, canvas, o.x1, o.y1, o.x2, o.y2);
    }
    // Road edges.
    for (int32_t j = 1; j < cigli; ++j) {
        const ContourSegment a = p.Cigli[j], b = p.Cigli[j + 1];
        tratto(v, canvas, a.x1, a.y1, b.x1, b.y1);
        tratto(v, canvas, a.x2, a.y2, b.x2, b.y2);
    }
    // Land take: yellow where the ground is at or above zero, light red below.
    for (int32_t j = 1; j < sezioni; ++j) {
        const ContourSegment a = p.Occupazione[j], b = p.Occupazione[j + 1];
        canvas.setForeColor(a.z1 >= 0 ? 14 : 12);
        tratto(v, canvas, a.x1, a.y1, b.x1, b.y1);
        canvas.setForeColor(a.z2 >= 0 ? 14 : 12);
        tratto(v, canvas, a.x2, a.y2, b.x2, b.y2);
    }
    // Stations with their numbers.
    EtichetteScritte numeri;
    for (int32_t j = 1; j <= stazioni; ++j) {
        const IntersezioneAsse q = p.Intersezioni[j];
        const double x = v.canvasX(q.x), y = v.canvasY(q.y);
        if (!finito(x, y)) continue;
        canvas.circle(x, y, s, 15, 1.0);
        const std::string numero = testoNumero(static_cast<int64_t>(j));
        if (numeri.libera(x, y, numero, s * imp.DimensioneQuote))
            scriviTesto(v, canvas, s, x, y, 0, imp.DimensioneQuote, 11, numero);
    }
    host.cursoreAttesa(false);
}

}  // namespace carvela
