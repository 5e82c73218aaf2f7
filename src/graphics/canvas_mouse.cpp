#include "graphics/canvas_mouse.h"

#include <algorithm>
#include <cmath>

#include "graphics/redraw.h"
#include "graphics/view_ops.h"
#include "plan/axis.h"
#include "project/vbtext.h"
#include "state/host.h"
#include "state/undo.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela {

ControlliCanvas controlliCanvas(const Workspace& ws, double px, double py) {
    const Vista& v = ws.vista;
    ControlliCanvas c;
    c.puntatoreX = px;
    c.puntatoreY = py;
    if (v.modoZoom == 2) {
        c.rettangolo = true;
        c.inizioX = v.clickX;
        c.inizioY = v.clickY;
    } else if (v.modoPan == 2) {
        c.elastico = true;
        c.inizioX = v.clickX;
        c.inizioY = v.clickY;
    }
    if (v.modoSelezione == 2) c.quadrato = true;
    if (v.modoAsse == 2) {
        c.croce = true;
        // The rubber band runs from the last vertex placed.
        const int32_t n = ws.Piano.NumeroPuntiAsse;
        if (!c.elastico && !c.rettangolo && n >= 1 && ws.Piano.VerticiAsse.has(n)) {
            const AxisPoint& p = ws.Piano.VerticiAsse[n];
            const double x = v.canvasX(p.x), y = v.canvasY(p.y);
            if (std::isfinite(x) && std::isfinite(y)) {
                c.elastico = true;
                c.inizioX = x;
                c.inizioY = y;
            }
        }
    }
    return c;
}

std::string testoCoordinate(const Vista& vista, double x, double y) {
    const float mx = static_cast<float>(vista.mondoX(x)), my = static_cast<float>(vista.mondoY(y));
    if (!std::isfinite(mx) || !std::isfinite(my)) return {};
    return testoNumero(mx) + ", " + testoNumero(my);
}

EsitoMouse rilascioMouse(Workspace& ws, Canvas& canvas, Host& host, PulsanteMouse pulsante, double x, double y) {
    Vista& v = ws.vista;
    MantieniVista mantieni(v);
    if (v.modoZoom != 0) {
        if (pulsante != PulsanteMouse::Sinistro) return EsitoMouse::Nessuno;
        if (v.modoZoom == 1) {
            v.clickX = static_cast<float>(x);
            v.clickY = static_cast<float>(y);
            v.modoZoom = 2;
            return EsitoMouse::Gestito;
        }
        v.modoZoom = 0;
        if (v.marcaStampa != 0) {
            v.plotX1 = v.clickX;
            v.plotY1 = v.clickY;
            v.plotX2 = static_cast<float>(x);
            v.plotY2 = static_cast<float>(y);
            v.plotScala = v.scala;
            return EsitoMouse::FinestraPlot;
        }
        if (zoomFinestraSu(ws, canvas, host, v.clickX, v.clickY, x, y)) ridisegna(ws, canvas, host);
        return EsitoMouse::Gestito;
    }
    if (v.modoPan != 0) {
        if (v.modoPan == 1) {
            v.clickX = static_cast<float>(x);
            v.clickY = static_cast<float>(y);
            v.modoPan = 2;
            return EsitoMouse::Gestito;
        }
        v.modoPan = 0;
        spostaVista(v, x - v.clickX, y - v.clickY);
        ridisegna(ws, canvas, host);
        return EsitoMouse::Gestito;
    }
    if (v.modoSelezione == 2) {
        v.modoSelezione = 0;
        return EsitoMouse::Gestito;
    }
    if (v.modoAsse == 2) {
        segnaModifica(ws);  // the axis being traced is the project's
        if (pulsante == PulsanteMouse::Destro) {
            terminaTracciamentoAsse(ws, canvas, host);
            // The mode ends with the right button whatever the tracer did.
            v.modoAsse = 0;
            if (ws.storia) ws.storia->concludi(ws);
            return EsitoMouse::TracciamentoTerminato;
        }
        const double mx = v.mondoX(x), my = v.mondoY(y);
        if (std::isfinite(mx) && std::isfinite(my)) aggiungiVerticeAsse(ws, canvas, host, mx, my);
        return EsitoMouse::Gestito;
    }
    return EsitoMouse::Nessuno;
}

bool annullaModo(Workspace& ws, Canvas& canvas, Host& host) {
    Vista& v = ws.vista;
    const bool armato = disarmaModi(v);
    if (v.modoAsse == 0) return armato;
    v.modoAsse = 0;
    ws.Piano = ws.PianoBackup;
    if (ws.storia) ws.storia->concludi(ws);
    {
        MantieniVista mantieni(v);
        ridisegnaTipo(ws, canvas, host, kDocPianta);
    }
    if (ws.wizardAttivo == -1) host.apriPagina(Pagina::Autocomposizione);
    return true;
}

bool togliUltimoVertice(Workspace& ws, Canvas& canvas, Host& host) {
    if (ws.vista.modoAsse != 2) return false;
    Planimetria& piano = ws.Piano;
    const int32_t n = std::min(piano.NumeroPuntiAsse, piano.VerticiAsse.upperBound());
    if (n < 1) return false;
    if (n == 1) {
        piano.VerticiAsse.erase();
        piano.AsseTracciato.erase();
    } else {
        piano.VerticiAsse.redimPreserve(n - 1);
        piano.AsseTracciato.redimPreserve(n - 1);
    }
    piano.NumeroPuntiAsse = n - 1;
    MantieniVista mantieni(ws.vista);
    ridisegnaTipo(ws, canvas, host, kDocPianta);
    return true;
}

}  // namespace carvela
