#include "graphics/redraw.h"

#include "dxf/dxf_drawing.h"
#include "graphics/plan_drawing.h"
#include "graphics/road_drawings.h"
#include "sections/mass_diagram_drawing.h"
#include "state/workspace.h"
#include "survey/survey_drawings.h"

namespace carvela {

void ridisegna(Workspace& ws, Canvas& canvas, Host& host) {
    switch (ws.TipoDocumento) {
    case kDocProfilo: disegnaProfilo(ws, canvas, host); break;
    case kDocSezione: disegnaSezione(ws, canvas, host, sezioneCorrente(ws)); break;
    case kDocDiagramma: disegnaDiagramma(ws, canvas, host); break;
    case kDocPianta: disegnaPianta(ws, canvas, host); break;
    case kDocPoligonaleAperta: disegnaPoligonaleAperta(ws, canvas, host); break;
    case kDocPoligonaleChiusa: disegnaPoligonaleChiusa(ws, canvas, host); break;
    case kDocTriangolazione: disegnaTriangolazione(ws, canvas, host); break;
    case kDocDxf: disegnaDxf(ws, canvas, host); break;
    default: break;
    }
}

void ridisegnaTipo(Workspace& ws, Canvas& canvas, Host& host, uint8_t tipo) {
    ws.TipoDocumento = tipo;
    ridisegna(ws, canvas, host);
}

}  // namespace carvela
