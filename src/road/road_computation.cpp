#include "road/road_computation.h"

#include <cmath>
#include <vector>

#include "plan/axis.h"
#include "profile/profile_solve.h"
#include "road/contour_index.h"
#include "road/profile_conversion.h"
#include "road/road_edges.h"
#include "road/stations.h"
#include "road/terrain_sections.h"
#include "sections/volumes.h"
#include "state/host.h"
#include "state/workspace.h"

namespace carvela {
namespace {

bool verticiFiniti(const Planimetria& piano) {
    for (int32_t i = 1; i <= numeroVerticiAsse(piano); ++i)
        if (!std::isfinite(piano.VerticiAsse[i].x) || !std::isfinite(piano.VerticiAsse[i].y)) return false;
    return true;
}

// No survey reaches this far (in metres) from its origin; beyond it the squared distances,
// areas and volumes of the computation overflow single precision.
constexpr double kMassimaCoordinata = 1e8;

bool fuoriMisura(double v) { return std::isfinite(v) && std::fabs(v) > kMassimaCoordinata; }

bool coordinateFuoriMisura(const Planimetria& piano) {
    for (int32_t i = 1; i <= numeroVerticiAsse(piano); ++i)
        if (fuoriMisura(piano.VerticiAsse[i].x) || fuoriMisura(piano.VerticiAsse[i].y)) return true;
    for (const VbArray<ContourSegment>& curva : piano.CurveLivello.raw())
        for (const ContourSegment& s : curva.raw())
            for (float v : {s.x1, s.y1, s.z1, s.x2, s.y2, s.z2})
                if (fuoriMisura(v)) return true;
    return false;
}

}  // namespace

EsitoTracciato risolviTracciato(Workspace& ws, Host& host) {
    EsitoTracciato esito;
    Planimetria& piano = ws.Piano;
    if (piano.NumeroCurveLivello < 2) {
        host.messaggio("Non sono presenti le curve di livello relative alla planimetria!");
        return esito;
    }
    // The polygon itself must hold two vertices: the count alone may come from a damaged file.
    if (piano.NumeroPuntiAsse < 2 || numeroVerticiAsse(piano) < 2) {
        host.messaggio("Non è presente la poligonale d'asse!");
        return esito;
    }
    if (!verticiFiniti(piano)) {
        host.messaggio("Tipo di dati non corretto!");
        return esito;
    }
    if (coordinateFuoriMisura(piano)) {
        host.messaggio(
            "Impossibile procedere nel calcolo perchè le curve di livello o la poligonale d'asse hanno coordinate o "
            "quote oltre 100000000!");
        return esito;
    }

    preparaAsse(ws);
    calcolaCurvePicchetti(ws);

    // One index of the contour pieces serves the stations and the sections.
    const IndiceCurve indice(piano);
    calcolaStazioni(ws, host, &indice);
    if (piano.NumeroIntersezioni < 1) {
        host.cursoreAttesa(false);
        host.messaggio(
            "Impossibile procedere nel calcolo perchè la poligonale d'asse non interseca alcuna curva di livello!");
        return esito;
    }

    convertiProfilo(ws, host, esito.livelletteNonRisolte);

    calcolaSezioniTerreno(ws, host, &indice);
    ws.SezioneCorrente = 1;

    calcolaCigliOccupazione(ws);

    costruisciPaleggi(piano.SezioniApplicate, piano.NumeroIntersezioni, ws.impostazioni.fattoreScalaVolumi,
                      piano.PaleggiApplicati);
    ws.Paleggi = piano.PaleggiApplicati;

    esito.calcolato = true;
    return esito;
}

}  // namespace carvela
