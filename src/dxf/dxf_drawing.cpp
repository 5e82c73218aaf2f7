#include "dxf/dxf_drawing.h"

#include "graphics/stroke_font.h"
#include "state/host.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela {
namespace {

// The vertex kinds drawn: spline-fit (8) and 3D polyline (32) vertices.
bool verticeDisegnato(const DxfEntity& e) { return e.FlagVertice == 32 || e.FlagVertice == 8; }

}  // namespace

void disegnaDxf(Workspace& ws, Canvas& canvas, Host& host) {
    ws.TipoDocumento = kDocDxf;
    Vista& v = ws.vista;
    riavviaEstensione(v);
    host.cursoreAttesa(true);
    canvas.clear();

    VbArray<DxfEntity>& d = ws.DxfDrawing;
    const int32_t ultimo = d.upperBound();
    auto segmento = [&](const DxfEntity& da, const DxfEntity& a) {
        puntoEstensione(v, canvas, v.canvasX(da.X1), v.canvasY(da.Y1));
        canvas.lineTo(pixel(v.canvasX(a.X1)), pixel(v.canvasY(a.Y1)));
    };

    for (int32_t e = 1; e <= ultimo; ++e) {
        DxfEntity& ent = d[e];
        if (ent.Colore == 0) ent.Colore = 15;
        const int colore = ent.Colore;
        const double cx = v.canvasX(ent.X1), cy = v.canvasY(ent.Y1);
        const std::string& nome = ent.Nome;
        if (nome == "POINT") {
            canvas.setPixel(pixel(cx), pixel(cy), colore);
        } else if (nome == "LINE") {
            canvas.setForeColor(colore);
            puntoEstensione(v, canvas, cx, cy);
            canvas.lineTo(pixel(v.canvasX(ent.X2)), pixel(v.canvasY(ent.Y2)));
        } else if (nome == "CIRCLE") {
            canvas.circle(cx, cy, static_cast<double>(v.scala) * ent.R, colore);
        } else if (nome == "ARC") {
            canvas.arc(cx, cy, static_cast<double>(v.scala) * ent.R, colore, ent.AngoloIniziale, ent.AngoloFinale);
        } else if (nome == "TEXT") {
            scriviTesto(v, canvas, v.scala, cx, cy, 0, ent.R, colore, ent.Testo);
        } else if (nome == "POLYLINE") {
            const bool chiusa5 = ent.FlagPolilinea == 5;
            int32_t j = e + (chiusa5 ? 3 : 2);
            if (j > ultimo) continue;
            canvas.setForeColor(colore);
            int32_t ultimoDisegnato = 0;
            // A polyline that lost its SEQEND ends where the next one begins.
            for (; j <= ultimo && d[j].Nome != "SEQEND" && d[j].Nome != "POLYLINE"; ++j) {
                if (!verticeDisegnato(d[j])) continue;
                segmento(d[j - 1], d[j]);
                ultimoDisegnato = j;
            }
            if (chiusa5 && ultimoDisegnato > 0) segmento(d[ultimoDisegnato], d[e + 2]);
            e = j <= ultimo && d[j].Nome == "POLYLINE" ? j - 1 : j;
        }
    }
    host.cursoreAttesa(false);
}

}  // namespace carvela
