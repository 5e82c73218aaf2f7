#include "state/workspace.h"

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
        // The files of what was emptied no longer hold this project: a later save (the
        // automatic one above all) must not write a new project over them.
        ws.NomeFilePln.clear();
        ws.NomeFilePro.clear();
        ws.NomeFileSez.clear();
        break;
    case kDocPoligonaleAperta:
        ws.PoligonaleAperta = OpenTraverse{};
        ws.NomeFilePla.clear();
        break;
    case kDocPoligonaleChiusa:
        ws.PoligonaleChiusa = ClosedTraverse{};
        ws.NomeFilePlc.clear();
        break;
    case kDocTriangolazione:
        ws.Triangolazione = TriangulationChain{};
        ws.NomeFileTrn.clear();
        break;
    case kDocDxf:
        ws.DxfDrawing.erase();
        ws.LetturaDisegno = {};
        break;
    default: break;
    }
    ws.TipoDocumento = kDocNessuno;
    // Callers ask before emptying (confermaAbbandono): nothing unsaved is left.
    segnaSalvato(ws);
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
