#include "shell/workspace.h"

#include <algorithm>

namespace carvela {

void resetDocumento(Workspace& ws) {
    switch (ws.TipoDocumento) {
    case kDocProfilo:
    case kDocSezione:
    case kDocDiagramma:
    case kDocPianta:
        ws.Profilo = Profilo{};
        ws.Paleggi = TabellaPaleggi{};
        ws.Piano = Planimetria{};
        ws.Sezioni.erase();
        ws.Sezioni.redim(1);
        ws.SezioneCorrente = 1;
        ws.DxfDrawing.erase();
        ws.LetturaDisegno = {};
        ws.CentriCurve.erase();
        break;
    case kDocPoligonaleAperta: ws.PoligonaleAperta = OpenTraverse{}; break;
    case kDocPoligonaleChiusa: ws.PoligonaleChiusa = ClosedTraverse{}; break;
    case kDocTriangolazione: ws.Triangolazione = TriangulationChain{}; break;
    case kDocDxf:
        ws.DxfDrawing.erase();
        ws.LetturaDisegno = {};
        break;
    default: break;
    }
    ws.TipoDocumento = kDocNessuno;
}

void salvaTutteImpostazioni(Workspace& ws) {
    if (ws.archivioImpostazioni) salvaImpostazioni(*ws.archivioImpostazioni, ws.impostazioni);
}

Sezione& sezioneCorrente(Workspace& ws) {
    if (ws.SezioneCorrente < 0) ws.SezioneCorrente = 0;
    ws.Sezioni.ensure(ws.SezioneCorrente);
    return ws.Sezioni[ws.SezioneCorrente];
}

}  // namespace carvela
