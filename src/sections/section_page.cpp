#include "sections/section_page.h"

#include <algorithm>

#include "project/vbtext.h"
#include "sections/section_solve.h"
#include "state/host.h"
#include "state/workspace.h"

namespace carvela {
namespace {

const char* const kMancanoDati = "Mancano dati fondamentali per il tracciamento della sezione!";
const char* const kNumeroErrato = "Il numero progressivo della sezione non è corretto!";
const char* const kTipoErrato = "Tipo di dati non corretto!";
constexpr int kMaxPunti = 32767;

std::string notaNonRisolta(const Sezione& s) {
    if (s.Risolta) return {};
    return "Sezione non risolta: aree non valide, nei volumi contano come nulle.";
}

}  // namespace

void PaginaSezione::dimensiona(int punti) {
    const int righe = std::clamp(std::max(punti, ws_.impostazioni.numPuntiTerrenoDefault), 0, kMaxPunti);
    griglia.dimensiona(righe + 1, 3);
    griglia.imposta(0, 0, "Punto n°");
    griglia.imposta(0, 1, "Distanza dall'asse");
    griglia.imposta(0, 2, "Quote del Terreno");
    for (int r = 1; r <= righe; ++r) griglia.imposta(r, 0, std::to_string(r));
    griglia.larghezzeColonne = {1000, 2000, 2000};
    griglia.altezzaIntestazione = 300;
    griglia.altezzaRiga = 300;
}

void PaginaSezione::riempiElenco() {
    elenco.clear();
    for (int32_t j = 1; j <= ws_.Sezioni.upperBound(); ++j)
        elenco.push_back({"sezione " + std::to_string(ws_.Sezioni[j].Numero), j});
}

void PaginaSezione::mostra(const Sezione& s) {
    numero = testoNumero(static_cast<int64_t>(s.Numero));
    progressiva = testoNumero(s.Progressiva);
    quota = testoNumero(s.QuotaProgetto);
    larghezza = testoNumero(s.Larghezza);
    const int punti =
        std::max<int>(0, std::min({int(s.NumeroPunti), s.DistanzeTerreno.upperBound(), s.QuoteTerreno.upperBound()}));
    dimensiona(punti);
    for (int r = 1; r < griglia.righe(); ++r) {
        griglia.imposta(r, 1, r <= punti ? testoNumero(s.DistanzeTerreno[r]) : std::string());
        griglia.imposta(r, 2, r <= punti ? testoNumero(s.QuoteTerreno[r]) : std::string());
    }
    stato = notaNonRisolta(s);
}

void PaginaSezione::apri() {
    riempiElenco();
    mostra(sezioneCorrente(ws_));
}

// The chosen section is checked, not the one shown before: an empty section shown must not
// keep the user from moving to another. Nothing is cleared when the choice is refused, so
// an "&Applica" afterwards cannot store an emptied grid over the section shown.
void PaginaSezione::scegli(int voce) {
    if (voce < 0 || voce >= static_cast<int>(elenco.size())) return;
    const int32_t posizione = elenco[static_cast<std::size_t>(voce)].posizione;
    if (!ws_.Sezioni.has(posizione) || ws_.Sezioni[posizione].NumeroPunti < 1) {
        host_.messaggio(kMancanoDati);
        return;
    }
    ws_.SezioneCorrente = posizione;
    mostra(ws_.Sezioni[posizione]);
    disegna_(ws_.Sezioni[posizione]);
}

bool PaginaSezione::applica() {
    int16_t numeroSezione = 0;
    if (!leggiIntero16(numero, numeroSezione) || numeroSezione < 1) {
        host_.messaggio(kNumeroErrato);
        return false;
    }
    // Ground rows up to the first whose distance is empty or not a number. A typed
    // elevation that is not a number stops the apply before anything is stored.
    struct Riga {
        float x;
        bool conQuota;
        float z;
    };
    std::vector<Riga> righe;
    for (int r = 1; r < griglia.righe() && static_cast<int>(righe.size()) < kMaxPunti; ++r) {
        float x = 0, z = 0;
        if (griglia.testo(r, 1).empty() || !leggiFloat(griglia.testo(r, 1), x)) break;
        const std::string tz = griglia.testo(r, 2);
        const bool conQuota = !tz.empty();
        if (conQuota && !leggiFloat(tz, z)) {
            griglia.segnaErrore(r, 2);
            host_.messaggio(kTipoErrato);
            return false;
        }
        righe.push_back({x, conQuota, z});
    }

    if (numeroSezione > ws_.Sezioni.upperBound()) ws_.Sezioni.redimPreserve(numeroSezione);
    ws_.SezioneCorrente = numeroSezione;
    Sezione& s = ws_.Sezioni[numeroSezione];
    s.Numero = numeroSezione;
    float v = 0;
    if (leggiFloat(progressiva, v)) s.Progressiva = v;
    if (leggiFloat(quota, v)) s.QuotaProgetto = v;
    if (leggiFloat(larghezza, v)) s.Larghezza = v;
    const int32_t N = static_cast<int32_t>(righe.size());
    s.NumeroPunti = static_cast<int16_t>(N);
    s.DistanzeTerreno.redimPreserve(N);
    s.QuoteTerreno.redimPreserve(N);
    for (int32_t i = 1; i <= N; ++i) {
        const Riga& r = righe[static_cast<std::size_t>(i - 1)];
        s.DistanzeTerreno[i] = r.x;
        if (r.conQuota) s.QuoteTerreno[i] = r.z;
    }

    const EsitoSezione esito = risolviSezioneConEsito(s, ws_.impostazioni);
    ws_.Piano.SezioniApplicate = ws_.Sezioni;
    disegna_(s);
    riempiElenco();
    mostra(s);
    if (esito != EsitoSezione::Risolta)
        host_.messaggio("La sezione " + std::to_string(numeroSezione) + " non è stata risolta: " + testoEsito(esito),
                        Pulsanti::Ok, Icona::Avviso);
    return esito == EsitoSezione::Risolta;
}

}  // namespace carvela
