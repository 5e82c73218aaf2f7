#include "plan/plan_points.h"

#include <algorithm>
#include <cmath>

#include "plan/plan_origin.h"
#include "project/coordinate.h"
#include "project/origine.h"
#include "project/records.h"
#include "project/vbtext.h"
#include "state/host.h"
#include "state/settings.h"
#include "state/workspace.h"

namespace carvela {

Griglia grigliaPuntiPiano(const Planimetria& piano, const Impostazioni& impostazioni, Host& host) {
    // A count beyond the stored points (a damaged file) shows the points that exist.
    const int32_t punti = std::max(0, std::min(piano.NumeroPunti, piano.Punti.upperBound()));
    const int righe = std::max({impostazioni.numeroPuntiPianoQDefault, punti + 1, 1});
    Griglia g(righe, 5);
    for (int r = 0; r < righe; ++r) g.imposta(r, 0, testoNumero(static_cast<int64_t>(r)));
    g.imposta(0, 0, "Punto n°");
    g.imposta(0, 1, "Ascisse");
    g.imposta(0, 2, "Ordinate");
    g.imposta(0, 3, "Quote del Terreno");
    g.imposta(0, 4, "Tipo di punto");
    g.larghezzeColonne = {700, 1700, 1700, 1700, 1500};
    g.altezzaIntestazione = 500;
    g.altezzaRiga = 300;

    host.mostraAttesa();
    host.CaptionLabel("Caricamneto della griglia in corso...");
    host.ImpostaBarra(barraPerConteggio(punti));
    const OrigineProgetto o = leggiOrigine(piano.Origine);  // true coordinates on the page
    for (int32_t i = 1; i <= punti; ++i) {
        host.AggiornaSatoBarra(posizionePerElemento(i));
        const PlanPoint& p = piano.Punti[i];
        g.imposta(i, 1, testoCoordinataGriglia(p.x, o.est));
        g.imposta(i, 2, testoCoordinataGriglia(p.y, o.nord));
        g.imposta(i, 3, testoNumero(p.z));
        if (piano.PuntiStazione.get(i) == 1) g.imposta(i, kColonnaTipoPunto, kTestoStazione);
    }
    host.chiudiAttesa();
    return g;
}

void commutaTipoPunto(Griglia& griglia, int riga) {
    if (riga < 1 || !griglia.valida(riga, kColonnaTipoPunto)) return;
    std::string& cella = griglia.cella(riga, kColonnaTipoPunto);
    cella = cella == kTestoStazione ? std::string() : std::string(kTestoStazione);
}

bool leggiPuntiPiano(const Griglia& griglia, Planimetria& piano, Host& host) {
    const int ultima = griglia.righe() - 1;
    if (ultima < 1) {
        piano.NumeroPunti = 0;
        return true;
    }
    // The page replaces every point: a plan holding nothing else follows what is typed.
    if (pianoSenzaAltreCoordinate(piano, true, false)) origineDaCoordinate(piano, coordinateDigitate(griglia, 1));
    const OrigineProgetto o = leggiOrigine(piano.Origine);
    int32_t i = 1;
    bool fermo = false;
    for (;;) {
        piano.Punti.ensure(i);
        piano.PuntiStazione.ensure(i);
        for (int c = 1; c <= 3; ++c) {
            const std::string& testo = griglia.cella(i, c);
            if (testo.empty()) {
                fermo = true;
                continue;
            }
            float v = 0;
            const bool letto =
                c == 3 ? leggiFloat(testo, v) : leggiCoordinataGriglia(testo, c == 1 ? o.est : o.nord, v);
            if (!letto || !std::isfinite(v)) {
                griglia.segnaErrore(i, c);
                host.messaggio("Tipo di dati non corretto!");
                return false;
            }
            PlanPoint& p = piano.Punti[i];
            (c == 1 ? p.x : c == 2 ? p.y : p.z) = v;
        }
        piano.PuntiStazione[i] = griglia.testo(i, kColonnaTipoPunto).empty() ? 0 : 1;
        if (fermo || i == ultima) break;
        ++i;
    }
    piano.NumeroPunti = fermo ? i - 1 : i;
    return true;
}

}  // namespace carvela
