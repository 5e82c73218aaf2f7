#include "road/road_computation.h"

#include <cmath>
#include <vector>

#include "plan/axis.h"
#include "profile/profile_solve.h"
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

    preparaAsse(ws);
    calcolaCurvePicchetti(ws);

    calcolaStazioni(ws, host);
    if (piano.NumeroIntersezioni < 1) {
        host.cursoreAttesa(false);
        host.messaggio(
            "Impossibile procedere nel calcolo perchè la poligonale d'asse non interseca alcuna curva di livello!");
        return esito;
    }

    convertiProfilo(ws, host, esito.livelletteNonRisolte);

    calcolaSezioniTerreno(ws, host);
    ws.SezioneCorrente = 1;

    calcolaCigliOccupazione(ws);

    costruisciPaleggi(piano.SezioniApplicate, piano.NumeroIntersezioni, ws.impostazioni.fattoreScalaVolumi,
                      piano.PaleggiApplicati);
    ws.Paleggi = piano.PaleggiApplicati;

    esito.calcolato = true;
    return esito;
}

}  // namespace carvela
