#include "graphics/pointer_text.h"

#include <cmath>

#include "graphics/canvas_mouse.h"
#include "project/origine.h"
#include "project/vbtext.h"
#include "sections/mass_diagram.h"
#include "state/workspace.h"

namespace carvela {
namespace {

std::string coppia(const char* nomeX, double x, const char* nomeY, double y, const char* formato) {
    return std::string(nomeX) + " " + formatta(x, formato) + "   " + nomeY + " " + formatta(y, formato);
}

double finito(double v) { return std::isfinite(v) ? v : 0.0; }

}  // namespace

std::string testoPuntatoreDocumento(Workspace& ws, double cx, double cy) {
    const Vista& v = ws.vista;
    const double x = v.mondoX(cx), y = v.mondoY(cy);
    if (!std::isfinite(x) || !std::isfinite(y)) return {};
    switch (ws.TipoDocumento) {
    case kDocPianta:
    case kDocDxf: {
        const OrigineProgetto o = leggiOrigine(ws.Piano.Origine);
        return coppia("E", x + o.est, "N", y + o.nord, "0.000");
    }
    // The survey views draw their records, which lie relative to the survey's own origin.
    case kDocPoligonaleAperta:
    case kDocPoligonaleChiusa:
    case kDocTriangolazione: {
        const std::string& origine = ws.TipoDocumento == kDocPoligonaleAperta   ? ws.PoligonaleAperta.Origine
                                     : ws.TipoDocumento == kDocPoligonaleChiusa ? ws.PoligonaleChiusa.Origine
                                                                                : ws.Triangolazione.Origine;
        const OrigineProgetto o = leggiOrigine(origine);
        return coppia("E", x + o.est, "N", y + o.nord, "0.000");
    }
    case kDocProfilo:
        // Drawn at x = progressive, y = ten times the height above the datum.
        return coppia("Progr.", x, "Quota", y / 10 + finito(ws.Profilo.QuotaRiferimento), "0.00");
    case kDocSezione: {
        // Drawn at x = 256 + 10 * distance, y = 200 + 10 * (elevation - axis design elevation).
        const Sezione& s = sezioneCorrente(ws);
        return coppia("Dist.", (x - 256) / 10, "Quota", (y - 200) / 10 + finito(s.QuotaProgetto), "0.00");
    }
    case kDocDiagramma: {
        const double k = scalaVerticaleDiagramma(ws.Paleggi);
        return "Progr. " + formatta(x, "0.00") + "   Vol. " + formatta(k > 0 ? y / k : 0.0, "0.0") + " m³";
    }
    default: return testoCoordinate(v, cx, cy);
    }
}

}  // namespace carvela
