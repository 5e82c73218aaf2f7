#include "graphics/road_command.h"

#include "graphics/plan_drawing.h"
#include "profile/profile_solve.h"
#include "state/host.h"

namespace carvela {

void calcolaTracciato(Workspace& ws, Canvas& canvas, Host& host) {
    const EsitoTracciato esito = risolviTracciato(ws, host);
    if (!esito.calcolato) return;
    disegnaPianta(ws, canvas, host);
    if (!esito.livelletteNonRisolte.empty())
        host.messaggio(messaggioLivelletteNonRisolte(esito.livelletteNonRisolte), Pulsanti::Ok, Icona::Avviso);
}

}  // namespace carvela
