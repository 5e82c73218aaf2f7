#include "graphics/view_ops.h"

#include <algorithm>
#include <cmath>

#include "graphics/redraw.h"
#include "state/canvas.h"
#include "state/host.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela {

bool zoomFinestraSu(Workspace& ws, Canvas& canvas, Host& host, double x1, double y1, double x2, double y2) {
    Vista& v = ws.vista;
    const double larghezza = canvas.larghezza(), altezza = canvas.altezza();
    const double w = std::fabs(x2 - x1), h = std::fabs(y2 - y1);
    const double m = std::max(w, h);
    // Corners that are not numbers make no window either.
    if (!(m > 0) || !std::isfinite(m)) {
        host.messaggio("Finestra di selezione inesistente!");
        return false;
    }
    // A canvas with no pixels (a minimised window) has nothing to fit into: a zoom would
    // leave a scale of zero that no later zoom could undo.
    if (larghezza <= 0 || altezza <= 0) return false;
    const double f = w >= h ? larghezza / m : altezza / m;
    const VistaSalvata prima{v.offsetX, v.offsetY, v.scala};
    const double ox = v.offsetX * f - std::min(x1, x2) * f;
    const double s = v.scala * f;
    const double oy = v.offsetY * f - std::min(y1, y2) * f;
    v.offsetX = static_cast<float>(ox);
    v.scala = static_cast<float>(s);
    v.offsetY = static_cast<float>(oy);
    const bool finita = std::isfinite(v.offsetX) && std::isfinite(v.offsetY) && std::isfinite(v.scala);
    if (v.scala > kScalaMassima || !finita) {
        host.messaggio("Fattore di scala dello zoom eccessivo!");
        // Back to the view saved by the command; without one, to the view before the zoom.
        if (!vistaPrecedente(v)) {
            v.offsetX = prima.offsetX;
            v.offsetY = prima.offsetY;
            v.scala = prima.scala;
        }
        ridisegna(ws, canvas, host);
        return false;
    }
    return true;
}

void zoomEstensione(Workspace& ws, Canvas& canvas, Host& host) {
    Vista& v = ws.vista;
    salvaVista(v);
    MantieniVista mantieni(v);
    if (adattaVista(v, canvas.larghezza(), canvas.altezza())) {
        ridisegna(ws, canvas, host);
        return;
    }
    // Nothing drawn since the last restart: the extent is empty, whatever it held before.
    const bool vuota = v.riavvioEstensione == -1;
    const double x1 = vuota ? 0 : v.estMinX, y1 = vuota ? 0 : v.estMaxY;
    const double x2 = vuota ? 0 : v.estMaxX, y2 = vuota ? 0 : v.estMinY;
    if (zoomFinestraSu(ws, canvas, host, x1, y1, x2, y2)) ridisegna(ws, canvas, host);
}

bool adattaVista(Vista& v, int larghezza, int altezza) {
    if (v.riavvioEstensione == -1 || larghezza <= 0 || altezza <= 0) return false;
    const double x1 = v.mondoX(v.estMinX), x2 = v.mondoX(v.estMaxX);
    const double y1 = v.mondoY(v.estMaxY), y2 = v.mondoY(v.estMinY);
    const double dx = x2 - x1, dy = y2 - y1;
    if (!std::isfinite(dx) || !std::isfinite(dy) || (!(dx > 0) && !(dy > 0))) return false;
    const double utileX = larghezza * (1 - 2 * kMargineAdattamento);
    const double utileY = altezza * (1 - 2 * kMargineAdattamento);
    double s = dx > 0 && dy > 0 ? std::min(utileX / dx, utileY / dy) : (dx > 0 ? utileX / dx : utileY / dy);
    s = std::min<double>(s, kScalaMassima);
    const double ox = larghezza / 2.0 - s * (x1 + x2) / 2, oy = altezza / 2.0 + s * (y1 + y2) / 2;
    if (!(s > 0) || !std::isfinite(s) || !std::isfinite(ox) || !std::isfinite(oy)) return false;
    v.scala = static_cast<float>(s);
    v.offsetX = static_cast<float>(ox);
    v.offsetY = static_cast<float>(oy);
    return v.scala > 0;
}

bool zoomAttorno(Vista& v, double x, double y, double fattore) {
    const double mx = v.mondoX(x), my = v.mondoY(y);
    const double s = v.scala * fattore;
    const double ox = x - s * mx, oy = y + s * my;
    if (!(s > 1e-30) || s > kScalaMassima || !std::isfinite(ox) || !std::isfinite(oy)) return false;
    v.scala = static_cast<float>(s);
    v.offsetX = static_cast<float>(ox);
    v.offsetY = static_cast<float>(oy);
    return true;
}

bool disarmaModi(Vista& v) {
    const bool armato = v.modoPan != 0 || v.modoZoom != 0 || v.modoSelezione != 0;
    v.modoPan = 0;
    v.modoZoom = 0;
    v.modoSelezione = 0;
    v.marcaStampa = 0;
    return armato;
}

void spostaVista(Vista& vista, double dx, double dy) {
    if (!std::isfinite(dx) || !std::isfinite(dy)) return;
    vista.offsetX = static_cast<float>(vista.offsetX + dx);
    vista.offsetY = static_cast<float>(vista.offsetY + dy);
}

}  // namespace carvela
