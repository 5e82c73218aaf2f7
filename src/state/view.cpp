#include "state/view.h"

#include <algorithm>
#include <cmath>

namespace carvela {

namespace {
void widen(Vista& v, double x, double y) {
    float fx = static_cast<float>(x), fy = static_cast<float>(y);
    // A point that is not a finite number would poison the extent.
    if (!std::isfinite(fx) || !std::isfinite(fy)) return;
    if (v.riavvioEstensione == -1) {
        v.estMinX = v.estMaxX = fx;
        v.estMinY = v.estMaxY = fy;
        v.riavvioEstensione = 0;
        return;
    }
    v.estMinX = std::min(v.estMinX, fx);
    v.estMaxX = std::max(v.estMaxX, fx);
    v.estMinY = std::min(v.estMinY, fy);
    v.estMaxY = std::max(v.estMaxY, fy);
}
}  // namespace

void puntoEstensione(Vista& v, Canvas& c, double x, double y) {
    widen(v, x, y);
    c.moveTo(pixel(x), pixel(y));
}

void allargaEstensione(Vista& v, double x, double y) { widen(v, x, y); }

void bezierEstensione(Vista& v, Canvas& c, const std::vector<PuntoCanvas>& punti) {
    for (const auto& p : punti) widen(v, p.x, p.y);
    if (!punti.empty()) c.polyBezier(punti);
}

void inizializzaVista(Vista& v, const Canvas& c) {
    v.scala = 1;
    v.offsetX = 0;
    v.offsetY = static_cast<float>(c.altezza());
    v.pila.clear();
    v.pila.push_back({v.offsetX, v.offsetY, v.scala});
}

void salvaVista(Vista& v) {
    if (v.pila.size() < Vista::kMaxPila) v.pila.push_back({v.offsetX, v.offsetY, v.scala});
}

bool vistaPrecedente(Vista& v) {
    if (v.pila.size() <= 1) return false;
    const VistaSalvata& top = v.pila.back();
    v.offsetX = top.offsetX;
    v.offsetY = top.offsetY;
    v.scala = top.scala;
    v.pila.pop_back();
    return true;
}

}  // namespace carvela
