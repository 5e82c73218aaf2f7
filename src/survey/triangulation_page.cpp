#include "survey/triangulation_page.h"

#include <algorithm>

#include "project/origine.h"
#include "state/host.h"
#include "state/workspace.h"
#include "survey/survey_grid.h"
#include "survey/survey_messages.h"
#include "survey/survey_units.h"
#include "survey/triangulation.h"

namespace carvela {
namespace {

constexpr int kColonne = 5;
constexpr int kMassimoTriangoli = 32767 - 2;  // the vertex count n + 2 must fit 16 bits too

const std::vector<std::string> kIntestazioni1 = {"Triangolo n°", "1° angolo", "2° angolo", "3° angolo",
                                                 "Errore angolare"};
const std::vector<std::string> kIntestazioni2 = {"Vertice n°", "Angolo", "Distanza", "Ascissa", "Ordinata"};

}  // namespace

const std::array<const char*, ModelloTriangolazione::kCaselle> ModelloTriangolazione::kEtichette = {
    "Ascissa:", "Ordinata:", "Angolo di orientamento:", "Misura della base:"};

void ModelloTriangolazione::carica(const TriangulationChain& c, const Impostazioni& impostazioni) {
    const int n = std::max<int>(c.NumeroTriangoli, 0);
    const int T = impostazioni.numeroPuntiTriangolDefault;
    Grid1 = Griglia();
    Grid2 = Griglia();
    dimensionaGrigliaRilievo(Grid1, std::max(n, T) + 1, kColonne);
    dimensionaGrigliaRilievo(Grid2, n > T ? n + 3 : T + 1, kColonne);
    intestaGriglia(Grid1, kIntestazioni1);
    intestaGriglia(Grid2, kIntestazioni2);
    numeraRighe(Grid1);
    numeraRighe(Grid2);
    Text1 = {};
    Show(c);
}

bool ModelloTriangolazione::Read(TriangulationChain& c, Host& host) const {
    VbArray<float>* const angoli[] = {&c.Angolo1, &c.Angolo2, &c.Angolo3};
    int r = 1;
    for (;; ++r) {
        if (r > kMassimoTriangoli + 1) {
            host.messaggio(kMsgTipoDatiNonCorretto);
            return false;
        }
        for (auto* a : angoli) a->redimPreserve(r);
        bool completa = true;
        for (int col = 1; col <= 3 && completa; ++col) {
            float v = 0;
            const Cella esito = leggiCella(Grid1, r, col, v);
            if (esito == Cella::FuoriIntervallo) {
                Grid1.segnaErrore(r, col);
                host.messaggio(kMsgTipoDatiNonCorretto);
                return false;
            }
            if (esito == Cella::NonNumerica) {
                for (int resto = col; resto <= 3; ++resto) (*angoli[resto - 1])[r] = 0;
                completa = false;
            } else {
                (*angoli[col - 1])[r] = v;
            }
        }
        if (!completa) break;
    }
    const int n = r - 1;
    float valori[kCaselle];
    for (int i = 0; i < kCaselle; ++i)
        if (!leggiCasella(Text1[i], valori[i])) {
            casellaErrata = i;
            host.messaggio(kMsgTipoDatiNonCorretto);
            return false;
        }
    // The first vertex typed in national coordinates is taken relative to an origin near it,
    // kept in the record's `Origine`; near 0 the origin is 0.
    double e = 0, nord = 0;
    leggiCoordinata(Text1[0], e);
    leggiCoordinata(Text1[1], nord);
    const OrigineProgetto o = scegliOrigine(e, nord, e, nord);
    valori[0] = static_cast<float>(e - o.est);
    valori[1] = static_cast<float>(nord - o.nord);
    c.Origine = testoOrigine(o);
    c.NumeroTriangoli = static_cast<int16_t>(n);
    c.Errore.redim(n);
    c.Azimut.redim(n + 2);
    c.Distanza.redim(n + 2);
    c.X.redim(n + 1);
    c.Y.redim(n + 1);
    c.X[0] = valori[0];
    c.Y[0] = valori[1];
    c.Azimut[0] = valori[2];
    c.Distanza[0] = valori[3];
    return true;
}

void ModelloTriangolazione::Show(const TriangulationChain& c) {
    const int n = std::max<int>(c.NumeroTriangoli, 0);
    const OrigineProgetto o = leggiOrigine(c.Origine);
    if (n >= 1) {
        assicuraRiga(Grid1, n);
        assicuraRiga(Grid2, n + 2);
    }
    for (int t = 1; t <= n; ++t) {
        Grid1.imposta(t, 1, testoValore(c.Angolo1.get(t)));
        Grid1.imposta(t, 2, testoValore(c.Angolo2.get(t)));
        Grid1.imposta(t, 3, testoValore(c.Angolo3.get(t)));
        Grid1.imposta(t, 4, testoValore(c.Errore.get(t)));
    }
    // Row 1 is the last vertex, then vertices 0..n in order.
    auto vertice = [&](int riga, int v) {
        Grid2.imposta(riga, 1, testoValore(c.Azimut.get(v)));
        Grid2.imposta(riga, 2, testoValore(c.Distanza.get(v)));
        Grid2.imposta(riga, 3, testoValore(coordinataVera(c.X.get(v), o.est)));
        Grid2.imposta(riga, 4, testoValore(coordinataVera(c.Y.get(v), o.nord)));
    };
    int ultimaRiga = 0;
    if (n >= 1) {
        vertice(1, n + 1);
        for (int v = 0; v <= n; ++v) vertice(v + 2, v);
        ultimaRiga = n + 2;
    }
    for (int r = ultimaRiga + 1; r < Grid2.righe(); ++r)
        for (int col = 1; col < Grid2.colonne(); ++col) Grid2.imposta(r, col, {});
    if (c.X.has(0)) {
        Text1[0] = testoCoordinata(c.X.get(0), o.est);
        Text1[1] = testoCoordinata(c.Y.get(0), o.nord);
        Text1[2] = testoCasella(c.Azimut.get(0));
        Text1[3] = testoCasella(c.Distanza.get(0));
    }
}

bool ModelloTriangolazione::applica(Workspace& ws, Host& host) {
    UnitWarning(host, ws.impostazioni.AngoloPiatto);
    TriangulationChain c = ws.Triangolazione;
    if (!Read(c, host)) return false;
    if (!calcolaTriangolazione(c, ws.impostazioni.AngoloPiatto, host)) return false;
    ws.Triangolazione = std::move(c);
    Show(ws.Triangolazione);
    return true;
}

void ModelloTriangolazione::esporta(Host& host, const std::function<void(bool)>& mostraPagina) const {
    esportaGriglie(host, {&Grid1, &Grid2}, mostraPagina);
}

}  // namespace carvela
