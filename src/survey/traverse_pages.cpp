#include "survey/traverse_pages.h"

#include <algorithm>

#include "project/origine.h"
#include "state/host.h"
#include "state/workspace.h"
#include "survey/survey_grid.h"
#include "survey/survey_messages.h"
#include "survey/survey_units.h"
#include "survey/traverse.h"

namespace carvela {
namespace {

constexpr int kColonne = 7;
constexpr int kMassimoStazioni = 32767;  // station counts are 16-bit

const std::vector<std::string> kIntestazioniAperta1 = {"Stazione n°",         "Lettura azimutale", "Lettura zenitale",
                                                       "Altezza strumentale", "Lettura superiore", "Lettura media",
                                                       "Lettura inferiore"};
const std::vector<std::string> kIntestazioniAperta2 = {
    "Stazione n°", "Ascissa parziale", "Ordinata parziale", "Dislivello", "Ascissa totale", "Ordinata totale", "Quota"};
const std::vector<std::string> kIntestazioniChiusa1 = {"Stazione n°",     "Ang. az. <i-1>",     "Ang. azim. <i+1>",
                                                       "Dist. <i>_<i+1>", "Ang. ze. <i>_<i+1>", "Altezza strumentale",
                                                       "Altezza prisma"};
const std::vector<std::string> kIntestazioniChiusa2 = {
    "Stazione n°", "Angolo misurato", "Ang. compensato", "Azimut <i>_<i+1>", "Ascissa totale", "Ordinata totale",
    "Quota"};

// Leg labels of the open traverse readings: "1-2", "2-3", ...
void etichetteTratti(Griglia& g) {
    for (int r = 1; r < g.righe(); ++r) g.imposta(r, 0, std::to_string(r) + "-" + std::to_string(r + 1));
}

void preparaGriglie(Griglia& g1, Griglia& g2, int stazioni, const Impostazioni& impostazioni) {
    const int righe = std::max<int>(stazioni, impostazioni.numeroPuntiPoligoDefault) + 1;
    g1 = Griglia();
    g2 = Griglia();
    dimensionaGrigliaRilievo(g1, righe, kColonne);
    dimensionaGrigliaRilievo(g2, righe, kColonne);
}

// The row scan of the readings: rows 1, 2, ... each grown into the arrays before it is read,
// up to the first cell that is not a number. Returns the row where reading stopped, or 0
// (message shown) when a cell holds a number out of range.
int scandisciRighe(const Griglia& g, const std::array<VbArray<float>*, 6>& colonne, VbArray<float>* riservato,
                   Host& host) {
    for (int r = 1;; ++r) {
        if (r > kMassimoStazioni) {
            host.messaggio(kMsgTipoDatiNonCorretto);
            return 0;
        }
        for (auto* a : colonne) a->redimPreserve(r);
        if (riservato) riservato->redimPreserve(r);
        for (int c = 1; c <= 6; ++c) {
            float v = 0;
            const Cella esito = leggiCella(g, r, c, v);
            if (esito == Cella::FuoriIntervallo) {
                g.segnaErrore(r, c);
                host.messaggio(kMsgTipoDatiNonCorretto);
                return 0;
            }
            if (esito == Cella::NonNumerica) {
                // What this row held before is not a reading any more.
                for (int resto = c; resto <= 6; ++resto) (*colonne[resto - 1])[r] = 0;
                return r;
            }
            (*colonne[c - 1])[r] = v;
        }
    }
}

bool leggiCaselle(const std::string* testi, float* const* destinazioni, int quante, int& errata, Host& host) {
    float valori[8];
    for (int i = 0; i < quante; ++i)
        if (!leggiCasella(testi[i], valori[i])) {
            errata = i;
            host.messaggio(kMsgTipoDatiNonCorretto);
            return false;
        }
    for (int i = 0; i < quante; ++i) *destinazioni[i] = valori[i];
    return true;
}

// The reference vertex typed in the boxes: read in double and taken relative to an origin
// near it (none near 0), which the record keeps in its `Origine`.
OrigineProgetto leggiRiferimento(const std::string& ascissa, const std::string& ordinata, float& x, float& y,
                                 std::string& origine) {
    double e = 0, n = 0;
    leggiCoordinata(ascissa, e);
    leggiCoordinata(ordinata, n);
    const OrigineProgetto o = scegliOrigine(e, n, e, n);
    x = static_cast<float>(e - o.est);
    y = static_cast<float>(n - o.nord);
    origine = testoOrigine(o);
    return o;
}

void svuotaRighe(Griglia& g, int daRiga) {
    for (int r = std::max(daRiga, 1); r < g.righe(); ++r)
        for (int c = 1; c < g.colonne(); ++c) g.imposta(r, c, {});
}

}  // namespace

const std::array<const char*, ModelloPoligonaleAperta::kCaselle> ModelloPoligonaleAperta::kEtichette = {
    "Ascissa:", "Ordinata:", "Quota:", "Costante distaziometrica:"};

const std::array<const char*, ModelloPoligonaleChiusa::kCaselle> ModelloPoligonaleChiusa::kEtichette = {
    "Ascissa:", "Ordinata:", "Quota:", "Angolare:", "Lineare:", "Azimut:"};

// ---- open traverse ----

void ModelloPoligonaleAperta::carica(const OpenTraverse& p, const Impostazioni& impostazioni) {
    preparaGriglie(Grid1, Grid2, p.NumeroStazioni, impostazioni);
    intestaGriglia(Grid1, kIntestazioniAperta1);
    intestaGriglia(Grid2, kIntestazioniAperta2);
    etichetteTratti(Grid1);
    numeraRighe(Grid2);
    Text1 = {};
    Show(p);
}

bool ModelloPoligonaleAperta::Read(OpenTraverse& p, Host& host) const {
    const int r = scandisciRighe(Grid1,
                                 {&p.LetturaAzimutale, &p.LetturaZenitale, &p.AltezzaStrumentale, &p.LetturaSuperiore,
                                  &p.LetturaMedia, &p.LetturaInferiore},
                                 &p.Riservato, host);
    if (r == 0) return false;
    // The row where reading stopped is the end station, which has no readings of its own.
    const int n = r;
    float x, y, q, costante;
    float* const destinazioni[] = {&x, &y, &q, &costante};
    if (!leggiCaselle(Text1.data(), destinazioni, 4, casellaErrata, host)) return false;
    leggiRiferimento(Text1[0], Text1[1], x, y, p.Origine);
    p.NumeroStazioni = static_cast<int16_t>(n);
    for (auto* a : {&p.AscissaParziale, &p.OrdinataParziale, &p.Dislivello, &p.Ascissa, &p.Ordinata, &p.Quota,
                    &p.DistanzaOrizzontale})
        a->redim(n);
    p.Ascissa[1] = x;
    p.Ordinata[1] = y;
    p.Quota[1] = q;
    p.CostanteDistanziometrica = costante;
    return true;
}

void ModelloPoligonaleAperta::Show(const OpenTraverse& p) {
    const int n = std::max<int>(p.NumeroStazioni, 0);
    const OrigineProgetto o = leggiOrigine(p.Origine);
    if (n >= 2) assicuraRiga(Grid1, n - 1, true);
    if (n >= 1) assicuraRiga(Grid2, n);
    for (int r = 1; r <= n - 1; ++r) {
        const float valori[] = {p.LetturaAzimutale.get(r), p.LetturaZenitale.get(r), p.AltezzaStrumentale.get(r),
                                p.LetturaSuperiore.get(r), p.LetturaMedia.get(r),    p.LetturaInferiore.get(r)};
        for (int c = 1; c <= 6; ++c) Grid1.imposta(r, c, testoValore(valori[c - 1]));
    }
    for (int r = 1; r <= n; ++r) {
        const double valori[] = {p.AscissaParziale.get(r),
                                 p.OrdinataParziale.get(r),
                                 p.Dislivello.get(r),
                                 coordinataVera(p.Ascissa.get(r), o.est),
                                 coordinataVera(p.Ordinata.get(r), o.nord),
                                 p.Quota.get(r)};
        for (int c = 1; c <= 6; ++c) Grid2.imposta(r, c, testoValore(valori[c - 1]));
    }
    // Results of a longer traverse computed before must not stay under the new ones.
    svuotaRighe(Grid2, n + 1);
    // A record never read has no reference vertex: the boxes stay empty for the user to fill.
    if (p.Ascissa.has(1)) {
        Text1[0] = testoCoordinata(p.Ascissa.get(1), o.est);
        Text1[1] = testoCoordinata(p.Ordinata.get(1), o.nord);
        Text1[2] = testoCasella(p.Quota.get(1));
        Text1[3] = testoCasella(p.CostanteDistanziometrica);
    }
}

bool ModelloPoligonaleAperta::applica(Workspace& ws, Host& host) {
    UnitWarning(host, ws.impostazioni.AngoloPiatto);
    OpenTraverse p = ws.PoligonaleAperta;
    if (!Read(p, host)) return false;
    if (!calcolaPoligonaleAperta(p, ws.impostazioni.AngoloPiatto, host)) return false;
    ws.PoligonaleAperta = std::move(p);
    Show(ws.PoligonaleAperta);
    return true;
}

void ModelloPoligonaleAperta::esporta(Host& host, const std::function<void(bool)>& mostraPagina) const {
    esportaGriglie(host, {&Grid1, &Grid2}, mostraPagina);
}

// ---- closed traverse ----

void ModelloPoligonaleChiusa::carica(const ClosedTraverse& p, const Impostazioni& impostazioni) {
    preparaGriglie(Grid1, Grid2, p.NumeroStazioni, impostazioni);
    intestaGriglia(Grid1, kIntestazioniChiusa1);
    intestaGriglia(Grid2, kIntestazioniChiusa2);
    numeraRighe(Grid1);
    numeraRighe(Grid2);
    Text1 = {};
    erroreAngolare.clear();
    erroreLineare.clear();
    Show(p);
}

bool ModelloPoligonaleChiusa::Read(ClosedTraverse& p, Host& host) const {
    const int r = scandisciRighe(
        Grid1,
        {&p.LetturaIndietro, &p.LetturaAvanti, &p.Distanza, &p.AngoloZenitale, &p.AltezzaStrumentale, &p.AltezzaPrisma},
        nullptr, host);
    if (r == 0) return false;
    // Every complete row is a station.
    const int n = r - 1;
    float x, y, q, tolleranzaAngolare, tolleranzaLineare, azimut;
    float* const destinazioni[] = {&x, &y, &q, &tolleranzaAngolare, &tolleranzaLineare, &azimut};
    if (!leggiCaselle(Text1.data(), destinazioni, 6, casellaErrata, host)) return false;
    leggiRiferimento(Text1[0], Text1[1], x, y, p.Origine);
    p.NumeroStazioni = static_cast<int16_t>(n);
    // Element 1 holds the reference inputs even before there is a station to compute.
    for (auto* a : {&p.AngoloMisurato, &p.AngoloCompensato, &p.Azimut, &p.Quota}) a->redim(std::max(n, 1));
    for (auto* a : {&p.AscissaParziale, &p.OrdinataParziale, &p.Ascissa, &p.Ordinata}) a->redim(n + 1);
    p.Ascissa[1] = x;
    p.Ordinata[1] = y;
    p.Azimut[1] = azimut;
    p.Quota[1] = q;
    p.TolleranzaAngolare = tolleranzaAngolare;
    p.TolleranzaLineare = tolleranzaLineare;
    return true;
}

void ModelloPoligonaleChiusa::Show(const ClosedTraverse& p) {
    const int n = std::max<int>(p.NumeroStazioni, 0);
    const OrigineProgetto o = leggiOrigine(p.Origine);
    if (n >= 1) {
        assicuraRiga(Grid1, n);
        assicuraRiga(Grid2, n);
    }
    for (int r = 1; r <= n; ++r) {
        const float ingressi[] = {p.LetturaIndietro.get(r), p.LetturaAvanti.get(r),      p.Distanza.get(r),
                                  p.AngoloZenitale.get(r),  p.AltezzaStrumentale.get(r), p.AltezzaPrisma.get(r)};
        const double risultati[] = {p.AngoloMisurato.get(r),
                                    p.AngoloCompensato.get(r),
                                    p.Azimut.get(r),
                                    coordinataVera(p.Ascissa.get(r), o.est),
                                    coordinataVera(p.Ordinata.get(r), o.nord),
                                    p.Quota.get(r)};
        for (int c = 1; c <= 6; ++c) {
            Grid1.imposta(r, c, testoValore(ingressi[c - 1]));
            Grid2.imposta(r, c, testoValore(risultati[c - 1]));
        }
    }
    svuotaRighe(Grid2, n + 1);
    if (p.Ascissa.has(1)) {
        Text1[0] = testoCoordinata(p.Ascissa.get(1), o.est);
        Text1[1] = testoCoordinata(p.Ordinata.get(1), o.nord);
        Text1[2] = testoCasella(p.Quota.get(1));
        Text1[3] = testoCasella(p.TolleranzaAngolare);
        Text1[4] = testoCasella(p.TolleranzaLineare);
        Text1[5] = testoCasella(p.Azimut.get(1));
        erroreAngolare = testoValore(p.ErroreAngolare);
        erroreLineare = testoValore(p.ErroreLineare);
    }
}

bool ModelloPoligonaleChiusa::applica(Workspace& ws, Host& host) {
    UnitWarning(host, ws.impostazioni.AngoloPiatto);
    ClosedTraverse p = ws.PoligonaleChiusa;
    if (!Read(p, host)) return false;
    if (!calcolaPoligonaleChiusa(p, ws.impostazioni.AngoloPiatto, host)) return false;
    ws.PoligonaleChiusa = std::move(p);
    Show(ws.PoligonaleChiusa);
    return true;
}

void ModelloPoligonaleChiusa::esporta(Host& host, const std::function<void(bool)>& mostraPagina) const {
    esportaGriglie(host, {&Grid1, &Grid2}, mostraPagina);
}

}  // namespace carvela
