#pragma once
// The road of the bundled sample, computed in the test's own workspace: the contour lines of
// samples/terreno.dxf, the axis of samples/asse.txt, the road computation.
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "dxf/dxf_commands.h"
#include "dxf/dxf_project.h"
#include "dxf/dxf_reader.h"
#include "graphics/road_command.h"
#include "state/workspace.h"

namespace carvela::test {

inline std::string fileCampione(const char* nome) { return std::string(CARVELA_SOURCE_DIR) + "/samples/" + nome; }

// Every polyline of the drawing read into `ws` made a contour line, as the wizard does.
inline bool ricavaCurve(Workspace& ws, Canvas& canvas, Host& host) {
    SceltaDxf scelta;
    scelta.modo = ModoSelezioneDxf::Entita;
    scelta.tipo = "POLYLINE";
    scelta.curveDaPolilinee = true;
    return convertiProgettoDxf(ws, canvas, host, scelta);
}

// The vertices of samples/asse.txt, shifted by (dE, dN).
inline std::vector<std::pair<double, double>> asseCampione(double dE = 0, double dN = 0) {
    std::ifstream f(fileCampione("asse.txt"));
    std::vector<std::pair<double, double>> asse;
    for (std::string riga; std::getline(f, riga);) {
        std::istringstream campi(riga);
        double x, y;
        if (!riga.empty() && riga[0] != '#' && campi >> x >> y) asse.emplace_back(x + dE, y + dN);
    }
    return asse;
}

// False when a step fails (its message is in the host).
inline bool calcolaCampione(Workspace& ws, Canvas& canvas, Host& host) {
    if (!ReadDxf(ws, host, fileCampione("terreno.dxf"))) return false;
    ws.TipoDocumento = kDocDxf;
    if (!ricavaCurve(ws, canvas, host)) return false;
    std::ifstream asse(fileCampione("asse.txt"));
    ws.Piano.VerticiAsse.redim(0);
    for (std::string riga; std::getline(asse, riga);) {
        std::istringstream campi(riga);
        AxisPoint p;  // read as single precision, as the batch tool reads it
        if (!riga.empty() && riga[0] != '#' && campi >> p.x >> p.y) ws.Piano.VerticiAsse.raw().push_back(p);
    }
    ws.Piano.AsseTracciato = ws.Piano.VerticiAsse;
    ws.Piano.NumeroPuntiAsse = ws.Piano.VerticiAsse.upperBound();
    calcolaTracciato(ws, canvas, host);
    return ws.Piano.NumeroIntersezioni > 0;
}

}  // namespace carvela::test
