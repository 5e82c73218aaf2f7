#include "dxf/dxf_commands.h"

#include <algorithm>
#include <cmath>

#include "dxf/dxf_drawing.h"
#include "dxf/dxf_exports.h"
#include "dxf/dxf_project.h"
#include "dxf/dxf_reader.h"
#include "dxf/dxf_road_exports.h"
#include "dxf/dxf_writer.h"
#include "dxf/landxml.h"
#include "graphics/plan_drawing.h"
#include "graphics/road_command.h"
#include "graphics/view_ops.h"
#include "sections/mass_diagram.h"
#include "state/canvas.h"
#include "state/host.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela {
namespace {

const char* const kFiltroDxf = "File di interscambio (*.dxf) | *.DXF";

struct Rettangolo {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool vuoto = true;
    void aggiungi(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        if (vuoto) {
            minX = maxX = x;
            minY = maxY = y;
            vuoto = false;
            return;
        }
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
};

}  // namespace

bool estensioneDxf(const VbArray<DxfEntity>& disegno, double& minX, double& minY, double& maxX, double& maxY) {
    Rettangolo r;
    for (int32_t e = 1; e <= disegno.upperBound(); ++e) {
        const DxfEntity& d = disegno[e];
        const std::string& n = d.Nome;
        if (n == "POINT" || n == "TEXT" || n == "VERTEX") {
            r.aggiungi(d.X1, d.Y1);
        } else if (n == "LINE") {
            r.aggiungi(d.X1, d.Y1);
            r.aggiungi(d.X2, d.Y2);
        } else if (n == "CIRCLE" || n == "ARC") {
            const double raggio = std::fabs(d.R);
            r.aggiungi(d.X1 - raggio, d.Y1 - raggio);
            r.aggiungi(d.X1 + raggio, d.Y1 + raggio);
        }
    }
    minX = r.minX, minY = r.minY, maxX = r.maxX, maxY = r.maxY;
    return !r.vuoto;
}

void zoomSuDisegnoDxf(Workspace& ws, Canvas& canvas, Host& host, const LimitiDxf& limiti) {
    double eMinX, eMinY, eMaxX, eMaxY;
    const bool conEntita = estensioneDxf(ws.DxfDrawing, eMinX, eMinY, eMaxX, eMaxY);
    // The header limits serve when they make a window and the drawing lies at least partly
    // inside it; otherwise (no limits, the defaults of an empty template, a drawing far from
    // them) the view fits the entities themselves, with a small margin.
    bool usaLimiti = limiti.completi() && limiti.maxX > limiti.minX && limiti.maxY > limiti.minY;
    if (usaLimiti && conEntita)
        usaLimiti = eMaxX >= limiti.minX && eMinX <= limiti.maxX && eMaxY >= limiti.minY && eMinY <= limiti.maxY;
    double x1, y1, x2, y2;
    if (usaLimiti) {
        x1 = limiti.minX, y1 = limiti.minY, x2 = limiti.maxX, y2 = limiti.maxY;
    } else if (conEntita) {
        double margine = std::max(eMaxX - eMinX, eMaxY - eMinY) * 0.05;
        if (margine <= 0) margine = 1;
        x1 = eMinX - margine, y1 = eMinY - margine, x2 = eMaxX + margine, y2 = eMaxY + margine;
    } else {
        return;  // nothing to frame: the view stays as it is
    }
    salvaVista(ws.vista);
    // The corners are the window's canvas points under the current scale with the offsets at
    // zero, so the zoom brings the lower-left limit to the canvas's lower-left corner.
    const double s = ws.vista.scala;
    ws.vista.offsetX = 0;
    ws.vista.offsetY = 0;
    ws.vista.angoloX2 = static_cast<float>(s * x2);
    ws.vista.angoloY2 = static_cast<float>(-s * y2);
    zoomFinestraSu(ws, canvas, host, s * x1, -s * y1, s * x2, -s * y2);
}

bool importaFileDxf(Workspace& ws, Canvas& canvas, Host& host, const std::string& path) {
    VbArray<DxfEntity> disegno;
    LimitiDxf limiti;
    LetturaDxf lettura;
    // Records relative to an origin near the drawing: the plan's own when the drawing lies
    // within its reach, so a drawing of the same survey lies on the plan.
    const OrigineProgetto origine = leggiOrigine(ws.Piano.Origine);
    if (!leggiFileDxf(path, disegno, limiti, host, &lettura, &origine)) {
        host.messaggio(messaggioLetturaDxf(lettura.esito));
        return false;
    }
    // A drawing with no entity (only its header, or nothing at all) would leave an empty
    // window in place of the project: it is refused and the project stays.
    bool conEntita = false;
    for (int32_t e = 1; e <= disegno.upperBound() && !conEntita; ++e)
        conEntita = !disegno[e].Nome.empty() && disegno[e].Nome.find('$') == std::string::npos;
    if (!conEntita) {
        host.messaggio("Il file DXF non contiene entità da importare!");
        return false;
    }
    resetDocumento(ws);
    canvas.clear();
    ws.DxfDrawing = std::move(disegno);
    ws.LetturaDisegno = std::move(lettura);
    zoomSuDisegnoDxf(ws, canvas, host, limiti);
    disegnaDxf(ws, canvas, host);
    host.impostaTitolo(host.titolo() + " [ " + path + " ]");
    return true;
}

bool comandoImportaDxf(Workspace& ws, Canvas& canvas, Host& host) {
    const std::string path = host.apriFile(kFiltroDxf, "Importa file di interscambio DXF");
    return !path.empty() && importaFileDxf(ws, canvas, host, path);
}

bool esportaDocumentoDxf(Workspace& ws, Host& host, const std::string& path) {
    std::string testo;
    // The sections and the plan go to the file as they are written.
    std::function<std::string(FileAtomico*)> flusso;
    switch (ws.TipoDocumento) {
    case kDocProfilo: testo = esportaProfilo(ws.Profilo); break;
    case kDocSezione:
        flusso = [&](FileAtomico* f) { return esportaSezioni(ws.Sezioni, ws.impostazioni, &host, f); };
        break;
    case kDocDiagramma: testo = esportaDiagramma(ws.Paleggi, parametriStrada(ws)); break;
    case kDocPianta:
        host.cursoreAttesa(true);
        flusso = [&](FileAtomico* f) { return esportaPianta(ws.Piano, ws.impostazioni, f); };
        break;
    case kDocPoligonaleAperta:
        host.cursoreAttesa(true);
        testo = esportaPoligonaleAperta(ws.PoligonaleAperta, ws.impostazioni);
        break;
    case kDocPoligonaleChiusa:
        host.cursoreAttesa(true);
        testo = esportaPoligonaleChiusa(ws.PoligonaleChiusa, ws.impostazioni);
        break;
    case kDocTriangolazione:
        host.cursoreAttesa(true);
        testo = esportaTriangolazione(ws.Triangolazione, ws.impostazioni);
        break;
    default: return false;  // nothing shown, or an imported drawing: nothing to write
    }
    const bool ok = flusso ? salvaDxf(path, flusso, host) : salvaDxf(path, testo, host);
    host.cursoreAttesa(false);
    return ok;
}

void comandoEsportaDxf(Workspace& ws, Canvas&, Host& host) {
    const std::string path = host.salvaFile("", kFiltroDxf, "Esporta file di interscambio DXF");
    if (path.empty()) return;
    esportaDocumentoDxf(ws, host, path);
}

bool convertiProgettoDxf(Workspace& ws, Canvas& canvas, Host& host, const SceltaDxf& s) {
    const EsitoConversioneDxf esito = convertiDisegnoDxf(ws, host, s);
    if (esito == EsitoConversioneDxf::PuntiPiano || esito == EsitoConversioneDxf::CurvePiano)
        disegnaPianta(ws, canvas, host);
    if (esito == EsitoConversioneDxf::PuntiPiano) host.apriPagina(Pagina::PuntiPiano);
    return esito != EsitoConversioneDxf::Rifiutata;
}

bool riconosciDxf(Workspace& ws, Canvas& canvas, Host& host, const SceltaDxf& s) {
    ws.RiconoscimentoDisegno = {};
    const bool fatto = convertiProgettoDxf(ws, canvas, host, s);
    if (ws.RiconoscimentoDisegno.eseguito)
        host.messaggio(testoRiconoscimento(ws.LetturaDisegno, ws.RiconoscimentoDisegno), Pulsanti::Ok,
                       fatto ? Icona::Informazione : Icona::Avviso, "Riconoscimento delle curve di livello");
    return fatto;
}

bool riconosciDxf(const ModelloRicavaDxf& modello, Workspace& ws, Canvas& canvas, Host& host) {
    SceltaDxf s;
    return modello.scelta(ws.DxfDrawing, host, s) && riconosciDxf(ws, canvas, host, s);
}

void comandoImportaAsseLandXml(Workspace& ws, Canvas& canvas, Host& host) {
    const std::string path = host.apriFile("File LandXML (*.xml) | *.XML", "Importa asse da file LandXML");
    if (path.empty()) return;
    AsseLandXml asse;
    std::string errore;
    if (!leggiFileAsseLandXml(path, asse, errore)) {
        host.messaggio(errore, Pulsanti::Ok, Icona::Avviso);
        return;
    }
    host.cursoreAttesa(true);
    applicaAsseLandXml(ws, asse);
    host.cursoreAttesa(false);
    // With contour lines the axis is computed at once, as an axis typed in the coordinates window.
    if (ws.Piano.NumeroCurveLivello < 2) {
        disegnaPianta(ws, canvas, host);
        return;
    }
    calcolaTracciato(ws, canvas, host);
    if (ws.Piano.NumeroIntersezioni > 0)
        if (const std::string avviso = avvisoRaggiModificati(ws, asse); !avviso.empty())
            host.messaggio(avviso, Pulsanti::Ok, Icona::Avviso);
}

}  // namespace carvela
