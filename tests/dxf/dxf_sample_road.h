#pragma once
// The road of the bundled sample, computed in the test's own workspace: the contour lines of
// samples/terreno.dxf, the axis of samples/asse.txt, the road computation.
#include <fstream>
#include <sstream>
#include <string>

#include "dxf/dxf_project.h"
#include "dxf/dxf_reader.h"
#include "graphics/road_command.h"
#include "state/workspace.h"

namespace carvela::test {

inline std::string fileCampione(const char* nome) { return std::string(CARVELA_SOURCE_DIR) + "/samples/" + nome; }

// False when a step fails (its message is in the host).
inline bool calcolaCampione(Workspace& ws, Canvas& canvas, Host& host) {
    if (!ReadDxf(ws, host, fileCampione("terreno.dxf"))) return false;
    ws.TipoDocumento = kDocDxf;
    SceltaDxf scelta;
    scelta.modo = ModoSelezioneDxf::Entita;
    scelta.tipo = "POLYLINE";
    scelta.curveDaPolilinee = true;
    if (!convertiProgettoDxf(ws, canvas, host, scelta)) return false;

    std::ifstream asse(fileCampione("asse.txt"));
    std::string riga;
    ws.Piano.VerticiAsse.redim(0);
    while (std::getline(asse, riga)) {
        std::istringstream campi(riga);
        AxisPoint p;
        if (riga.empty() || riga[0] == '#' || !(campi >> p.x >> p.y)) continue;
        ws.Piano.VerticiAsse.raw().push_back(p);
    }
    ws.Piano.AsseTracciato = ws.Piano.VerticiAsse;
    ws.Piano.NumeroPuntiAsse = ws.Piano.VerticiAsse.upperBound();
    calcolaTracciato(ws, canvas, host);
    return ws.Piano.NumeroIntersezioni > 0;
}

}  // namespace carvela::test
