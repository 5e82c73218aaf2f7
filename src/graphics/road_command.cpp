#include "graphics/road_command.h"

#include "graphics/plan_drawing.h"
#include "plan/axis.h"
#include "plan/plan_points.h"
#include "profile/profile_solve.h"
#include "state/host.h"
#include "state/workspace.h"

namespace carvela {

bool calcolaTracciato(Workspace& ws, Canvas& canvas, Host& host) {
    const EsitoTracciato esito = risolviTracciato(ws, host);
    if (!esito.calcolato) return false;
    disegnaPianta(ws, canvas, host);
    if (!esito.livelletteNonRisolte.empty())
        host.messaggio(messaggioLivelletteNonRisolte(esito.livelletteNonRisolte), Pulsanti::Ok, Icona::Avviso);
    return true;
}

void importaAsse(Workspace& ws, Canvas& canvas, Host& host, bool daTriangolazione) {
    if (!importaVerticiAsse(ws, host, daTriangolazione)) return;
    host.cursoreAttesa(true);
    disegnaPianta(ws, canvas, host);
    host.cursoreAttesa(false);
}

bool applicaPuntiPiano(const Griglia& griglia, Workspace& ws, Canvas& canvas, Host& host) {
    if (!leggiPuntiPiano(griglia, ws.Piano, host)) return false;
    if (ws.Piano.NumeroPunti > 0) disegnaPianta(ws, canvas, host);
    return true;
}

}  // namespace carvela
