#include "road/profile_conversion.h"

#include <algorithm>
#include <cmath>

#include "profile/grade_lines.h"
#include "profile/profile_solve.h"
#include "road/progress.h"
#include "state/workspace.h"

namespace carvela {
namespace {

// The stored layout describes the sections it claims: every grade line spans at least two
// of them and together they cover all of them.
bool layoutCoerente(const Profilo& pr) {
    if (pr.NumeroLivellette < 1 || pr.PuntiLivelletta.upperBound() < pr.NumeroLivellette) return false;
    int64_t sezioni = 1;
    for (int32_t g = 1; g <= pr.NumeroLivellette; ++g) {
        if (pr.PuntiLivelletta[g] < 2) return false;
        sezioni += pr.PuntiLivelletta[g] - 1;
    }
    return sezioni == pr.NumeroSezioni;
}

template <class T>
void assicura(VbArray<T>& v, int32_t n) {
    if (!v.isDimensioned() || v.upperBound() < n) v.redimPreserve(n);
}

// First and last section of every curve, from the marks of the legs the stations lie on.
void intervalliCurve(const Planimetria& piano, Profilo& pr) {
    const int32_t ultimoTratto = std::min(piano.NumeroPuntiAsse, piano.AsseTracciato.upperBound()) - 1;
    int32_t c = 1;
    bool dentro = false;
    for (int32_t j = 1; j <= pr.NumeroSezioni; ++j) {
        const int32_t tratto = piano.Intersezioni.get(j).k;
        const bool picchetto = piano.AsseTracciato.get(tratto).marca == kMarcaPicchetto;
        if (!dentro) {
            if (picchetto) {
                assicura(pr.CurvaDa, c);
                pr.CurvaDa[c] = j == 1 ? j : j - 1;
                dentro = true;
            }
        } else if (!picchetto || tratto == ultimoTratto) {
            assicura(pr.CurvaA, c);
            pr.CurvaA[c] = j - 1;
            ++c;
            dentro = false;
        }
    }
    if (dentro) {  // never open at the last station, whose leg is the last one; kept safe all the same
        assicura(pr.CurvaA, c);
        pr.CurvaA[c] = pr.NumeroSezioni;
        ++c;
    }
    pr.NumeroCurve = c - 1;
    pr.CurvaDa.redimPreserve(pr.NumeroCurve);
    pr.CurvaA.redimPreserve(pr.NumeroCurve);
}

}  // namespace

void convertiProfilo(Workspace& ws, Host& host, std::vector<int>& nonRisolte) {
    Planimetria& piano = ws.Piano;
    Profilo& pr = ws.Profilo;
    const int32_t stazioni = piano.NumeroIntersezioni;

    host.mostraAttesa();
    FaseAvanzamento fase(host, "Conversione del profilo longitudinale in corso...", stazioni);

    const bool nuovo = !(pr.MetodoLivellette != 0 && pr.NumeroSezioni == stazioni && layoutCoerente(pr));
    if (nuovo) {
        pr.NumeroSezioni = stazioni;
        pr.NumeroLivellette = 1;
        pr.ProgettoLiv.redim(stazioni, 1);
    }
    const int32_t n = pr.NumeroSezioni, livellette = pr.NumeroLivellette;
    for (VbArray<float>* v : {&pr.QuoteProgetto, &pr.QuoteRosse, &pr.AscissePassaggio, &pr.QuotePassaggio,
                              &pr.ListaSezioni})
        v->redim(n);
    // The slopes are the input of the slope method: a layout that stays keeps them.
    if (nuovo)
        pr.Pendenze.redim(n);
    else
        pr.Pendenze.redimPreserve(std::max(n, pr.Pendenze.upperBound()));
    for (VbArray2<float>* t : {&pr.ProgressiveLiv, &pr.TerrenoLiv, &pr.RosseLiv, &pr.TabellaLivellette})
        t->redim(n, livellette);
    for (VbArray<float>* v : {&pr.AreaTerreno, &pr.AreaTrapezio, &pr.ListaLivellette}) v->redim(livellette);
    pr.CurvaDa.redim(pr.NumeroCurve);
    pr.CurvaA.redim(pr.NumeroCurve);
    if (livellette == 1) {
        pr.PuntiLivelletta.redim(1);
        pr.PuntiLivelletta[1] = n;
    }

    intervalliCurve(piano, pr);

    // The ground line, every grade line's points in full: the station that ends one grade
    // line is listed again as the first point of the next.
    std::vector<float> progressive{0}, terreno{0};
    double p = 0;
    int32_t g = 1, conteggio = 0;
    for (int32_t j = 1; j <= n; ++j) {
        const IntersezioneAsse s = piano.Intersezioni.get(j);
        if (j >= 2) {
            const IntersezioneAsse r = piano.Intersezioni.get(j - 1);
            p += std::hypot(double{s.x} - r.x, double{s.y} - r.y);
        }
        progressive.push_back(static_cast<float>(p));
        terreno.push_back(s.z);
        if (++conteggio == pr.PuntiLivelletta.get(g)) {
            progressive.push_back(static_cast<float>(p));
            terreno.push_back(s.z);
            ++g;
            conteggio = 1;
        }
        fase.posizione(j);
    }
    pr.Progressive.assignRaw(progressive);
    pr.QuoteTerreno.assignRaw(terreno);

    if (nuovo) {
        pr.MetodoLivellette = 5;
        const float primo = terreno.size() > 1 ? terreno[1] : 0.0f;
        if (pr.ProgettoLiv.has(1, 1)) pr.ProgettoLiv(1, 1) = primo;
        if (pr.QuoteProgetto.has(1)) pr.QuoteProgetto[1] = primo;
    }

    ricostruisciTabelleLivellette(pr);
    risolviProfilo(pr, &nonRisolte);
    piano.ProfiloApplicato = pr;
    host.chiudiAttesa();
}

}  // namespace carvela
