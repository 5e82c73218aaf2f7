#include "project/stored_counts.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>

namespace carvela {
namespace {

// One count against the upper bounds of the lists it indexes from 1: the reason it fails,
// or an empty text.
std::string controlla(int64_t conteggio, const char* cosa, std::initializer_list<int32_t> limiti) {
    if (conteggio < 0) return "il numero di " + std::string(cosa) + " è negativo (" + std::to_string(conteggio) + ")";
    if (conteggio == 0) return {};
    const int32_t presenti = std::max(0, std::min(limiti));
    if (conteggio <= presenti) return {};
    return "il numero di " + std::string(cosa) + " (" + std::to_string(conteggio) + ") supera quelli memorizzati (" +
           std::to_string(presenti) + ")";
}

// The first reason of a list of checks.
std::string primo(std::initializer_list<std::string> motivi) {
    for (const std::string& m : motivi)
        if (!m.empty()) return m;
    return {};
}

std::string conPrefisso(const std::string& prefisso, const std::string& motivo) {
    return motivo.empty() ? motivo : prefisso + motivo;
}

}  // namespace

std::string conteggiErrati(const Sezione& s) {
    return primo(
        {controlla(s.NumeroPunti, "punti del terreno", {s.DistanzeTerreno.upperBound(), s.QuoteTerreno.upperBound()}),
         controlla(s.NumeroIntersezioni, "intersezioni del terreno", {s.Intersezioni.upperBound()})});
}

std::string conteggiErrati(const Profilo& p) {
    std::string m = primo({
        controlla(p.NumeroSezioni, "sezioni del profilo", {p.Progressive.upperBound(), p.QuoteTerreno.upperBound()}),
        // Opening the grade-line page gives a profile without grade lines one, not yet listed.
        controlla(p.NumeroLivellette, "livellette", {std::max(1, p.PuntiLivelletta.upperBound())}),
        controlla(p.NumeroCurve, "curve del profilo", {p.CurvaDa.upperBound(), p.CurvaA.upperBound()}),
    });
    if (!m.empty()) return m;
    // A grade line spans at most every section, shared ends counted twice; its count sizes the
    // grade-line tables. The grade-line page may take up the first one of a profile that has
    // none, so every count listed is checked.
    const int64_t massimo = int64_t{p.NumeroSezioni} + std::max(p.NumeroLivellette, 1);
    for (int32_t g = 1; g <= p.PuntiLivelletta.upperBound(); ++g) {
        const int32_t n = p.PuntiLivelletta[g];
        if (n < 0 || n > massimo)
            return "la livelletta " + std::to_string(g) + " dichiara " + std::to_string(n) + " punti su " +
                   std::to_string(p.NumeroSezioni) + " sezioni";
    }
    // A grade-line table with no element has bounds its bytes do not vouch for, and the
    // grade-line page grows it to every grade line keeping them: they stay within the profile.
    for (const VbArray2<float>* t : {&p.ProgressiveLiv, &p.TerrenoLiv, &p.ProgettoLiv, &p.RosseLiv})
        if (t->raw().empty() && std::max(t->count1(), t->count2()) > massimo + 2)
            return "una tabella delle livellette vuota dichiara " + std::to_string(std::max(t->count1(), t->count2())) +
                   " righe";
    // Section numbers are 16-bit: a first section beyond them would size the section grid.
    if (p.PrimaSezione < std::numeric_limits<int16_t>::min() || p.PrimaSezione > std::numeric_limits<int16_t>::max())
        return "il numero della prima sezione (" + std::to_string(p.PrimaSezione) + ") è fuori misura";
    return {};
}

std::string conteggiErrati(const TabellaPaleggi& t) {
    return controlla(t.NumeroPunti, "righe della tabella dei volumi",
                     {t.Ordinate.upperBound(), t.ProgressivePunti.upperBound()});
}

std::string conteggiErrati(const Planimetria& p) {
    std::string m = primo({
        controlla(p.NumeroPunti, "punti del piano", {p.Punti.upperBound(), p.PuntiStazione.upperBound()}),
        controlla(p.NumeroCurveLivello, "curve di livello", {p.CurveLivello.upperBound()}),
        // Vertices while the axis is traced, stakes once it is computed.
        controlla(p.NumeroPuntiAsse, "punti dell'asse",
                  {std::max(p.AsseTracciato.upperBound(), p.VerticiAsse.upperBound())}),
        // Every station has its section: the open copies them out one by one.
        controlla(p.NumeroIntersezioni, "stazioni", {p.Intersezioni.upperBound(), p.SezioniApplicate.upperBound()}),
    });
    if (!m.empty()) return m;
    for (int32_t i = 1; i <= p.NumeroIntersezioni; ++i)
        if (m = conteggiErrati(p.SezioniApplicate[i]); !m.empty()) return "sezione " + std::to_string(i) + ": " + m;
    return primo({conPrefisso("profilo: ", conteggiErrati(p.ProfiloApplicato)),
                  conPrefisso("volumi: ", conteggiErrati(p.PaleggiApplicati))});
}

std::string conteggiErrati(const FileSezioni& f) {
    for (int32_t i = 1; i <= f.Sezioni.upperBound(); ++i)
        if (std::string m = conteggiErrati(f.Sezioni[i]); !m.empty()) return "sezione " + std::to_string(i) + ": " + m;
    return {};
}

std::string conteggiErrati(const OpenTraverse& t) {
    return controlla(t.NumeroStazioni, "stazioni della poligonale", {t.Ascissa.upperBound(), t.Ordinata.upperBound()});
}

std::string conteggiErrati(const ClosedTraverse& t) {
    return controlla(t.NumeroStazioni, "stazioni della poligonale", {t.Ascissa.upperBound(), t.Ordinata.upperBound()});
}

std::string conteggiErrati(const TriangulationChain& t) {
    return controlla(t.NumeroTriangoli, "triangoli", {t.X.upperBound(), t.Y.upperBound()});
}

}  // namespace carvela
