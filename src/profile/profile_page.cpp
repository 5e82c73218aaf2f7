#include "profile/profile_page.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "profile/grade_lines.h"
#include "profile/profile_solve.h"
#include "project/grid_typing.h"
#include "project/vbtext.h"
#include "state/host.h"
#include "state/workspace.h"

namespace carvela {
namespace {

constexpr const char* kDatiNonCorretti = "Tipo di dati non corretto!";

std::string numero4(double v) { return formatta(v, "###0.0000"); }
std::string numero0(double v) { return formatta(v, "###0"); }

enum class Lettura { Numero, NonNumero, FuoriIntervallo };

// A cell as a single-precision value: not a number at all ends the reading; a number that
// does not fit is bad data.
Lettura leggiCella(const std::string& testo, float& valore) {
    double d = 0;
    if (!leggiNumero(testo, d)) return Lettura::NonNumero;
    if (!leggiFloat(testo, valore) || !std::isfinite(valore)) return Lettura::FuoriIntervallo;
    return Lettura::Numero;
}

template <class T>
void assicura(VbArray<T>& v, int32_t n) {
    if (!v.isDimensioned() || v.upperBound() < n) v.redimPreserve(n);
}

}  // namespace

std::string messaggioRicalcoloTracciato() {
    return std::string("Per rendere effettive le modifiche anche ") + "sulla planimetria è necessario effettuare il " +
           "ricalcolo del tracciato stradale.";
}

void PaginaProfilo::apri(const Workspace& ws) {
    const Profilo& pr = ws.Profilo;
    const Profilo& applicato = ws.Piano.ProfiloApplicato;
    primaRiga_ = std::max(pr.PrimaSezione, 1);

    // The plan's copy sizes the grids; the profile shown must fit whole all the same, or
    // applying would cut it short.
    const int righeSezioni =
        std::max({applicato.NumeroSezioni, pr.NumeroSezioni > 0 ? primaRiga_ - 1 + pr.NumeroSezioni : 0, 0}) + 1;
    const int righeCurve = std::max({applicato.NumeroCurve, pr.NumeroCurve, 0}) + 1;

    sezioni = Griglia(righeSezioni, 7);
    sezioni.larghezzeColonne = {700, 1400, 1400, 1400, 1400, 1400, 1400};
    sezioni.altezzaIntestazione = 500;
    sezioni.altezzaRiga = 300;
    const char* intestazioniSezioni[] = {"Sez. n°",           "Dist. progressiva", "Quota del terreno", "Livellette",
                                         "Quota di progetto", "Quota di riporto",  "Quota di sterro"};
    for (int c = 0; c < 7; ++c) sezioni.imposta(0, c, intestazioniSezioni[c]);
    for (int r = 1; r < righeSezioni; ++r) sezioni.imposta(r, 0, testoNumero(static_cast<int64_t>(r)));

    curve = Griglia(righeCurve, 9);
    curve.larghezzeColonne = {700, 800, 800, 1000, 1000, 1200, 1200, 1200, 1200};
    curve.altezzaIntestazione = 500;
    curve.altezzaRiga = 300;
    const char* intestazioniCurve[] = {"Curva n°", "dalla sezione", "alla sezione", "Andamento", "num. picchetti",
                                       "Raggio",   "Sviluppo",      "Apertura",     "Tangente"};
    for (int c = 0; c < 9; ++c) curve.imposta(0, c, intestazioniCurve[c]);
    for (int r = 1; r < righeCurve; ++r) curve.imposta(r, 0, testoNumero(static_cast<int64_t>(r)));

    // Sections: each grade line's points but its last; the row after them is the shared end
    // section, marked, and receives the next grade line's first point.
    int riga = primaRiga_;
    auto scriviPunto = [&](int32_t j, int32_t g) {
        sezioni.imposta(riga, 1, numero4(pr.ProgressiveLiv.get(j, g)));
        sezioni.imposta(riga, 2, numero4(pr.TerrenoLiv.get(j, g)));
        sezioni.imposta(riga, 4, numero4(pr.ProgettoLiv.get(j, g)));
        const float rossa = pr.RosseLiv.get(j, g);
        sezioni.imposta(riga, rossa > 0 ? 5 : 6, numero4(rossa));
    };
    for (int32_t g = 1; g <= pr.NumeroLivellette; ++g) {
        for (int32_t j = 1; j < pr.PuntiLivelletta.get(g); ++j, ++riga) scriviPunto(j, g);
        sezioni.imposta(riga, 3, kChiudiLivelletta);
    }
    if (pr.NumeroLivellette >= 1) scriviPunto(pr.PuntiLivelletta.get(pr.NumeroLivellette), pr.NumeroLivellette);

    for (int32_t i = 1; i <= pr.NumeroCurve; ++i) {
        curve.imposta(i, 1, numero0(pr.CurvaDa.get(i)));
        curve.imposta(i, 2, numero0(pr.CurvaA.get(i)));
        const std::string verso = pr.CurvaVerso.get(i);
        if (verso == "s") curve.imposta(i, 3, "sinistra");
        if (verso == "d") curve.imposta(i, 3, "destra");
        curve.imposta(i, 4, numero0(pr.CurvaPicchetti.get(i)));
        curve.imposta(i, 5, numero4(pr.CurvaRaggio.get(i)));
        curve.imposta(i, 6, numero4(pr.CurvaSviluppo.get(i)));
        curve.imposta(i, 7, numero4(pr.CurvaApertura.get(i)));
        curve.imposta(i, 8, numero4(pr.CurvaTangente.get(i)));
    }
}

void PaginaProfilo::clicSezioni(int riga, int colonna) {
    if (colonna != 3 || riga < 1 || !sezioni.valida(riga, colonna)) return;
    sezioni.imposta(riga, 3, sezioni.testo(riga, 3) == kChiudiLivelletta ? "" : kChiudiLivelletta);
}

void PaginaProfilo::tastoCurve(int riga, int colonna, int codice) {
    if ((colonna != 4 && colonna != 5) || riga < 1 || !curve.valida(riga, colonna)) return;
    curve.imposta(riga, colonna, filtraTasto(codice, curve.testo(riga, colonna)));
}

bool PaginaProfilo::applica(Workspace& ws, Host& host) {
    Profilo& pr = ws.Profilo;
    if (sezioni.righe() < 2) {
        host.messaggio("Nessun tracciato stradale attivo!");
        return false;
    }
    // The last section always closes a grade line.
    sezioni.imposta(sezioni.righe() - 1, 3, kChiudiLivelletta);

    // Sections, grade line after grade line; a marked section is listed twice, as the end
    // of one grade line and the start of the next.
    const int32_t vecchieLivellette = pr.NumeroLivellette;
    int32_t contatore = 1;
    std::vector<int32_t> conteggi(2, 0);
    std::vector<float> progressive{0}, terreno{0};
    int32_t righeLette = 0;
    bool ultimaChiusa = false;
    for (int r = primaRiga_; r < sezioni.righe(); ++r) {
        float x = 0, z = 0;
        const Lettura lx = leggiCella(sezioni.testo(r, 1), x), lz = leggiCella(sezioni.testo(r, 2), z);
        if (lx == Lettura::NonNumero || lz == Lettura::NonNumero) break;
        if (lx == Lettura::FuoriIntervallo || lz == Lettura::FuoriIntervallo) {
            sezioni.segnaErrore(r, lx == Lettura::FuoriIntervallo ? 1 : 2);
            host.messaggio(kDatiNonCorretti);
            return false;
        }
        ++righeLette;
        progressive.push_back(x);
        terreno.push_back(z);
        ultimaChiusa = r > primaRiga_ && sezioni.testo(r, 3) == kChiudiLivelletta;
        if (ultimaChiusa) {
            ++contatore;
            conteggi.resize(static_cast<std::size_t>(contatore) + 1, 0);
            progressive.push_back(x);
            terreno.push_back(z);
        }
        ++conteggi[static_cast<std::size_t>(contatore)];
    }
    if (righeLette < 1) {
        // Not a single section: the first one is what is missing.
        float x = 0;
        sezioni.segnaErrore(primaRiga_, leggiCella(sezioni.testo(primaRiga_, 1), x) == Lettura::NonNumero ? 1 : 2);
        host.messaggio(kDatiNonCorretti);
        return false;
    }
    // Rows after the last section read (empty ones) do not lose the grade line it ends.
    if (!ultimaChiusa && righeLette > 1) {
        ++contatore;
        progressive.push_back(progressive.back());
        terreno.push_back(terreno.back());
    }

    const int32_t livellette = contatore - 1;
    pr.NumeroSezioni = righeLette;
    pr.NumeroLivellette = livellette;
    pr.PuntiLivelletta.redim(livellette);
    for (int32_t g = 1; g <= livellette; ++g) pr.PuntiLivelletta[g] = conteggi[static_cast<std::size_t>(g)] + 1;
    pr.Progressive.assignRaw(progressive);
    pr.QuoteTerreno.assignRaw(terreno);

    if (livellette != vecchieLivellette) {
        // A new layout: the design starts afresh, by the method with one start elevation.
        for (VbArray2<float>* t : {&pr.ProgressiveLiv, &pr.TerrenoLiv, &pr.ProgettoLiv, &pr.RosseLiv})
            t->redim(righeLette, livellette + 1);
        for (VbArray<float>* v : {&pr.QuoteProgetto, &pr.QuoteRosse, &pr.AscissePassaggio, &pr.QuotePassaggio})
            v->redim(righeLette);
        pr.Pendenze.redim(livellette);
        pr.ProgettoLiv(1, 1) = terreno[1];
        pr.MetodoLivellette = 5;
    }
    pr.AreaTerreno.redim(livellette);
    pr.AreaTrapezio.redim(livellette);

    // Curves, row by row until a row that is not numeric.
    int32_t curveLette = 0;
    for (int r = 1; r < curve.righe(); ++r) {
        float da = 0, a = 0, picchetti = 0, raggio = 0;
        const Lettura letture[] = {leggiCella(curve.testo(r, 1), da), leggiCella(curve.testo(r, 2), a),
                                   leggiCella(curve.testo(r, 4), picchetti), leggiCella(curve.testo(r, 5), raggio)};
        if (std::any_of(std::begin(letture), std::end(letture), [](Lettura l) { return l == Lettura::NonNumero; }))
            break;
        int32_t daSezione = 0, aSezione = 0;
        uint8_t numeroPicchetti = 0;
        // The first cell of the row that is wrong, in the order of the columns.
        const int colonnaErrata =
            letture[0] == Lettura::FuoriIntervallo || !leggiIntero32(curve.testo(r, 1), daSezione)     ? 1
            : letture[1] == Lettura::FuoriIntervallo || !leggiIntero32(curve.testo(r, 2), aSezione)    ? 2
            : letture[2] == Lettura::FuoriIntervallo || !leggiByte(curve.testo(r, 4), numeroPicchetti) ? 4
            : letture[3] == Lettura::FuoriIntervallo                                                   ? 5
                                                                                                       : 0;
        if (colonnaErrata > 0) {
            curve.segnaErrore(r, colonnaErrata);
            host.messaggio(kDatiNonCorretti);
            return false;
        }
        if (raggio < ws.impostazioni.RaggioMinimoCurve) {
            host.messaggio("Nella curva " + testoNumero(static_cast<int64_t>(r)) +
                           " il raggio è inferiore al limite minimo di " +
                           testoNumero(ws.impostazioni.RaggioMinimoCurve) + " m.");
            return false;
        }
        assicura(pr.CurvaDa, r);
        assicura(pr.CurvaA, r);
        assicura(pr.CurvaVerso, r);
        assicura(pr.CurvaPicchetti, r);
        assicura(pr.CurvaRaggio, r);
        pr.CurvaDa[r] = daSezione;
        pr.CurvaA[r] = aSezione;
        pr.CurvaVerso[r] = curve.testo(r, 3) == "destra" ? "d" : "s";
        pr.CurvaPicchetti[r] = numeroPicchetti;
        pr.CurvaRaggio[r] = raggio;
        curveLette = r;
    }
    pr.NumeroCurve = curveLette;
    pr.CurvaTangente.redim(curveLette);
    pr.CurvaSviluppo.redim(curveLette);
    pr.CurvaApertura.redim(curveLette);

    ricostruisciTabelleLivellette(pr);
    if (pr.MetodoLivellette != 0) {
        std::vector<int> nonRisolte;
        risolviProfilo(pr, &nonRisolte);
        if (!nonRisolte.empty()) host.messaggio(messaggioLivelletteNonRisolte(nonRisolte));
    }
    ws.Piano.ProfiloApplicato = pr;
    return true;
}

bool PaginaProfilo::premiApplica(Workspace& ws, Host& host, const std::function<void()>& disegna) {
    if (!applica(ws, host)) return false;
    disegna();
    host.messaggio(messaggioRicalcoloTracciato());
    // The grids show what was applied.
    apri(ws);
    return true;
}

}  // namespace carvela
